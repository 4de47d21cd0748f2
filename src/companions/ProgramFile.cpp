#include "companions/ProgramFile.h"

#include <system_error>

#include "core/ResourceFile.h"

namespace companions {

namespace fs = std::filesystem;

bool WriteProgramFile(core::FileStore& files, const fs::path& path, std::string_view bytes) {
  // Rewriting an identical file would change nothing but cost a disk flush.
  if (!core::HoldsExactly(path, bytes) && !files.WriteWholeFile(path, bytes)) return false;
  // A new file gets the usual read bits only; add the run bit beside each.
  std::error_code ec;
  const fs::perms now = fs::status(path, ec).permissions();
  if (ec) return true;
  fs::perms run = fs::perms::none;
  if ((now & fs::perms::owner_read) != fs::perms::none) run |= fs::perms::owner_exec;
  if ((now & fs::perms::group_read) != fs::perms::none) run |= fs::perms::group_exec;
  if ((now & fs::perms::others_read) != fs::perms::none) run |= fs::perms::others_exec;
  fs::permissions(path, run, fs::perm_options::add, ec);
  return true;
}

}  // namespace companions
