#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/lookandfeel/cxGraphics.h"
#include "controls/lookandfeel/cxLookAndFeelPainterGeometry.h"
#include "controls/lookandfeel/cxLookAndFeels.h"
#include "controls/lookandfeel/cxPainterResources.h"

// The painters of the editors library's small elements: frames, buttons, arrows, check boxes,
// headers, tabs and scroll-bar parts. A painter has no state; each painter class has one constant
// instance, chosen through a pointer (a look-and-feel's Painter()), and is never made per use.

// A text to draw in an area: font (the canvas's when none), colour (the painter's when clDefault),
// DrawTextA format and the rectangle it goes in.
struct TcxPainterText {
  std::string Text;
  TFont* Font = nullptr;  // borrowed
  TColor Color = clDefault;
  UINT Format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  TRect Bounds;
};

// Paints the background of an area itself; answers false to leave it to the painter.
using TcxPaintBackgroundEvent = std::function<bool(TcxCanvas& canvas, const TRect& r)>;

// A tab of a tab control: its text, whether it is the selected or the hot one, and the side that
// opens onto the page (not framed).
struct TcxTabArgs {
  TcxPainterText Text;
  bool Selected = false;
  bool Hot = false;
  TcxBorder OpenSide = bBottom;
};

class TcxCustomLookAndFeelPainter {
 public:
  virtual ~TcxCustomLookAndFeelPainter() = default;
  TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
  TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;

  static const TcxCustomLookAndFeelPainter& Instance();

  virtual bool UsesThemes() const { return false; }
  virtual void PaintDropArrow(TcxCanvas& canvas, const TRect& r, TColor color) const;
  // Fills r with `color` unless `background` painted it, then draws the text (when there is one)
  // transparently.
  virtual void PaintTextArea(TcxCanvas& canvas, const TRect& r, const TcxPaintBackgroundEvent& background,
                             TColor color, const TcxPainterText& text) const;
  virtual TRect ContentBounds(const TRect& r) const { return cxInflate(r, ContentInset()); }
  virtual TRect ContentBoundsInner(const TRect& r) const { return cxInflate(ContentBounds(r), 2); }
  virtual PainterStyle Style() const { return psStandard; }

  // Default colours of the library's elements.
  virtual TColor DefaultContentColor() const { return clWindow; }
  virtual TColor DefaultContentTextColor() const { return clWindowText; }
  virtual TColor DefaultGridLineColor() const { return clBtnShadow; }
  virtual TColor DefaultSeparatorColor() const { return clBtnHighlight; }
  virtual TColor DefaultFooterTextColor() const { return clBtnText; }
  virtual TColor DefaultFooterColor() const { return clBtnFace; }
  virtual TColor DefaultGroupTextColor() const { return clBtnText; }
  virtual TColor DefaultGroupByBoxColor() const { return clBtnShadow; }
  virtual TColor DefaultGroupColor() const { return clBtnFace; }
  virtual TColor DefaultHeaderTextColor() const { return clBtnText; }
  virtual TColor DefaultHeaderBackgroundColor() const { return clBtnShadow; }
  virtual TColor DefaultHeaderColor() const { return clBtnFace; }
  virtual TColor DefaultInactiveColor() const { return clBtnFace; }
  virtual TColor DefaultInactiveTextColor() const { return clBtnText; }
  virtual TColor DefaultRecordSeparatorColor() const { return clBtnShadow; }
  virtual TColor DefaultFilterBoxColor() const { return clBtnFace; }
  virtual TColor DefaultTabColor() const { return clBtnFace; }
  virtual TColor DefaultTabTextColor() const { return clBtnText; }
  virtual TColor DefaultHyperlinkTextColor() const { return 0xFF0000; }
  virtual TColor DefaultGroupByBoxLineColor() const { return DefaultGroupByBoxColor(); }
  virtual TColor DefaultSelectionColor() const { return clHighlight; }
  virtual TColor DefaultSelectionTextColor() const { return clHighlightText; }
  virtual TColor DefaultSizeGripAreaColor() const { return clBtnFace; }
  virtual TColor DefaultBandColor() const { return clBtnFace; }
  virtual TColor DefaultBandTextColor() const { return clBtnText; }
  virtual TColor DefaultDropDownColor() const { return clBtnFace; }

  virtual void PaintArrow(TcxCanvas& canvas, const TRect& r, TColor color, TcxArrowDirection direction) const;
  virtual void PaintArrowButton(TcxCanvas& canvas, const TRect& r, bool withButton, TcxArrowDirection direction,
                                PainterButtonState state) const;
  virtual void PaintButtonBody(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const;
  virtual void PaintButtonArrow(TcxCanvas& canvas, const TRect& r, TcxArrowDirection direction,
                                PainterButtonState state) const;
  virtual int EditBorderWidth() const { return 0; }
  virtual void PaintEditBorder(TcxCanvas&, const TRect&) const {}
  virtual int ButtonFrameWidth(PainterButtonState) const { return 0; }
  virtual TColor ButtonFaceColor(PainterButtonState) const { return clBtnFace; }
  // The focus rectangle of a button r; true when r is too small for one and r itself is given.
  virtual bool ButtonFocusBounds(TcxCanvas& canvas, const TRect& r, TRect& focus) const;
  virtual int ButtonContentOffset() const { return 0; }
  virtual int ButtonPressedShift() const { return 0; }
  virtual TColor ButtonGlyphColor(PainterButtonState state) const;
  virtual PainterButtonState ButtonGlyphState(PainterButtonState state) const { return state; }
  virtual void PaintButton(TcxCanvas& canvas, const TRect& r, const std::string& caption, PainterButtonState state,
                           bool withFrame = true, TColor faceColor = clDefault, TColor textColor = clDefault) const;
  // One of `count` buttons side by side (index from 0).
  virtual void PaintRowButton(TcxCanvas& canvas, const TRect& r, TColor color, int index, int count,
                              PainterButtonState state) const;
  virtual void PaintButtonFrame(TcxCanvas&, const TRect&, PainterButtonState) const {}
  virtual void PaintTreeToggle(TcxCanvas&, const TRect&, TColor, bool) const {}
  virtual void PaintSmallToggle(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const;
  virtual int TreeToggleSize() const { return 0; }
  virtual bool TracksButtonHover() const { return false; }
  // The check box: the mark area and the frame around it.
  virtual int CheckButtonSize() const { return 9; }
  virtual int CheckBorderSize() const { return 2; }
  virtual TColor CheckFaceColor(PainterButtonState state) const;
  virtual void PaintCheckMark(TcxCanvas& canvas, const TRect& r, TColor color, bool checked,
                              PainterButtonState state) const;
  virtual void PaintCheckFrame(TcxCanvas&, const TRect&, PainterButtonState) const {}
  virtual void PaintCheckBox(TcxCanvas& canvas, const TRect& r, bool checked, PainterButtonState state) const;
  // The radio-button image at (x, y) over `color` (nothing when clDefault).
  virtual void PaintRadioButton(TcxCanvas& canvas, int x, int y, bool checked, PainterButtonState state,
                                bool focused, TColor color) const;

  // Header sections of a grid.
  virtual void PaintHeader(TcxCanvas& canvas, const TRect& r, TcxBorders sides, PainterButtonState state,
                           const TcxPainterText& text, TColor color = clDefault) const;
  virtual void PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                     TColor color) const;
  virtual void PaintHeaderBorder(TcxCanvas&, const TRect&, TcxBorders) const {}
  // The sides of a section that get a frame, of those asked for.
  virtual TcxBorders HeaderBorders(TcxBorders sides) const { return sides; }
  virtual int HeaderBorderSize() const { return 0; }
  virtual TRect HeaderContentBounds(const TRect& r, TcxBorders sides) const;
  virtual int HeaderHeight(int fontHeight) const { return cxHeaderHeight(fontHeight, HeaderBorderSize()); }
  virtual int HeaderWidth(TcxCanvas& canvas, TcxBorders sides, const std::string& text, TFont* font) const;
  virtual TColor HeaderTextColor(PainterButtonState state) const;
  // Inverts r: the section being dragged.
  virtual void PaintHeaderPressed(TcxCanvas& canvas, const TRect& r) const;
  virtual void PaintSortMark(TcxCanvas&, const TRect&, bool) const {}
  virtual TSize SortMarkSize() const { return {0, 0}; }
  // Where the sort mark goes in a section's content: at its right, centred vertically.
  virtual TRect SortMarkBounds(const TRect& content) const;
  // The text's part of a section's content, beside the sort mark when there is one.
  virtual TRect HeaderTextBounds(const TRect& content, bool withSortMark) const;

  virtual void PaintFooterArea(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text) const;
  virtual TcxBorders BorderSides() const { return cxBordersAll; }
  virtual int BorderSize() const { return 0; }
  virtual int ContentInset() const { return 0; }
  virtual int SeparatorSize() const { return 0; }
  // Elements are drawn in the system colours (not in the colours of a theme).
  virtual bool UsesSystemColors() const { return true; }
  virtual void PaintRaisedFrame(TcxCanvas&, const TRect&) const {}
  virtual void PaintSunkenFrame(TcxCanvas&, const TRect&) const {}
  virtual void PaintCheckBoxAt(TcxCanvas& canvas, const TRect& r, bool checked, PainterButtonState state) const {
    PaintCheckBox(canvas, r, checked, state);
  }
  virtual void PaintCloseButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const;
  virtual void PaintFilterButton(TcxCanvas&, const TRect&, PainterButtonState, bool) const {}
  virtual TSize FilterActivateButtonSize() const { return {13, 13}; }
  virtual TSize FilterDropDownButtonSize() const { return {16, 14}; }
  // The height 0 follows the row.
  virtual TSize FilterCloseButtonSize() const { return {15, 0}; }
  // Focused elements show a focus rectangle.
  virtual bool DrawsFocusRect() const { return true; }
  // The page of a tab control under its tabs.
  virtual void PaintTabPane(TcxCanvas&, const TRect&, TcxBorders, TColor) const {}
  virtual void PaintTab(TcxCanvas&, const TRect&, const TcxTabArgs&) const {}
  virtual void PaintTabsRoot(TcxCanvas&, const TRect&, bool, TcxBorders) const {}
  virtual int TabContentOffset() const { return 0; }
  virtual int TabsRootOffset() const { return 0; }
  virtual int TabFrameWidth() const { return 0; }
  // A row indicator: a header section with the image of `kind` in its middle.
  virtual void PaintIndicatorHeader(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text,
                                    TcxIndicatorKind kind) const;
  virtual void PaintIndicatorItem(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text,
                                  TcxIndicatorKind kind) const;
  // Indicator images are drawn with their white parts left out.
  virtual bool IndicatorImagesMasked() const { return true; }
  virtual void PaintScrollBarPart(TcxCanvas&, bool, TcxScrollBarPart, PainterButtonState, const TRect&) const {}

  // A plus (collapsed) or minus (expanded) sign in r.
  void PaintToggleSign(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const;

 protected:
  TcxCustomLookAndFeelPainter() = default;
  // The arrow buttons, thumb and page areas of a scroll bar drawn with this painter's buttons;
  // `hotAsNormal`: a hot part looks like a normal one.
  void PaintClassicScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                 PainterButtonState state, const TRect& r, bool hotAsNormal) const;
  void PaintText(TcxCanvas& canvas, const TcxPainterText& text, TColor defaultColor) const;
  // A tab's text centred in its face.
  void PaintTabText(TcxCanvas& canvas, const TcxTabArgs& tab, const TRect& inner) const;
};

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  static const TcxStandardLookAndFeelPainter& Instance();

  PainterStyle Style() const override { return psStandard; }
  int EditBorderWidth() const override { return 2; }
  void PaintEditBorder(TcxCanvas& canvas, const TRect& r) const override;
  int ButtonFrameWidth(PainterButtonState state) const override { return state == pbsDefault ? 3 : 2; }
  int ButtonContentOffset() const override { return 1; }
  int ButtonPressedShift() const override { return 1; }
  void PaintButtonFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int TreeToggleSize() const override { return 12; }
  void PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const override;
  int HeaderBorderSize() const override { return 2; }
  void PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const override;
  TSize SortMarkSize() const override { return {8, 7}; }
  int BorderSize() const override { return 1; }
  int ContentInset() const override { return 1; }
  int SeparatorSize() const override { return 1; }
  void PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state, bool active) const override;
  void PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const override;
  void PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool vertical, TcxBorders sides) const override;
  int TabFrameWidth() const override { return 1; }
  void PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part, PainterButtonState state,
                          const TRect& r) const override;

 protected:
  TcxStandardLookAndFeelPainter() = default;
};

class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  static const TcxFlatLookAndFeelPainter& Instance();

  PainterStyle Style() const override { return psFlat; }
  int EditBorderWidth() const override { return 1; }
  void PaintEditBorder(TcxCanvas& canvas, const TRect& r) const override;
  int ButtonFrameWidth(PainterButtonState state) const override { return state == pbsDefault ? 2 : 1; }
  int ButtonContentOffset() const override { return 1; }
  int ButtonPressedShift() const override { return 1; }
  void PaintButtonFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int TreeToggleSize() const override { return 11; }
  bool TracksButtonHover() const override { return false; }
  void PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const override;
  int HeaderBorderSize() const override { return 1; }
  void PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const override;
  TSize SortMarkSize() const override { return {8, 7}; }
  int BorderSize() const override { return 1; }
  int ContentInset() const override { return 1; }
  int SeparatorSize() const override { return 1; }
  void PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state, bool active) const override;
  void PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const override;
  void PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool vertical, TcxBorders sides) const override;
  int TabFrameWidth() const override { return 1; }
  void PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part, PainterButtonState state,
                          const TRect& r) const override;

 protected:
  TcxFlatLookAndFeelPainter() = default;
};

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  static const TcxUltraFlatLookAndFeelPainter& Instance();

  PainterStyle Style() const override { return psUltraFlat; }
  int EditBorderWidth() const override { return 1; }
  void PaintEditBorder(TcxCanvas& canvas, const TRect& r) const override;
  int ButtonFrameWidth(PainterButtonState state) const override { return state == pbsDefault ? 2 : 1; }
  TColor ButtonFaceColor(PainterButtonState state) const override;
  bool ButtonFocusBounds(TcxCanvas& canvas, const TRect& r, TRect& focus) const override;
  int ButtonContentOffset() const override { return 2; }
  int ButtonPressedShift() const override { return 0; }
  TColor ButtonGlyphColor(PainterButtonState state) const override;
  PainterButtonState ButtonGlyphState(PainterButtonState) const override { return pbsNormal; }
  void PaintRowButton(TcxCanvas& canvas, const TRect& r, TColor color, int index, int count,
                      PainterButtonState state) const override;
  void PaintButtonFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int TreeToggleSize() const override { return 11; }
  bool TracksButtonHover() const override { return true; }
  void PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                             TColor color) const override;
  void PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const override;
  // Ultra-flat sections share their lines: each draws only its right and bottom ones.
  TcxBorders HeaderBorders(TcxBorders sides) const override { return sides * TcxBorders{bRight, bBottom}; }
  int HeaderBorderSize() const override { return 1; }
  void PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const override;
  TSize SortMarkSize() const override { return {7, 4}; }
  int BorderSize() const override { return 1; }
  int ContentInset() const override { return 1; }
  int SeparatorSize() const override { return 2; }
  void PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state, bool active) const override;
  TSize FilterDropDownButtonSize() const override { return {15, 14}; }
  void PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const override;
  void PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool vertical, TcxBorders sides) const override;
  int TabFrameWidth() const override { return 1; }
  void PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part, PainterButtonState state,
                          const TRect& r) const override;

 protected:
  TcxUltraFlatLookAndFeelPainter() = default;
};

// Draws through the visual-styles service where the theme class it needs opens; otherwise as the
// standard painter.
class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
 public:
  static const TcxWinXPLookAndFeelPainter& Instance();

  bool UsesThemes() const override { return true; }
  PainterStyle Style() const override { return psNative; }
  void PaintArrow(TcxCanvas& canvas, const TRect& r, TColor color, TcxArrowDirection direction) const override;
  void PaintArrowButton(TcxCanvas& canvas, const TRect& r, bool withButton, TcxArrowDirection direction,
                        PainterButtonState state) const override;
  void PaintButtonBody(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  int EditBorderWidth() const override;
  void PaintEditBorder(TcxCanvas& canvas, const TRect& r) const override;
  int ButtonFrameWidth(PainterButtonState state) const override;
  TColor ButtonFaceColor(PainterButtonState state) const override;
  bool ButtonFocusBounds(TcxCanvas& canvas, const TRect& r, TRect& focus) const override;
  int ButtonContentOffset() const override { return 2; }
  int ButtonPressedShift() const override { return 0; }
  TColor ButtonGlyphColor(PainterButtonState state) const override;
  void PaintButton(TcxCanvas& canvas, const TRect& r, const std::string& caption, PainterButtonState state,
                   bool withFrame = true, TColor faceColor = clDefault, TColor textColor = clDefault) const override;
  void PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  void PaintSmallToggle(TcxCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int TreeToggleSize() const override;
  bool TracksButtonHover() const override { return true; }
  int CheckButtonSize() const override;
  int CheckBorderSize() const override;
  void PaintCheckMark(TcxCanvas& canvas, const TRect& r, TColor color, bool checked,
                      PainterButtonState state) const override;
  void PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintRadioButton(TcxCanvas& canvas, int x, int y, bool checked, PainterButtonState state, bool focused,
                        TColor color) const override;
  void PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                             TColor color) const override;
  void PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const override;
  int HeaderBorderSize() const override;
  void PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const override;
  TSize SortMarkSize() const override;
  void PaintFooterArea(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text) const override;
  // From the margins of the themed header item that is the footer's face: the sides it frames,
  // its widest margin, its left margin and its bottom margin.
  TcxBorders BorderSides() const override;
  int BorderSize() const override;
  int ContentInset() const override;
  int SeparatorSize() const override;
  bool UsesSystemColors() const override { return false; }
  void PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const override;
  void PaintCloseButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const override;
  void PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state, bool active) const override;
  TSize FilterActivateButtonSize() const override;
  TSize FilterDropDownButtonSize() const override;
  void PaintTabPane(TcxCanvas& canvas, const TRect& r, TcxBorders sides, TColor color) const override;
  void PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const override;
  void PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool vertical, TcxBorders sides) const override;
  int TabContentOffset() const override;
  int TabsRootOffset() const override;
  int TabFrameWidth() const override;
  void PaintIndicatorHeader(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text,
                            TcxIndicatorKind kind) const override;
  void PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part, PainterButtonState state,
                          const TRect& r) const override;

 protected:
  TcxWinXPLookAndFeelPainter() = default;
};

// The painter of a kind without visual styles.
const TcxCustomLookAndFeelPainter* cxPainterOfKind(TcxLookAndFeelKind kind);
