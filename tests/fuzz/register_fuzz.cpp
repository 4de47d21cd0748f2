// The register of name-list files and the list choice, read from disk: line
// by line through the file store, whole through the line splitter, and as
// far as its caps allow through the register reader that the lists on screen
// and the draw share.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/FileStore.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "draw/NameListFile.h"
#include "draw/NameListRegister.h"
#include "draw/RegisterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view reg = fuzz::TakePart(input);
  const std::string_view choice = input;

  core::FileStore files([] { return fuzz::ScratchFolder(); });
  FUZZ_CHECK(files.Write(draw::kRegisterFile, reg));
  FUZZ_CHECK(files.Write(draw::kChoiceFile, choice));

  const int file =
      files.OpenFile(files.Path(draw::kRegisterFile), core::FileStore::kReadWriteExisting);
  FUZZ_CHECK(file != 0);
  std::size_t lines = 0, bytes = 0;
  for (std::string line = files.ReadLine(file); !line.empty(); line = files.ReadLine(file)) {
    FUZZ_CHECK(line.find('\n') == std::string::npos);
    bytes += line.size();
    FUZZ_CHECK(++lines <= reg.size() && bytes <= reg.size());
  }
  files.CloseFile(file);

  const auto entries = draw::RegisterLines(files.ReadWholeFile(files.Path(draw::kRegisterFile)));
  FUZZ_CHECK(entries.size() <= reg.size() + 1);
  // The read the program makes: the first lines, as many as the caps allow.
  const draw::RegisterRead read = draw::ReadRegister(files);
  FUZZ_CHECK(read.lines.size() <= draw::kMaxRegisterLines && read.lines.size() <= entries.size());
  FUZZ_CHECK(std::equal(read.lines.begin(), read.lines.end(), entries.begin()));
  FUZZ_CHECK(read.whole ==
             (reg.size() <= draw::kMaxRegisterBytes && entries.size() <= draw::kMaxRegisterLines));
  const int32_t position = text::ToInt(core::ReadSetting(files, draw::kChoiceFile));
  if (position >= 1 && static_cast<std::size_t>(position) <= entries.size()) {
    FUZZ_CHECK(entries[static_cast<std::size_t>(position) - 1].size() <= reg.size());
  }
  return 0;
}
