// What every fuzz harness shares: a private temporary folder as drive C: (made
// once per process, removed at exit), the records the readers use put back to
// a program that has not started before each input, the task and issue log
// opened afresh (so it never grows from one input to the next), and the halt
// handling of the program's top level.
//
// An input ends in one of two ways the harnesses accept: the reader returns, or
// it halts through the error report (ErrorHalt), a fatal stop or a host failure,
// all of which Program_guard catches. Anything else -- a crash, a sanitizer
// report, a hang, unbounded memory -- is a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Puts every record the readers use back to the state of a program that has
// not started (the whole engine on the first input), with drive C: at the
// harness's folder, the data area C:\Vurn, the project "P1" (folder and
// Soundings folder present) and the log open. Call at the start of every input.
void FuzzInput_begin();

// For harnesses that read no file (the line splitter): the engine is put back
// to a program that has not started once, with no log open, so an error
// report writes no file; each later input only clears the error-reported
// flag, the one record such an input changes that the next would see.
void FuzzInput_beginWithoutFiles();

// Writes `bytes` to the host file behind the engine path C:\`relative`
// (parents made), replacing what was there.
void FuzzFile_write(std::string_view relative, std::string_view bytes);

// Runs `work` under the program's top level and closes every file of the run.
void Fuzz_guard(const std::function<void()>& work);

// The input as text.
inline std::string_view FuzzText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}
