// Fuzz harness: the text-to-number rule. A text it takes as a number must give
// a finite value, and its plain text must read back as a finite value too.
#include <cmath>
#include <cstdlib>

#include "fuzz_support.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const float value = NumberOrNull(FuzzText(data, size));
  if (!std::isfinite(value)) std::abort();
  if (IsNull(value)) return 0;
  const float again = NumberOrNull(PlainNumber_text(value));
  if (!std::isfinite(again)) std::abort();
  return 0;
}
