#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/Gbk.h"
#include "core/GbkBytes.h"

namespace core {

std::string GbkToUtf8(std::string_view gbk) {
  QStringDecoder decoder("GBK");
  QString text = decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
  // The decoder keeps a lead byte at the very end for a trail that never
  // comes; it is malformed like any other lead byte without its trail.
  std::size_t i = 0;
  while (i < gbk.size()) {
    const std::size_t length = GbkCharLength(gbk.substr(i));
    if (length == 0 && i + 1 == gbk.size()) text += QChar(QChar::ReplacementCharacter);
    i += length == 0 ? 1 : length;
  }
  return text.toStdString();
}

std::string Utf8ToGbk(std::string_view utf8) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  // Encoded one character (or surrogate pair) at a time, so that a character
  // without a GBK form becomes "?" and leaves the rest of the text intact.
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()) * 2);
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    const QStringView piece = QStringView(text).mid(i, len);
    i += len;
    if (piece.size() == 1 && piece.at(0).unicode() < 0x80) {
      out += static_cast<char>(piece.at(0).unicode());
      continue;
    }
    QStringEncoder one("GBK", QStringConverter::Flag::Stateless);
    const QByteArray bytes = one.encode(piece);
    if (one.hasError() || bytes.isEmpty() || bytes == "?" || bytes.contains('\x1a')) {
      out += '?';
    } else {
      out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
  }
  return out;
}

}  // namespace core
