// The updater program, written out by the main program as "downloader.exe":
// it shows the latest release of the companion program on the download server
// and downloads it into its own directory as "kestrin.exe".

#include "platform/Platform.h"
#include "ui/Backend.h"
#include "updater/UpdaterProgram.h"

int main(int argc, char** argv) {
  auto platform = platform::CreateSystemPlatform();
  platform::Platform& system = *platform;
  // The updater carries no fonts of its own: the main program writes its faces
  // beside it at every start, before the updater can be started. Without them
  // the system's default face is used. Its window shows no text in the light
  // face.
  ui::FontFaces faces = ui::FontFaceCopies(system.ProgramDirectory());
  faces.light = {};
  ui::InitBackend(argc, argv, faces);

  updater::UpdaterProgram program([&system] { return system.ProgramDirectory(); },
                                  BREVANT_UPDATE_BASE_URL, updater::CreateHttpClient());
  return program.Run();
}
