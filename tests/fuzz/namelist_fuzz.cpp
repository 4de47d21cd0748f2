// A name-list file's bytes as the draw reads them: encoding detection
// (GBK, UTF-8 or UTF-16), line ends, names.
#include <cstdint>
#include <string_view>

#include "FuzzInput.h"
#include "core/Text.h"
#include "draw/NameListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto names = draw::NamesOfFile(bytes);
  // The names cannot outnumber the lines. (A name may hold a line end: a stray
  // lead byte takes the CR after it as its second byte, as the splitting rule
  // says.)
  std::size_t lines = 1;
  for (char c : bytes) lines += c == '\n' ? 1 : 0;
  FUZZ_CHECK(names.size() <= lines);
  return 0;
}
