// The updater program: UpdaterWindow against a real HTTPS server on loopback,
// the handlers' rules against a client the test answers by hand, and the
// HTTPS client's refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "core/StaleTemporaryFiles.h"
#include "support/TestProgram.h"
#include "ui/Backend.h"
#include "updater/ScriptedDownloads.h"
#include "updater/TlsTestServer.h"
#include "updater/UpdaterProgram.h"

namespace {

namespace fs = std::filesystem;
namespace W = ui::UpdaterWindow;
using testing_support::G;
using testing_support::TlsTestServer;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A client whose requests wait until the test answers them.
class HandAnsweredClient final : public updater::HttpClient {
 public:
  struct Request {
    std::string url;
    Receiver receiver;
  };
  void Get(const std::string& url, Receiver receiver) override {
    requests.push_back({url, std::move(receiver)});
  }
  std::vector<Request> requests;
};

// The updater program in a temporary run directory, reached through the driver.
class UpdaterHarness {
 public:
  // makeClient runs on the UI thread, where the client has to live.
  UpdaterHarness(std::string baseUrl,
                 const std::function<std::unique_ptr<updater::HttpClient>()>& makeClient,
                 updater::FetchLimits limits = {}) {
    std::string pattern = (fs::temp_directory_path() / "brevant-updater-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    runDir_ = pattern;
    ui::RunOnUiThread([&] {
      program_ = std::make_unique<updater::UpdaterProgram>(
          [dir = runDir_] { return dir; }, std::move(baseUrl), makeClient(),
          ui::LayerOptions{.manualTimers = true, .hostedEventLoop = true}, limits);
    });
    driver_ = ui::CreateDriver(program_->layer());
    driver_->Post([this] { program_->Run(); });
  }
  ~UpdaterHarness() {
    driver_->Post([this] { program_->layer().EndProgram(0); });
    driver_.reset();
    ui::RunOnUiThread([this] { program_.reset(); });
    std::error_code ec;
    fs::remove_all(runDir_, ec);
  }

  ui::Driver& ui() { return *driver_; }
  const fs::path& RunDir() const { return runDir_; }
  void Write(const std::string& name, std::string_view bytes) {
    std::ofstream(runDir_ / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string Read(const std::string& name) const { return ReadFile(runDir_ / name); }
  bool Busy() {
    bool busy = true;
    driver_->Sync([&] { busy = program_->updater().Busy(); });
    return busy;
  }
  // Clicks a button and waits (at most 20 s) until no fetch runs any more.
  bool ClickAndWait(ui::ControlId button) { return driver_->Click(button) && WaitUntilIdle(); }
  bool WaitUntilIdle() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
      if (!Busy()) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

 private:
  fs::path runDir_;
  std::unique_ptr<updater::UpdaterProgram> program_;
  std::unique_ptr<ui::Driver> driver_;
};

class UpdaterTest : public ::testing::Test {
 protected:
  updater::HttpOptions TestTrust() {
    return {.extraCaCertificatesPem = server.CaPem(), .transferTimeoutMs = 10000};
  }
  // A version 2.8 shown and "更新" enabled.
  void CheckFindsVersion28() {
    server.Serve("version.txt", "2.8");
    server.Serve("content.txt", "notes");
    ASSERT_TRUE(u.ClickAndWait(W::按钮1));
    ASSERT_TRUE(u.ui().IsEnabled(W::按钮2));
  }
  // The files of the run directory but the given ones: a part file left behind.
  std::vector<std::string> OtherFiles(std::initializer_list<std::string> known) {
    std::vector<std::string> other;
    for (const auto& entry : fs::directory_iterator(u.RunDir())) {
      const std::string name = entry.path().filename().string();
      if (std::find(known.begin(), known.end(), name) == known.end()) other.push_back(name);
    }
    return other;
  }

  static constexpr int64_t kProgramCap = int64_t{1} << 20;
  TlsTestServer server;
  UpdaterHarness u{server.BaseUrl(),
                   [this] { return updater::CreateHttpClient(TestTrust()); },
                   {.maxProgramBytes = kProgramCap}};
};

std::string DownloadFailed() {
  return G("下载失败，请稍后再试。");
}

TEST_F(UpdaterTest, NewerServerVersionEnablesUpdate) {
  const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR");
  const std::string out = dir ? dir : ::testing::TempDir();
  server.Serve("version.txt", "2.8");
  server.Serve("content.txt", G("修复了点名的问题"));
  EXPECT_TRUE(u.ui().Snapshot(ui::WindowId::UpdaterWindow, out + "/UpdaterWindow-before.png"));
  EXPECT_FALSE(u.ui().IsEnabled(W::按钮2));

  ASSERT_TRUE(u.ClickAndWait(W::按钮1));
  EXPECT_EQ(u.ui().Text(W::编辑框1), "2.8");
  EXPECT_EQ(u.ui().Text(W::编辑框2), G("修复了点名的问题"));
  EXPECT_TRUE(u.ui().IsEnabled(W::按钮2));
  EXPECT_TRUE(u.ui().Snapshot(ui::WindowId::UpdaterWindow, out + "/UpdaterWindow-after.png"));
}

TEST_F(UpdaterTest, SameOrOlderServerVersionKeepsUpdateDisabled) {
  u.Write("version.txt", "2.8");
  server.Serve("content.txt", "notes");
  for (const char* latest : {"2.8", "2.7", "2.8.0"}) {
    server.Serve("version.txt", latest);
    ASSERT_TRUE(u.ClickAndWait(W::按钮1));
    EXPECT_EQ(u.ui().Text(W::编辑框1), latest);
    EXPECT_FALSE(u.ui().IsEnabled(W::按钮2)) << latest;
  }
}

// The version compares by its leading number and shows as sent; the download
// path takes the text without the line end and blanks after it, and the file
// arrives whole with its run bit.
TEST_F(UpdaterTest, DownloadPathLeavesOutTheVersionTextsLineEnd) {
  u.Write("version.txt", "2.5\r\n");
  server.Serve("version.txt", "2.9 \t\r\n");
  server.Serve("content.txt", std::string("notes\0hidden", 12));
  ASSERT_TRUE(u.ClickAndWait(W::按钮1));
  EXPECT_EQ(u.ui().Text(W::编辑框2), "notes");
  ASSERT_TRUE(u.ui().IsEnabled(W::按钮2));
  ASSERT_EQ(u.ui().Text(W::编辑框1), "2.9 \t\r\n");

  const std::string program = testing_support::WindowsProgram(300000);
  server.Serve("2.9.1/kestrin.exe", program);
  ASSERT_TRUE(u.ClickAndWait(W::按钮2));
  EXPECT_EQ(server.Requests().back().target, "/assets/2.9.1/kestrin.exe");
  EXPECT_FALSE(u.ui().OpenMessageBox());
  EXPECT_EQ(u.Read("kestrin.exe"), program);
  EXPECT_EQ(u.ui().Text(W::按钮2), G("更新"));
  struct stat info {};
  ASSERT_EQ(::stat((u.RunDir() / "kestrin.exe").c_str(), &info), 0);
  EXPECT_TRUE(info.st_mode & S_IXUSR);
}

TEST_F(UpdaterTest, FailedVersionFetchLeavesTheBoxEmpty) {
  server.ServeStatus("version.txt", 404);
  server.Serve("content.txt", "notes");
  ASSERT_TRUE(u.ui().Type(W::编辑框1, "9.9"));
  ASSERT_TRUE(u.ClickAndWait(W::按钮1));
  EXPECT_EQ(u.ui().Text(W::编辑框1), "");
  EXPECT_EQ(u.ui().Text(W::编辑框2), "notes");
  EXPECT_FALSE(u.ui().IsEnabled(W::按钮2));
}

// A text that fails to arrive whole, or is larger than a text can sensibly
// be, counts as a failed fetch: the box stays empty and "更新" disabled.
TEST_F(UpdaterTest, FailedTextFetchesLeaveTheBoxesEmpty) {
  const std::string huge(64 * 1024 + 1, '9');
  const TlsTestServer::Answer failures[] = {
      {.head = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"},
      {.head = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(huge.size()) + "\r\n\r\n",
       .body = huge},
      {.head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
       .body = "1000\r\n" + std::string(4096, '9') + "\r\n",
       .repeat = 20},
      {.head = "HTTP/1.1 200 OK\r\n\r\n", .body = "9.9", .ending = TlsTestServer::Ending::Fin},
  };
  for (const TlsTestServer::Answer& failure : failures) {
    server.Serve("version.txt", failure);
    server.Serve("content.txt", failure);
    ASSERT_TRUE(u.ui().Type(W::编辑框1, "9.9"));
    ASSERT_TRUE(u.ui().Type(W::编辑框2, "old notes"));
    ASSERT_TRUE(u.ClickAndWait(W::按钮1));
    EXPECT_EQ(u.ui().Text(W::编辑框1), "") << failure.head;
    EXPECT_EQ(u.ui().Text(W::编辑框2), "") << failure.head;
    EXPECT_FALSE(u.ui().IsEnabled(W::按钮2));
  }
}

// "kestrin.exe" is replaced only by a body whose framing proves it whole and
// which fits under the cap; every other answer keeps the old file byte for
// byte, leaves no part file and says why.
TEST_F(UpdaterTest, OnlyProvablyWholeDownloadsInstall) {
  CheckFindsVersion28();
  const std::string old = "old program\n";
  u.Write("kestrin.exe", old);
  const std::string program = testing_support::ScriptedProgram();
  const std::string length = "Content-Length: " + std::to_string(program.size()) + "\r\n";
  const std::string gzipped =
      std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) + std::string(5000, 'z');
  const std::string big = testing_support::WindowsProgram(256 * 1024, 'b');
  using E = TlsTestServer::Ending;
  const std::string failed = DownloadFailed();
  const std::string refused = G("无法确认服务器的回答是否完整，已保留原有文件。");
  const std::string tooLarge = G("要下载的文件过大，已取消下载。");
  const std::string notAProgram =
      G("下载到的文件不是 Windows 程序（服务器可能发来了错误页面），已保留原有文件。");
  std::string farOffset = program;  // e_lfanew beyond the end of the file
  farOffset.replace(0x3C, 4, std::string("\xF0\xFF\x0F\0", 4));
  std::string noSignature = program;
  noSignature.replace(0x40, 4, "NE\0\0");
  struct Case {
    const char* what;
    TlsTestServer::Answer answer;
    std::string message;
  };
  const Case cases[] = {
      {"404",
       {.head = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n", .body = "not found"},
       failed},
      {"short of its length, close_notify",
       {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n", .body = program, .cutAfter = 123457},
       failed},
      {"short of its length, reset",
       {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n",
        .body = program,
        .cutAfter = 123457,
        .ending = E::Reset},
       failed},
      {"no length, cut by FIN",
       {.head = "HTTP/1.1 200 OK\r\n\r\n", .body = program, .cutAfter = 123457, .ending = E::Fin},
       refused},
      {"no length, cut by reset",
       {.head = "HTTP/1.1 200 OK\r\n\r\n", .body = program, .cutAfter = 123457, .ending = E::Reset},
       refused},
      {"no length, whole with close_notify",
       {.head = "HTTP/1.0 200 OK\r\n\r\n", .body = program},
       refused},
      {"chunked, cut between chunks by FIN",
       {.head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
        .body = "1000\r\n" + testing_support::WindowsProgram(4096, 'c') + "\r\n",
        .repeat = 10,
        .ending = E::Fin},
       failed},
      {"gzip with its length",
       {.head = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 5010\r\n\r\n",
        .body = gzipped},
       refused},
      {"gzip without length, cut",
       {.head = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n",
        .body = gzipped,
        .cutAfter = 2000,
        .ending = E::Fin},
       refused},
      {"announced over the cap",
       {.head = "HTTP/1.1 200 OK\r\nContent-Length: 5242880\r\n\r\n",
        .body = big,
        .repeat = 20,
        .pieceBytes = 1 << 20},
       tooLarge},
      {"an error page, 200 OK",
       {.head = "HTTP/1.1 200 OK\r\nContent-Length: 23\r\n\r\n",
        .body = testing_support::kErrorPage},
       notAProgram},
      {"MZ, its PE offset beyond the file",
       {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n", .body = farOffset},
       notAProgram},
      {"MZ, no PE signature at its offset",
       {.head = "HTTP/1.1 200 OK\r\n" + length + "\r\n", .body = noSignature},
       notAProgram},
      {"chunked over the cap, sent fast",
       {.head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
        .body = "40000\r\n" + big + "\r\n",
        .repeat = 20,
        .pieceBytes = 1 << 20},
       tooLarge},
  };
  for (const Case& c : cases) {
    server.Serve("2.8.1/kestrin.exe", c.answer);
    ASSERT_TRUE(u.ClickAndWait(W::按钮2)) << c.what;
    const auto box = u.ui().OpenMessageBox();
    ASSERT_TRUE(box) << c.what;
    EXPECT_EQ(box->text, c.message) << c.what;
    EXPECT_EQ(box->owner, ui::WindowId::UpdaterWindow);
    ASSERT_TRUE(u.ui().AnswerMessageBox());
    EXPECT_EQ(u.Read("kestrin.exe"), old) << c.what;
    EXPECT_EQ(u.ui().Text(W::按钮2), G("更新"));
    EXPECT_EQ(OtherFiles({"kestrin.exe"}), std::vector<std::string>{}) << c.what;
  }
  // The body is asked for as stored.
  const std::string head = server.Requests().back().head;
  EXPECT_NE(head.find("Accept-Encoding: identity\r\n"), std::string::npos) << head;

  // A chunked body that ends with its last chunk is whole.
  server.Serve("2.8.1/kestrin.exe",
               {.head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                .body = "1000\r\n" + program.substr(0, 4096) + "\r\n0\r\n\r\n"});
  ASSERT_TRUE(u.ClickAndWait(W::按钮2));
  EXPECT_FALSE(u.ui().OpenMessageBox());
  EXPECT_EQ(u.Read("kestrin.exe"), program.substr(0, 4096));
}

// The program goes to a part file as it arrives, while "kestrin.exe" keeps
// its old content until the whole body is there. A start of the main program
// meanwhile leaves the part file alone.
TEST_F(UpdaterTest, DownloadStreamsIntoAPartFile) {
  CheckFindsVersion28();
  u.Write("kestrin.exe", "old");
  const std::string piece = testing_support::WindowsProgram(64 * 1024, 'p');
  server.Serve("2.8.1/kestrin.exe", {.head = "HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n",
                                     .body = piece,
                                     .repeat = 16,
                                     .pauseMs = 40,
                                     .pieceBytes = piece.size()});
  ASSERT_TRUE(u.ui().Click(W::按钮2));
  uintmax_t partBytes = 0;
  std::string caption;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (partBytes == 0 && std::chrono::steady_clock::now() < deadline && u.Busy()) {
    for (const std::string& name : OtherFiles({"kestrin.exe"})) {
      std::error_code ec;
      partBytes = std::max<uintmax_t>(partBytes, fs::file_size(u.RunDir() / name, ec));
    }
    if (partBytes > 0) {
      EXPECT_EQ(u.Read("kestrin.exe"), "old");
      caption = u.ui().Text(W::按钮2);
      EXPECT_EQ(core::RemoveStaleTemporaryFiles(u.RunDir()), 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_GT(partBytes, 0u);
  EXPECT_EQ(caption.rfind(G("更新 "), 0), 0u) << caption;
  ASSERT_TRUE(u.WaitUntilIdle());
  EXPECT_FALSE(u.ui().OpenMessageBox());
  EXPECT_EQ(u.Read("kestrin.exe").size(), 1048576u);
  EXPECT_EQ(OtherFiles({"kestrin.exe"}), std::vector<std::string>{});
}

// Whatever the version box holds becomes one folder name below the base
// address: it can neither climb out of it nor reach another host.
TEST_F(UpdaterTest, VersionTextStaysOneFolderName) {
  CheckFindsVersion28();
  const std::pair<const char*, const char*> cases[] = {
      {"9/../../x", "/assets/9%2F..%2F..%2Fx.1/kestrin.exe"},
      {"..", "/assets/...1/kestrin.exe"},
      {"1?a#b%2F@evil.example:1", "/assets/1%3Fa%23b%252F%40evil.example%3A1.1/kestrin.exe"},
  };
  for (const auto& [version, target] : cases) {
    const std::string program = testing_support::WindowsProgram(100) + version;
    server.Serve(std::string(target).substr(8), program);
    ASSERT_TRUE(u.ui().Type(W::编辑框1, version));
    ASSERT_TRUE(u.ClickAndWait(W::按钮2));
    EXPECT_EQ(server.Requests().back().target, target);
    EXPECT_FALSE(u.ui().OpenMessageBox()) << version;
    EXPECT_EQ(u.Read("kestrin.exe"), program);
  }
}

// The updater's own messages follow the stored interface language; any
// other content of "language.vlok" gives Chinese.
TEST_F(UpdaterTest, MessagesSpeakTheStoredLanguage) {
  CheckFindsVersion28();
  server.ServeStatus("2.8.1/kestrin.exe", 404);
  const std::pair<const char*, const char*> cases[] = {
      {"English", "The download failed. Please try again later."},
      {"日本语", "ダウンロードに失敗しました。後でもう一度お試しください。"},
      {"Русский", "Не удалось загрузить файл. Попробуйте позже."},
      {"中文", "下载失败，请稍后再试。"},
      {"English\r\n", "下载失败，请稍后再试。"},
  };
  for (const auto& [language, message] : cases) {
    u.Write("language.vlok", G(language));
    ASSERT_TRUE(u.ClickAndWait(W::按钮2));
    const auto box = u.ui().OpenMessageBox();
    ASSERT_TRUE(box) << language;
    EXPECT_EQ(box->text, G(message)) << language;
    EXPECT_EQ(box->text.find('?'), std::string::npos) << language;
    ASSERT_TRUE(u.ui().AnswerMessageBox());
  }
}

// The rules that need no network: one fetch at a time, the progress caption,
// the path built from the edited box, and "更新" staying enabled.
TEST(UpdaterRules, OneFetchAtATimeWithProgress) {
  HandAnsweredClient* client = nullptr;
  UpdaterHarness u("https://example.invalid/assets/", [&client] {
    auto made = std::make_unique<HandAnsweredClient>();
    client = made.get();
    return made;
  });
  HandAnsweredClient& http = *client;
  // Sends the head with the body's length, then body; ends the transfer with
  // ok unless ok is empty. A copy of the receiver: answering may add a request
  // and move the stored ones. Post, since an answer may open a message box.
  auto send = [&](std::size_t i, std::string body, std::optional<bool> ok, bool head = true) {
    u.ui().Post([&] {
      auto receiver = http.requests.at(i).receiver;
      if (head) receiver.head({200, std::to_string(body.size()), "", ""});
      receiver.data(body);
      if (ok) receiver.end(*ok, "");
    });
  };
  auto answer = [&](std::size_t i, bool ok, std::string body) { send(i, body, ok); };

  ASSERT_TRUE(u.ui().Click(W::按钮1));
  ASSERT_TRUE(u.ui().Click(W::按钮1));
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(http.requests[0].url, "https://example.invalid/assets/version.txt");
  answer(0, true, "2.8");
  ASSERT_EQ(http.requests.size(), 2u);
  EXPECT_EQ(http.requests[1].url, "https://example.invalid/assets/content.txt");
  answer(1, false, "");
  EXPECT_TRUE(u.ui().IsEnabled(W::按钮2));

  ASSERT_TRUE(u.ui().Type(W::编辑框1, G("3.0 测试")));
  ASSERT_TRUE(u.ui().Click(W::按钮2));
  ASSERT_EQ(http.requests.size(), 3u);
  EXPECT_EQ(http.requests[2].url,
            "https://example.invalid/assets/3.0%20%B2%E2%CA%D4.1/kestrin.exe");
  // Under way before the first byte, then the share that has arrived.
  EXPECT_EQ(u.ui().Text(W::按钮2), G("更新 0%"));
  const std::string program = testing_support::WindowsProgram(100);
  u.ui().Sync([&] {
    http.requests[2].receiver.head({200, "100", "", ""});
    http.requests[2].receiver.data(program.substr(0, 45));
  });
  EXPECT_EQ(u.ui().Text(W::按钮2), G("更新 45%"));
  const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR");
  EXPECT_TRUE(u.ui().Snapshot(W::kWindow,
                              (dir ? dir : ::testing::TempDir()) + "/UpdaterWindow-progress.png"));
  ASSERT_TRUE(u.ui().Click(W::按钮2));
  ASSERT_TRUE(u.ui().Click(W::按钮1));
  EXPECT_EQ(http.requests.size(), 3u);
  send(2, program.substr(45), true, false);
  EXPECT_EQ(u.ui().Text(W::按钮2), G("更新"));
  EXPECT_EQ(u.Read("kestrin.exe"), program);

  // An empty answer counts as a failed download.
  ASSERT_TRUE(u.ui().Click(W::按钮2));
  answer(3, true, "");
  ASSERT_TRUE(u.ui().OpenMessageBox());
  ASSERT_TRUE(u.ui().AnswerMessageBox());
  EXPECT_EQ(u.Read("kestrin.exe"), program);

  // A later check that finds nothing newer leaves "更新" enabled.
  ASSERT_TRUE(u.ui().Click(W::按钮1));
  answer(4, true, "1.0");
  answer(5, true, "");
  EXPECT_TRUE(u.ui().IsEnabled(W::按钮2));
}

struct Fetched {
  bool ok = false;
  std::string body;
  std::string error;
};

// One GET of a text through the HTTPS client, waited for at most 20 s.
Fetched Fetch(const updater::HttpOptions& options, const std::string& url) {
  std::promise<Fetched> result;
  std::unique_ptr<updater::HttpClient> client;
  ui::RunOnUiThread([&] {
    client = updater::CreateHttpClient(options);
    updater::FetchText(*client, url, 1 << 16, [&](updater::FetchError error, std::string body) {
      result.set_value({error == updater::FetchError::None, std::move(body),
                        "error " + std::to_string(static_cast<int>(error))});
    });
  });
  auto future = result.get_future();
  Fetched response{false, "", "no answer in time"};
  if (future.wait_for(std::chrono::seconds(20)) == std::future_status::ready)
    response = future.get();
  ui::RunOnUiThread([&] { client.reset(); });
  return response;
}

TEST(UpdaterHttps, TrustsOnlyItsAuthoritiesAndHttps) {
  TlsTestServer server;
  server.Serve("file", "body");
  const updater::HttpOptions trusted{.extraCaCertificatesPem = server.CaPem(),
                                     .transferTimeoutMs = 10000};
  EXPECT_EQ(Fetch(trusted, server.BaseUrl() + "file").body, "body");

  EXPECT_FALSE(Fetch({.transferTimeoutMs = 10000}, server.BaseUrl() + "file").ok);
  EXPECT_FALSE(Fetch({.extraCaCertificatesPem = server.OtherCaPem(), .transferTimeoutMs = 10000},
                     server.BaseUrl() + "file")
                   .ok);
  const std::string port = std::to_string(server.Port());
  for (const std::string& url :
       {"http://127.0.0.1:" + port + "/assets/file", std::string("file:///etc/hostname"),
        std::string("ftp://127.0.0.1/file"), std::string("not a url")}) {
    EXPECT_FALSE(Fetch(trusted, url).ok) << url;
  }
}

TEST(UpdaterHttps, FollowsFewRedirectsAndOnlyToHttps) {
  TlsTestServer server;
  const updater::HttpOptions trusted{.extraCaCertificatesPem = server.CaPem(),
                                     .transferTimeoutMs = 10000};
  server.Serve("target", "arrived");
  server.ServeRedirect("hop", server.BaseUrl() + "target");
  server.ServeRedirect("loop", server.BaseUrl() + "loop");
  server.ServeRedirect("downgrade",
                       "http://127.0.0.1:" + std::to_string(server.Port()) + "/assets/target");
  server.ServeStatus("broken", 500);

  const Fetched hop = Fetch(trusted, server.BaseUrl() + "hop");
  EXPECT_TRUE(hop.ok) << hop.error;
  EXPECT_EQ(hop.body, "arrived");
  EXPECT_FALSE(Fetch(trusted, server.BaseUrl() + "loop").ok);
  EXPECT_FALSE(Fetch(trusted, server.BaseUrl() + "downgrade").ok);
  EXPECT_FALSE(Fetch(trusted, server.BaseUrl() + "broken").ok);
}

}  // namespace
