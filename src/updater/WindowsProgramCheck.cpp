#include "updater/WindowsProgramCheck.h"

#include <algorithm>

namespace updater {
namespace {

constexpr unsigned char kSignature[4] = {'P', 'E', 0, 0};

}  // namespace

void WindowsProgramCheck::Add(std::string_view bytes) {
  const uint64_t from = received_;
  for (uint64_t at = from; at < std::min<uint64_t>(kHeaderBytes, from + bytes.size()); ++at)
    header_[at] = static_cast<unsigned char>(bytes[at - from]);
  received_ += bytes.size();
  if (signatureAt_ < 0 && received_ >= kHeaderBytes) {
    signatureAt_ = int64_t{header_[kOffsetAt]} | int64_t{header_[kOffsetAt + 1]} << 8 |
                   int64_t{header_[kOffsetAt + 2]} << 16 | int64_t{header_[kOffsetAt + 3]} << 24;
    // A signature inside the header itself was there before its offset was.
    for (int i = 0; i < 4; ++i) {
      const int64_t at = signatureAt_ + i;
      if (at < static_cast<int64_t>(kHeaderBytes)) {
        signature_[i] = header_[at];
        seen_[i] = true;
      }
    }
  }
  if (signatureAt_ < 0) return;
  for (int i = 0; i < 4; ++i) {
    const int64_t at = signatureAt_ + i;
    if (at >= static_cast<int64_t>(from) && at < static_cast<int64_t>(received_)) {
      signature_[i] = static_cast<unsigned char>(
          bytes[static_cast<std::size_t>(at - static_cast<int64_t>(from))]);
      seen_[i] = true;
    }
  }
}

bool WindowsProgramCheck::Possible() const {
  if (received_ >= 1 && header_[0] != 'M') return false;
  if (received_ >= 2 && header_[1] != 'Z') return false;
  for (int i = 0; i < 4; ++i) {
    if (seen_[i] && signature_[i] != kSignature[i]) return false;
  }
  return true;
}

bool WindowsProgramCheck::Passed() const {
  return Possible() &&
         std::all_of(std::begin(seen_), std::end(seen_), [](bool seen) { return seen; });
}

bool IsWindowsProgram(std::string_view bytes) {
  WindowsProgramCheck check;
  check.Add(bytes);
  return check.Passed();
}

}  // namespace updater
