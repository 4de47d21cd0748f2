// The updater program: UpdaterWindow against a real HTTPS server on loopback,
// the handlers' rules against a client the test answers by hand, and the
// HTTPS client's refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <thread>
#include <vector>

#include "support/TestProgram.h"
#include "ui/Backend.h"
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
    Progress progress;
    Done done;
  };
  void Get(const std::string& url, Progress progress, Done done) override {
    requests.push_back({url, std::move(progress), std::move(done)});
  }
  std::vector<Request> requests;
};

// The updater program in a temporary run directory, reached through the driver.
class UpdaterHarness {
 public:
  // makeClient runs on the UI thread, where the client has to live.
  UpdaterHarness(std::string baseUrl,
                 const std::function<std::unique_ptr<updater::HttpClient>()>& makeClient) {
    std::string pattern = (fs::temp_directory_path() / "brevant-updater-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    runDir_ = pattern;
    ui::RunOnUiThread([&] {
      program_ = std::make_unique<updater::UpdaterProgram>(
          [dir = runDir_] { return dir; }, std::move(baseUrl), makeClient(),
          ui::LayerOptions{.manualTimers = true, .hostedEventLoop = true});
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
  // Clicks a button and waits (at most 20 s) until no fetch runs any more.
  bool ClickAndWait(ui::ControlId button) {
    if (!driver_->Click(button)) return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
      bool busy = true;
      driver_->Sync([&] { busy = program_->updater().Busy(); });
      if (!busy) return true;
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

  TlsTestServer server;
  UpdaterHarness u{server.BaseUrl(), [this] { return updater::CreateHttpClient(TestTrust()); }};
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

// The version compares by its leading number; the download path takes the
// whole text, line end included, and the file arrives whole with its run bit.
TEST_F(UpdaterTest, DownloadUsesTheWholeVersionText) {
  u.Write("version.txt", "2.5\r\n");
  server.Serve("version.txt", "2.8\n");
  server.Serve("content.txt", std::string("notes\0hidden", 12));
  ASSERT_TRUE(u.ClickAndWait(W::按钮1));
  EXPECT_EQ(u.ui().Text(W::编辑框2), "notes");
  ASSERT_TRUE(u.ui().IsEnabled(W::按钮2));
  ASSERT_EQ(u.ui().Text(W::编辑框1), "2.8\n");

  std::string program = "#!/bin/sh\n";
  program += std::string(300000, 'x');
  server.Serve("2.8%0A.1/kestrin.exe", program);
  ASSERT_TRUE(u.ClickAndWait(W::按钮2));
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

TEST_F(UpdaterTest, FailedDownloadsKeepTheOldFile) {
  server.Serve("version.txt", "2.8");
  server.Serve("content.txt", "notes");
  ASSERT_TRUE(u.ClickAndWait(W::按钮1));
  const std::string old = "old program\n";
  u.Write("kestrin.exe", old);

  const std::string failures[] = {
      "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
      "HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\ncut off after a few bytes",
  };
  for (const std::string& response : failures) {
    server.ServeRaw("2.8.1/kestrin.exe", response);
    ASSERT_TRUE(u.ClickAndWait(W::按钮2));
    const auto box = u.ui().OpenMessageBox();
    ASSERT_TRUE(box) << response;
    EXPECT_EQ(box->text, DownloadFailed());
    EXPECT_EQ(box->owner, ui::WindowId::UpdaterWindow);
    ASSERT_TRUE(u.ui().AnswerMessageBox());
    EXPECT_EQ(u.Read("kestrin.exe"), old) << response;
    EXPECT_EQ(u.ui().Text(W::按钮2), G("更新"));
  }
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(u.RunDir()), fs::directory_iterator()), 1);
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
  auto answer = [&](std::size_t i, bool ok, std::string body) {
    // A copy: answering may add a request and move the stored ones. Post,
    // since an answer may open a message box.
    u.ui().Post([&] {
      auto done = http.requests.at(i).done;
      done({ok, std::move(body), ""});
    });
  };

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
  u.ui().Sync([&] {
    auto progress = http.requests[2].progress;
    progress(42, 100);
  });
  EXPECT_EQ(u.ui().Text(W::按钮2), G("更新 42%"));
  const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR");
  EXPECT_TRUE(u.ui().Snapshot(W::kWindow,
                              (dir ? dir : ::testing::TempDir()) + "/UpdaterWindow-progress.png"));
  ASSERT_TRUE(u.ui().Click(W::按钮2));
  ASSERT_TRUE(u.ui().Click(W::按钮1));
  EXPECT_EQ(http.requests.size(), 3u);
  answer(2, true, "new program");
  EXPECT_EQ(u.ui().Text(W::按钮2), G("更新"));
  EXPECT_EQ(u.Read("kestrin.exe"), "new program");

  // An empty answer counts as a failed download.
  ASSERT_TRUE(u.ui().Click(W::按钮2));
  answer(3, true, "");
  ASSERT_TRUE(u.ui().OpenMessageBox());
  ASSERT_TRUE(u.ui().AnswerMessageBox());
  EXPECT_EQ(u.Read("kestrin.exe"), "new program");

  // A later check that finds nothing newer leaves "更新" enabled.
  ASSERT_TRUE(u.ui().Click(W::按钮1));
  answer(4, true, "1.0");
  answer(5, true, "");
  EXPECT_TRUE(u.ui().IsEnabled(W::按钮2));
}

// One GET through the HTTPS client, waited for at most 20 s.
updater::HttpResponse Fetch(const updater::HttpOptions& options, const std::string& url) {
  std::promise<updater::HttpResponse> result;
  std::unique_ptr<updater::HttpClient> client;
  ui::RunOnUiThread([&] {
    client = updater::CreateHttpClient(options);
    client->Get(url, nullptr, [&](updater::HttpResponse r) { result.set_value(std::move(r)); });
  });
  auto future = result.get_future();
  updater::HttpResponse response{false, "", "no answer in time"};
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

  const updater::HttpResponse hop = Fetch(trusted, server.BaseUrl() + "hop");
  EXPECT_TRUE(hop.ok) << hop.error;
  EXPECT_EQ(hop.body, "arrived");
  EXPECT_FALSE(Fetch(trusted, server.BaseUrl() + "loop").ok);
  EXPECT_FALSE(Fetch(trusted, server.BaseUrl() + "downgrade").ok);
  EXPECT_FALSE(Fetch(trusted, server.BaseUrl() + "broken").ok);
}

}  // namespace
