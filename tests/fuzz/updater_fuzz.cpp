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
#include "ui/Catalogue.h"
#include "updater/Updater.h"

namespace {

// A window layer that only keeps texts and flags.
class TextLayer final : public ui::Layer {
 public:
  bool LoadWindow(ui::WindowId, std::optional<ui::WindowId>, bool) override { return true; }
  void CloseWindow(ui::WindowId) override {}
  bool IsOpen(ui::WindowId) const override { return true; }
  std::string Text(ui::ControlId c) override { return texts_[Key(c)]; }
  void SetText(ui::ControlId c, std::string_view text) override {
    texts_[Key(c)] = std::string(text);
  }
  bool Visible(ui::ControlId) override { return true; }
  void SetVisible(ui::ControlId, bool) override {}
  bool Enabled(ui::ControlId c) override { return enabled_[Key(c)]; }
  void SetEnabled(ui::ControlId c, bool enabled) override { enabled_[Key(c)] = enabled; }
  int Selection(ui::ControlId) override { return -1; }
  void SetSelection(ui::ControlId, int) override {}
  int AddItem(ui::ControlId, std::string_view) override { return -1; }
  bool Checked(ui::ControlId) override { return false; }
  void SetChecked(ui::ControlId, bool) override {}
  void SetPicture(ui::ControlId, std::string_view) override {}
  void SetInterval(ui::ControlId, int) override {}
  int Page(ui::ControlId) override { return 0; }
  void SetPage(ui::ControlId, int) override {}
  void ShowMessage(std::optional<ui::WindowId>, std::string_view, std::string_view) override {
    ++messages;
  }
  std::string BrowseForPath(std::string_view) override { return ""; }
  bool RegisterFontFile(const std::filesystem::path&) override { return false; }
  int Run(ui::WindowId) override { return 0; }
  void EndProgram(int) override {}
  int messages = 0;

 private:
  static int Key(ui::ControlId c) { return static_cast<int>(c.window) << 16 | c.index; }
  std::map<int, std::string> texts_;
  std::map<int, bool> enabled_;
};

// Answers at once: the version and the notes from the input, then the
// download with progress figures as a server might send them.
class ScriptedServer final : public updater::HttpClient {
 public:
  std::string_view version, notes, program;
  uint64_t progressSeed = 0;
  std::string lastUrl;
  void Get(const std::string& url, Progress progress, Done done) override {
    lastUrl = url;
    updater::HttpResponse response;
    response.ok = true;
    if (url.ends_with("/version.txt")) {
      response.body = version;
    } else if (url.ends_with("/content.txt")) {
      response.body = notes;
    } else {
      response.body = program;
      response.ok = (progressSeed & 1) != 0;
      // Received bytes are what arrived (below the client's body limit); the
      // total is the server's claim and may be anything.
      const int64_t total = static_cast<int64_t>(progressSeed >> 1) - (int64_t{1} << 40);
      if (progress) {
        progress(0, total);
        progress(static_cast<int64_t>(program.size()), total);
        progress(int64_t{512} << 20, total);
      }
    }
    done(response);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  ScriptedServer server;
  const std::string_view local = fuzz::TakePart(input);
  server.version = fuzz::TakePart(input);
  server.notes = fuzz::TakePart(input);
  if (input.size() >= sizeof server.progressSeed) {
    std::memcpy(&server.progressSeed, input.data(), sizeof server.progressSeed);
    input.remove_prefix(sizeof server.progressSeed);
  }
  server.program = input;

  core::FileStore files([] { return fuzz::ScratchFolder(); });
  FUZZ_CHECK(files.Write("version.txt", local));
  files.Delete("kestrin.exe");
  TextLayer layer;
  updater::Updater updater(layer, files, server, "https://example.invalid/assets/");
  updater.OnCheckClick();
  FUZZ_CHECK(!updater.Busy());
  FUZZ_CHECK(layer.Text(ui::UpdaterWindow::编辑框1) == text::UpToNul(server.version));
  if (!layer.Enabled(ui::UpdaterWindow::按钮2)) return 0;
  updater.OnUpdateClick();
  FUZZ_CHECK(!updater.Busy());
  // The version never leaves the path part of the URL.
  const std::string_view url = server.lastUrl;
  FUZZ_CHECK(url.starts_with("https://example.invalid/assets/") && url.ends_with(".1/kestrin.exe"));
  FUZZ_CHECK(url.find_first_of("?#\\ \r\n") == std::string_view::npos);
  return 0;
}
