// The updater's handling of what the server and the run directory hold: the
// latest version and the notes, the local "version.txt", the download URL
// made from the version, progress figures and the downloaded program.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/FileStore.h"
#include "core/Text.h"
#include "support/NullLayer.h"
#include "ui/Catalogue.h"
#include "updater/Updater.h"
#include "updater/WindowsProgramCheck.h"

namespace {

// A window layer that only keeps texts and flags.
class TextLayer final : public testing_support::NullLayer {
 public:
  bool LoadWindow(ui::WindowId, std::optional<ui::WindowId>, bool) override { return true; }
  bool IsOpen(ui::WindowId) const override { return true; }
  std::string Text(ui::ControlId c) override { return texts_[Key(c)]; }
  void SetText(ui::ControlId c, std::string_view text) override {
    texts_[Key(c)] = std::string(text);
  }
  bool Visible(ui::ControlId) override { return true; }
  bool Enabled(ui::ControlId c) override { return enabled_[Key(c)]; }
  void SetEnabled(ui::ControlId c, bool enabled) override { enabled_[Key(c)] = enabled; }
  void ShowMessage(std::optional<ui::WindowId>, std::string_view, std::string_view) override {
    ++messages;
  }
  int messages = 0;

 private:
  static int Key(ui::ControlId c) { return static_cast<int>(c.window) << 16 | c.index; }
  std::map<int, std::string> texts_;
  std::map<int, bool> enabled_;
};

// Answers at once: the version and the notes from the input, then the
// download, with the status and the length header the input chooses and the
// body in pieces of the size it chooses.
class ScriptedServer final : public updater::HttpClient {
 public:
  std::string_view version, notes, program;
  uint64_t seed = 0;
  std::string lastUrl;
  void Get(const std::string& url, Receiver receiver) override {
    lastUrl = url;
    std::string_view body = program;
    if (url.ends_with("/version.txt")) body = version;
    if (url.ends_with("/content.txt")) body = notes;
    updater::ResponseHead head;
    head.status = (seed & 1) ? 404 : 200;
    // The length header as a server might send it: right, wrong or garbage.
    switch ((seed >> 1) & 3) {
      case 0:
        head.contentLength = std::to_string(body.size());
        break;
      case 1:
        head.contentLength = std::to_string(seed >> 8);
        break;
      case 2:
        head.contentLength = "-1";
        break;
      default:
        break;
    }
    if ((seed >> 3) & 1) head.transferEncoding = "chunked";
    if (!receiver.head(head)) {
      receiver.end(false, "stopped");
      return;
    }
    const std::size_t piece = 1 + ((seed >> 4) & 0xFF);
    for (std::size_t at = 0; at < body.size(); at += piece) {
      if (!receiver.data(body.substr(at, piece))) {
        receiver.end(false, "stopped");
        return;
      }
    }
    receiver.end(((seed >> 12) & 1) == 0, "");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  ScriptedServer server;
  const std::string_view local = fuzz::TakePart(input);
  server.version = fuzz::TakePart(input);
  server.notes = fuzz::TakePart(input);
  if (input.size() >= sizeof server.seed) {
    std::memcpy(&server.seed, input.data(), sizeof server.seed);
    input.remove_prefix(sizeof server.seed);
  }
  server.program = input;

  core::FileStore files([] { return fuzz::ScratchFolder(); });
  FUZZ_CHECK(files.Write("version.txt", local));
  files.Delete("kestrin.exe");
  TextLayer layer;
  updater::Updater updater(layer, files, server, "https://example.invalid/assets/");
  updater.OnCheckClick();
  FUZZ_CHECK(!updater.Busy());
  if (!layer.Enabled(ui::UpdaterWindow::按钮2)) return 0;
  updater.OnUpdateClick();
  FUZZ_CHECK(!updater.Busy());
  // The version never leaves the path part of the URL.
  const std::string_view url = server.lastUrl;
  FUZZ_CHECK(url.starts_with("https://example.invalid/assets/") && url.ends_with(".1/kestrin.exe"));
  FUZZ_CHECK(url.find_first_of("?#\\ \r\n") == std::string_view::npos);
  // Only a Windows program is ever installed.
  if (files.Exists("kestrin.exe"))
    FUZZ_CHECK(updater::IsWindowsProgram(files.ReadWholeFile(files.Path("kestrin.exe"))));
  return 0;
}
