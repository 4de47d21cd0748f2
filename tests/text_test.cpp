#include "core/Text.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>

#include "core/Gbk.h"
#include "support/TextLiterals.h"

using testing_support::G;

TEST(TextNumber, FullWidthFormsCountLikeAscii) {
  EXPECT_DOUBLE_EQ(text::ToNumber(G("１２．５")), 12.5);
  EXPECT_DOUBLE_EQ(text::ToNumber(G("　－３")), -3);  // ideographic space, full-width minus
  EXPECT_DOUBLE_EQ(text::ToNumber(G("＋７")), 7);
  EXPECT_EQ(text::NarrowFullWidth(G("～＊")), "~*");
  EXPECT_EQ(text::NarrowFullWidth("\xA1\xAB\xA1\xEE\xA1\xEF"), "~**");
  // Other double-byte characters pass through untouched.
  EXPECT_EQ(text::NarrowFullWidth(G("第一组")), G("第一组"));
}

TEST(TextNumber, ReadsTheLeadingNumberAsAtofDoes) {
  EXPECT_DOUBLE_EQ(text::ToNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(text::ToNumber(""), 0);
  EXPECT_DOUBLE_EQ(text::ToNumber("12abc"), 12);
  EXPECT_DOUBLE_EQ(text::ToNumber("  \t7.5"), 7.5);
  EXPECT_DOUBLE_EQ(text::ToNumber("-1e2x"), -100);
  EXPECT_DOUBLE_EQ(text::ToNumber("2.8\r\n"), 2.8);
  EXPECT_DOUBLE_EQ(text::ToNumber(std::string("5\0"
                                              "9",
                                              3)),
                   5);  // a zero byte ends the text
}

TEST(TextNumber, OnlyDecimalNumbersWhateverTheSystemsNumberFormat) {
  EXPECT_DOUBLE_EQ(text::ToNumber("0x10"), 0);
  EXPECT_DOUBLE_EQ(text::ToNumber("inf"), 0);
  EXPECT_DOUBLE_EQ(text::ToNumber("nan"), 0);
  EXPECT_DOUBLE_EQ(text::ToNumber("1e"), 1);  // an exponent needs digits
  EXPECT_DOUBLE_EQ(text::ToNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(text::ToNumber("5."), 5);
  EXPECT_DOUBLE_EQ(text::ToNumber("-."), 0);
  EXPECT_EQ(text::ToNumber("1e999"), HUGE_VAL);
  // A system format with a decimal comma changes nothing.
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "ru_RU.UTF-8")) {
    EXPECT_DOUBLE_EQ(text::ToNumber("2.8"), 2.8);
    EXPECT_EQ(text::FromDouble(2.5), "2.5");
  }
  std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(TextNumber, IntegersTruncateTowardZeroAndStayInRange) {
  EXPECT_EQ(text::ToInt("7.9"), 7);
  EXPECT_EQ(text::ToInt("-7.9"), -7);
  EXPECT_EQ(text::ToInt("30人"), 30);
  EXPECT_EQ(text::ToInt("1e20"), INT32_MAX);
  EXPECT_EQ(text::ToInt("-1e20"), INT32_MIN);
  EXPECT_EQ(text::ToInt("1e400"), INT32_MAX);
}

TEST(TextNumber, NumbersBecomeText) {
  EXPECT_EQ(text::FromInt(-42), "-42");
  EXPECT_EQ(text::FromInt(0), "0");
  EXPECT_EQ(text::FromDouble(3.0), "3");
  EXPECT_EQ(text::FromDouble(3.5), "3.5");
  EXPECT_EQ(text::FromDouble(-1.0), "-1");
  EXPECT_EQ(text::FromDouble(0.1 + 0.2), "0.3");
  EXPECT_EQ(text::FromDouble(1e15), "1e+15");
}

TEST(TextSplit, KeepsInnerEmptyFieldsAndDropsAnEmptyRest) {
  using V = std::vector<std::string>;
  EXPECT_EQ(text::SplitLines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
  EXPECT_EQ(text::SplitLines("a\r\nb"), (V{"a", "b"}));
  EXPECT_EQ(text::SplitLines("\r\n"), (V{""}));
  EXPECT_EQ(text::SplitLines(""), V{});
  // A lone LF is not a separator.
  EXPECT_EQ(text::SplitLines("a\nb"), V{"a\nb"});
}

TEST(TextSplit, NeverSplitsInsideADoubleByteCharacter) {
  // The separator's bytes appear across two characters: AA D2 | D2 BB.
  EXPECT_EQ(text::Split("\xAA\xD2\xD2\xBB", "\xD2\xD2"),
            std::vector<std::string>{"\xAA\xD2\xD2\xBB"});
  // A lead byte steps over the CR after it.
  EXPECT_EQ(text::SplitLines("\x81\r\nX"), std::vector<std::string>{"\x81\r\nX"});
  EXPECT_EQ(text::SplitLines(G("张三\r\n李四")), (std::vector<std::string>{G("张三"), G("李四")}));
}

TEST(TextGbk, LiteralsAndCharactersWithoutAGbkForm) {
  EXPECT_EQ(G("中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(G("日本语"), "\xC8\xD5\xB1\xBE\xD3\xEF");
  EXPECT_EQ(G("Русский"), "\xA7\xB2\xA7\xE5\xA7\xE3\xA7\xE3\xA7\xDC\xA7\xDA\xA7\xDB");
  EXPECT_EQ(G("a😀b中"), "a?b\xD6\xD0");
  EXPECT_EQ(core::GbkToUtf8("\xD6\xD0\xCE\xC4"), "中文");
}

// Both converters (the toolkit's and the Windows code page's) decode the same
// bytes alike; a lead byte without its trail is U+FFFD wherever it stands, and
// the byte after it is read on its own.
TEST(TextGbk, MalformedBytesDecodeAlikeOnEverySystem) {
  EXPECT_EQ(core::GbkToUtf8("A\x81"), "A\xEF\xBF\xBD");  // last in the text: not dropped
  EXPECT_EQ(core::GbkToUtf8("\x81\x7F"
                            "B"),
            "\xEF\xBF\xBD\x7F"
            "B");
  EXPECT_EQ(core::GbkToUtf8(std::string("\x81\0B", 3)), std::string("\xEF\xBF\xBD\0B", 5));
  EXPECT_EQ(core::GbkToUtf8("\x81\r\n"), "\xEF\xBF\xBD\r\n");
  EXPECT_EQ(core::GbkToUtf8("\x81\x30\x81"),
            "\xEF\xBF\xBD"
            "0\xEF\xBF\xBD");
  // The single bytes and pairs at the edges of the code page.
  EXPECT_EQ(core::GbkToUtf8("\x80"), "€");
  EXPECT_EQ(core::GbkToUtf8("\xFF"), "\xEF\xA3\xB5");  // U+F8F5
  EXPECT_EQ(core::GbkToUtf8("\x81\xFF"), "\xEF\xBF\xBD\xEF\xA3\xB5");
  EXPECT_EQ(core::GbkToUtf8("\x81\x81\x40"), "\xE4\xBA\x96@");  // U+4E96, then "@"
  EXPECT_EQ(core::GbkToUtf8("\xAA\xA1"), "\xEE\x80\x80");       // U+E000, user-defined area
  // No look-alike stands in for a character without a GBK form.
  EXPECT_EQ(G("ä½ﬁ"), "???");
  // A byte-order mark starts UTF-8 text and is no character of it; elsewhere
  // it is a character without a GBK form.
  EXPECT_EQ(G("\uFEFFab"), "ab");
  EXPECT_EQ(G("a\uFEFFb"), "a?b");
}
