#include <map>
#include <mutex>
#include <system_error>

#include "ui/FontFaces.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

// The copies found whole in this run, each with its time of last change
// then: the start's writes ask about the copies that the window layer read a
// moment before.
std::mutex g_mutex;
std::map<fs::path, fs::file_time_type> g_whole;

}  // namespace

bool FontFace::CopyIsWhole() const {
  if (copy.empty()) return false;
  std::error_code ec;
  // Taken before the copy is read: a change while it is read shows next time.
  const fs::file_time_type changed = fs::last_write_time(copy, ec);
  if (ec) return false;
  {
    std::lock_guard lock(g_mutex);
    const auto found = g_whole.find(copy);
    if (found != g_whole.end() && found->second == changed &&
        fs::file_size(copy, ec) == digest.size && !ec) {
      return true;
    }
  }
  if (!core::MatchesDigest(copy, digest)) return false;
  std::lock_guard lock(g_mutex);
  g_whole[copy] = changed;
  return true;
}

// The faces' digests, computed from the faces as the program is built
// (cmake/FontDigests.cmake), so that they are known without the faces.
extern const core::FileDigest kRegularFaceDigest, kLightFaceDigest, kBoldFaceDigest;

FontFaces FontFaceCopies(const std::filesystem::path& folder) {
  return {{{}, kRegularFaceDigest, folder / "wk.ttf"},
          {{}, kLightFaceDigest, folder / "wkL.ttf"},
          {{}, kBoldFaceDigest, folder / "wkB.ttf"}};
}

}  // namespace ui
