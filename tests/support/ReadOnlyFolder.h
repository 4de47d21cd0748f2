#pragma once

#include <filesystem>

namespace testing_support {

// A folder that takes no new file, as a teacher's account finds Program Files
// or a write-protected stick; the files in it still read. Writable again when
// the object goes. On Linux a test running as root gives up, on the UI thread
// and the threads it starts, the power to write into any folder meanwhile.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // Whether the program's UI thread really cannot make a file there now.
  bool Refuses() const;

 private:
  std::filesystem::path folder_;
};

}  // namespace testing_support
