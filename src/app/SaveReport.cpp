#include "app/SaveReport.h"

#include <cerrno>
#include <system_error>

#include "app/App.h"
#include "core/Text.h"
#include "core/WriteFailure.h"

namespace app {
namespace {

// Why a write failed, in words a teacher can act on (GBK).
std::string Reason(const fs::path& path, int error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return text::Gbk("已有同名的文件夹");
  if (!fs::is_directory(path.parent_path(), ec)) return text::Gbk("程序所在的文件夹不存在");
  switch (core::WriteFailureOf(error)) {
    case core::WriteFailure::NoPermission:
      return text::Gbk("没有写入权限");
    case core::WriteFailure::ReadOnlyDisk:
      return text::Gbk("磁盘是只读的");
    case core::WriteFailure::DiskFull:
      return text::Gbk("磁盘空间不足");
    case core::WriteFailure::InUse:
      return text::Gbk("文件正在被使用");
    case core::WriteFailure::PathTooLong:
      return text::Gbk("路径太长");
    case core::WriteFailure::Unknown:
      return text::Gbk("未知错误");
    case core::WriteFailure::Other:
      break;
  }
  return text::Gbk("系统错误 ") + text::FromInt(error);
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
  static const std::string kCannotSave = text::Gbk("无法保存文件 ");
  static const std::string kColon = text::Gbk("：");
  failures_.push_back(kCannotSave + std::string(name) + kColon +
                      Reason(app_.files.Path(name), error));
}

void SaveReport::Finish() {
  if (failures_.empty()) return;
  static const std::string kTitle = text::Gbk("保存失败");
  static const std::string kEnd = text::Gbk("。");
  std::string message;
  for (const std::string& line : failures_) {
    if (!message.empty()) message += "\r\n";
    message += line + kEnd;
  }
  failures_.clear();
  app_.ui.ShowMessage(owner_, message, kTitle);
}

}  // namespace app
