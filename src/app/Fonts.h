#pragma once

#include <cstdint>
#include <filesystem>

#include "ui/FontFaces.h"

namespace app {
struct App;
}

namespace shell {

// Copies the font file into the user's font folder and, only when that copy
// was made (no complete copy was there yet), registers the file with the
// window layer. Returns whether the font was registered. faceSize is the size
// of a complete face; 0 takes the font file's own size.
bool InstallFont(app::App& app, const std::filesystem::path& fontFile, std::uintmax_t faceSize = 0);

// Writes a face the program carries to its copy, then installs that file. A
// copy that holds the face already is left as it is; a failed write leaves the
// old file and is not reported. Runs on any thread.
void WriteAndInstallFont(app::App& app, const ui::FontFace& face);

}  // namespace shell
