// The platform services on Linux desktops: freedesktop.org folder rules for
// fonts and the desktop, desktop entries as launchers, posix_spawn for starting
// programs.

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "core/Gbk.h"
#include "core/linux/FileWrites.h"
#include "platform/Platform.h"

extern char** environ;

// The program's icon as a PNG, carried whole (EmbeddedPictures.S).
extern "C" const char brevant_program_icon_begin[], brevant_program_icon_end[];

namespace platform {
namespace {

// An environment variable's value, or "" when it is unset.
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

fs::path HomeFolder() {
  if (std::string home = Env("HOME"); !home.empty()) return home;
  if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) return user->pw_dir;
  return "/";
}

// A base folder named by an XDG variable; relative values are to be ignored.
fs::path XdgFolder(const char* variable, const fs::path& fallback) {
  fs::path folder = Env(variable);
  return folder.is_absolute() ? folder : fallback;
}

// The value of XDG_DESKTOP_DIR in a user-dirs.dirs file, "" when the file has
// none. The file is shell-like: XDG_DESKTOP_DIR="$HOME/Desktop", the value
// either absolute or starting with $HOME; the last definition counts.
fs::path DesktopFromUserDirs(const fs::path& file, const fs::path& home) {
  std::ifstream in(file);
  fs::path found;
  std::string line;
  while (std::getline(in, line)) {
    std::string_view rest = line;
    auto skipBlanks = [&rest] {
      while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    };
    auto take = [&rest](std::string_view word) {
      if (!rest.starts_with(word)) return false;
      rest.remove_prefix(word.size());
      return true;
    };
    skipBlanks();
    if (!take("XDG_DESKTOP_DIR")) continue;
    skipBlanks();
    if (!take("=")) continue;
    skipBlanks();
    if (!take("\"")) continue;
    bool fromHome = false;
    if (take("$HOME")) {
      if (!rest.empty() && rest.front() != '/' && rest.front() != '"') continue;
      fromHome = true;
    } else if (!rest.starts_with("/")) {
      continue;
    }
    std::string value;
    bool closed = false;
    for (size_t i = 0; i < rest.size(); ++i) {
      if (rest[i] == '"') {
        closed = true;
        break;
      }
      if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
      value += rest[i];
    }
    if (!closed) continue;
    if (fromHome) {
      while (!value.empty() && value.front() == '/') value.erase(0, 1);
      found = value.empty() ? home : home / value;
    } else {
      found = value;
    }
  }
  return found;
}

// The target as the single quoted word of an Exec key: inside double quotes
// '"', '`', '$' and '\' get a backslash, '%' is doubled (field codes), and the
// result is escaped once more as a string value, which doubles backslashes.
std::string ExecValue(const std::string& program) {
  std::string quoted = "\"";
  for (char c : program) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') {
      value += "\\\\";
    } else if (c == '\t') {
      value += "\\t";
    } else {
      value += c;
    }
  }
  return value;
}

// A name as a string value: backslash and control characters escaped.
std::string NameValue(const std::string& name) {
  std::string value;
  for (char c : name) {
    switch (c) {
      case '\\':
        value += "\\\\";
        break;
      case '\t':
        value += "\\t";
        break;
      case '\n':
        value += "\\n";
        break;
      case '\r':
        value += "\\r";
        break;
      default:
        value += c;
    }
  }
  return value;
}

// Writes bytes to path with the given mode through a temporary file in the same
// folder, so the path holds either the old or the new content, never a part.
bool WriteFileAtomically(const fs::path& path, const std::string& bytes, mode_t mode) {
  return core::native::WriteReplacing(path, {bytes}, mode) == 0;
}

// The program's icon in the user's icon folder, written when it is missing or
// differs; its path, or none when it cannot be written there.
fs::path InstallIcon() {
  const std::string_view png(
      brevant_program_icon_begin,
      static_cast<std::size_t>(brevant_program_icon_end - brevant_program_icon_begin));
  const fs::path folder =
      XdgFolder("XDG_DATA_HOME", HomeFolder() / ".local/share") / "icons/hicolor/256x256/apps";
  const fs::path file = folder / "brevant.png";
  std::error_code error;
  if (fs::file_size(file, error) == png.size() && !error) {
    std::ifstream in(file, std::ios::binary);
    std::string held(png.size(), '\0');
    if (in.read(held.data(), static_cast<std::streamsize>(held.size())) && held == png) return file;
  }
  fs::create_directories(folder, error);
  return WriteFileAtomically(file, std::string(png), 0644) ? file : fs::path();
}

class LinuxPlatform final : public Platform {
 public:
  fs::path ProgramDirectory() override {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
  }

  fs::path FontFolder() override {
    const fs::path home = HomeFolder();
    return XdgFolder("XDG_DATA_HOME", home / ".local/share") / "fonts";
  }

  fs::path DesktopFolder() override {
    const fs::path home = HomeFolder();
    const fs::path config = XdgFolder("XDG_CONFIG_HOME", home / ".config");
    fs::path desktop = DesktopFromUserDirs(config / "user-dirs.dirs", home);
    return desktop.empty() ? home / "Desktop" : desktop;
  }

  // A desktop entry "<name>.desktop" that starts target with no arguments,
  // with the program's icon when it can be put in the user's icon folder.
  // The user's desktop folder is never created here: without one there is
  // nowhere to put a launcher.
  bool CreateShortcut(const fs::path& desktopFolder, const std::string& name,
                      const fs::path& target) override {
    std::error_code error;
    if (!fs::is_directory(desktopFolder, error)) return false;
    const std::string shownName = core::GbkToUtf8(name);
    if (shownName.empty() || shownName == "." || shownName == ".." ||
        shownName.find('/') != std::string::npos) {
      return false;
    }
    const std::string program = fs::absolute(target, error).string();
    // A line break cannot be carried by an Exec value that launchers agree on.
    if (error || program.find_first_of("\r\n") != std::string::npos) return false;

    std::string entry = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
    entry += "Name=" + NameValue(shownName) + "\n";
    entry += "Exec=" + ExecValue(program) + "\n";
    entry += "Terminal=false\n";
    if (const fs::path icon = InstallIcon(); !icon.empty())
      entry += "Icon=" + NameValue(icon.string()) + "\n";
    return WriteFileAtomically(desktopFolder / (shownName + ".desktop"), entry, 0755);
  }

  // Starts program with itself as the only argument, in a session of its own
  // so that it outlives this process, and returns without waiting.
  bool RunProgram(const fs::path& program) override {
    std::error_code error;
    if (!fs::is_regular_file(program, error) || access(program.c_str(), X_OK) != 0) return false;

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return false;
    // The child starts with no blocked signals and the usual dispositions,
    // whatever this process has set up for itself.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2}) {
      sigaddset(&defaults, sig);
    }
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#endif
    posix_spawnattr_setflags(&attributes, flags);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);

    const std::string path = program.string();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    const int result = posix_spawn(&child, path.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    return result == 0;
  }

  std::unique_ptr<RunDirectoryClaim> ClaimRunDirectory(const fs::path& runDirectory) override {
    return ClaimOnThisSystem(runDirectory);
  }
};

}  // namespace

std::unique_ptr<Platform> CreateSystemPlatform() {
  return std::make_unique<LinuxPlatform>();
}

}  // namespace platform
