// The updater program, written out by the main program as "downloader.exe":
// it shows the latest release of the companion program on the download server
// and downloads it into its own directory as "kestrin.exe".

#include <string>

#include "core/FileStore.h"
#include "platform/Platform.h"
#include "ui/Backend.h"
#include "updater/UpdaterProgram.h"

int main(int argc, char** argv) {
  auto platform = platform::CreateSystemPlatform();
  platform::Platform& system = *platform;
  // The updater carries no fonts of its own: the main program writes its faces
  // beside it at every start, before the updater can be started. Without them
  // the system's default face is used.
  const core::FileStore files([&system] { return system.ProgramDirectory(); });
  static const std::string regular = files.ReadWholeFile(files.Path("wk.ttf"));
  static const std::string light = files.ReadWholeFile(files.Path("wkL.ttf"));
  static const std::string bold = files.ReadWholeFile(files.Path("wkB.ttf"));
  ui::InitBackend(argc, argv, {regular, light, bold});

  updater::UpdaterProgram program([&system] { return system.ProgramDirectory(); },
                                  BREVANT_UPDATE_BASE_URL, updater::CreateHttpClient());
  return program.Run();
}
