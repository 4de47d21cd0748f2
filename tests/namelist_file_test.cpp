#include "draw/NameListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(NameListFile, Utf8FilesBecomeGbk) {
  EXPECT_EQ(NamesOfFile("\xEF\xBB\xBF赵\r\n钱\r\n"),
            (Names{G("赵"), G("钱")}));                         // with a byte-order mark
  EXPECT_EQ(NamesOfFile("赵\n钱"), (Names{G("赵"), G("钱")}));  // without one
  EXPECT_EQ(NamesOfFile("\xEF\xBB\xBF"
                        "Anna\r\nBob"),
            (Names{"Anna", "Bob"}));
  // GBK bytes that are not valid UTF-8 stay as they are.
  EXPECT_EQ(NamesOfFile(G("张三\r\n李四")), (Names{G("张三"), G("李四")}));
}

TEST(NameListFile, Utf8Validity) {
  EXPECT_TRUE(draw::IsValidUtf8("plain"));
  EXPECT_TRUE(draw::IsValidUtf8("张三 Привет 😀"));
  EXPECT_FALSE(draw::IsValidUtf8(G("张三")));
  EXPECT_FALSE(draw::IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(draw::IsValidUtf8("\xE0\x80\xAF"));      // overlong
  EXPECT_FALSE(draw::IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(draw::IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(draw::IsValidUtf8("\xE5\xBC"));          // cut short
}

}  // namespace
