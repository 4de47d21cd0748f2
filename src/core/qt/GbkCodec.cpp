#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "core/Gbk.h"
#include "core/GbkBytes.h"

namespace core {
namespace {

constexpr qsizetype kBlock = 64;  // characters per block when a text holds one without a GBK form

void Append(std::string& out, const QByteArray& bytes) {
  out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Whether an encoder's output for one character is a GBK form rather than a
// stand-in for a character it could not encode.
bool IsGbkForm(const QStringEncoder& encoder, const QByteArray& bytes) {
  return !encoder.hasError() && !bytes.isEmpty() && bytes != "?" && !bytes.contains('\x1a');
}

// A character without a GBK form becomes "?" and leaves the rest intact.
// Converters differ in what they put in its place, so the text is encoded
// whole by one converter, and only when that converter reports such a
// character are the blocks that hold one done again, those character by
// character.
std::string ToGbk(const QString& text) {
  QStringEncoder whole("GBK", QStringConverter::Flag::Stateless);
  const QByteArray bytes = whole.encode(text);
  if (!whole.hasError())
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));

  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()) * 2);
  for (qsizetype start = 0; start < text.size();) {
    qsizetype end = std::min(start + kBlock, text.size());
    if (end < text.size() && text.at(end - 1).isHighSurrogate()) ++end;  // keep a pair together
    const QStringView block = QStringView(text).sliced(start, end - start);
    start = end;
    QStringEncoder blockEncoder("GBK", QStringConverter::Flag::Stateless);
    const QByteArray blockBytes = blockEncoder.encode(block);
    if (!blockEncoder.hasError()) {
      Append(out, blockBytes);
      continue;
    }
    for (qsizetype i = 0; i < block.size();) {
      const qsizetype len = (block.at(i).isHighSurrogate() && i + 1 < block.size()) ? 2 : 1;
      const QStringView piece = block.sliced(i, len);
      i += len;
      if (len == 1 && piece.at(0).unicode() < 0x80) {
        out += static_cast<char>(piece.at(0).unicode());
        continue;
      }
      QStringEncoder one("GBK", QStringConverter::Flag::Stateless);
      const QByteArray pieceBytes = one.encode(piece);
      if (IsGbkForm(one, pieceBytes)) {
        Append(out, pieceBytes);
      } else {
        out += '?';
      }
    }
  }
  return out;
}

}  // namespace

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
  return ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  return ToGbk(QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size())));
}

}  // namespace core
