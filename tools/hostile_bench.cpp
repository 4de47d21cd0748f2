// Figures for hostile input: oversized settings files and picture bombs.
//   brevant-hostile-bench start RUN_DIRECTORY
//     starts the program in RUN_DIRECTORY as for a teacher and prints the time
//     from process start until MainWindow is drawn; then, when group 1 has a
//     score file, picks group 1, steps it by +1 and saves, and prints how
//     long that took and what "1.vlok" then holds; when a list choice is
//     stored, times a draw (with "ynreward.vlok" "no": until its message box
//     is up) and the opening of the name-list picker.
//   brevant-hostile-bench decode PICTURE [WIDTH HEIGHT]
//     decodes the picture for a box of that size and prints the time taken
//     and the decoded size.
// Both print the peak resident memory of the process last.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/Program.h"
#include "scores/Scores.h"
#include "ui/Backend.h"
#include "ui/Catalogue.h"
#include "ui/image/Image.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point kProcessStart = Clock::now();

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void PrintPeakMemory() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory: %ld MiB\n", usage.ru_maxrss / 1024);
}

int Start(int argc, char** argv, const std::filesystem::path& runDir) {
  const bool hasScore = std::filesystem::exists(runDir / "1.vlok");
  const bool hasChoice = std::filesystem::exists(runDir / "namelist_to_use.vlok");
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
    ui::RunOnUiThread([] {});  // the first paint is queued behind the start work
    std::printf("start to MainWindow shown: %lld ms\n", MillisecondsSince(kProcessStart));
    if (hasScore) {
      ui::RunOnUiThread([&] {
        const auto before = Clock::now();
        scores::StepCurrentGroupScore(program->app(), scores::CurrentGroup{1}, +1);
        scores::OnSaveScoresClick(program->app());
        std::printf("+1 and save: %lld ms\n", MillisecondsSince(before));
      });
      ui::RunOnUiThread([] {});
      std::ifstream saved(runDir / "1.vlok", std::ios::binary);
      const std::string score{std::istreambuf_iterator<char>(saved),
                              std::istreambuf_iterator<char>()};
      std::printf("saved 1.vlok: %zu bytes \"%s\"\n", score.size(), score.substr(0, 32).c_str());
    }
    if (hasChoice) {
      auto driver = ui::CreateDriver(program->layer());
      driver->Click(ui::MainWindow::随机选人);
      auto before = Clock::now();
      driver->Click(ui::MainWindow::随机选人开始);
      std::printf("draw: %lld ms", MillisecondsSince(before));
      std::printf(driver->AnswerMessageBox() ? "\n" : " (no message box)\n");
      before = Clock::now();
      driver->Click(ui::MainWindow::超级按钮18);
      const auto items = driver->Items(ui::NameListPickerWindow::列表框1).size();
      std::printf("name-list picker open: %lld ms, %zu items%s\n", MillisecondsSince(before), items,
                  driver->OpenMessageBox() ? ", with a message box" : "");
      while (driver->AnswerMessageBox()) {
      }
      driver->CloseByUser(ui::WindowId::NameListPickerWindow);
    }
    ui::RunOnUiThread([&] {
      program->layer().EndProgram(0);
      program.reset();
    });
    PrintPeakMemory();
    return 0;
  });
}

int Decode(const char* file, int width, int height) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto before = Clock::now();
  const ui::Image image = ui::DecodeImage(bytes, width, height);
  std::printf("decode %zu bytes for a %d x %d box: %lld ms, image %d x %d\n", bytes.size(), width,
              height, MillisecondsSince(before), image.width, image.height);
  PrintPeakMemory();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "start") return Start(argc, argv, std::filesystem::absolute(argv[2]));
  if (mode == "decode")
    return Decode(argv[2], argc > 4 ? std::stoi(argv[3]) : 0, argc > 4 ? std::stoi(argv[4]) : 0);
  std::fprintf(stderr, "usage: %s start RUN_DIRECTORY | decode PICTURE [WIDTH HEIGHT]\n", argv[0]);
  return 2;
}
