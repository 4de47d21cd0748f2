#include "core/ResourceFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#include <unistd.h>
#define BREVANT_HAS_MADVISE 1
#endif

namespace core {

bool HoldsExactly(const std::filesystem::path& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(fs::symlink_status(path, ec))) return false;
  if (fs::file_size(path, ec) != bytes.size() || ec) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  constexpr std::size_t kPiece = 1 << 20;
  auto buffer = std::make_unique<char[]>(kPiece);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t want = std::min(kPiece, bytes.size() - done);
    if (!file.read(buffer.get(), static_cast<std::streamsize>(want))) return false;
    if (std::memcmp(buffer.get(), bytes.data() + done, want) != 0) return false;
    done += want;
  }
  // Nothing may follow: the file could have grown since its size was taken.
  return file.peek() == std::ifstream::traits_type::eof();
}

void ReleaseResourcePages(std::string_view resource) {
#ifdef BREVANT_HAS_MADVISE
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  if (page == 0 || resource.empty()) return;
  const auto start = reinterpret_cast<std::uintptr_t>(resource.data());
  // Whole pages only: the pages at either end may hold other data in use.
  const std::uintptr_t begin = (start + page - 1) / page * page;
  const std::uintptr_t end = (start + resource.size()) / page * page;
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
#else
  (void)resource;
#endif
}

}  // namespace core
