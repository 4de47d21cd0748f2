// The updater's fetch rules on the WinHTTP transport, against the loopback
// HTTPS server that scripts/brevant.sh runs beside the Wine test run. The
// environment variable BREVANT_TLS_TEST_SERVER names the server's folder
// (port, ca.pem, other-ca.pem, requests.txt); without it the tests skip.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDir.h"
#include "support/TextLiterals.h"
#include "ui/Backend.h"
#include "ui/Catalogue.h"
#include "updater/Fetch.h"
#include "updater/ScriptedDownloads.h"
#include "updater/UpdaterProgram.h"

namespace {

namespace fs = std::filesystem;
using updater::FetchError;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs this thread's messages (the client reports through them) until done.
bool PumpUntil(const bool& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  MSG msg;
  while (!done) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

class UpdaterOverWinHttp : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("BREVANT_TLS_TEST_SERVER");
    if (!dir)
      GTEST_SKIP()
          << "no test server: BREVANT_TLS_TEST_SERVER is not set (scripts/brevant.sh sets it)";
    serverDir_ = dir;
    const std::string port = ReadFile(serverDir_ / "port");
    ASSERT_FALSE(port.empty()) << "the test server wrote no port into " << serverDir_.string();
    base_ = "https://localhost:" + port.substr(0, port.find('\n')) + "/assets/";
    runDir_ = testing_support::MakeTempDir("brevant-winhttp");
  }
  void TearDown() override {
    std::error_code ec;
    if (!runDir_.empty()) fs::remove_all(runDir_, ec);
  }

  updater::HttpOptions Trusting(const char* caFile) const {
    return {.extraCaCertificatesPem = ReadFile(serverDir_ / caFile), .transferTimeoutMs = 10000};
  }

  struct Outcome {
    FetchError error = FetchError::Network;
    std::vector<std::pair<int64_t, int64_t>> progress;
  };
  // Downloads <base>/<what> over "kestrin.exe" in the run directory.
  Outcome Download(const std::string& what, const updater::HttpOptions& options) {
    auto http = updater::CreateHttpClient(options);
    Outcome outcome;
    bool done = false;
    updater::FetchProgramFile(
        *http, base_ + what, runDir_ / "kestrin.exe", testing_support::kScriptedCapBytes,
        [&](int64_t got, int64_t total) { outcome.progress.emplace_back(got, total); },
        [&](FetchError error) {
          outcome.error = error;
          done = true;
        });
    EXPECT_TRUE(PumpUntil(done)) << what << ": no end within 30 s";
    return outcome;
  }
  Outcome Download(const std::string& what) { return Download(what, Trusting("ca.pem")); }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(runDir_))
      names.push_back(entry.path().filename().string());
    return names;
  }
  void WriteOld() { std::ofstream(runDir_ / "kestrin.exe", std::ios::binary) << old_; }

  fs::path serverDir_, runDir_;
  std::string base_;
  const std::string old_ = "old program\n";
};

TEST_F(UpdaterOverWinHttp, OnlyProvablyWholeDownloadsInstall) {
  const struct {
    const char* what;
    FetchError expected;
  } failures[] = {
      {"missing/kestrin.exe", FetchError::Status},
      {"short/kestrin.exe", FetchError::Network},
      {"short-reset/kestrin.exe", FetchError::Network},
      {"unframed-fin/kestrin.exe", FetchError::Unprovable},
      {"unframed-whole/kestrin.exe", FetchError::Unprovable},
      {"chunked-cut/kestrin.exe", FetchError::Network},
      {"error-page/kestrin.exe", FetchError::NotAProgram},
      {"gzip/kestrin.exe", FetchError::Unprovable},
      {"over-cap/kestrin.exe", FetchError::TooLarge},
      {"chunked-over-cap/kestrin.exe", FetchError::TooLarge},
      {"downgrade/kestrin.exe", FetchError::Network},
  };
  WriteOld();
  for (const auto& c : failures) {
    const Outcome outcome = Download(c.what);
    // A cut answer may show as a transport error or as a short count;
    // either way it is a failure that keeps the old file.
    if (c.expected == FetchError::Network) {
      EXPECT_TRUE(outcome.error == FetchError::Network || outcome.error == FetchError::Incomplete)
          << c.what << ": " << static_cast<int>(outcome.error);
    } else {
      EXPECT_EQ(outcome.error, c.expected) << c.what;
    }
    EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == old_) << c.what;
    EXPECT_EQ(Files(), std::vector<std::string>{"kestrin.exe"})
        << c.what << ": a part file was left";
  }

  // WinHTTP does not tell a chunked body cut between chunks from one that
  // ended properly, so this transport installs no chunked body at all.
  EXPECT_EQ(Download("chunked/kestrin.exe").error, FetchError::Network);
  EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == old_);

  // A whole answer installs, reporting progress against its length; one
  // reached through a redirect too.
  const std::string program = testing_support::ScriptedProgram();
  const Outcome whole = Download("whole/kestrin.exe");
  EXPECT_EQ(whole.error, FetchError::None);
  EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == program);
  ASSERT_FALSE(whole.progress.empty());
  EXPECT_EQ(whole.progress.back(),
            std::make_pair(int64_t(program.size()), int64_t(program.size())));
  for (std::size_t i = 1; i < whole.progress.size(); ++i) {
    EXPECT_LE(whole.progress[i - 1].first, whole.progress[i].first);
  }
  WriteOld();
  EXPECT_EQ(Download("hop/kestrin.exe").error, FetchError::None);
  EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == program);
  EXPECT_EQ(Files(), std::vector<std::string>{"kestrin.exe"});

  // Every request asked for the body as stored.
  const std::string requests = ReadFile(serverDir_ / "requests.txt");
  EXPECT_NE(requests.find("Accept-Encoding: identity\r\n"), std::string::npos) << requests;
}

TEST_F(UpdaterOverWinHttp, TrustsOnlyTheGivenTestAuthority) {
  WriteOld();
  EXPECT_EQ(Download("whole/kestrin.exe", {.transferTimeoutMs = 10000}).error, FetchError::Network);
  EXPECT_EQ(Download("whole/kestrin.exe", Trusting("other-ca.pem")).error, FetchError::Network);
  EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == old_);
  EXPECT_EQ(Download("whole/kestrin.exe").error, FetchError::None);
}

// The current user's browser proxy settings in the registry, as the system's
// settings page writes them; the user's own come back at the end.
class BrowserProxyRegistry {
 public:
  enum Flags : DWORD { kFixedProxy = 2, kScript = 4 };
  BrowserProxyRegistry() {
    DWORD size = 0;
    saved_ = RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_BINARY, nullptr, nullptr,
                          &size) == ERROR_SUCCESS;
    old_.resize(size);
    if (saved_)
      RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_BINARY, nullptr, old_.data(), &size);
  }
  ~BrowserProxyRegistry() {
    if (saved_)
      Write(old_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
  }
  void Set(DWORD flags, const std::string& proxy, const std::string& bypass,
           const std::string& script = "") {
    std::string blob;
    auto number = [&](DWORD n) { blob.append(reinterpret_cast<const char*>(&n), sizeof n); };
    auto text = [&](const std::string& t) {
      number(static_cast<DWORD>(t.size()));
      blob += t;
    };
    number(0x46);  // the layout's version
    number(++counter_);
    number(flags | 1);  // 1: direct for what no proxy takes
    text(proxy);
    text(bypass);
    text(script);
    blob.append(32, '\0');
    Write(std::vector<BYTE>(blob.begin(), blob.end()));
  }

 private:
  static constexpr const wchar_t* kKey =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
  static constexpr const wchar_t* kValue = L"DefaultConnectionSettings";
  void Write(const std::vector<BYTE>& blob) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, kValue, 0, REG_BINARY, blob.data(), static_cast<DWORD>(blob.size()));
    RegCloseKey(key);
  }
  bool saved_ = false;
  std::vector<BYTE> old_;
  DWORD counter_ = 100;
};

// The proxy named by the browser settings carries every address of a
// download, a redirect's too; a proxy that is down fails it, unless the
// address is on the bypass list. An automatic configuration script names its
// proxy; one that cannot be had leaves the fixed proxy.
TEST_F(UpdaterOverWinHttp, GoesThroughTheProxyOfTheBrowserSettings) {
  auto port = [&](const char* file) {
    const std::string text = ReadFile(serverDir_ / file);
    return text.substr(0, text.find('\n'));
  };
  const std::string proxy = "127.0.0.1:" + port("proxy-port"),
                    dead = "127.0.0.1:" + port("dead-proxy-port");
  ASSERT_NE(proxy, "127.0.0.1:") << "the test server runs no proxy";
  // Tunnels the proxy has opened so far.
  auto tunnels = [&] {
    const std::string log = ReadFile(serverDir_ / "proxy.txt");
    std::size_t count = 0;
    for (std::size_t at = log.find("CONNECT localhost:"); at != std::string::npos;
         at = log.find("CONNECT localhost:", at + 1)) {
      ++count;
    }
    return count;
  };
  const std::string program = testing_support::ScriptedProgram();
  BrowserProxyRegistry settings;

  settings.Set(BrowserProxyRegistry::kFixedProxy, proxy, "");
  WriteOld();
  std::size_t before = tunnels();
  EXPECT_EQ(Download("hop/kestrin.exe").error, FetchError::None);
  EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == program);
  EXPECT_EQ(tunnels() - before, 2u) << "the address and its redirect's";

  settings.Set(BrowserProxyRegistry::kFixedProxy, dead, "");
  WriteOld();
  EXPECT_EQ(Download("whole/kestrin.exe").error, FetchError::Network);
  EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == old_);
  EXPECT_EQ(Files(), std::vector<std::string>{"kestrin.exe"});
  settings.Set(BrowserProxyRegistry::kFixedProxy, dead, "localhost");
  EXPECT_EQ(Download("whole/kestrin.exe").error, FetchError::None) << "bypassed";

  settings.Set(BrowserProxyRegistry::kScript, "", "", "http://" + proxy + "/proxy.pac");
  before = tunnels();
  EXPECT_EQ(Download("whole/kestrin.exe").error, FetchError::None);
  EXPECT_EQ(tunnels() - before, 1u) << "through the script's proxy";
  settings.Set(BrowserProxyRegistry::kScript | BrowserProxyRegistry::kFixedProxy, proxy, "",
               "http://" + dead + "/proxy.pac");
  before = tunnels();
  EXPECT_EQ(Download("whole/kestrin.exe").error, FetchError::None);
  EXPECT_EQ(tunnels() - before, 1u) << "through the fixed proxy";
}

// The updater window on this transport: "检查" finds the newer version (sent
// with a line end, which the box shows and the download address leaves out),
// and "更新" shows its progress in the button while the program arrives.
TEST_F(UpdaterOverWinHttp, UpdaterWindowShowsProgressAndInstalls) {
  namespace W = ui::UpdaterWindow;
  using testing_support::G;
  WriteOld();
  std::unique_ptr<updater::UpdaterProgram> program;
  ui::RunOnUiThread([&] {
    program = std::make_unique<updater::UpdaterProgram>(
        [dir = runDir_] { return dir; }, base_ + "window/",
        updater::CreateHttpClient(Trusting("ca.pem")),
        ui::LayerOptions{.manualTimers = true, .hostedEventLoop = true},
        updater::FetchLimits{.maxProgramBytes = testing_support::kScriptedCapBytes});
  });
  auto driver = ui::CreateDriver(program->layer());
  driver->Post([&] { program->Run(); });
  auto busy = [&] {
    bool b = true;
    driver->Sync([&] { b = program->updater().Busy(); });
    return b;
  };
  auto waitIdle = [&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (busy() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !busy();
  };

  ASSERT_TRUE(driver->Click(W::按钮1) && waitIdle());
  ASSERT_TRUE(driver->IsEnabled(W::按钮2));
  EXPECT_EQ(driver->Text(W::编辑框1), "2.8\r\n");
  ASSERT_TRUE(driver->Click(W::按钮2));
  std::string caption;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline && busy()) {
    const std::string now = driver->Text(W::按钮2);
    if (now != G("更新 0%") && now.rfind(G("更新 "), 0) == 0) {
      caption = now;
      EXPECT_TRUE(ReadFile(runDir_ / "kestrin.exe") == old_);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_NE(caption, "") << "no progress was shown";
  ASSERT_TRUE(waitIdle());
  EXPECT_FALSE(driver->OpenMessageBox());
  EXPECT_EQ(driver->Text(W::按钮2), G("更新"));
  EXPECT_EQ(fs::file_size(runDir_ / "kestrin.exe"), 1048576u);
  EXPECT_EQ(Files(), std::vector<std::string>{"kestrin.exe"});
  EXPECT_NE(ReadFile(serverDir_ / "requests.txt").find("GET /assets/window/2.8.1/kestrin.exe "),
            std::string::npos);

  driver->Post([&] { program->layer().EndProgram(0); });
  driver.reset();
  ui::RunOnUiThread([&] { program.reset(); });
}

}  // namespace
