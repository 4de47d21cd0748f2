#include "core/SettingFile.h"

#include "core/Text.h"

namespace core {

std::string ReadSettingBytes(const FileStore& files, std::string_view name) {
  std::string bytes = files.ReadFileStart(files.Path(name), kSettingFileBytes + 1);
  if (bytes.size() <= kSettingFileBytes) return bytes;
  bytes.resize(kSettingFileBytes);
  // Step over the characters as the text rules do; a lead byte whose trail
  // byte lies beyond the limit goes.
  std::size_t i = 0;
  while (i < bytes.size()) i += static_cast<unsigned char>(bytes[i]) >= 0x80 ? 2 : 1;
  if (i > bytes.size()) bytes.pop_back();
  return bytes;
}

std::string ReadSetting(const FileStore& files, std::string_view name) {
  return std::string(text::UpToNul(ReadSettingBytes(files, name)));
}

}  // namespace core
