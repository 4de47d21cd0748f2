#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Gbk.h"
#include "draw/NameListFile.h"
#include "support/NameCorpus.h"
#include "support/TextLiterals.h"

namespace {

using draw::NamesOfFile;
using testing_support::G;
using Names = std::vector<std::string>;

TEST(NameListFile, CrLfFilesKeepTheirLines) {
  EXPECT_EQ(NamesOfFile(G("甲\r\n\r\n丙\r\n")),
            (Names{G("甲"), "", G("丙")}));  // trailing CR LF adds nothing
  EXPECT_EQ(NamesOfFile(G("甲\r\n乙")), (Names{G("甲"), G("乙")}));
  EXPECT_EQ(NamesOfFile("\r\n\r\n"), (Names{"", ""}));
  EXPECT_EQ(NamesOfFile(""), Names{});
}

TEST(NameListFile, LoneLfLineEndsSplitToo) {
  EXPECT_EQ(NamesOfFile(G("甲\n\n丙\n")), (Names{G("甲"), "", G("丙")}));
  EXPECT_EQ(NamesOfFile(G("甲\r\n乙\n丙")), (Names{G("甲"), G("乙"), G("丙")}));
  EXPECT_EQ(NamesOfFile("\n"), (Names{""}));
}

TEST(NameListFile, EveryEncodingBecomesGbk) {
  const Names zhaoQian{G("赵"), G("钱")};
  EXPECT_EQ(NamesOfFile("\xEF\xBB\xBF赵\r\n钱\r\n"), zhaoQian);  // UTF-8 with a byte-order mark
  EXPECT_EQ(NamesOfFile("赵\n钱"), zhaoQian);                    // and without one
  EXPECT_EQ(NamesOfFile("\xEF\xBB\xBF"
                        "Anna\r\nBob"),
            (Names{"Anna", "Bob"}));
  // GBK that is also well-formed UTF-8 stays GBK: read as UTF-8 it would be
  // U+05A3 U+00B7, announced as "?·".
  EXPECT_EQ(NamesOfFile(G("郑路")), Names{G("郑路")});
  EXPECT_EQ(NamesOfFile(G("郑路\r\n郑路\r\n")), (Names{G("郑路"), G("郑路")}));
  EXPECT_EQ(NamesOfFile(G("张三\r\n李四")), (Names{G("张三"), G("李四")}));
  // UTF-16 with a byte-order mark, little- and big-endian; the text ends at a
  // zero character, and a character GBK cannot hold becomes "?".
  const std::u16string utf16 = u"赵\r\n钱\n😀孙\r\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (const char16_t unit : utf16 + u'\0' + u"李") {
    le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  const Names expected{G("赵"), G("钱"), "?" + G("孙")};
  EXPECT_EQ(NamesOfFile(le), expected);
  EXPECT_EQ(NamesOfFile(be), expected);
}

// Every name made of the common surnames and given-name characters, as GBK
// and as UTF-8, alone in a list and in lists of 40, reads back as written.
// All two-character names, and an even sample of the three-character ones
// (tools/brevant-draw-bench --corpus reads them all).
TEST(NameListFile, GeneratedNamesAreNeverMisread) {
  const testing_support::NameCorpus corpus;
  std::vector<std::size_t> picked;
  for (std::size_t i = 0; i < corpus.TwoCharacterCount(); ++i) picked.push_back(i);
  for (std::size_t i = corpus.TwoCharacterCount(); i < corpus.Count(); i += 997)
    picked.push_back(i);

  std::vector<std::string> misread;
  auto check = [&](const std::string& bytes, const Names& names) {
    const bool read = NamesOfFile(bytes) == names;
    if (!read && misread.size() < 10) misread.push_back(core::GbkToUtf8(names.front()));
    return read;
  };
  int misreads = 0;
  std::string gbkList, utf8List;
  Names listNames;
  for (const std::size_t index : picked) {
    const std::string utf8 = corpus.Name(index), gbk = core::Utf8ToGbk(utf8);
    misreads += !check(gbk, {gbk}) + !check(utf8, {gbk});
    gbkList += gbk + "\r\n";
    utf8List += utf8 + "\n";
    listNames.push_back(gbk);
    if (listNames.size() == 40) {
      misreads += !check(gbkList, listNames) + !check(utf8List, listNames);
      gbkList.clear(), utf8List.clear(), listNames.clear();
    }
  }
  EXPECT_EQ(misreads, 0) << testing::PrintToString(misread);
}

TEST(GbkConversion, OnlyCharactersWithoutAGbkFormBecomeQuestionMarks) {
  // A long text, so that the characters without a GBK form sit in different
  // parts of it, one of them where a pair of surrogates may be cut.
  std::string utf8, gbk;
  for (int i = 0; i < 300; ++i) {
    const bool unheld = i == 5 || i == 63 || i == 64 || i == 200;
    utf8 += unheld ? (i == 63 ? "😀" : "\u05A3") : (i % 2 ? "张" : "a");
    gbk += unheld ? "?" : (i % 2 ? G("张") : "a");
  }
  EXPECT_EQ(core::Utf8ToGbk(utf8), gbk);
  EXPECT_EQ(core::Utf8ToGbk("丽·ü€"), "\xC0\xF6\xA1\xA4\xA8\xB9\x80");  // no error: one pass
}

}  // namespace
