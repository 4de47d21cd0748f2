#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace core {

// Whether path names a regular file (a link does not count) whose content is
// exactly bytes. Reads the file in pieces; a file that cannot be read does
// not hold them.
bool HoldsExactly(const std::filesystem::path& path, std::string_view bytes);

// What tells a resource's copies from other files without the resource at
// hand: its size and the CRC-32 of its bytes.
struct FileDigest {
  std::uintmax_t size = 0;
  std::uint32_t crc32 = 0;
  friend bool operator==(const FileDigest&, const FileDigest&) = default;
};

FileDigest DigestOf(std::string_view bytes);
// Whether path names a regular file (a link does not count) of the digest's
// size whose bytes have its CRC-32. Reads the file in pieces, and not at all
// when the size differs; a file that cannot be read does not match.
bool MatchesDigest(const std::filesystem::path& path, const FileDigest& digest);

// Gives back the memory pages that hold a resource carried in the program
// file once it has been written out: the system reads them again from the
// program file if they are used later. Only for read-only data of the
// program file (the embedded resources); the pages of any other memory
// would lose their content. Does nothing where the system has no such call.
void ReleaseResourcePages(std::string_view resource);

}  // namespace core
