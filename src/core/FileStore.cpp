#include "core/FileStore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "core/Text.h"
#include "core/Gbk.h"

namespace core {
namespace {

mode_t Umask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

FileStore::FileStore(std::function<fs::path()> runDirectory) : runDirectory_(std::move(runDirectory)) {}

FileStore::~FileStore() {
  for (auto& [number, file] : open_) std::fclose(file);
}

fs::path FileStore::Path(std::string_view name) const {
  std::string relative(name);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  return runDirectory_() / fs::path(relative);
}

fs::path FileStore::PathFromText(std::string_view gbk) {
  // File names of this system are UTF-8; the program's texts are GBK.
  return fs::path(core::GbkToUtf8(gbk));
}

bool FileStore::FileExists(const fs::path& path) const {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::string FileStore::ReadWholeFile(const fs::path& path) const {
  std::string bytes;
  if (!FileExists(path)) return bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
  // A read error part way gives what could not be read in full: nothing.
  if (std::ferror(f)) bytes.clear();
  std::fclose(f);
  return bytes;
}

std::string FileStore::ReadFileStart(const fs::path& path, std::size_t maxBytes) const {
  std::string bytes;
  if (!FileExists(path)) return bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  bytes.resize(maxBytes);
  std::size_t n = std::fread(bytes.data(), 1, maxBytes, f);
  if (std::ferror(f)) n = 0;
  bytes.resize(n);
  std::fclose(f);
  return bytes;
}

std::string FileStore::ReadTextFile(const fs::path& path) const {
  return std::string(text::UpToNul(ReadWholeFile(path)));
}

bool FileStore::WriteWholeFile(const fs::path& path, std::initializer_list<std::string_view> parts) {
  // On failure errno tells the first cause, for callers that explain it.
  int error = 0;
  auto fail = [&error](int cause) {
    if (error == 0) error = cause;
    return false;
  };
  auto giveUp = [](int cause) {
    errno = cause;
    return false;
  };
  std::error_code ec;
  if (path.empty()) return giveUp(ENOENT);
  if (fs::is_directory(path, ec)) return giveUp(EISDIR);
  std::string pattern = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return giveUp(errno);
  bool ok = true;
  for (std::string_view part : parts) {
    const char* p = part.data();
    std::size_t left = part.size();
    while (ok && left > 0) {
      const ssize_t n = ::write(fd, p, left);
      if (n < 0) {
        ok = fail(errno);
      } else {
        p += n;
        left -= static_cast<std::size_t>(n);
      }
    }
  }
  // Keep the permission bits of a file being replaced (a program file keeps
  // its run bit); a new file gets the usual bits.
  const auto old = fs::status(path, ec);
  const mode_t mode = fs::exists(old) ? static_cast<mode_t>(old.permissions() & fs::perms::mask)
                                      : static_cast<mode_t>(0666 & ~Umask());
  if (ok && ::fchmod(fd, mode) != 0) ok = fail(errno);
  if (ok && ::fsync(fd) != 0) ok = fail(errno);
  if (::close(fd) != 0 && ok) ok = fail(errno);
  if (ok && std::rename(pattern.c_str(), path.c_str()) != 0) ok = fail(errno);
  if (!ok) ::unlink(pattern.c_str());
  errno = error;
  return ok;
}

bool FileStore::DeleteFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  return fs::remove(path, ec);
}

int FileStore::OpenFile(const fs::path& path, int mode) {
  std::FILE* f = nullptr;
  if (mode == kReadWriteExisting) {
    f = std::fopen(path.c_str(), "r+b");
    // A file that may be read but not written still reads; writes to it fail.
    if (!f && errno == EACCES) f = std::fopen(path.c_str(), "rb");
  } else if (mode == kWriteCreate) {
    f = std::fopen(path.c_str(), "r+b");
    if (!f && !FileExists(path)) f = std::fopen(path.c_str(), "w+b");
  }
  if (!f) return 0;
  const int number = nextFile_++;
  open_[number] = f;
  return number;
}

std::string FileStore::ReadText(int file) {
  std::string out;
  auto it = open_.find(file);
  if (it == open_.end()) return out;
  for (int c; (c = std::fgetc(it->second)) != EOF && c != 0 && c != 0x1A;) out += static_cast<char>(c);
  return out;
}

std::string FileStore::ReadLine(int file) {
  std::string out;
  auto it = open_.find(file);
  if (it == open_.end()) return out;
  for (int c; (c = std::fgetc(it->second)) != EOF && c != 0 && c != 0x1A;) {
    if (c == '\n') {
      if (!out.empty() && out.back() == '\r') out.pop_back();
      break;
    }
    out += static_cast<char>(c);
  }
  return out;
}

void FileStore::SeekToEnd(int file) {
  auto it = open_.find(file);
  if (it != open_.end()) std::fseek(it->second, 0, SEEK_END);
}

bool FileStore::WriteLine(int file, std::string_view line) {
  auto it = open_.find(file);
  if (it == open_.end()) return false;
  // A stream that was read from must be repositioned before it is written to.
  std::fseek(it->second, 0, SEEK_CUR);
  const bool ok = std::fwrite(line.data(), 1, line.size(), it->second) == line.size() &&
                  std::fwrite("\r\n", 1, 2, it->second) == 2;
  return std::fflush(it->second) == 0 && ok;
}

void FileStore::CloseFile(int file) {
  auto it = open_.find(file);
  if (it == open_.end()) return;
  std::fclose(it->second);
  open_.erase(it);
}

}  // namespace core
