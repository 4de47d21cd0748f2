#include "ui/qt/Fonts.h"

#include <QApplication>
#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>

#include "core/ResourceFile.h"

namespace ui::qt {
namespace {

struct Families {
  QString regular;
  QString light;
  FontFaces faces;  // as registered
};

Families& RegisteredFamilies() {
  static Families families;
  return families;
}

QString AddFace(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int id = QFontDatabase::addApplicationFontFromData(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  const QStringList names = QFontDatabase::applicationFontFamilies(id);
  return names.isEmpty() ? QString() : names.first();
}

}  // namespace

void RegisterFaces(const FontFaces& faces) {
  Families& families = RegisteredFamilies();
  families.faces = faces;
  families.regular = AddFace(faces.regular);
  AddFace(faces.bold);
  families.light = AddFace(faces.light);
  if (families.light.isEmpty()) families.light = families.regular;
}

bool RegisterFontFile(const std::string& nativePath) {
  // The faces are set once, before the first window; only read here.
  const FontFaces& faces = RegisteredFamilies().faces;
  for (std::string_view face : {faces.regular, faces.light, faces.bold}) {
    if (face.empty() || !core::HoldsExactly(nativePath, face)) continue;
    core::ReleaseResourcePages(face);
    return true;
  }
  return QFontDatabase::addApplicationFont(QString::fromStdString(nativePath)) != -1;
}

QFont MakeFont(const Font& decl) {
  QFont font = QApplication::font();
  const Families& families = RegisteredFamilies();
  if (decl.face == Face::WenKai && !families.regular.isEmpty()) {
    font.setFamilies({families.regular});
  } else if (decl.face == Face::WenKaiLight && !families.light.isEmpty()) {
    font.setFamilies({families.light});
  }
  if (decl.px > 0) font.setPixelSize(decl.px);
  font.setWeight(static_cast<QFont::Weight>(decl.weight));
  font.setItalic(decl.italic);
  return font;
}

}  // namespace ui::qt
