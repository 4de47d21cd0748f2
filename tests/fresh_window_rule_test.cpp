#include <gtest/gtest.h>

#include "ui/FreshWindowRule.h"

namespace {

using ui::FreshWindowRule;

const int kMain = 0, kBox = 0, kOther = 0;
const FreshWindowRule::Key main_ = &kMain, box = &kBox, other = &kOther;

// A press and its release on a window at a time; whether each was taken.
std::pair<bool, bool> Click(FreshWindowRule& rule, FreshWindowRule::Key top,
                            FreshWindowRule::Time at) {
  const bool press = rule.TakesPress(top, at);
  return {press, rule.TakesRelease(top, at + 60)};
}

TEST(FreshWindowRuleTest, TheRestOfTheOpeningClickIsDroppedWholeAndOnlyOnTheNewWindow) {
  FreshWindowRule rule;
  // A double click on a button: the first click opens a box.
  EXPECT_EQ(Click(rule, main_, 1000), std::pair(true, true));
  rule.Opened(box);
  EXPECT_EQ(Click(rule, box, 1150), std::pair(false, false));
  EXPECT_EQ(Click(rule, other, 1200), std::pair(true, true)) << "other windows are not fresh";
  EXPECT_EQ(Click(rule, box, 1459), std::pair(false, false))
      << "the box opened after the input at 1060";
  EXPECT_EQ(Click(rule, box, 1460), std::pair(true, true));
  EXPECT_EQ(Click(rule, box, 1470), std::pair(true, true))
      << "the quiet time counts from the opening";

  // Times from before the opening come from another clock; times wrap.
  FreshWindowRule late;
  late.Input(5000);
  late.Opened(box);
  EXPECT_TRUE(late.TakesPress(box, 4000));
  FreshWindowRule wrapping;
  wrapping.Input(0xFFFFFF00u);
  wrapping.Opened(box);
  EXPECT_FALSE(wrapping.TakesPress(box, 0x50u));
}

TEST(FreshWindowRuleTest, AReleaseIsDroppedOnlyForTheLastPressWhenThatWasDropped) {
  FreshWindowRule rule;
  rule.Input(1000);
  rule.Opened(box);
  EXPECT_FALSE(rule.TakesPress(box, 1100));
  EXPECT_TRUE(rule.TakesRelease(other, 1150)) << "a release elsewhere is not the dropped one's";
  // The dropped press's release never came to the box: the teacher's next
  // click on it is taken whole.
  EXPECT_EQ(Click(rule, box, 2000), std::pair(true, true));

  // A key press tells the time too; a window gone and its key reused is new.
  rule.Input(3000);
  rule.Opened(other);
  rule.Forgotten(other);
  EXPECT_TRUE(rule.TakesPress(other, 3100));
  EXPECT_TRUE(rule.TakesRelease(other, 3150));
}

TEST(FreshWindowRuleTest, OnlyTheInnermostAnnouncedDialogIsGuarded) {
  FreshWindowRule rule;
  rule.Input(1000);
  rule.DialogOpening();
  EXPECT_TRUE(rule.TakesPress(other, 1100, false)) << "not a dialog";
  EXPECT_FALSE(rule.TakesPress(box, 1100, true));
  EXPECT_FALSE(rule.TakesRelease(box, 1150));
  rule.Input(5000);
  rule.DialogOpening();  // a dialog opened from the first one
  EXPECT_FALSE(rule.TakesPress(box, 5100, true));
  rule.DialogClosed();
  EXPECT_TRUE(rule.TakesPress(box, 5200, true)) << "the first dialog opened long ago";
  rule.DialogClosed();
  EXPECT_TRUE(rule.TakesPress(box, 1100, true));
}

}  // namespace
