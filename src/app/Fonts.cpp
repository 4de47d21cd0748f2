#include "app/Fonts.h"

#include <system_error>

#include "app/App.h"
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

void WriteAndInstallFont(app::App& app, std::string_view fileName, std::string_view face) {
  const std::filesystem::path file = app.files.Path(fileName);
  // Rewriting an identical file would change nothing but cost a disk flush.
  if (!core::HoldsExactly(file, face)) app.files.WriteWholeFile(file, face);
  // The windows draw from the few pages of the face they need; the rest of
  // it need not stay in memory once written.
  core::ReleaseResourcePages(face);
  InstallFont(app, file, face.size());
}

}  // namespace shell
