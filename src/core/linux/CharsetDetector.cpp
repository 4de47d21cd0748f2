// IsConfidentlyUtf8 on ICU's charset detection, converters and script data.
#include "core/CharsetDetector.h"

#include <unicode/ucnv.h>
#include <unicode/ucsdet.h>
#include <unicode/uscript.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace core {
namespace {

// The detector reads a sample this long, cut at a line end: enough for its
// statistics, and it keeps a draw from a huge list quick.
constexpr std::size_t kSampleSize = 16 * 1024;
// ICU's UTF-8 confidence: 100 for more than a few well-formed multi-byte
// sequences and no malformed one; 80 for one to three and no malformed one.
constexpr int kSure = 100;
constexpr int kWellFormedButShort = 80;

struct CloseDetector {
  void operator()(UCharsetDetector* d) const { ucsdet_close(d); }
};
struct CloseConverter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};

// From the line of the first non-ASCII byte, so that a long ASCII head does not
// leave the detector nothing to judge.
std::string_view Sample(std::string_view bytes) {
  const auto firstHigh = std::find_if(bytes.begin(), bytes.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  const std::size_t lineStart =
      bytes.rfind('\n', static_cast<std::size_t>(firstHigh - bytes.begin()));
  if (lineStart != std::string_view::npos) bytes.remove_prefix(lineStart + 1);
  if (bytes.size() <= kSampleSize) return bytes;
  const std::size_t lineEnd = bytes.rfind('\n', kSampleSize);
  return bytes.substr(0, lineEnd == std::string_view::npos ? kSampleSize : lineEnd + 1);
}

// The detector's confidence (0 to 100) that the bytes are UTF-8.
int Utf8Confidence(std::string_view bytes) {
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<UCharsetDetector, CloseDetector> detector(ucsdet_open(&error));
  if (U_FAILURE(error)) return 0;
  ucsdet_setText(detector.get(), bytes.data(), static_cast<int32_t>(bytes.size()), &error);
  int32_t count = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &error);
  if (U_FAILURE(error)) return 0;
  for (int32_t i = 0; i < count; ++i) {
    const char* name = ucsdet_getName(matches[i], &error);
    if (U_SUCCESS(error) && std::strcmp(name, "UTF-8") == 0)
      return ucsdet_getConfidence(matches[i], &error);
  }
  return 0;
}

// Whether all the bytes are well-formed UTF-8 whose every character has a
// GBK form.
bool IsGbkWritableUtf8(std::string_view bytes) {
  if (bytes.size() > INT32_MAX / 2) return false;
  const auto length = static_cast<int32_t>(bytes.size());
  std::u16string utf16(bytes.size(), u'\0');
  int32_t utf16Length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8(reinterpret_cast<UChar*>(utf16.data()), length, &utf16Length, bytes.data(), length,
                &error);
  if (U_FAILURE(error)) return false;  // malformed

  std::unique_ptr<UConverter, CloseConverter> gbk(ucnv_open("GBK", &error));
  ucnv_setFromUCallBack(gbk.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  if (U_FAILURE(error)) return false;
  std::string out(static_cast<std::size_t>(utf16Length) * 2 + 16, '\0');
  ucnv_fromUChars(gbk.get(), out.data(), static_cast<int32_t>(out.size()),
                  reinterpret_cast<const UChar*>(utf16.data()), utf16Length, &error);
  return U_SUCCESS(error);
}

// Whether the text's non-ASCII characters (ASCII reads the same either way)
// are Chinese characters, with punctuation, but no letters of another script.
bool ReadsAsChinese(std::string_view utf8) {
  bool han = false;
  const auto length = static_cast<int32_t>(utf8.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(utf8.data(), i, length, c);
    if (c >= 0 && c < 0x80) continue;
    UErrorCode error = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(c, &error);
    if (script == USCRIPT_HAN) {
      han = true;
    } else if (script != USCRIPT_COMMON && script != USCRIPT_INHERITED) {
      return false;
    }
  }
  return han;
}

}  // namespace

bool IsConfidentlyUtf8(std::string_view bytes) {
  const std::string_view sample = Sample(bytes);
  const int confidence = Utf8Confidence(sample);
  if (confidence < kWellFormedButShort || !IsGbkWritableUtf8(bytes)) return false;
  return confidence >= kSure || ReadsAsChinese(sample);
}

}  // namespace core
