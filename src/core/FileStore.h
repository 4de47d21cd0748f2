#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace core {

namespace fs = std::filesystem;

// The files of the run directory, the directory of the program file. Names
// may use "\" or "/" as separator; both name the same file. Texts are GBK.
class FileStore {
 public:
  // runDirectory is asked anew for every operation; nothing caches it.
  explicit FileStore(std::function<fs::path()> runDirectory);
  ~FileStore();
  FileStore(const FileStore&) = delete;
  FileStore& operator=(const FileStore&) = delete;

  fs::path RunDirectory() const { return runDirectory_(); }
  // The run directory joined with a name such as "\\root\\root.vlok" or "RS.vlok".
  fs::path Path(std::string_view name) const;
  // A path the user typed or chose (GBK text) as a path of this system.
  static fs::path PathFromText(std::string_view gbk);

  bool FileExists(const fs::path& path) const;
  std::string ReadWholeFile(const fs::path& path) const { return ReadFileBytes(path); }
  // The bytes of any file; "" when it is no regular file or cannot be read in full.
  static std::string ReadFileBytes(const fs::path& path);
  std::string ReadTextFile(const fs::path& path) const;  // up to the first zero byte
  // At most the first maxBytes bytes of the file, read without looking at the
  // rest; empty like ReadWholeFile when the file cannot be read.
  std::string ReadFileStart(const fs::path& path, std::size_t maxBytes) const;
  // The whole file when it holds at most maxBytes; empty like ReadWholeFile
  // for a larger file, which is not read.
  std::string ReadWholeFileUpTo(const fs::path& path, std::size_t maxBytes) const;
  // Creates or replaces the file with the non-empty parts in order. The bytes
  // go to a temporary file in the same directory first, which is renamed over
  // the target only when complete, so a failed write leaves the old file.
  // Where the directory refuses the temporary file but the file itself may be
  // written, it is written in place instead. On failure errno holds the
  // cause.
  bool WriteWholeFile(const fs::path& path, std::initializer_list<std::string_view> parts);
  bool WriteWholeFile(const fs::path& path, std::string_view bytes) {
    return WriteWholeFile(path, {bytes});
  }
  bool RemoveFile(const fs::path& path);

  // Shorthands on run-directory names.
  bool Exists(std::string_view name) const { return FileExists(Path(name)); }
  std::string Read(std::string_view name) const { return ReadTextFile(Path(name)); }
  bool Write(std::string_view name, std::string_view bytes) {
    return WriteWholeFile(Path(name), bytes);
  }
  bool Delete(std::string_view name) { return RemoveFile(Path(name)); }

  // Sequential access. Mode 3: read/write an existing file; mode 5: write,
  // creating a missing file without truncating an existing one. 0 on failure.
  static constexpr int kReadWriteExisting = 3;
  static constexpr int kWriteCreate = 5;
  int OpenFile(const fs::path& path, int mode);
  std::string ReadText(int file);  // to the end, a zero byte or 0x1A
  std::string ReadLine(int file);  // to LF, a zero byte or 0x1A; CR before LF dropped
  void SeekToEnd(int file);
  bool WriteLine(int file, std::string_view text);  // text, then CR LF
  void CloseFile(int file);

 private:
  std::function<fs::path()> runDirectory_;
  std::map<int, std::FILE*> open_;
  int nextFile_ = 1;
};

}  // namespace core
