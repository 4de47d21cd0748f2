#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/RunDirectoryClaim.h"

namespace platform {

namespace fs = std::filesystem;

// The services of the operating system that the program uses besides windows
// and files.
class Platform {
 public:
  virtual ~Platform() = default;
  // The directory of the running program file.
  virtual fs::path ProgramDirectory() = 0;
  // The folder where fonts are installed for the user.
  virtual fs::path FontFolder() = 0;
  // The user's desktop folder.
  virtual fs::path DesktopFolder() = 0;
  // Writes a launcher named name on the desktop (replacing one of that name)
  // that starts target with no arguments.
  virtual bool CreateShortcut(const fs::path& desktopFolder, const std::string& name,
                              const fs::path& target) = 0;
  // Starts the program file with no arguments and does not wait for it to end.
  virtual bool RunProgram(const fs::path& program) = 0;
  // Claims the run directory for this copy of the program: one copy runs per
  // folder. When a running copy holds it already, that copy is asked to come
  // to the front and nothing is returned. Writes nothing in the folder; where
  // the system offers no way to claim it, the claim holds nothing.
  virtual std::unique_ptr<RunDirectoryClaim> ClaimRunDirectory(const fs::path& runDirectory) = 0;
};

std::unique_ptr<Platform> CreateSystemPlatform();

}  // namespace platform
