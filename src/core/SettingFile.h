#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/FileStore.h"

namespace core {

// Settings files hold one box's text or one short value; this many bytes hold
// any of them many times over.
inline constexpr std::size_t kSettingFileBytes = 4096;

// The start of a settings file's bytes: at most kSettingFileBytes, with a
// double-byte character cut in half at that limit dropped. The rest of a
// larger file is ignored and the file stays as it is, so a huge file costs no
// more than a small one.
std::string ReadSettingBytes(const FileStore& files, std::string_view name);

// The text of a settings file: ReadSettingBytes up to the first zero byte.
std::string ReadSetting(const FileStore& files, std::string_view name);

// What a settings read keeps of a text written to a settings file: the text
// ReadSetting gives back for it.
std::string_view SettingText(std::string_view text);

}  // namespace core
