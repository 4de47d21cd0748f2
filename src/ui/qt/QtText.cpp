#include "ui/qt/QtText.h"

#include "core/Gbk.h"

namespace ui::qt {

QString FromGbk(std::string_view gbk) {
  return QString::fromStdString(core::GbkToUtf8(gbk));
}

std::string ToGbk(const QString& text) {
  return core::Utf8ToGbk(text.toStdString());
}

QString ForDisplay(const QString& caption) {
  QString shown = caption;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace ui::qt
