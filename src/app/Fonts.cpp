#include "app/Fonts.h"

#include <system_error>

#include "app/shared/App.h"
#include "core/ResourceFile.h"
#include "platform/FontCopy.h"

namespace shell {

bool InstallFont(app::App& app, const std::filesystem::path& fontFile, std::uintmax_t faceSize) {
  namespace fs = std::filesystem;
  const fs::path folder = app.platform.FontFolder();
  std::error_code ec;
  // A fresh account has no font folder yet; the install should still work there.
  fs::create_directories(folder, ec);
  if (faceSize == 0) faceSize = fs::file_size(fontFile, ec);
  if (ec || !platform::CopyFontIntoFolder(fontFile, folder, faceSize)) return false;
  return app.ui.RegisterFontFile(fontFile);
}

void WriteAndInstallFont(app::App& app, const ui::FontFace& face) {
  // Rewriting an identical file would change nothing but cost a disk flush;
  // the copy is checked against the face's digest, so the face itself is not
  // read at all then.
  if (!face.CopyIsWhole()) app.files.WriteWholeFile(face.copy, face.bytes);
  // The windows draw from the few pages of the face they need; the rest of
  // it need not stay in memory once written.
  core::ReleaseResourcePages(face.bytes);
  InstallFont(app, face.copy, face.bytes.size());
}

}  // namespace shell
