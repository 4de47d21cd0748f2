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

// Writes the face to the run-directory file, then installs that file. A
// failed write leaves the old file and is not reported.
void WriteAndInstallFont(app::App& app, std::string_view fileName, std::string_view face);

}  // namespace shell
