#include <gtest/gtest.h>

#include "controls/editors/cxContainerLayout.h"

TEST(EditFrame, KindGivesTheBorderAndHotTrackingRaisesIt) {
  EXPECT_EQ(DefaultBorderStyle(lfFlat), cbsFlat);
  EXPECT_EQ(DefaultBorderStyle(lfStandard), cbs3D);
  EXPECT_EQ(DefaultBorderStyle(lfUltraFlat), cbsUltraFlat);
  const TcxContainerBorderStyle idle[] = {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsSingle};
  const TcxContainerBorderStyle hot[] = {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsSingle};
  for (int s = cbsNone; s <= cbsUltraFlat; ++s) {
    EXPECT_EQ(FrameStyleFor(static_cast<TcxContainerBorderStyle>(s), false), idle[s]) << s;
    EXPECT_EQ(FrameStyleFor(static_cast<TcxContainerBorderStyle>(s), true), hot[s]) << s;
  }
  // Whatever the frame, it fits the fixed extent.
  for (int s = cbsNone; s <= cbsUltraFlat; ++s)
    EXPECT_LE(BorderWidth(static_cast<TcxContainerBorderStyle>(s)), kHotTrackBorderExtent);
  EXPECT_EQ(BorderWidth(cbsFlat), 2);
  EXPECT_EQ(BorderWidth(cbsSingle), 1);
}

TEST(EditLayout, EntryBoxesAre21HighWithTheInnerEditClippedToTheContent) {
  EXPECT_EQ(TextEditAutoHeight(13, kHotTrackBorderExtent), 21);
  EXPECT_EQ(TextEditAutoHeight(0, kHotTrackBorderExtent), 4);
  // A 33 x 21 box: content (2, 2, 31, 19), inner edit at (3, 3), 28 x 17, one row cut off.
  const TRect content{2, 2, 31, 19};
  const TRect inner = InnerEditBounds(content, 13);
  EXPECT_EQ(inner, Bounds(3, 3, 28, 17));
  EXPECT_EQ(InnerEditClip(inner, content), (TRect{0, 0, 28, 16}));
  EXPECT_EQ(InnerEditClip(Bounds(3, 3, 28, 10), content), std::nullopt);
  EXPECT_EQ(InnerEditClip(Bounds(0, 1, 40, 10), content), (TRect{2, 1, 31, 10}));
}
