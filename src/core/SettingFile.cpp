#include "core/SettingFile.h"

#include "core/Text.h"

namespace core {

namespace {

// At most kSettingFileBytes of bytes. Steps over the characters as the text
// rules do; a lead byte whose trail byte lies beyond the limit goes.
std::string_view SettingStart(std::string_view bytes) {
  if (bytes.size() <= kSettingFileBytes) return bytes;
  bytes = bytes.substr(0, kSettingFileBytes);
  std::size_t i = 0;
  while (i < bytes.size()) i += static_cast<unsigned char>(bytes[i]) >= 0x80 ? 2 : 1;
  if (i > bytes.size()) bytes.remove_suffix(1);
  return bytes;
}

}  // namespace

std::string ReadSettingBytes(const FileStore& files, std::string_view name) {
  std::string bytes = files.ReadFileStart(files.Path(name), kSettingFileBytes + 1);
  bytes.resize(SettingStart(bytes).size());
  return bytes;
}

std::string ReadSetting(const FileStore& files, std::string_view name) {
  return std::string(text::UpToNul(ReadSettingBytes(files, name)));
}

std::string_view SettingText(std::string_view text) {
  return text::UpToNul(SettingStart(text));
}

}  // namespace core
