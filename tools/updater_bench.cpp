// Peak memory of one download through the updater: a loopback HTTPS server in
// this process sends a program of MIB mebibytes (200 unless given) and the
// updater installs it into a temporary run directory. Prints the peak
// resident size (VmHWM) before and after the download, and its time.
//   QT_QPA_PLATFORM=offscreen brevant-updater-bench [MIB]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "ui/Backend.h"
#include "ui/Catalogue.h"
#include "updater/ScriptedDownloads.h"
#include "updater/TlsTestServer.h"
#include "updater/UpdaterProgram.h"

namespace {

namespace fs = std::filesystem;
namespace W = ui::UpdaterWindow;

// A line of /proc/self/status in MiB, such as "VmHWM".
double StatusMiB(const std::string& key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key + ":", 0) == 0)
      return std::strtod(line.c_str() + key.size() + 1, nullptr) / 1024;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int mib = argc > 1 ? std::atoi(argv[1]) : 200;
  testing_support::TlsTestServer server;
  server.Serve("version.txt", "2.8");
  server.Serve("content.txt", "notes");
  server.Serve("2.8.1/kestrin.exe",
               {.head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(int64_t{mib} << 20) +
                        "\r\nConnection: close\r\n\r\n",
                .body = testing_support::WindowsProgram(1 << 20, 'k'),
                .repeat = mib,
                .pieceBytes = 1 << 20});
  std::string pattern = (fs::temp_directory_path() / "brevant-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return 1;
  const fs::path runDir = pattern;

  const int result = ui::RunWithUiThread(argc, argv, {}, [&] {
    std::unique_ptr<updater::UpdaterProgram> program;
    ui::RunOnUiThread([&] {
      program = std::make_unique<updater::UpdaterProgram>(
          [runDir] { return runDir; }, server.BaseUrl(),
          updater::CreateHttpClient({.extraCaCertificatesPem = server.CaPem()}),
          ui::LayerOptions{.manualTimers = true, .hostedEventLoop = true});
    });
    auto driver = ui::CreateDriver(program->layer());
    driver->Post([&] { program->Run(); });
    auto clickAndWait = [&](ui::ControlId button) {
      driver->Click(button);
      for (bool busy = true; busy;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        driver->Sync([&] { busy = program->updater().Busy(); });
      }
    };
    clickAndWait(W::按钮1);
    std::printf("before the download: VmHWM %.1f MiB, VmRSS %.1f MiB\n", StatusMiB("VmHWM"),
                StatusMiB("VmRSS"));
    const auto start = std::chrono::steady_clock::now();
    clickAndWait(W::按钮2);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::error_code ec;
    const auto size = fs::file_size(runDir / "kestrin.exe", ec);
    std::printf("after %d MiB in %.2f s (kestrin.exe: %s): VmHWM %.1f MiB, VmRSS %.1f MiB\n", mib,
                seconds,
                size == (uintmax_t{static_cast<unsigned>(mib)} << 20) ? "whole" : "NOT whole",
                StatusMiB("VmHWM"), StatusMiB("VmRSS"));
    driver->Post([&] { program->layer().EndProgram(0); });
    driver.reset();
    ui::RunOnUiThread([&] { program.reset(); });
    return size == (uintmax_t{static_cast<unsigned>(mib)} << 20) ? 0 : 1;
  });
  fs::remove_all(runDir);
  return result;
}
