#include <gtest/gtest.h>

#include <array>

#include "controls/editors/cxContainerLayout.h"

namespace {

// The main window's boxes: 33 x 21, flat, everything else at its default.
TcxContainerViewParams EntryBox() {
  TcxContainerViewParams p;
  p.Width = 33;
  p.Height = 21;
  p.BorderStyle = cbsFlat;
  return p;
}

}  // namespace

TEST(EditFrame, KindGivesTheBorderAndTheHotIndexMapsIt) {
  EXPECT_EQ(DefaultBorderStyle(fkFlat), cbsFlat);
  EXPECT_EQ(DefaultBorderStyle(fkStandard), cbs3D);
  EXPECT_EQ(DefaultBorderStyle(fkUltraFlat), cbsUltraFlat);
  const TcxContainerBorderStyle idle[] = {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsSingle};
  const TcxContainerBorderStyle hot[] = {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsSingle};
  const int widths[] = {0, 1, 2, 2, 2, 1};
  for (int s = cbsNone; s <= cbsUltraFlat; ++s) {
    const auto style = static_cast<TcxContainerBorderStyle>(s);
    EXPECT_EQ(MapFrameStyle(style, 0), idle[s]) << s;
    EXPECT_EQ(MapFrameStyle(style, 1), idle[s]) << s;
    EXPECT_EQ(MapFrameStyle(style, 2), hot[s]) << s;
    EXPECT_EQ(BorderWidth(style), widths[s]) << s;
  }
}

TEST(EditFrame, ExtentIsTwoWhileHotTrackedOrTransparentElseTheBordersWidthPlusShadow) {
  EXPECT_EQ(BorderExtent(cbsSingle, true, false, false, false), (TRect{2, 2, 2, 2}));
  EXPECT_EQ(BorderExtent(cbsSingle, false, true, false, false), (TRect{2, 2, 2, 2}));
  EXPECT_EQ(BorderExtent(cbsSingle, false, false, false, false), (TRect{1, 1, 1, 1}));
  EXPECT_EQ(BorderExtent(cbsNone, false, false, false, false), (TRect{0, 0, 0, 0}));
  EXPECT_EQ(BorderExtent(cbsSingle, false, false, true, false), (TRect{1, 1, 4, 4}));
  EXPECT_EQ(BorderExtent(cbsSingle, false, false, true, true), (TRect{1, 1, 1, 1}));

  // Switching hot tracking on moves the content (the hosted control) in by one pixel.
  TcxContainerViewParams p = EntryBox();
  p.BorderStyle = cbsSingle;
  p.HotTrack = false;
  p.TransparentBorder = false;
  EXPECT_EQ(CalculateContainerView(p).ContentRect, (TRect{1, 1, 32, 20}));
  p.HotTrack = true;
  EXPECT_EQ(CalculateContainerView(p).ContentRect, (TRect{2, 2, 31, 19}));
  // An editor keeps 2 when themed, a plain container drops the shadow only.
  p.UseTheme = true;
  p.ThemedExtentIsTwo = true;
  p.HotTrack = false;
  EXPECT_EQ(ContainerBorderExtent(p), (TRect{2, 2, 2, 2}));
}

TEST(EditFrame, ViewInfoOfTheEntryBoxesIdleHotFocusedAndDisabled) {
  TcxContainerViewParams p = EntryBox();
  TcxContainerViewFields v = CalculateContainerView(p);
  EXPECT_EQ(v.State, StateNormal);
  EXPECT_EQ(v.HotIndex, 1);
  EXPECT_EQ(v.FrameStyle, cbsFlat);
  EXPECT_EQ(v.FrameWidth, 2);
  EXPECT_EQ(v.OuterRect, (TRect{0, 0, 33, 21}));
  EXPECT_EQ(v.FrameInner, (TRect{2, 2, 31, 19}));
  EXPECT_EQ(v.ContentRect, v.FrameInner);
  EXPECT_EQ(v.BackColor, clWindow);
  EXPECT_EQ(FrameOuter(v), v.OuterRect);

  p.Hot = true;
  v = CalculateContainerView(p);
  EXPECT_EQ(v.State, StateNormal | StateHot);
  EXPECT_EQ(v.HotIndex, 2);
  EXPECT_EQ(v.FrameStyle, cbs3D);
  EXPECT_EQ(v.FrameInner, (TRect{2, 2, 31, 19}));  // the extent never changes

  p.Hot = false;
  p.Focused = true;
  v = CalculateContainerView(p);
  EXPECT_EQ(v.State, StateActive);
  EXPECT_EQ(v.FrameStyle, cbs3D);

  p.Enabled = false;
  p.Hot = true;
  v = CalculateContainerView(p);
  EXPECT_EQ(v.State, StateDisabled);
  EXPECT_EQ(v.FrameStyle, cbsFlat);
  EXPECT_EQ(v.BackColor, clBtnFace);

  // Without hot tracking the hot index is 0 and nothing lights.
  p = EntryBox();
  p.HotTrack = false;
  p.Hot = true;
  EXPECT_EQ(CalculateContainerView(p).HotIndex, 0);
  EXPECT_EQ(CalculateContainerView(p).FrameStyle, cbsFlat);
}

TEST(EditFrame, UltraFlatColourFollowsTheStateAndOtherBordersTakeTheStylesColour) {
  TcxContainerViewParams p = EntryBox();
  p.BorderStyle = cbsUltraFlat;
  EXPECT_EQ(CalculateContainerView(p).FrameColor, clBtnShadow);
  EXPECT_EQ(CalculateContainerView(p).FrameStyle, cbsSingle);
  p.Hot = true;
  EXPECT_EQ(CalculateContainerView(p).FrameColor, clHighlight);
  p.HotTrack = false;  // hot, but not tracked
  EXPECT_EQ(CalculateContainerView(p).FrameColor, clBtnShadow);
  p.Focused = true;
  EXPECT_EQ(CalculateContainerView(p).FrameColor, clHighlight);
  p.DesignTime = true;
  p.Enabled = false;
  EXPECT_EQ(CalculateContainerView(p).FrameColor, clBtnShadow);
  p.Enabled = true;
  EXPECT_EQ(CalculateContainerView(p).FrameColor, clHighlight);
  EXPECT_EQ(CalculateContainerView(p).State, StateNormal);  // never hot or active at design time

  p = EntryBox();
  p.BorderStyle = cbsSingle;
  p.BorderColor = 0x123456;
  EXPECT_EQ(CalculateContainerView(p).FrameColor, 0x123456);
}

TEST(EditFrame, ThemedStatesAndColours) {
  TcxContainerViewParams p = EntryBox();
  p.UseTheme = true;
  p.Shadow = true;
  p.ControlColor = 0x00FF00;
  p.ThemeDisabledColor = 0x0000FF;
  TcxContainerViewFields v = CalculateContainerView(p);
  EXPECT_TRUE(v.UseTheme);
  EXPECT_FALSE(v.DrawShadow);
  EXPECT_EQ(v.ThemeState, 1);
  EXPECT_EQ(v.BackColor, 0x00FF00);
  p.Hot = true;
  EXPECT_EQ(CalculateContainerView(p).ThemeState, 2);
  p.Focused = true;
  EXPECT_EQ(CalculateContainerView(p).ThemeState, 5);
  p.Enabled = false;
  EXPECT_EQ(CalculateContainerView(p).ThemeState, 4);
  EXPECT_EQ(CalculateContainerView(p).BackColor, 0x0000FF);
}

TEST(EditFrame, HotAreaRegionAndShadowBands) {
  const TRect outer{0, 0, 33, 21};
  // Flat boxes: the whole control.
  EXPECT_EQ(HotArea(outer, TRect{2, 2, 2, 2}, 2, kAllEdges, false), outer);
  // A single line inside the fixed extent: one pixel in; sides without a frame stay in.
  EXPECT_EQ(HotArea(outer, TRect{2, 2, 2, 2}, 1, kAllEdges, false), (TRect{1, 1, 32, 20}));
  EXPECT_EQ(HotArea(outer, TRect{2, 2, 2, 2}, 1, kEdgeLeft | kEdgeTop, false), (TRect{1, 1, 31, 19}));
  EXPECT_EQ(HotArea(outer, TRect{2, 2, 5, 5}, 1, kAllEdges, true), outer);

  EXPECT_EQ(ContainerRegionRects(outer, TRect{2, 2, 2, 2}, 1, kAllEdges, false, false),
            (std::vector<TRect>{TRect{1, 1, 32, 20}}));
  EXPECT_EQ(ContainerRegionRects(outer, TRect{2, 2, 5, 5}, 2, kAllEdges, true, false),
            (std::vector<TRect>{TRect{0, 0, 30, 18}, TRect{3, 3, 33, 21}}));
  EXPECT_TRUE(ContainerRegionRects(outer, TRect{2, 2, 2, 2}, 2, kAllEdges, false, true).empty());

  const TcxShadowBands b = ShadowBands(TRect{0, 0, 30, 18});
  EXPECT_EQ(b.BottomFill, (TRect{3, 18, 30, 21}));
  EXPECT_EQ(b.BottomExclude, (TRect{0, 18, 30, 21}));
  EXPECT_EQ(b.RightFill, (TRect{30, 3, 33, 21}));
  EXPECT_EQ(b.RightExclude, (TRect{30, 0, 33, 21}));

  // The frame is drawn around FrameInner, widened on the right and bottom only where framed.
  TcxContainerViewFields v;
  v.FrameInner = TRect{2, 2, 31, 19};
  v.FrameWidth = 1;
  v.FrameEdges = kEdgeLeft | kEdgeTop;
  EXPECT_EQ(FrameOuter(v), (TRect{1, 1, 31, 19}));
}

TEST(EditLayout, EntryBoxesAre21HighWithTheInnerEditClippedToTheContent) {
  const TDensity at96;
  EXPECT_EQ(TextEditAutoHeight(13, 2, 2, at96), 21);
  EXPECT_EQ(TextEditAutoHeight(0, 2, 2, at96), 4);
  EXPECT_EQ(TextEditAutoHeight(13, 1, 4, at96), 22);
  // A 33 x 21 box: content (2, 2, 31, 19), inner edit at (3, 3), 28 x 17, one row cut off.
  const TRect content{2, 2, 31, 19};
  const TRect inner = InnerEditBounds(content, TextEditContentHeight(13, 4, at96), taTopJustify, at96);
  EXPECT_EQ(inner, Bounds(3, 3, 28, 17));
  EXPECT_EQ(ChildClipRect(inner, content), (TRect{0, 0, 28, 16}));
  EXPECT_EQ(ChildClipRect(Bounds(3, 3, 28, 10), content), std::nullopt);
  EXPECT_EQ(ChildClipRect(Bounds(0, 1, 40, 10), content), (TRect{2, 1, 31, 10}));

  // Vertical alignment in a taller content area (height 17 for text height 13).
  const TRect tall{2, 2, 98, 38};
  EXPECT_EQ(InnerEditBounds(tall, 17, taBottomJustify, at96).Top, 38 - 17 + 1);
  EXPECT_EQ(InnerEditBounds(tall, 17, taVCenter, at96).Top, 2 + (36 - 17) / 2 + 1);
  // Shorter than the text: the division truncates towards zero.
  EXPECT_EQ(InnerEditBounds(TRect{2, 2, 31, 10}, 17, taVCenter, at96).Top, -1);

  // On denser screens a box is as tall as a 21-pixel control laid out beside it (the window font
  // measuring 16, 20 and 26 pixels at 120, 144 and 192 dots per inch), its text as far down.
  for (auto [dpi, text, height, top] : {std::array{120, 16, 26, 4}, {144, 20, 32, 5}, {192, 26, 42, 6}}) {
    const TDensity d = TDensity(dpi).WithTextHeight(13, text);
    EXPECT_EQ(TextEditAutoHeight(text, 2, 2, d), d.Scale(21)) << dpi;
    EXPECT_EQ(TextEditAutoHeight(text, 2, 2, d), height) << dpi;
    EXPECT_EQ(InnerEditBounds(TRect{2, 2, 31, height - 2}, height - 4, taTopJustify, d).Top, top) << dpi;
  }
}

TEST(EditText, CharCaseTouchesOnlyLatinLettersAndLeavesDoubleByteCharactersWhole) {
  // Lead bytes as code page 936 has them.
  const auto gbk = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
  EXPECT_EQ(ConvertCharCase("abZ9-x", ccUpperCase, gbk), "ABZ9-X");
  EXPECT_EQ(ConvertCharCase("abZ9-X", ccLowerCase, gbk), "abz9-x");
  EXPECT_EQ(ConvertCharCase("abZ", ccNormal, gbk), "abZ");
  // "请" and a character whose trail byte is 'a' (0x61): both bytes stay as they are.
  EXPECT_EQ(ConvertCharCase("\xC7\xEB" "a", ccUpperCase, gbk), "\xC7\xEB" "A");
  EXPECT_EQ(ConvertCharCase("\x81\x61" "b", ccUpperCase, gbk), "\x81\x61" "B");
  // The code page says which bytes lead: in one without double-byte characters 0x81 stands alone.
  EXPECT_EQ(ConvertCharCase("\x81\x61" "b", ccUpperCase, [](unsigned char) { return false; }), "\x81\x41" "B");
}

TEST(EditText, GetTextCopiesAtMostTheBufferLessOneAndCountsWithoutTheZero) {
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(CopyTextToBuffer("abc", buffer, 8), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(CopyTextToBuffer("abcdef", buffer, 4), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(CopyTextToBuffer("abc", buffer, 1), 0);
  EXPECT_STREQ(buffer, "");
  buffer[0] = 'q';
  EXPECT_EQ(CopyTextToBuffer("abc", buffer, 0), 0);
  EXPECT_EQ(buffer[0], 'q');
}

TEST(EditText, CompletionFindsTheFirstItemBeginningWithTheText) {
  const std::vector<std::string> items{"Beijing", "Berlin", "Bern"};
  EXPECT_EQ(FindCompletion(items, "be"), "Beijing");
  EXPECT_EQ(FindCompletion(items, "BerN"), "Bern");
  EXPECT_EQ(FindCompletion(items, "Berne"), std::nullopt);
  EXPECT_EQ(FindCompletion(items, ""), std::nullopt);
}
