#include "admin/NotSaved.h"

#include <string>

#include "app/App.h"
#include "app/Text.h"

namespace admin {

void TellNotSaved(app::App& app, ui::WindowId owner, std::string_view file) {
  static const std::string kCannotSave = text::Gbk("无法保存文件 "), kEnd = text::Gbk("。");
  static const std::string kTitle = text::Gbk("保存失败");
  app.ui.ShowMessage(owner, kCannotSave + std::string(file) + kEnd, kTitle);
}

}  // namespace admin
