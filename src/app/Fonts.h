#pragma once

#include <filesystem>
#include <string_view>

namespace app {
struct App;
}

namespace shell {

// Copies the font file into the user's font folder and, only when that copy
// was made (the target did not exist yet), registers the file with the window
// layer. Returns whether the font was registered.
bool InstallFont(app::App& app, const std::filesystem::path& fontFile);

// Writes a face the program carries to the run-directory file, then installs
// that file. A file that holds the face already is left as it is; a failed
// write leaves the old file and is not reported. Runs on any thread.
void WriteAndInstallFont(app::App& app, std::string_view fileName, std::string_view face);

}  // namespace shell
