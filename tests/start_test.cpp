// The start work on the real windows: the files it writes, the splash that
// holds it, the side bar's pages and the close button. What the start reads
// and the set-up fields are tested on the recording layer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>  // file size limits: POSIX only
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "core/Gbk.h"
#include "core/NativeFiles.h"
#include "core/ResourceFile.h"
#include "platform/Platform.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestProgram.h"
#include "ui/FontFaces.h"
#include "ui/Resources.h"
#include "ui/image/PictureLimits.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace fs = std::filesystem;
namespace mw = ui::MainWindow;
namespace splash = ui::SplashWindow;

constexpr int kSettingsPage = 3;

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
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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
  p.StartPastSplash();
  p.WaitForStartWrites();
  EXPECT_TRUE(ReadFile(FontFolder() / "wk.ttf") == ui::RegularFontFace());
  EXPECT_TRUE(ReadFile(FontFolder() / "wkB.ttf") == ui::BoldFontFace());
  EXPECT_TRUE(ReadFile(FontFolder() / "wkL.ttf") == installed);
  EXPECT_EQ(std::distance(fs::directory_iterator(FontFolder()), fs::directory_iterator()), 3);
}

// With every face in place no copy is made; a leftover of a copy killed at
// an earlier start goes all the same.
TEST(StartTest, FontFolderLeftoversGoWhenEveryFaceIsInPlace) {
  TestProgram p;
  fs::create_directories(FontFolder());
  for (const auto& [name, face] :
       {std::pair{"wk.ttf", ui::RegularFontFace()}, std::pair{"wkL.ttf", ui::LightFontFace()},
        std::pair{"wkB.ttf", ui::BoldFontFace()}})
    WriteFile(FontFolder() / name, std::string(face.size(), 'F'));
  WriteFile(FontFolder() / ".wkB.ttf.Ef34Gh", "part");
  p.StartPastSplash();
  p.WaitForStartWrites();
  EXPECT_FALSE(fs::exists(FontFolder() / ".wkB.ttf.Ef34Gh"));
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
  EXPECT_EQ(fs::file_size(p.RunDir() / "wk.ttf"), ui::RegularFontFace().size())
      << "the old file stays";
}
#endif

#ifndef _WIN32
// A second process that holds a file as a writer of the program does (an
// exclusive lock on it) until it is killed.
class LockingProcess {
 public:
  explicit LockingProcess(const fs::path& file) {
    const std::string name = file.string();
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open(name.c_str(), O_RDWR | O_CREAT, 0600);
      if (fd >= 0 && ::flock(fd, LOCK_EX) == 0) (void)!::write(ready[1], "x", 1);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char c;
    locked_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
  }
  ~LockingProcess() { Kill(); }
  bool Locked() const { return locked_; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool locked_ = false;
};
#endif

// A temporary file of the program's own whose writer has gone is removed at
// the next start, however young; one a writer still holds stays, and so does
// every file that is not one of the program's.
TEST(StartTest, RemovesOnlyItsOwnAbandonedTemporaryFiles) {
  TestProgram p;
  const char* ours[] = {".wk.ttf.a1B2c3", ".1.vlok.XXXXXX", ".downloader.exe.Zz9Zz9"};
  const char* others[] = {".notes.txt.a1B2c3", "wk.ttf.a1B2c3", ".wk.ttf.a1B2c", ".wk.ttf.a1B2c3d",
                          ".wk.ttf.a1-2c3",    ".wk.ttf",       "wk.ttf"};
  for (const char* name : ours) p.Write(name, "part");
  for (const char* name : others) p.Write(name, "kept");
  fs::create_directory(p.RunDir() / ".wkL.ttf.Dir000");
  // A download under way in this process holds its part file.
  fs::path downloading;
  const std::intptr_t file =
      core::native::CreateTemporaryFile(p.RunDir() / "kestrin.exe", downloading);
  ASSERT_NE(file, core::native::kNoFile);
#ifndef _WIN32
  LockingProcess running(p.RunDir() / ".wkB.ttf.q7R8s9");
  LockingProcess killed(p.RunDir() / ".RS.vlok.k1LLed");
  ASSERT_TRUE(running.Locked() && killed.Locked());
  killed.Kill();
#endif

  p.StartPastSplash();
  for (const char* name : ours) EXPECT_FALSE(p.Has(name)) << name;
  for (const char* name : others) EXPECT_TRUE(fs::exists(p.RunDir() / name)) << name;
  EXPECT_TRUE(fs::is_directory(p.RunDir() / ".wkL.ttf.Dir000"));
  EXPECT_TRUE(fs::exists(downloading)) << "held by its writer in this process";
#ifndef _WIN32
  EXPECT_TRUE(p.Has(".wkB.ttf.q7R8s9")) << "held by a writer in another process";
  EXPECT_FALSE(p.Has(".RS.vlok.k1LLed")) << "its writer was killed";
#endif
  core::native::DiscardTemporaryFile(file, downloading);
  EXPECT_FALSE(fs::exists(downloading));
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

// A folder the program cannot write: one word to the teacher at start, in the
// stored language, and then everything runs. A missing "language.vlok" that
// the start cannot create counts as the "中文" it would have written, for the
// draws and the language step alike; an existing one still rules.
TEST(StartTest, FolderThatCannotBeWritten) {
  struct Case {
    const char* stored;  // nullptr: no "language.vlok"
    bool readOnly;       // else a folder is in the way of "language.vlok"
    const char* title;   // of the box at start; nullptr: none
    const char* announcement;
    int selection;
  };
  const Case cases[] = {
      {nullptr, true, "无法保存", "恭喜1号同学被选中！", 0},
      {"English", true, "Cannot save", "Congratulations to No. 同学1 for being selected", 1},
      {nullptr, false, nullptr, "恭喜1号同学被选中！", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title ? c.title : "folder in the way");
    TestProgram p;
    p.Write("RS.vlok", "1");
    p.Write("CH.vlok", G("同学"));
    p.Write("ynreward.vlok", "no");
    p.Write("root/root.vlok", "");
    if (c.stored) p.Write("language.vlok", c.stored);
    if (!c.readOnly) fs::create_directory(p.RunDir() / "language.vlok");
    std::optional<testing_support::ReadOnlyFolder> readOnly;
    if (c.readOnly) {
      readOnly.emplace(p.RunDir());
      ASSERT_TRUE(readOnly->Refuses())
          << "no folder the program cannot write: under Wine as root, run the "
             "Wine server without CAP_DAC_OVERRIDE (see scripts/brevant.sh)";
    }
    p.StartPastSplash();

    if (c.title) {
      const auto box = p.ui().OpenMessageBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box->title, G(c.title));
      EXPECT_EQ(box->owner, std::nullopt);
      const std::u8string folder = p.RunDir().u8string();
      EXPECT_NE(box->text.find(
                    core::Utf8ToGbk({reinterpret_cast<const char*>(folder.data()), folder.size()})),
                std::string::npos);
      ASSERT_TRUE(p.ui().AnswerMessageBox());
    }
    EXPECT_FALSE(p.ui().OpenMessageBox());
    EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::MainWindow));
    ASSERT_TRUE(p.ui().Click(mw::随机选人));
    ASSERT_TRUE(p.ui().Click(mw::随机选人开始));
    const auto draw = p.ui().OpenMessageBox();
    ASSERT_TRUE(draw);
    EXPECT_EQ(draw->text, G(c.announcement));
    ASSERT_TRUE(p.ui().AnswerMessageBox());
    ASSERT_TRUE(p.ui().Click(mw::设置));
    ASSERT_TRUE(p.ui().Click(mw::super_user));
    EXPECT_EQ(p.ui().Selection(ui::RootSettingsWindow::组合框1), c.selection);
    EXPECT_EQ(p.Read("language.vlok"), c.stored ? c.stored : "");
  }
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

// A later start from the same folder asks this copy forward: while the splash
// shows, the main window stays hidden until the start work is done.
TEST(SplashTest, AskedForwardMeanwhileTheMainWindowWaitsForTheStart) {
  TestProgram p;
  p.Start();
  p.AskToComeForward();
  EXPECT_TRUE(p.ui().IsShown(splash::图片框1));
  EXPECT_FALSE(p.ui().IsShown(mw::计分板));
  ASSERT_TRUE(p.ui().FireTimer(splash::时钟1));
  p.AskToComeForward();
  EXPECT_TRUE(p.ui().IsShown(mw::计分板));
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

// A picture file larger than any picture the program shows is not read: the
// splash shows no picture, as for a missing file. One at the cap shows.
TEST(SplashTest, PictureFileOverTheCapShowsNoPicture) {
  std::string shots[3];
  const std::uintmax_t sizes[] = {0, ui::kMaxPictureFileBytes, ui::kMaxPictureFileBytes + 1};
  for (int i = 0; i < 3; ++i) {
    TestProgram p;
    if (sizes[i] > 0) {
      // The logo, then zeros up to the size; decoders stop at the picture's end.
      p.Write("big.png", ui::Picture(ui::Asset::LogoMark));
      fs::resize_file(p.RunDir() / "big.png", sizes[i]);
    }
    p.Write("flash_screen.vlok", (p.RunDir() / "big.png").string());
    p.Start();
    const fs::path shot = p.RunDir() / "splash.png";
    ASSERT_TRUE(p.ui().Snapshot(ui::WindowId::SplashWindow, shot));
    shots[i] = ReadFile(shot);
  }
  EXPECT_NE(shots[1], shots[0]) << "the picture at the cap shows";
  EXPECT_EQ(shots[2], shots[0]) << "the picture over the cap shows as none";
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

TEST(NavTest, CloseButtonEndsTheProgram) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::超级按钮1));
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::MainWindow));
  EXPECT_EQ(p.ui().ExitCode(), 0);
}

}  // namespace
