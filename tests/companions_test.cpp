// The main program and its companions: the downloader written at every start,
// the desktop launcher, and the two hand-overs that end the program.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/TestProgram.h"
#include "support/ThisProgram.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TestProgram;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The updater as the build embeds it, beside this test program in the build tree.
fs::path BuiltUpdater() {
  return testing_support::ThisProgramFile().parent_path().parent_path() /
         "src/updater/downloader.bin";
}

bool Runnable(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR);
}

// A program that leaves the file "<name>-ran" beside itself when it runs.
std::string RecordingProgram(const std::string& name) {
  return "#!/bin/sh\necho ran > \"$(dirname \"$0\")/" + name + "-ran\"\n";
}

void WriteProgram(TestProgram& p, const std::string& name, const std::string& text) {
  p.Write(name, text);
  fs::permissions(p.RunDir() / name, fs::perms::owner_all);
}

// Waits at most 10 s for a file that a started program writes.
bool AppearsSoon(const TestProgram& p, const std::string& name) {
  for (int i = 0; i < 1000 && !p.Has(name); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return p.Has(name);
}

TEST(CompanionsTest, StartWritesTheDownloaderAndTheLauncher) {
  TestProgram p;
  WriteProgram(p, "downloader.exe", "an old downloader");
  p.StartPastSplash();

  const std::string built = ReadFile(BuiltUpdater());
  ASSERT_GT(built.size(), 100000u);
  EXPECT_TRUE(p.Read("downloader.exe") == built);
  EXPECT_TRUE(Runnable(p.RunDir() / "downloader.exe"));

  const std::string launcher = ReadFile(p.Home() / "Desktop" / "BREVANT.desktop");
  EXPECT_NE(launcher.find((p.RunDir() / "kestrin.exe").string()), std::string::npos) << launcher;
}

TEST(CompanionsTest, NewDownloaderIsRunnable) {
  TestProgram p;
  p.StartPastSplash();
  EXPECT_EQ(p.Read("downloader.exe").size(), fs::file_size(BuiltUpdater()));
  EXPECT_TRUE(Runnable(p.RunDir() / "downloader.exe"));
}

class CheckUpdateTest : public ::testing::Test {
 protected:
  // Opens the admin settings window, whose "检查更新" is 按钮4.
  void OpenAdminSettings() {
    p.Write("admin_pwd.vlok", "");
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::设置));
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::admin));
    ASSERT_TRUE(p.ui().Click(ui::AdminLoginWindow::按钮1));
    ASSERT_TRUE(p.ui().AnswerMessageBox());
    ASSERT_EQ(p.ui().ModalWindow(), ui::WindowId::AdminSettingsWindow);
  }
  TestProgram p;
};

TEST_F(CheckUpdateTest, StartsTheDownloaderAndEnds) {
  OpenAdminSettings();
  WriteProgram(p, "downloader.exe", RecordingProgram("downloader"));
  p.ui().Click(ui::AdminSettingsWindow::按钮4);
  EXPECT_EQ(p.ui().ExitCode(), 0);
  EXPECT_TRUE(AppearsSoon(p, "downloader-ran"));
}

TEST_F(CheckUpdateTest, EndsEvenWithoutTheDownloader) {
  OpenAdminSettings();
  p.Remove("downloader.exe");
  p.ui().Click(ui::AdminSettingsWindow::按钮4);
  EXPECT_EQ(p.ui().ExitCode(), 0);
}

class HandOverTest : public ::testing::Test {
 protected:
  // Double-clicks the second list in the name-list picker.
  void PickSecondList() {
    p.Write("RS.vlok", "30");
    p.Write("CH.vlok", "");
    p.Write("namelist_record.vlok", "a.txt\r\nb.txt\r\n");
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::随机选人));
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::超级按钮18));
    ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::NameListPickerWindow));
    ASSERT_TRUE(
        p.ui().SelectItem(ui::NameListPickerWindow::列表框1, 1));  // the double click's first click
    p.ui().DoubleClickItem(ui::NameListPickerWindow::列表框1, 1);
  }
  TestProgram p;
};

TEST_F(HandOverTest, WithoutCompanionStoresTheChoiceAndEnds) {
  PickSecondList();
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "2");
  EXPECT_EQ(p.ui().ExitCode(), 0);
}

TEST_F(HandOverTest, StartsTheCompanionAndEnds) {
  WriteProgram(p, "kestrin.exe", RecordingProgram("kestrin"));
  PickSecondList();
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "2");
  EXPECT_EQ(p.ui().ExitCode(), 0);
  EXPECT_TRUE(AppearsSoon(p, "kestrin-ran"));
}

}  // namespace
