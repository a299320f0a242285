#include <gtest/gtest.h>

#include <string>

#include "ui/MessageGeometry.h"

TEST(MessageGeometry, DialogUnitsTruncateTheAverageLetterWidth) {
  EXPECT_EQ(std::string(kDialogUnitLetters).size(), 52u);
  const TDialogUnits u = DialogUnits(TSize{363, 13});  // 6.98 letters wide
  EXPECT_EQ(u.X, 6);
  EXPECT_EQ(u.Y, 13);
}

TEST(MessageGeometry, OneLineMessageWiderThanTheButton) {
  // X 6, Y 13: margins 12 and 13, spacing 16.25 -> 16, button 75 x 22.75 -> 23.
  const TMessageLayout l = LayoutMessageBox(TDialogUnits{6, 13}, 13, TSize{96, 13});
  EXPECT_EQ(l.HorzMargin, 12);
  EXPECT_EQ(l.VertMargin, 13);
  EXPECT_EQ(l.VertSpacing, 16);
  EXPECT_EQ(l.ButtonHeight, 23);
  EXPECT_EQ(l.ButtonWidth, 75);
  EXPECT_EQ(l.ClientWidth, 96 + 2 * 12);
  EXPECT_EQ(l.ClientHeight, 13 + 23 + 16 + 2 * 13);
  EXPECT_EQ(l.MessageRect, Bounds(12, 13, 96, 13));
  EXPECT_EQ(l.ButtonRect, Bounds((120 - 75) / 2, 13 + 13 + 16, 75, 23));
}

TEST(MessageGeometry, ShortMessageTakesTheButtonWidthAndRoundsHalvesUp) {
  // X 7: button MulDiv(50, 7, 4) = 87.5 -> 88, margin 14; Y 12: spacing 15, height 21.
  const TMessageLayout l = LayoutMessageBox(TDialogUnits{7, 12}, 13, TSize{20, 12});
  EXPECT_EQ(l.ButtonWidth, 88);
  EXPECT_EQ(l.HorzMargin, 14);
  EXPECT_EQ(l.ClientWidth, 88 + 28);
  EXPECT_EQ(l.ButtonRect.Left, 14);  // centred under a text narrower than the button
  EXPECT_EQ(l.MessageRect, Bounds(14, 12, 20, 12));
  EXPECT_EQ(l.ClientHeight, 12 + 21 + 15 + 24);
}

TEST(MessageGeometry, LongCaptionWidensTheButton) {
  const TMessageLayout l = LayoutMessageBox(TDialogUnits{6, 13}, 100, TSize{50, 26});
  EXPECT_EQ(l.ButtonWidth, 108);
  EXPECT_EQ(l.ClientWidth, 108 + 24);
  EXPECT_EQ(l.ButtonRect, Bounds(12, 26 + 13 + 16, 108, 23));  // below the two text lines
}

TEST(MessageGeometry, ButtonCentringRoundsDown) {
  const TMessageLayout l = LayoutMessageBox(TDialogUnits{6, 13}, 13, TSize{101, 13});
  EXPECT_EQ(l.ClientWidth, 125);
  EXPECT_EQ(l.ButtonRect.Left, 25);  // (125 - 75) / 2
}

TEST(MessageGeometry, WindowIsCentredWithItsFrame) {
  EXPECT_EQ(MessageWrapWidth(1281), 640);
  // 120 x 78 client, 6 x 25 frame: 126 x 103 outer, halves 63 and 51.
  EXPECT_EQ(CenteredWindowRect(TSize{1280, 1024}, 120, 78, TSize{6, 25}), Bounds(640 - 63, 512 - 51, 126, 103));
  // Larger than an odd screen: both halves round toward zero.
  EXPECT_EQ(CenteredWindowRect(TSize{101, 51}, 200, 80, TSize{1, 1}), Bounds(50 - 100, 25 - 40, 201, 81));
}

TEST(MessageGeometry, SummaryListsCaptionMessageAndButtonsBetweenDividers) {
  const std::string d = "---------------------------\r\n";
  EXPECT_EQ(d.size(), 29u);
  // "\xE4\xAF\xC0\xC0..." is the box text of a failed web request in code page 936.
  const std::string message = "\xE4\xAF\xC0\xC0\xC6\xF7\xCE\xDE\xB7\xA8\xB6\xA8\xCE\xBB\xA1\xA3";
  EXPECT_EQ(MessageSummary("Title", message, {"OK"}),
            d + "Title\r\n" + d + message + "\r\n" + d + "OK   \r\n" + d);
  EXPECT_EQ(MessageSummary("", "two\r\nlines", {"&Yes", "&&No&"}),
            d + "\r\n" + d + "two\r\nlines\r\n" + d + "Yes   No   \r\n" + d);
}
