#pragma once

#include <filesystem>
#include <string_view>

#include "core/FileStore.h"

namespace companions {

// Writes a program file whole through the file store (a failed write leaves
// the old file) unless it holds exactly these bytes already, and lets whoever
// may read it also run it.
bool WriteProgramFile(core::FileStore& files, const std::filesystem::path& path,
                      std::string_view bytes);

}  // namespace companions
