#include "core/ResourceFile.h"

#include <zlib.h>

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
namespace {

namespace fs = std::filesystem;

// Reads the regular file at path (a link does not count), which must be
// exactly size bytes long, in pieces, and hands each piece to take(bytes,
// offset, count). False when there is no such file, it cannot be read whole,
// or take refuses a piece.
template <typename Take>
bool ReadWholeInPieces(const fs::path& path, std::uintmax_t size, Take take) {
  std::error_code ec;
  if (!fs::is_regular_file(fs::symlink_status(path, ec))) return false;
  if (fs::file_size(path, ec) != size || ec) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  constexpr std::size_t kPiece = 1 << 20;
  auto buffer = std::make_unique<char[]>(kPiece);
  for (std::uintmax_t done = 0; done < size;) {
    const auto want = static_cast<std::size_t>(std::min<std::uintmax_t>(kPiece, size - done));
    if (!file.read(buffer.get(), static_cast<std::streamsize>(want)) ||
        !take(buffer.get(), done, want))
      return false;
    done += want;
  }
  // Nothing may follow: the file could have grown since its size was taken.
  return file.peek() == std::ifstream::traits_type::eof();
}

std::uint32_t Crc32(std::uint32_t crc, const char* bytes, std::size_t size) {
  // zlib takes the length as a 32-bit count.
  constexpr std::size_t kStep = 1u << 30;
  for (std::size_t done = 0; done < size; done += kStep) {
    crc = static_cast<std::uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(bytes + done),
                                           static_cast<uInt>(std::min(kStep, size - done))));
  }
  return crc;
}

}  // namespace

bool HoldsExactly(const fs::path& path, std::string_view bytes) {
  return ReadWholeInPieces(path, bytes.size(),
                           [bytes](const char* piece, std::uintmax_t at, std::size_t count) {
                             return std::memcmp(piece, bytes.data() + at, count) == 0;
                           });
}

FileDigest DigestOf(std::string_view bytes) {
  return {bytes.size(), Crc32(0, bytes.data(), bytes.size())};
}

bool MatchesDigest(const fs::path& path, const FileDigest& digest) {
  std::uint32_t crc = 0;
  return ReadWholeInPieces(path, digest.size,
                           [&crc](const char* piece, std::uintmax_t, std::size_t count) {
                             crc = Crc32(crc, piece, count);
                             return true;
                           }) &&
         crc == digest.crc32;
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
