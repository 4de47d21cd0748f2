#include "ui/qt/Fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include <QApplication>
#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>
#include <list>
#include <set>
#include <string>
#include FT_FREETYPE_H

#include "core/FileStore.h"
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

// The family names of the faces, read from their headers alone.
std::set<std::string> FamilyNames(const FontFaces& faces) {
  std::set<std::string> names;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return names;
  for (std::string_view bytes : {faces.regular.bytes, faces.light.bytes, faces.bold.bytes}) {
    FT_Face face = nullptr;
    if (bytes.empty() || FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.data()),
                                            static_cast<FT_Long>(bytes.size()), 0, &face) != 0) {
      continue;
    }
    if (face->family_name) names.insert(face->family_name);
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return names;
}

// Text for an XML string element.
std::string XmlText(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

FontFaces ReadFacesFromCopies(const FontFaces& faces) {
  static std::list<std::string> read;
  FontFaces all = faces;
  for (FontFace* face : {&all.regular, &all.light, &all.bold}) {
    if (!face->bytes.empty() || face->copy.empty()) continue;
    std::string bytes = core::FileStore::ReadFileBytes(face->copy);
    if (core::DigestOf(bytes) != face->digest) continue;
    face->bytes = read.emplace_back(std::move(bytes));
  }
  return all;
}

void KeepInstalledCopiesOut(const FontFaces& faces) {
  const std::set<std::string> families = FamilyNames(faces);
  if (families.empty()) return;
  std::string rules = "<?xml version=\"1.0\"?><fontconfig><selectfont><rejectfont>";
  for (const std::string& family : families) {
    rules += "<pattern><patelt name=\"family\"><string>" + XmlText(family) +
             "</string></patelt></pattern>";
  }
  rules += "</rejectfont></selectfont></fontconfig>";
  FcConfig* config = FcInitLoadConfig();
  if (!config) return;
  if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.c_str()),
                                      FcFalse) ||
      !FcConfigBuildFonts(config) || !FcConfigSetCurrent(config)) {
    FcConfigDestroy(config);
  }
}

void RegisterFaces(const FontFaces& faces) {
  Families& families = RegisteredFamilies();
  families.faces = faces;
  families.regular = AddFace(faces.regular.bytes);
  AddFace(faces.bold.bytes);
  families.light = AddFace(faces.light.bytes);
  if (families.light.isEmpty()) families.light = families.regular;
}

bool RegisterFontFile(const std::filesystem::path& fontFile) {
  // The faces are set once, before the first window; only read here.
  const FontFaces& faces = RegisteredFamilies().faces;
  for (std::string_view face : {faces.regular.bytes, faces.light.bytes, faces.bold.bytes}) {
    if (face.empty() || !core::HoldsExactly(fontFile, face)) continue;
    core::ReleaseResourcePages(face);
    return true;
  }
  return QFontDatabase::addApplicationFont(QString::fromStdString(fontFile.string())) != -1;
}

QFont MakeFont(const Font& decl) {
  QFont font = QApplication::font();
  const Families& families = RegisteredFamilies();
  if (decl.face == Face::WenKai && !families.regular.isEmpty()) {
    font.setFamilies({families.regular});
  } else if (decl.face == Face::WenKaiLight && !families.light.isEmpty()) {
    font.setFamilies({families.light});
  }
  if (decl.face == Face::WenKai || decl.face == Face::WenKaiLight) {
    // The faces carry no hinting of their own, so hinting means the automatic
    // hinter, which studies each face of some 29,000 glyphs before its first
    // glyph: milliseconds at every start, for no difference one can see in a
    // brush-drawn face at these sizes.
    font.setHintingPreference(QFont::PreferNoHinting);
  }
  if (decl.px > 0) font.setPixelSize(decl.px);
  font.setWeight(static_cast<QFont::Weight>(decl.weight));
  font.setItalic(decl.italic);
  return font;
}

}  // namespace ui::qt
