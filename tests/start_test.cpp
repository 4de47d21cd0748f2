// The start work of the main window, the splash, the title clock, the page
// navigation and the draw set-up fields.
#include <gtest/gtest.h>
#include <sys/stat.h>

#ifndef _WIN32
#include <sys/resource.h>  // file size limits: POSIX only
#endif

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/ResourceFile.h"
#include "platform/Platform.h"
#include "support/TestProgram.h"
#include "ui/FontFaces.h"
#include "ui/Resources.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace fs = std::filesystem;
namespace mw = ui::MainWindow;
namespace splash = ui::SplashWindow;

constexpr int kDrawPage = 1, kSettingsPage = 3;

// The message of the draw page when the set-up is missing.
std::string NotSetUp() {
  return G("您还没有设置人数或称呼，快去设置吧！");
}

fs::path FontFolder() {
  return platform::CreateSystemPlatform()->FontFolder();
}

TEST(StartTest, EmptyRunDirectory) {
  TestProgram p;
  p.StartPastSplash();

  EXPECT_EQ(p.ui().Text(mw::编辑框5), "");
  EXPECT_EQ(p.ui().Text(mw::编辑框6), "");
  EXPECT_EQ(p.Read("language.vlok"), G("中文"));
  EXPECT_EQ(p.ui().Text(mw::计分板), G("计分板"));
  EXPECT_EQ(p.ui().Text(mw::透明标签4), G("第一组"));
  for (ui::ControlId box : {mw::编辑框1, mw::编辑框2, mw::编辑框3, mw::编辑框4}) {
    EXPECT_EQ(p.ui().Text(box), "0");
  }
  EXPECT_EQ(p.Read("wk.ttf").size(), ui::RegularFontFace().size());
  EXPECT_EQ(p.Read("wkL.ttf").size(), ui::LightFontFace().size());
  EXPECT_EQ(p.Read("wkB.ttf").size(), ui::BoldFontFace().size());
  const app::AppState state = p.State();
  EXPECT_EQ(state.formOfAddress, "");
  EXPECT_EQ(state.adminPassword, "");

  // Without a headcount and a form of address the draw page sends the teacher
  // to the settings page.
  ASSERT_TRUE(p.ui().Click(mw::随机选人));
  const auto box = p.ui().OpenMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, NotSetUp());
  EXPECT_EQ(box->title, "ERROR");
  EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
  ASSERT_TRUE(p.ui().AnswerMessageBox());
  EXPECT_EQ(p.ui().Text(mw::标签5), NotSetUp());
  EXPECT_EQ(p.ui().Page(mw::选择), kSettingsPage);
}

TEST(StartTest, ProductLineCarriesTheVersion) {
  TestProgram p;
  p.StartPastSplash();
  EXPECT_EQ(p.ui().Text(mw::透明标签13), "VLOK Software-Brevant V" BREVANT_VERSION);
  EXPECT_NE(std::string(BREVANT_VERSION), "");
}

TEST(StartTest, ReadsTheSetUpAndThePassword) {
  TestProgram p;
  p.Write("RS.vlok", "45");
  p.Write("CH.vlok", G("同学"));
  p.Write("admin_pwd.vlok", G("密码"));
  p.StartPastSplash();
  EXPECT_EQ(p.ui().Text(mw::编辑框5), "45");
  EXPECT_EQ(p.ui().Text(mw::编辑框6), G("同学"));
  const app::AppState state = p.State();
  EXPECT_EQ(state.formOfAddress, G("同学"));
  EXPECT_EQ(state.adminPassword, G("密码"));
}

TEST(StartTest, HeadcountWithoutFormOfAddressStillAsksForTheSetUp) {
  TestProgram p;
  p.Write("RS.vlok", "30");
  p.StartPastSplash();
  EXPECT_EQ(p.State().formOfAddress, "");
  ASSERT_TRUE(p.ui().Click(mw::随机选人));
  ASSERT_TRUE(p.ui().OpenMessageBox());
  EXPECT_EQ(p.ui().OpenMessageBox()->text, NotSetUp());
  p.ui().AnswerMessageBox();
  EXPECT_EQ(p.ui().Page(mw::选择), kSettingsPage);
}

// The steps after the splash wait for it to close; those before it have run.
TEST(StartTest, SplashHoldsTheRestOfTheStart) {
  TestProgram p;
  p.Write("RS.vlok", "12");
  p.Write("1.vlok", "7");
  p.Start();
  ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  EXPECT_EQ(p.ui().ModalWindow(), ui::WindowId::SplashWindow);
  EXPECT_EQ(p.ui().Text(mw::编辑框5), "12");
  EXPECT_FALSE(p.Has("language.vlok"));
  EXPECT_FALSE(p.Has("wk.ttf"));
  EXPECT_TRUE(p.Has("1.vlok"));

  ASSERT_TRUE(p.ui().FireTimer(splash::时钟1));
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  EXPECT_TRUE(p.Has("language.vlok"));
  EXPECT_TRUE(p.Has("wkB.ttf"));
  EXPECT_FALSE(p.Has("1.vlok"));
  EXPECT_EQ(p.ui().Text(mw::编辑框1), "7");
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StartTest, FontsAreCopiedToTheFontFolderOnceAndTornCopiesReplaced) {
  TestProgram p;
  fs::create_directories(FontFolder());
  // A complete copy already installed is left alone, whatever its bytes; a
  // copy cut short or empty, as an interrupted install leaves it, is
  // replaced; a missing one is installed; nothing else stays.
  const std::string installed(ui::LightFontFace().size(), 'L');
  WriteFile(FontFolder() / "wkL.ttf", installed);
  WriteFile(FontFolder() / "wk.ttf", ui::RegularFontFace().substr(0, 5000));
  WriteFile(FontFolder() / "wkB.ttf", "");
  // What a copy killed part way left behind.
  WriteFile(FontFolder() / ".wk.ttf.Ab12Cd", "part");
  fs::last_write_time(FontFolder() / ".wk.ttf.Ab12Cd", fs::file_time_type::clock::now() - std::chrono::minutes(5));
  p.StartPastSplash();
  p.WaitForStartWrites();
  EXPECT_TRUE(ReadFile(FontFolder() / "wk.ttf") == ui::RegularFontFace());
  EXPECT_TRUE(ReadFile(FontFolder() / "wkB.ttf") == ui::BoldFontFace());
  EXPECT_TRUE(ReadFile(FontFolder() / "wkL.ttf") == installed);
  EXPECT_EQ(std::distance(fs::directory_iterator(FontFolder()), fs::directory_iterator()), 3);
}

#ifndef _WIN32
// A disk that fills up part way through the install (here: a file size
// limit) leaves no partial face under a face's name and no temporary file.
TEST(StartTest, FontCopyThatFailsPartWayLeavesNothingBehind) {
  TestProgram p;
  p.Write("wk.ttf", ui::RegularFontFace());
  p.Write("wkL.ttf", ui::LightFontFace());
  p.Write("wkB.ttf", ui::BoldFontFace());
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{2'000'000, limit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  p.StartPastSplash();
  p.WaitForStartWrites();
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(FontFolder()), fs::directory_iterator()), 0);
  EXPECT_EQ(fs::file_size(p.RunDir() / "wk.ttf"), ui::RegularFontFace().size()) << "the old file stays";
}
#endif

TEST(StartTest, RemovesOnlyItsOwnStaleTemporaryFiles) {
  TestProgram p;
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
  const char* ours[] = {".wk.ttf.a1B2c3", ".1.vlok.XXXXXX", ".downloader.exe.Zz9Zz9"};
  const char* others[] = {".notes.txt.a1B2c3", "wk.ttf.a1B2c3", ".wk.ttf.a1B2c", ".wk.ttf.a1B2c3d",
                          ".wk.ttf.a1-2c3", ".wk.ttf", "wk.ttf"};
  for (const char* name : ours) p.Write(name, "part");
  for (const char* name : others) p.Write(name, "kept");
  for (const auto& entry : fs::directory_iterator(p.RunDir())) fs::last_write_time(entry.path(), old);
  p.Write(".wkB.ttf.q7R8s9", "being written by another copy just now");
  fs::create_directory(p.RunDir() / ".wkL.ttf.Dir000");
#ifdef _WIN32
  // The Windows standard library cannot date a directory; a young one proves less but is kept too.
  std::error_code undated;
  fs::last_write_time(p.RunDir() / ".wkL.ttf.Dir000", old, undated);
#else
  fs::last_write_time(p.RunDir() / ".wkL.ttf.Dir000", old);
#endif

  p.StartPastSplash();
  for (const char* name : ours) EXPECT_FALSE(p.Has(name)) << name;
  for (const char* name : others) EXPECT_TRUE(fs::exists(p.RunDir() / name)) << name;
  EXPECT_TRUE(p.Has(".wkB.ttf.q7R8s9")) << "younger than a minute";
  EXPECT_TRUE(fs::is_directory(p.RunDir() / ".wkL.ttf.Dir000"));
}

// Settings files that fill one box are read up to a few KiB: a huge file costs
// no more than a small one, and the file itself is left as it is.
TEST(StartTest, SettingsFilesAreReadOnlyUpToTheirCap) {
  TestProgram p;
  const std::string headcount = "7" + std::string(3'000'000, '0');
  // "x" and then double-byte characters: the cap falls inside one of them.
  std::string address = "x";
  for (int i = 0; i < 3000; ++i) address += G("同");
  p.Write("RS.vlok", headcount);
  p.Write("CH.vlok", address);
  p.Write("1.vlok", std::string(2'000'000, '1'));
  p.StartPastSplash();

  EXPECT_EQ(p.ui().Text(mw::编辑框5), headcount.substr(0, 4096));
  EXPECT_EQ(p.ui().Text(mw::编辑框6), address.substr(0, 4095)) << "no half character at the end";
  EXPECT_EQ(p.State().formOfAddress, address.substr(0, 4095));
  EXPECT_EQ(p.ui().Text(mw::编辑框1), std::string(4096, '1'));
  EXPECT_EQ(p.Read("RS.vlok"), headcount) << "the file is not changed";

  // 4096 digits are beyond any double: the score counts as no number.
  ASSERT_TRUE(p.ui().Click(mw::超级按钮4));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮8));  // +1
  EXPECT_EQ(p.ui().Text(mw::编辑框1), "1");
}

ino_t Inode(const fs::path& path) {
  struct stat info {};
  return ::stat(path.string().c_str(), &info) == 0 ? info.st_ino : 0;
}

// Every start leaves the faces it carries in the font files, whatever was
// there: an identical file is kept as it is, any other is replaced.
TEST(StartTest, FontFilesHoldTheCarriedFacesWhateverWasThere) {
  TestProgram p;
  p.Write("wk.ttf", "older");
  std::string light(ui::LightFontFace());
  light.back() ^= 1;  // same size, one bit off
  p.Write("wkL.ttf", light);
  p.Write("wkB.ttf", ui::BoldFontFace());
  const ino_t bold = Inode(p.RunDir() / "wkB.ttf");
  p.StartPastSplash();
  EXPECT_TRUE(p.Read("wk.ttf") == ui::RegularFontFace());
  EXPECT_TRUE(p.Read("wkL.ttf") == ui::LightFontFace());
  EXPECT_TRUE(p.Read("wkB.ttf") == ui::BoldFontFace());
  EXPECT_EQ(Inode(p.RunDir() / "wkB.ttf"), bold);
  // A copy is known by the digests the build computed from the faces.
  const ui::FontFaces faces = ui::EmbeddedFontFaces();
  for (const ui::FontFace* face : {&faces.regular, &faces.light, &faces.bold}) {
    EXPECT_EQ(core::DigestOf(face->bytes), face->digest);
  }
}

// The files are written while the main window is already in use; a program
// ended right after its start still leaves them whole, with no leftovers.
TEST(StartTest, EndingRightAfterTheStartLeavesItsFilesWhole) {
  TestProgram p;
  p.Write("2e.vlok", "enable");
  p.Start();
  p.End();
  EXPECT_TRUE(p.Read("wk.ttf") == ui::RegularFontFace());
  EXPECT_TRUE(p.Read("wkL.ttf") == ui::LightFontFace());
  EXPECT_TRUE(p.Read("wkB.ttf") == ui::BoldFontFace());
  EXPECT_GT(p.Read("downloader.exe").size(), 100000u);
  for (const auto& entry : fs::directory_iterator(p.RunDir())) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }
}

TEST(StartTest, FailedFontWriteIsSilentAndTheStartGoesOn) {
  TestProgram p;
  fs::create_directory(p.RunDir() / "wk.ttf");
  p.Write("4.vlok", "9");
  p.StartPastSplash();
  EXPECT_FALSE(p.ui().OpenMessageBox());
  EXPECT_TRUE(fs::is_directory(p.RunDir() / "wk.ttf"));
  EXPECT_EQ(p.ui().Text(mw::编辑框4), "9");
}

TEST(SplashTest, StaysUntilItsTimerTicks) {
  TestProgram p;
  p.Start();
  ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  EXPECT_TRUE(p.ui().IsShown(splash::透明标签1));
  EXPECT_EQ(p.ui().Interval(splash::时钟1), 2000);
  // A click on the picture does nothing.
  p.ui().PressMouse(splash::图片框1);
  EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  ASSERT_TRUE(p.ui().FireTimer(splash::时钟1));
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::MainWindow));
}

TEST(SplashTest, SecondOptionClosesItAtOnce) {
  TestProgram p;
  p.Write("2e.vlok", "enable");
  p.Start();
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  EXPECT_TRUE(p.Has("language.vlok"));
  EXPECT_TRUE(p.Has("wkB.ttf"));
}

TEST(SplashTest, FirstOptionHidesTheCredit) {
  TestProgram p;
  p.Write("1e.vlok", "enable");
  p.Start();
  ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  EXPECT_FALSE(p.ui().IsShown(splash::透明标签1));
}

TEST(SplashTest, PictureFileMissingOrUndecodable) {
  for (const char* picture : {"missing.png", "broken.png"}) {
    TestProgram p;
    p.Write("broken.png", "not a picture");
    p.Write("flash_screen.vlok", (p.RunDir() / picture).string());
    p.Start();
    EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::SplashWindow)) << picture;
    ASSERT_TRUE(p.ui().FireTimer(splash::时钟1));
    EXPECT_TRUE(p.Has("wk.ttf"));
  }
}

TEST(ClockTest, ShowsTheTimeDownToItsLastUnitThatIsNotZero) {
  TestProgram p;
  p.StartPastSplash();
  EXPECT_EQ(p.ui().Text(mw::time), G("正在获取时间，请稍后……"));
  struct Case {
    core::LocalTime now;
    const char* text;
  };
  const Case cases[] = {
      {{2024, 3, 6, 14, 54, 50}, "2024年3月6日14时54分50秒"},
      {{2024, 3, 6, 14, 54, 0}, "2024年3月6日14时54分"},
      {{2024, 3, 6, 14, 0, 0}, "2024年3月6日14时"},
      {{2024, 3, 6, 0, 0, 0}, "2024年3月6日"},
      {{2024, 3, 6, 0, 0, 5}, "2024年3月6日0时0分5秒"},
      {{2024, 12, 31, 23, 59, 59}, "2024年12月31日23时59分59秒"},
  };
  for (const Case& c : cases) {
    p.Clock().SetNow(c.now);
    ASSERT_TRUE(p.ui().FireTimer(mw::时钟1));
    EXPECT_EQ(p.ui().Text(mw::time), G(c.text));
  }
}

TEST(NavTest, SideBarButtonsSwitchPages) {
  TestProgram p;
  p.Write("RS.vlok", "30");
  p.Write("CH.vlok", G("同学"));
  p.StartPastSplash();
  const std::pair<ui::ControlId, int> buttons[] = {
      {mw::关于, 2}, {mw::设置, 3}, {mw::随机选人, 1}, {mw::计分板, 0}};
  for (auto [button, page] : buttons) {
    ASSERT_TRUE(p.ui().Click(button));
    EXPECT_FALSE(p.ui().OpenMessageBox());
    EXPECT_EQ(p.ui().Page(mw::选择), page);
  }
}

TEST(NavTest, SettingsPageDiscardsUnsavedEdits) {
  TestProgram p;
  p.Write("RS.vlok", "30");
  p.Write("CH.vlok", G("同学"));
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::设置));
  ASSERT_TRUE(p.ui().Type(mw::编辑框6, G("老师")));
  ASSERT_TRUE(p.ui().Type(mw::编辑框5, "99"));
  ASSERT_TRUE(p.ui().Click(mw::计分板));
  ASSERT_TRUE(p.ui().Click(mw::设置));
  EXPECT_EQ(p.ui().Text(mw::编辑框5), "30");
  EXPECT_EQ(p.ui().Text(mw::编辑框6), G("同学"));
}

TEST(NavTest, SavedEmptySetUpCountsAsSet) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::设置));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮16));
  EXPECT_FALSE(p.ui().OpenMessageBox());
  EXPECT_TRUE(p.Has("RS.vlok"));
  EXPECT_TRUE(p.Has("CH.vlok"));
  EXPECT_EQ(p.Read("RS.vlok"), "");
  ASSERT_TRUE(p.ui().Click(mw::随机选人));
  EXPECT_FALSE(p.ui().OpenMessageBox());
  EXPECT_EQ(p.ui().Page(mw::选择), kDrawPage);
}

TEST(NavTest, SaveWritesTheBoxesButKeepsTheStartFormOfAddress) {
  TestProgram p;
  p.Write("CH.vlok", G("同学"));
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::设置));
  ASSERT_TRUE(p.ui().Type(mw::编辑框5, G("４０")));
  ASSERT_TRUE(p.ui().Type(mw::编辑框6, G("小朋友")));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮16));
  EXPECT_EQ(p.Read("RS.vlok"), G("４０"));
  EXPECT_EQ(p.Read("CH.vlok"), G("小朋友"));
  EXPECT_EQ(p.State().formOfAddress, G("同学"));
}

TEST(NavTest, SaveThatCannotWriteTellsWhichFile) {
  TestProgram p;
  p.StartPastSplash();
  fs::create_directory(p.RunDir() / "RS.vlok");
  ASSERT_TRUE(p.ui().Click(mw::设置));
  ASSERT_TRUE(p.ui().Type(mw::编辑框6, G("同学")));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮16));
  const auto box = p.ui().OpenMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_NE(box->text.find("RS.vlok"), std::string::npos);
  EXPECT_EQ(box->text.find("CH.vlok"), std::string::npos);
  p.ui().AnswerMessageBox();
  // The other file is saved all the same.
  EXPECT_EQ(p.Read("CH.vlok"), G("同学"));
}

TEST(NavTest, CloseButtonEndsTheProgram) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::超级按钮1));
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::MainWindow));
  EXPECT_EQ(p.ui().ExitCode(), 0);
}

}  // namespace
