#pragma once

#include <chrono>
#include <filesystem>

namespace core {

// Removes the temporary files that an interrupted write of this program left
// in folder, and nothing else: the names that FileStore gives them
// (".<name>.XXXXXX" with six letters or digits, for a file the program
// writes in its run directory) and only when last written longer ago than
// the grace period, so that a write still under way in another copy of the
// program keeps its file. Returns how many files were removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::seconds grace = std::chrono::minutes(1));

}  // namespace core
