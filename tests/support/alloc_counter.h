// Counts heap allocations made by the calling thread, so a test can check that
// an operation allocates no more than its result.
#pragma once

#include <cstddef>

// Allocations (calls of operator new) made by this thread since program start.
std::size_t AllocationCount();

// Counts the allocations made while `work` runs.
template <typename Work>
std::size_t AllocationsDuring(Work&& work) {
  const std::size_t before = AllocationCount();
  work();
  return AllocationCount() - before;
}
