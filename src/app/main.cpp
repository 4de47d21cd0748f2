#include <cstdlib>

#include "app/Program.h"
#include "ui/Backend.h"

namespace {

app::AppState* g_state = nullptr;

void ReleaseState() {
  delete g_state;
  g_state = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // One copy runs per folder: a second start brings the running copy to the
  // front and ends here, before any window or file work.
  auto platform = platform::CreateSystemPlatform();
  platform::Platform& system = *platform;
  const auto claim = system.ClaimRunDirectory(system.ProgramDirectory());
  if (!claim) return 0;

  // The copies of the faces that an earlier start wrote beside the program
  // may serve in place of the faces it carries.
  ui::InitBackend(argc, argv, ui::EmbeddedFontFaces(system.ProgramDirectory()));
  g_state = new app::AppState();
  std::atexit(ReleaseState);

  core::SystemClock clock;
  app::Program program([&system] { return system.ProgramDirectory(); }, clock, system, *g_state);
  program.ComeForwardWhenAsked(*claim);
  return program.Run();
}
