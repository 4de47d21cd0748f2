#pragma once

#include <cstdint>
#include <filesystem>

namespace platform {

// Puts a copy of fontFile into folder under the font file's own name, for a
// face of faceSize bytes. A copy of that size already there is left alone and
// counts as not made; one of another size, torn by an interrupted copy, is
// replaced. The bytes go to a temporary file in the folder that is renamed
// into place only when complete, so the folder never holds part of a face
// under the face's name; such files that an interrupted copy left behind are
// removed first, at every call, once their writer has gone. A source file of
// the wrong size is not copied.
// True when a copy was made.
bool CopyFontIntoFolder(const std::filesystem::path& fontFile, const std::filesystem::path& folder,
                        std::uintmax_t faceSize);

}  // namespace platform
