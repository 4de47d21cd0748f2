#include "companions/Companions.h"

#include "app/shared/App.h"
#include "companions/EmbeddedDownloader.h"
#include "companions/ProgramFile.h"
#include "core/ResourceFile.h"

namespace companions {

void CreateDesktopShortcut(app::App& app) {
  app.platform.CreateShortcut(app.platform.DesktopFolder(), "BREVANT",
                              app.files.Path("kestrin.exe"));
}

void WriteDownloader(app::App& app) {
  WriteProgramFile(app.files, app.files.Path("downloader.exe"), EmbeddedDownloader());
  core::ReleaseResourcePages(EmbeddedDownloader());
}

void HandOverToCompanion(app::App& app) {
  app.platform.RunProgram(app.files.Path("kestrin.exe"));
  app.ui.EndProgram(0);
}

void OnCheckUpdateClick(app::App& app) {
  // The start may still be writing the downloader.
  app.startWrites.Wait();
  app.platform.RunProgram(app.files.Path("downloader.exe"));
  app.ui.EndProgram(0);
}

}  // namespace companions
