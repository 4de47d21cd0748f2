#include "app/shared/SaveReport.h"

#include <cerrno>
#include <system_error>

#include "app/shared/App.h"
#include "core/Text.h"
#include "core/WriteFailure.h"
#include "i18n/Messages.h"

namespace app {
namespace {

// Why a write failed, in words a teacher can act on, in the teacher's language.
const i18n::Message& Reason(const fs::path& path, int error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return i18n::msg::kFolderInTheWay;
  if (!fs::is_directory(path.parent_path(), ec)) return i18n::msg::kNoProgramFolder;
  switch (core::WriteFailureOf(error)) {
    case core::WriteFailure::NoPermission:
      return i18n::msg::kNoWritePermission;
    case core::WriteFailure::ReadOnlyDisk:
      return i18n::msg::kReadOnlyDisk;
    case core::WriteFailure::DiskFull:
      return i18n::msg::kDiskFull;
    case core::WriteFailure::InUse:
      return i18n::msg::kFileInUse;
    case core::WriteFailure::PathTooLong:
      return i18n::msg::kPathTooLong;
    case core::WriteFailure::Unknown:
      return i18n::msg::kUnknownError;
    case core::WriteFailure::Other:
      break;
  }
  return i18n::msg::kSystemError;
}

}  // namespace

SaveReport::SaveReport(App& app, std::optional<ui::WindowId> owner) : app_(app), owner_(owner) {}

bool SaveReport::Write(std::string_view name, std::string_view bytes) {
  errno = 0;
  if (app_.files.Write(name, bytes)) return true;
  Failed(name);
  return false;
}

bool SaveReport::Delete(std::string_view name) {
  errno = 0;
  if (app_.files.Delete(name) || !app_.files.Exists(name)) return true;
  Failed(name);
  return false;
}

void SaveReport::Failed(std::string_view name) {
  const int error = errno;
  const std::string reason =
      i18n::Say(app_.language, Reason(app_.files.Path(name), error), {text::FromInt(error)});
  failures_.push_back(i18n::Say(app_.language, i18n::msg::kCannotSaveFile, {name, reason}));
}

void SaveReport::Finish() {
  if (failures_.empty()) return;
  std::string message;
  for (const std::string& line : failures_) {
    if (!message.empty()) message += "\r\n";
    message += line;
  }
  failures_.clear();
  app_.ui.ShowMessage(owner_, message, i18n::Say(app_.language, i18n::msg::kSaveFailedTitle));
}

}  // namespace app
