// Fuzz harness: the line splitter. The first byte picks the three options and
// the list's capacity (1 to 32); the rest is the line.
#include "files/split.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  FuzzInput_beginWithoutFiles();
  const std::uint8_t options = data[0];
  const std::string_view line = FuzzText(data + 1, size - 1);
  FieldList fields(static_cast<std::int16_t>(1 + (options >> 3)));
  Fuzz_guard([&] {
    SplitDelimitedLine(line, (options & 1) != 0, (options & 2) != 0, (options & 4) != 0, fields);
    bool endOfList = false;
    for (std::int16_t k = 1; k <= fields.count; ++k) BraceIdentifier(fields[k], endOfList);
    std::string key;
    std::string value;
    bool found = false;
    SplitKeyValue(line, key, value, found);
  });
  return 0;
}
