// Starts the program as it starts for a teacher (start work, fonts, files)
// in the run directory given, on the offscreen window system, and prints
// "shown RSS_KB ANON_KB FILE_KB DOWNLOADER_WRITE_US" as soon as MainWindow
// has been shown and drawn after the start work, then ends.
// tools/benchmark_startup.sh times it from process start.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Program.h"
#include "companions/Companions.h"
#include "ui/Backend.h"

namespace {

// A field of /proc/self/status in KiB: VmRSS, RssAnon or RssFile.
long StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s RUN_DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::filesystem::path runDir = std::filesystem::absolute(argv[1]);
  return ui::RunWithUiThread(argc, argv, ui::EmbeddedFontFaces(), [&] {
    app::AppState state;
    core::SystemClock clock;
    auto platform = platform::CreateSystemPlatform();
    std::unique_ptr<app::Program> program;
    ui::RunOnUiThread([&] {
      program = std::make_unique<app::Program>([runDir] { return runDir; }, clock, *platform, state,
                                               ui::LayerOptions{.hostedEventLoop = true});
      program->Run();
    });
    // Shown means drawn: the first paint is queued behind the start work.
    ui::RunOnUiThread([] {});
    ui::RunOnUiThread([&] {
      const long rss = StatusKilobytes("VmRSS"), anon = StatusKilobytes("RssAnon"),
                 file = StatusKilobytes("RssFile");
      // Writing the downloader once more, exactly as the start work does.
      const auto before = std::chrono::steady_clock::now();
      companions::WriteDownloader(program->app());
      const auto micros =
          std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - before).count();
      std::printf("shown %ld %ld %ld %lld\n", rss, anon, file, static_cast<long long>(micros));
      std::fflush(stdout);
      program->layer().EndProgram(0);
      program.reset();
    });
    return 0;
  });
}
