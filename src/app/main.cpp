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
  ui::InitBackend(argc, argv, ui::EmbeddedFontFaces());
  g_state = new app::AppState();
  std::atexit(ReleaseState);

  core::SystemClock clock;
  auto platform = platform::CreateSystemPlatform();
  platform::Platform& system = *platform;
  app::Program program([&system] { return system.ProgramDirectory(); }, clock, system, *g_state);
  return program.Run();
}
