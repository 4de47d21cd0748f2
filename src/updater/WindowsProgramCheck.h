#pragma once

#include <cstdint>
#include <string_view>

namespace updater {

// Tells from a file's bytes, as they arrive, whether it is a Windows program:
// it begins with "MZ", and the 32-bit little-endian offset at 0x3C of that
// header (e_lfanew) names a place inside the file that holds "PE\0\0". An
// error page or any other answer a server may send instead is not. Only the
// few bytes the test needs are kept.
class WindowsProgramCheck {
 public:
  void Add(std::string_view bytes);
  // False once the bytes so far cannot begin a Windows program.
  bool Possible() const;
  // Whether the bytes added, all of the file, are a Windows program.
  bool Passed() const;

 private:
  static constexpr std::size_t kHeaderBytes = 0x40;
  static constexpr std::size_t kOffsetAt = 0x3C;
  uint64_t received_ = 0;
  unsigned char header_[kHeaderBytes] = {};
  int64_t signatureAt_ = -1;  // known once the header is in
  unsigned char signature_[4] = {};
  bool seen_[4] = {};
};

// Whether the whole bytes are a Windows program (WindowsProgramCheck).
bool IsWindowsProgram(std::string_view bytes);

}  // namespace updater
