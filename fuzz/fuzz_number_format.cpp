// Fuzz harness: the picture formatter and the plain number text. The first four
// bytes are the 32-bit value, the fifth chooses underscores for a missing value,
// the rest is the picture.
#include <cstring>

#include "fuzz_support.h"
#include "numeric/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  float value = 0.0f;
  std::memcpy(&value, data, sizeof value);
  const std::string_view picture = FuzzText(data + 5, size - 5);
  Number_format(value, picture, (data[4] & 1) != 0);
  PlainNumber_text(value);
  return 0;
}
