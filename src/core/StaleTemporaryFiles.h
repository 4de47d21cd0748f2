#pragma once

#include <filesystem>

namespace core {

// Removes the temporary files that an interrupted write of this program left
// in folder, and nothing else: the names that its writers give them
// (".<name>.XXXXXX" with six letters or digits, for a file the program
// writes in its run directory or copies into the font folder) and only when
// no writer holds them (core::native::CreateTemporaryFile), so that a write
// still under way in another copy of the program keeps its file while one
// whose writer was killed goes at once. Returns how many files were removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace core
