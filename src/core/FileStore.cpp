#include "core/FileStore.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/Gbk.h"
#include "core/NativeFiles.h"
#include "core/Text.h"

namespace core {
namespace {

// A path from UTF-8 text. A path made from a narrow string takes its bytes
// in the system's code page on Windows; from UTF-8 code units it means the
// same characters everywhere.
fs::path Utf8Path(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// The file a link finally names; a dangling link names a file still to be made.
fs::path LinkTarget(const fs::path& link) {
  std::error_code ec;
  fs::path target = fs::canonical(link, ec);
  if (!ec) return target;
  fs::path at = link;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(at, ec)); ++hops) {
    const fs::path next = fs::read_symlink(at, ec);
    if (ec) break;
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  return at;
}

}  // namespace

FileStore::FileStore(std::function<fs::path()> runDirectory)
    : runDirectory_(std::move(runDirectory)) {}

FileStore::~FileStore() {
  for (auto& [number, file] : open_) std::fclose(file);
}

fs::path FileStore::Path(std::string_view name) const {
  std::string relative(name);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  return runDirectory_() / PathFromText(relative);
}

fs::path FileStore::PathFromText(std::string_view gbk) {
  // A path names characters, not the GBK bytes of the text.
  return Utf8Path(core::GbkToUtf8(gbk));
}

bool FileStore::FileExists(const fs::path& path) const {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::string FileStore::ReadFileBytes(const fs::path& path) {
  std::string bytes;
  std::error_code ec;
  if (path.empty() || !fs::is_regular_file(path, ec)) return bytes;
  std::FILE* f = native::OpenFile(path, "rb");
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
  std::FILE* f = native::OpenFile(path, "rb");
  if (!f) return bytes;
  // Room for what the file holds, not for the limit: a small file under a
  // large limit costs no more than its size.
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  bytes.reserve(static_cast<std::size_t>(ec ? 0 : std::min<std::uintmax_t>(size, maxBytes)));
  char buffer[65536];
  while (bytes.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
    const std::size_t n = std::fread(buffer, 1, want, f);
    bytes.append(buffer, n);
    if (n < want) break;
  }
  if (std::ferror(f)) bytes.clear();
  std::fclose(f);
  return bytes;
}

std::string FileStore::ReadWholeFileUpTo(const fs::path& path, std::size_t maxBytes) const {
  std::error_code ec;
  if (fs::file_size(path, ec) > maxBytes || ec) return {};
  // The file may grow after its size was taken: one byte more than allowed
  // tells.
  std::string bytes = ReadFileStart(path, maxBytes + 1);
  if (bytes.size() > maxBytes) bytes.clear();
  return bytes;
}

std::string FileStore::ReadTextFile(const fs::path& path) const {
  return std::string(text::UpToNul(ReadWholeFile(path)));
}

bool FileStore::WriteWholeFile(const fs::path& path,
                               std::initializer_list<std::string_view> parts) {
  // On failure errno tells the first cause, for callers that explain it.
  std::error_code ec;
  int error = 0;
  if (path.empty()) {
    error = ENOENT;
  } else if (fs::is_directory(path, ec)) {
    error = EISDIR;
  } else {
    // A settings file that is a link is written through to the file it
    // names; the link itself stays.
    const fs::path target = fs::is_symlink(fs::symlink_status(path, ec)) ? LinkTarget(path) : path;
    const auto status = fs::status(target, ec);
    constexpr auto kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::is_directory(status)) {
      error = EISDIR;
    } else if (fs::exists(status) && ((status.permissions() & kAnyWrite) == fs::perms::none ||
                                      !native::MayWrite(target))) {
      // A file the teacher made read-only keeps its content, even though
      // the directory would let a new file be renamed over it.
      error = EACCES;
    } else {
      error = native::WriteReplacing(target, parts);
      // A folder where no new file may be made can still hold a file that
      // may be written: that file is written in place, as a plain write
      // would, and the cause of a failure is then that write's.
      if ((error == EACCES || error == EPERM) && fs::is_regular_file(status))
        error = native::WriteInPlace(target, parts);
    }
  }
  errno = error;
  return error == 0;
}

bool FileStore::RemoveFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  return fs::remove(path, ec);
}

int FileStore::OpenFile(const fs::path& path, int mode) {
  std::FILE* f = nullptr;
  if (mode == kReadWriteExisting) {
    f = native::OpenFile(path, "r+b");
    // A file that may be read but not written still reads; writes to it fail.
    if (!f && errno == EACCES) f = native::OpenFile(path, "rb");
  } else if (mode == kWriteCreate) {
    f = native::OpenFile(path, "r+b");
    if (!f && !FileExists(path)) f = native::OpenFile(path, "w+b");
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
  for (int c; (c = std::fgetc(it->second)) != EOF && c != 0 && c != 0x1A;)
    out += static_cast<char>(c);
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
