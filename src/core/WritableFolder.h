#pragma once

#include <filesystem>

namespace core {

// Whether a new file can be made in the folder now. A file of a name no other
// file has is created there and removed again; nothing is left behind, not
// even when the process is killed meanwhile.
bool CanCreateFilesIn(const std::filesystem::path& folder);

}  // namespace core
