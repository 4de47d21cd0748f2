#include "platform/Platform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/linux/FileWrites.h"
#include "support/TestProgram.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Checks a desktop entry with the freedesktop.org validator when it is
// installed: no errors and no warnings.
void ExpectValidLauncher(const fs::path& entry) {
  if (!fs::exists("/usr/bin/desktop-file-validate")) return;
  const std::string command = "/usr/bin/desktop-file-validate '" + entry.string() + "' 2>&1";
  FILE* out = popen(command.c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::string report;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, out)) report.append(buffer, n);
  EXPECT_EQ(pclose(out), 0) << report;
  EXPECT_EQ(report, "");
}

// HOME and the XDG folders point into a fresh temporary directory for the
// test and are put back afterwards.
class PlatformLinux : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
    std::string pattern = (fs::temp_directory_path() / "brevant-platform-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    home_ = root_ / "home";
    fs::create_directories(home_);
    setenv("HOME", home_.c_str(), 1);
    platform_ = platform::CreateSystemPlatform();
  }

  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i]) {
        setenv(kVariables[i], saved_[i]->c_str(), 1);
      } else {
        unsetenv(kVariables[i]);
      }
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // The user-dirs.dirs file in the default configuration folder.
  void WriteUserDirs(const std::string& content) {
    WriteAll(home_ / ".config/user-dirs.dirs", content);
  }

  static constexpr const char* kVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
  std::vector<std::optional<std::string>> saved_;
  fs::path root_, home_;
  std::unique_ptr<platform::Platform> platform_;
};

TEST_F(PlatformLinux, FontFolderFollowsXdgDataHome) {
  EXPECT_EQ(platform_->FontFolder(), home_ / ".local/share/fonts");
  setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  EXPECT_EQ(platform_->FontFolder(), root_ / "data/fonts");
  setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(platform_->FontFolder(), home_ / ".local/share/fonts") << "relative values are ignored";
}

TEST_F(PlatformLinux, DesktopFolderComesFromUserDirs) {
  EXPECT_EQ(platform_->DesktopFolder(), home_ / "Desktop") << "no user-dirs.dirs";

  WriteUserDirs(
      "# written by xdg-user-dirs-update\n"
      "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreib tisch\"\n");
  EXPECT_EQ(platform_->DesktopFolder(), home_ / "Schreib tisch");

  WriteUserDirs("XDG_DESKTOP_DIR=\"/srv/desk\"\n");
  EXPECT_EQ(platform_->DesktopFolder(), fs::path("/srv/desk"));

  WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/\"\n");
  EXPECT_EQ(platform_->DesktopFolder(), home_) << "a disabled desktop is the home folder";

  WriteUserDirs("#XDG_DESKTOP_DIR=\"/commented\"\nXDG_DESKTOP_DIR=\"relative\"\n");
  EXPECT_EQ(platform_->DesktopFolder(), home_ / "Desktop") << "unusable lines are skipped";

  WriteAll(root_ / "config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Elsewhere\"\n");
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  EXPECT_EQ(platform_->DesktopFolder(), home_ / "Elsewhere");
}

TEST_F(PlatformLinux, ShortcutIsAValidLauncherThatTheNextStartReplaces) {
  const fs::path desktop = home_ / "Desktop";
  const fs::path target = root_ / "run dir" / "kestrin.exe";
  EXPECT_FALSE(platform_->CreateShortcut(desktop, "BREVANT", target))
      << "a missing desktop folder is not created";
  EXPECT_FALSE(fs::exists(desktop));

  fs::create_directories(desktop);
  ASSERT_TRUE(platform_->CreateShortcut(desktop, "BREVANT", target));
  const fs::path entry = desktop / "BREVANT.desktop";
  const std::string content = ReadAll(entry);
  EXPECT_TRUE(content.starts_with("[Desktop Entry]\n")) << content;
  EXPECT_NE(content.find("\nType=Application\n"), std::string::npos) << content;
  EXPECT_NE(content.find("\nName=BREVANT\n"), std::string::npos) << content;
  EXPECT_NE(content.find("\nExec=\"" + target.string() + "\"\n"), std::string::npos) << content;
  EXPECT_NE(content.find("\nTerminal=false\n"), std::string::npos) << content;
  // The program's icon, put in the user's icon folder.
  const fs::path icon = home_ / ".local/share/icons/hicolor/256x256/apps/brevant.png";
  EXPECT_NE(content.find("\nIcon=" + icon.string() + "\n"), std::string::npos) << content;
  EXPECT_TRUE(ReadAll(icon).starts_with("\x89PNG\r\n")) << icon;
  EXPECT_EQ(fs::status(entry).permissions() & fs::perms::all,
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                fs::perms::others_read | fs::perms::others_exec);

  ExpectValidLauncher(entry);

  // The next start writes the link again, to wherever the target is now; a
  // path with characters the launcher treats specially is escaped.
  const fs::path moved = root_ / "100% $pecial \"run\" dir" / "kestrin.exe";
  ASSERT_TRUE(platform_->CreateShortcut(desktop, "BREVANT", moved));
  EXPECT_NE(ReadAll(entry).find(
                "\nExec=\"" +
                (root_ / "100%% \\\\$pecial \\\\\"run\\\\\" dir/kestrin.exe").string() + "\"\n"),
            std::string::npos)
      << ReadAll(entry);
  ExpectValidLauncher(entry);
  EXPECT_EQ(std::distance(fs::directory_iterator(desktop), fs::directory_iterator()), 1)
      << "one launcher and no leftover temporary file";

  // Without a place for the icon, the launcher goes without it.
  WriteAll(root_ / "data", "not a folder");
  setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  ASSERT_TRUE(platform_->CreateShortcut(desktop, "BREVANT", target));
  EXPECT_EQ(ReadAll(entry).find("\nIcon="), std::string::npos) << ReadAll(entry);
  ExpectValidLauncher(entry);
}

TEST_F(PlatformLinux, ShortcutNameIsShownInUtf8) {
  const fs::path desktop = home_ / "Desktop";
  fs::create_directories(desktop);
  ASSERT_TRUE(platform_->CreateShortcut(desktop, testing_support::G("点名"), root_ / "k.exe"));
  const fs::path entry = desktop / "点名.desktop";
  ASSERT_TRUE(fs::exists(entry));
  EXPECT_NE(ReadAll(entry).find("\nName=点名\n"), std::string::npos) << ReadAll(entry);
}

bool AppearsWithin(const fs::path& file, std::chrono::seconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (fs::exists(file) && !ReadAll(file).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST_F(PlatformLinux, RunProgramStartsTheFileWithoutArguments) {
  const fs::path program = root_ / "run dir" / "companion";
  const fs::path marker = root_ / "run dir" / "started";
  // The program records how many arguments it got and whether it leads a
  // session of its own.
  WriteAll(
      program,
      "#!/bin/sh\n"
      "here=$(dirname \"$0\")\n"
      "sid=$(cut -d ' ' -f 6 /proc/$$/stat)\n"
      "echo \"$# $([ \"$sid\" = \"$$\" ] && echo own || echo shared)\" > \"$here/started.tmp\"\n"
      "mv \"$here/started.tmp\" \"$here/started\"\n");
  fs::permissions(program, fs::perms::owner_all);

  ASSERT_TRUE(platform_->RunProgram(program));
  ASSERT_TRUE(AppearsWithin(marker, std::chrono::seconds(10)));
  EXPECT_EQ(ReadAll(marker), "0 own\n");
}

TEST_F(PlatformLinux, RunProgramReportsWhatCannotStart) {
  EXPECT_FALSE(platform_->RunProgram(root_ / "missing.exe"));
  EXPECT_FALSE(platform_->RunProgram(root_)) << "a folder";
  const fs::path plain = root_ / "plain.txt";
  WriteAll(plain, "#!/bin/sh\ntrue\n");
  fs::permissions(plain, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(platform_->RunProgram(plain)) << "not executable";
}

TEST_F(PlatformLinux, ProgramDirectoryIsWhereTheProgramFileLiesNotTheWorkingDirectory) {
  const fs::path before = fs::current_path();
  fs::current_path(root_);
  const fs::path directory = platform_->ProgramDirectory();
  fs::current_path(before);
  EXPECT_NE(directory, root_);
  EXPECT_TRUE(fs::is_regular_file(directory / program_invocation_short_name)) << directory;
}

// A write that a signal interrupts goes on until every byte is through. The
// pipe is left full while the writer waits, so each signal finds it blocked:
// the first cuts a write short, the second ends the next one before any byte.
TEST(LinuxFileWrites, InterruptedWritesGoOnUntilEveryByteIsThrough) {
  using namespace std::chrono_literals;
  struct sigaction quiet = {}, old = {};
  quiet.sa_handler = [](int) {};
  sigemptyset(&quiet.sa_mask);  // no SA_RESTART: the write returns to the writer
  ASSERT_EQ(sigaction(SIGUSR1, &quiet, &old), 0);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  const int capacity = fcntl(ends[1], F_GETPIPE_SZ);
  ASSERT_GT(capacity, 0);
  std::string bytes(4 * static_cast<std::size_t>(capacity), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  const pthread_t writer = pthread_self();
  std::string received;
  std::thread reader([&] {
    for (int signal = 0; signal < 2; ++signal) {
      for (int queued = 0, waits = 0;
           ioctl(ends[0], FIONREAD, &queued) == 0 && queued < capacity && waits < 5000; ++waits)
        std::this_thread::sleep_for(1ms);
      std::this_thread::sleep_for(50ms);  // the writer is back in its write
      pthread_kill(writer, SIGUSR1);
    }
    char buffer[4096];
    for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) > 0;)
      received.append(buffer, static_cast<std::size_t>(n));
  });
  const int error = core::native::WriteAll(ends[1], bytes);
  close(ends[1]);
  reader.join();
  close(ends[0]);
  sigaction(SIGUSR1, &old, nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(received.size(), bytes.size());
  EXPECT_TRUE(received == bytes);
}

}  // namespace
