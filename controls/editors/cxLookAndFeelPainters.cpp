#include "controls/editors/cxLookAndFeelPainters.h"

#include <commctrl.h>
#include <vssym32.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "controls/editors/dxThemeManager.h"
#include "framework/Messages.h"
#include "framework/UtilWindow.h"

namespace {

RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
TRect Offset(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// ---------------------------------------------------------------------------------------------
// Process-wide resources

// An image list, destroyed with its owner.
class TcxImageList {
 public:
  TcxImageList(int width, int height, int count)
      : list_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0)) {}
  ~TcxImageList() {
    if (list_) ImageList_Destroy(list_);
  }
  TcxImageList(const TcxImageList&) = delete;
  TcxImageList& operator=(const TcxImageList&) = delete;
  HIMAGELIST Get() const { return list_; }

 private:
  HIMAGELIST list_;
};

// Images are composed pixel by pixel in memory, in a strip that the image list then takes, the
// parts in `key` left out. (A drawing call per pixel cost the start-up about 20 ms.)
template <class PixelColor>
void AddStrip(const TcxImageList& list, int width, int height, int count, COLORREF key, PixelColor color) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width * count;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  gdi::Bitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bits) return;  // no memory for the strip: the list stays empty and draws nothing, as before
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < count; ++i)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const COLORREF c = color(i, x, y);
        pixels[y * width * count + i * width + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
      }
  ImageList_AddMasked(list.Get(), strip.Get(), key);
}

constexpr COLORREF kRadioKey = RGB(255, 0, 255);
constexpr int kButtonStates = pbsDisabled + 1;
// Radio images of the flat, standard and ultra-flat styles, by state, unchecked then checked.
constexpr int kRadioImageStyles = 3;

int RadioImageIndex(PainterStyle style, PainterButtonState state, bool checked) {
  const int s = style == psNative ? psStandard : style;
  return (s * kButtonStates + state) * 2 + (checked ? 1 : 0);
}

COLORREF RadioColor(PainterStyle style, PainterButtonState state, TcxRadioPixel pixel) {
  const bool lit = state == pbsHot || state == pbsPressed;
  auto face = [&]() -> TColor {
    if (style == psUltraFlat && state == pbsHot) return cxUltraFlatBlendColor(cxUltraFlatHotWeights);
    if (style == psUltraFlat && state == pbsPressed) return cxUltraFlatBlendColor(cxUltraFlatPressedWeights);
    return state == pbsPressed || state == pbsDisabled ? clBtnFace : clWindow;
  };
  switch (pixel) {
    case rpOutside: return kRadioKey;
    case rpOuterLeftTop:
      if (style == psUltraFlat) return ColorToRGB(lit ? clHighlight : clBtnShadow);
      return ColorToRGB(clBtnShadow);
    case rpOuterRightBottom:
      if (style == psUltraFlat) return ColorToRGB(lit ? clHighlight : clBtnShadow);
      return ColorToRGB(clBtnHighlight);
    case rpInnerLeftTop:
      if (style == psStandard) return ColorToRGB(cl3DDkShadow);
      return ColorToRGB(style == psFlat ? clBtnFace : face());
    case rpInnerRightBottom:
      if (style == psStandard) return ColorToRGB(cl3DLight);
      return ColorToRGB(style == psFlat ? clBtnFace : face());
    case rpFace: return ColorToRGB(face());
    case rpDot: return ColorToRGB(state == pbsDisabled ? clBtnShadow : clWindowText);
  }
  return kRadioKey;
}

// The images are made when first drawn and kept until the module ends: most windows never draw a
// radio button, an indicator or a page area, and a program's start-up should not pay for them.
struct Resources {
  std::unique_ptr<TcxImageList> radio;
  std::unique_ptr<TcxImageList> indicators;
  TBitmap pagePatterns[2];  // normal, pressed
  int radioBuilds = 0;
  TUtilWindow listener{"TcxSystemColorListener", [this](UINT msg, WPARAM w, LPARAM l) { return Listen(msg, w, l); },
                       false};

  LRESULT Listen(UINT msg, WPARAM w, LPARAM l) {
    // The framework's notice, as a windowed control sends it to itself on the system's.
    if (msg == WM_SYSCOLORCHANGE) return SendMessageA(listener.Handle(), CM_SYSCOLORCHANGE, 0, 0);
    if (msg == CM_SYSCOLORCHANGE) {
      // Images not made yet will be made in the new colours.
      if (radio) BuildRadioImages();
      return 0;
    }
    return DefWindowProcA(listener.Handle(), msg, w, l);
  }

  const TcxImageList& Radio() {
    if (!radio) BuildRadioImages();
    return *radio;
  }

  const TcxImageList& Indicators() {
    if (!indicators) {
      auto list = std::make_unique<TcxImageList>(cxIndicatorImageSize, cxIndicatorImageSize, ikMultiArrow);
      AddStrip(*list, cxIndicatorImageSize, cxIndicatorImageSize, ikMultiArrow, RGB(255, 255, 255),
               [](int i, int x, int y) {
                 const auto& picture = cxIndicatorPicture(static_cast<TcxIndicatorKind>(i + 1));
                 return picture[y][x] == 'X' ? RGB(0, 0, 0) : RGB(255, 255, 255);
               });
      indicators = std::move(list);
    }
    return *indicators;
  }

  void BuildRadioImages() {
    constexpr int kImages = kRadioImageStyles * kButtonStates * 2;
    // The colour of each kind of pixel, worked out once per style and state.
    COLORREF colors[kRadioImageStyles * kButtonStates][rpDot + 1];
    for (int s = 0; s < kRadioImageStyles * kButtonStates; ++s)
      for (int pixel = 0; pixel <= rpDot; ++pixel)
        colors[s][pixel] = RadioColor(static_cast<PainterStyle>(s / kButtonStates),
                                      static_cast<PainterButtonState>(s % kButtonStates),
                                      static_cast<TcxRadioPixel>(pixel));
    auto list = std::make_unique<TcxImageList>(cxRadioSize, cxRadioSize, kImages);
    AddStrip(*list, cxRadioSize, cxRadioSize, kImages, kRadioKey,
             [&](int i, int x, int y) { return colors[i / 2][cxRadioPixel(x, y, i % 2 == 1)]; });
    radio = std::move(list);
    ++radioBuilds;
  }

  // The checkerboard of a page area in the current system colours.
  TBitmap& PagePattern(bool pressed) {
    TBitmap& pattern = pagePatterns[pressed ? 1 : 0];
    pattern.SetSize(8, 8);
    const COLORREF first = ColorToRGB(pressed ? cl3DDkShadow : clBtnHighlight);
    const COLORREF second = ColorToRGB(pressed ? clBlack : clBtnFace);
    GdiFlush();
    for (int y = 0; y < 8; ++y) {
      std::uint8_t* row = pattern.ScanLine(y);
      for (int x = 0; x < 8; ++x) {
        const COLORREF c = cxCheckerboardFirst(x, y) ? first : second;
        row[3 * x] = GetBValue(c);
        row[3 * x + 1] = GetGValue(c);
        row[3 * x + 2] = GetRValue(c);
      }
    }
    return pattern;
  }
};
std::unique_ptr<Resources> g_resources;

struct Module {
  Module() { cxLookAndFeelPaintersInitialize(); }
  ~Module() { cxLookAndFeelPaintersFinalize(); }
} g_module;

Resources& Res() {
  if (!g_resources) cxLookAndFeelPaintersInitialize();
  return *g_resources;
}

// ---------------------------------------------------------------------------------------------
// Visual styles

// The screen's device context for theme measurements.
struct ScreenDC {
  gdi::WindowDC dc{nullptr};
  HDC Get() const { return dc.Get(); }
};

bool DrawThemed(TcxCanvas& canvas, TdxThemedObjectType type, int part, int state, const TRect& r) {
  HTHEME theme = OpenTheme(type);
  if (!theme || !UxTheme().DrawThemeBackground) return false;
  RECT rc = ToRECT(r);
  return SUCCEEDED(UxTheme().DrawThemeBackground(theme, canvas.Handle(), part, state, &rc, nullptr));
}

// The class opens and the library can draw it.
bool CanDrawTheme(TdxThemedObjectType type) { return OpenTheme(type) && UxTheme().DrawThemeBackground; }

bool ThemePartSize(TdxThemedObjectType type, int part, int state, TSize& size) {
  HTHEME theme = OpenTheme(type);
  if (!theme || !UxTheme().GetThemePartSize) return false;
  ScreenDC screen;
  SIZE s{};
  if (FAILED(UxTheme().GetThemePartSize(theme, screen.Get(), part, state, nullptr, TS_TRUE, &s))) return false;
  size = TSize{s.cx, s.cy};
  return true;
}

bool ThemeColor(TdxThemedObjectType type, int part, int state, int property, TColor& color) {
  HTHEME theme = OpenTheme(type);
  COLORREF c = 0;
  if (!theme || !UxTheme().GetThemeColor || FAILED(UxTheme().GetThemeColor(theme, part, state, property, &c)))
    return false;
  color = static_cast<TColor>(c);
  return true;
}

// Normal, hot, pressed and disabled states of most theme parts are 1 to 4.
int ThemeState(PainterButtonState state) {
  switch (state) {
    case pbsHot: return 2;
    case pbsPressed: return 3;
    case pbsDisabled: return 4;
    default: return 1;
  }
}

int PushButtonState(PainterButtonState state) { return state == pbsDefault ? PBS_DEFAULTED : ThemeState(state); }

int ArrowButtonState(TcxArrowDirection direction, PainterButtonState state) {
  static const int kFirst[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL, ABS_RIGHTNORMAL};
  return kFirst[direction] + ThemeState(state) - 1;
}

TcxArrowDirection ScrollArrowDirection(bool horizontal, TcxScrollBarPart part) {
  if (horizontal) return part == sbpLineUp ? adLeft : adRight;
  return part == sbpLineUp ? adUp : adDown;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Choosing a painter

const TcxCustomLookAndFeelPainter* cxPainterOfKind(TcxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat: return &TcxFlatLookAndFeelPainter::Instance();
    case lfStandard: return &TcxStandardLookAndFeelPainter::Instance();
    case lfUltraFlat: break;
  }
  return &TcxUltraFlatLookAndFeelPainter::Instance();
}

const TcxCustomLookAndFeelPainter* TcxLookAndFeel::Painter() const {
  if (NativeStyle() && ThemesAvailable()) return &TcxWinXPLookAndFeelPainter::Instance();
  return cxPainterOfKind(Kind());
}

TColor cxUltraFlatBlendColor(TcxBlendWeights weights) {
  const std::uint32_t rgb =
      cxUltraFlatBlend(ColorToRGB(clBtnFace), ColorToRGB(clHighlight), ColorToRGB(clWindow), weights);
  ScreenDC screen;
  return static_cast<TColor>(GetNearestColor(screen.Get(), rgb) & 0xFFFFFF);
}

const TcxCustomLookAndFeelPainter& TcxCustomLookAndFeelPainter::Instance() {
  static const TcxCustomLookAndFeelPainter painter;
  return painter;
}
const TcxStandardLookAndFeelPainter& TcxStandardLookAndFeelPainter::Instance() {
  static const TcxStandardLookAndFeelPainter painter;
  return painter;
}
const TcxFlatLookAndFeelPainter& TcxFlatLookAndFeelPainter::Instance() {
  static const TcxFlatLookAndFeelPainter painter;
  return painter;
}
const TcxUltraFlatLookAndFeelPainter& TcxUltraFlatLookAndFeelPainter::Instance() {
  static const TcxUltraFlatLookAndFeelPainter painter;
  return painter;
}
const TcxWinXPLookAndFeelPainter& TcxWinXPLookAndFeelPainter::Instance() {
  static const TcxWinXPLookAndFeelPainter painter;
  return painter;
}

// ---------------------------------------------------------------------------------------------
// TcxCustomLookAndFeelPainter

void TcxCustomLookAndFeelPainter::PaintText(TcxCanvas& canvas, const TcxPainterText& text,
                                            TColor defaultColor) const {
  TFont saved;
  saved.Assign(canvas.Font());
  if (text.Font) canvas.Font().Assign(*text.Font);
  canvas.Font().SetColor(text.Color == clDefault ? defaultColor : text.Color);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(text.Text, text.Bounds, text.Format);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Font().Assign(saved);
}

void TcxCustomLookAndFeelPainter::PaintDropArrow(TcxCanvas& canvas, const TRect& r, TColor color) const {
  canvas.SetBrushColor(color);
  canvas.Pen().SetColor(color);
  canvas.Polygon(cxDropArrowPoints(r));
}

void TcxCustomLookAndFeelPainter::PaintTextArea(TcxCanvas& canvas, const TRect& r,
                                                const TcxPaintBackgroundEvent& background, TColor color,
                                                const TcxPainterText& text) const {
  if (!background || !background(canvas, r)) {
    canvas.SetBrushColor(color);
    canvas.FillRect(r);
  }
  if (text.Text.empty()) return;
  TcxPainterText t = text;
  if (t.Bounds.IsEmpty()) t.Bounds = r;
  PaintText(canvas, t, DefaultContentTextColor());
}

void TcxCustomLookAndFeelPainter::PaintArrow(TcxCanvas& canvas, const TRect& r, TColor color,
                                             TcxArrowDirection direction) const {
  canvas.SetBrushColor(color);
  canvas.Pen().SetColor(color);
  canvas.Polygon(cxArrowPoints(r, direction));
}

void TcxCustomLookAndFeelPainter::PaintArrowButton(TcxCanvas& canvas, const TRect& r, bool withButton,
                                                   TcxArrowDirection direction, PainterButtonState state) const {
  TRect inner = r;
  if (withButton) {
    PaintButtonBody(canvas, r, state);
    inner = cxInflate(r, ButtonFrameWidth(state));
  } else {
    canvas.SetBrushColor(ButtonFaceColor(state));
    canvas.FillRect(r);
  }
  PaintButtonArrow(canvas, inner, direction, state);
}

void TcxCustomLookAndFeelPainter::PaintButtonBody(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(r);
  PaintButtonFrame(canvas, r, state);
}

void TcxCustomLookAndFeelPainter::PaintButtonArrow(TcxCanvas& canvas, const TRect& r, TcxArrowDirection direction,
                                                   PainterButtonState state) const {
  TRect at = r;
  if (state == pbsPressed) at = Offset(at, ButtonPressedShift(), ButtonPressedShift());
  if (state == pbsDisabled) {
    PaintArrow(canvas, Offset(at, 1, 1), clBtnHighlight, direction);
    PaintArrow(canvas, at, clBtnShadow, direction);
    return;
  }
  PaintArrow(canvas, at, ButtonGlyphColor(state), direction);
}

bool TcxCustomLookAndFeelPainter::ButtonFocusBounds(TcxCanvas&, const TRect& r, TRect& focus) const {
  focus = cxInflate(r, 4);
  if (!focus.IsEmpty()) return false;
  focus = r;
  return true;
}

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(PainterButtonState state) const {
  return state == pbsDisabled ? clBtnShadow : clBtnText;
}

void TcxCustomLookAndFeelPainter::PaintButton(TcxCanvas& canvas, const TRect& bounds, const std::string& caption,
                                              PainterButtonState state, bool withFrame, TColor faceColor,
                                              TColor textColor) const {
  TRect r = bounds;
  if (withFrame) {
    PaintButtonFrame(canvas, r, state);
    r = cxInflate(r, ButtonFrameWidth(state));
  }
  canvas.SetBrushColor(faceColor == clDefault ? ButtonFaceColor(state) : faceColor);
  canvas.FillRect(r);
  canvas.Font().SetColor(textColor == clDefault ? ButtonGlyphColor(state) : textColor);
  canvas.Brush().SetStyle(bsClear);
  r = cxButtonCaptionBounds(r, state == pbsPressed, ButtonPressedShift());
  if (!caption.empty()) {
    // An ampersand marks the accelerator.
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (state == pbsDisabled) {
      DrawEmbossedText(canvas.Canvas(), caption, r, format);
    } else {
      canvas.DrawText(caption, r, format);
    }
  }
  canvas.Brush().SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintRowButton(TcxCanvas& canvas, const TRect& r, TColor, int, int,
                                                 PainterButtonState state) const {
  PaintButton(canvas, r, "", state, true, clDefault, clDefault);
}

void TcxCustomLookAndFeelPainter::PaintSmallToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                   bool expanded) const {
  canvas.FrameSides(r, clDefault, cxBordersAll, 1);
  const TRect inner = cxInflate(r, 1);
  if (color != clDefault) {
    canvas.SetBrushColor(color);
    canvas.FillRect(inner);
  }
  PaintToggleSign(canvas, inner, clBtnText, expanded);
}

void TcxCustomLookAndFeelPainter::PaintToggleSign(TcxCanvas& canvas, const TRect& r, TColor color,
                                                  bool expanded) const {
  const TcxToggleSign sign = cxToggleSign(r, expanded);
  canvas.SetBrushColor(color);
  canvas.FillRect(sign.Horizontal);
  if (!sign.Vertical.IsEmpty()) canvas.FillRect(sign.Vertical);
}

TColor TcxCustomLookAndFeelPainter::CheckFaceColor(PainterButtonState state) const {
  return state == pbsPressed || state == pbsDisabled ? clBtnFace : clWindow;
}

void TcxCustomLookAndFeelPainter::PaintCheckMark(TcxCanvas& canvas, const TRect& r, TColor color, bool checked,
                                                 PainterButtonState state) const {
  canvas.SetBrushColor(CheckFaceColor(state));
  canvas.FillRect(r);
  if (!checked) return;
  canvas.Pen().SetColor(color);
  for (const auto& stroke : cxCheckMarkStrokes(r)) {
    canvas.MoveTo(stroke[0].X, stroke[0].Y);
    canvas.LineTo(stroke[1].X, stroke[1].Y);
    canvas.LineTo(stroke[2].X, stroke[2].Y);
  }
}

void TcxCustomLookAndFeelPainter::PaintCheckBox(TcxCanvas& canvas, const TRect& r, bool checked,
                                                PainterButtonState state) const {
  PaintCheckFrame(canvas, r, state);
  PaintCheckMark(canvas, cxInflate(r, CheckBorderSize()), state == pbsDisabled ? clGrayText : clBtnText, checked,
                 state);
}

void TcxCustomLookAndFeelPainter::PaintRadioButton(TcxCanvas& canvas, int x, int y, bool checked,
                                                   PainterButtonState state, bool focused, TColor color) const {
  if (color != clDefault) {
    canvas.SetBrushColor(color);
    canvas.FillRect(Bounds(x, y, cxRadioSize, cxRadioSize));
  }
  // A focused button looks hot where the painter tracks hover.
  if (focused && TracksButtonHover() && (state == pbsNormal || state == pbsDefault)) state = pbsHot;
  ImageList_Draw(Res().Radio().Get(), RadioImageIndex(Style(), state, checked), canvas.Handle(), x, y,
                 ILD_TRANSPARENT);
}

void TcxCustomLookAndFeelPainter::PaintHeader(TcxCanvas& canvas, const TRect& r, TcxBorders sides,
                                              PainterButtonState state, const TcxPainterText& text,
                                              TColor color) const {
  PaintHeaderBackground(canvas, r, state, color);
  PaintHeaderBorder(canvas, r, sides);
  if (text.Text.empty()) return;
  TcxPainterText t = text;
  if (t.Bounds.IsEmpty()) t.Bounds = HeaderTextBounds(HeaderContentBounds(r, sides), false);
  PaintText(canvas, t, HeaderTextColor(state));
}

void TcxCustomLookAndFeelPainter::PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState,
                                                        TColor color) const {
  canvas.SetBrushColor(color == clDefault ? DefaultHeaderColor() : color);
  canvas.FillRect(r);
}

TRect TcxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& r, TcxBorders sides) const {
  const TcxBorders framed = HeaderBorders(sides);
  const int w = HeaderBorderSize();
  TRect c = r;
  if (framed.Contains(bLeft)) c.Left += w;
  if (framed.Contains(bTop)) c.Top += w;
  if (framed.Contains(bRight)) c.Right -= w;
  if (framed.Contains(bBottom)) c.Bottom -= w;
  return c;
}

int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas& canvas, TcxBorders sides, const std::string& text,
                                             TFont* font) const {
  TFont saved;
  saved.Assign(canvas.Font());
  if (font) canvas.Font().Assign(*font);
  const int textWidth = canvas.TextExtent(text).cx;
  canvas.Font().Assign(saved);
  const TcxBorders framed = HeaderBorders(sides);
  return cxHeaderWidth(textWidth, HeaderBorderSize(), framed.Contains(bLeft), framed.Contains(bRight));
}

TColor TcxCustomLookAndFeelPainter::HeaderTextColor(PainterButtonState state) const {
  return state == pbsDisabled ? clBtnShadow : DefaultHeaderTextColor();
}

void TcxCustomLookAndFeelPainter::PaintHeaderPressed(TcxCanvas& canvas, const TRect& r) const {
  RECT rc = ToRECT(r);
  InvertRect(canvas.Handle(), &rc);
}

TRect TcxCustomLookAndFeelPainter::SortMarkBounds(const TRect& content) const {
  const TSize s = SortMarkSize();
  const int top = content.Top + (content.Height() - s.cy) / 2;
  return Bounds(content.Right - s.cx, top, s.cx, s.cy);
}

TRect TcxCustomLookAndFeelPainter::HeaderTextBounds(const TRect& content, bool withSortMark) const {
  TRect t = content;
  const int mark = SortMarkSize().cx;
  if (withSortMark && mark > 0) t.Right = std::max(t.Left, content.Right - mark - 4);
  return t;
}

void TcxCustomLookAndFeelPainter::PaintFooterArea(TcxCanvas& canvas, const TRect& r,
                                                  const TcxPainterText& text) const {
  PaintSunkenFrame(canvas, r);
  const TRect inside = cxInflate(r, 1);
  TcxPainterText t = text;
  if (t.Color == clDefault) t.Color = DefaultFooterTextColor();
  PaintTextArea(canvas, inside, nullptr, DefaultFooterColor(), t);
}

void TcxCustomLookAndFeelPainter::PaintCloseButton(TcxCanvas& canvas, const TRect& r,
                                                   PainterButtonState state) const {
  PaintButtonFrame(canvas, r, state);
  const TRect face = cxInflate(r, ButtonFrameWidth(state));
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(face);
  // A cross two pixels thick, 3 pixels off the face's edges.
  const TRect c = cxInflate(face, 3);
  if (c.Width() < 3 || c.Height() < 3) return;
  canvas.Pen().SetColor(ButtonGlyphColor(state));
  const int size = std::min(c.Width(), c.Height()) - 1;
  for (int dx = 0; dx < 2; ++dx) {
    canvas.MoveTo(c.Left + dx, c.Top);
    canvas.LineTo(c.Left + dx + size, c.Top + size);
    canvas.MoveTo(c.Left + dx, c.Top + size - 1);
    canvas.LineTo(c.Left + dx + size, c.Top - 1);
  }
}

void TcxCustomLookAndFeelPainter::PaintIndicatorHeader(TcxCanvas& canvas, const TRect& r,
                                                       const TcxPainterText& text, TcxIndicatorKind kind) const {
  PaintHeader(canvas, r, cxBordersAll, pbsNormal, text);
  if (kind == ikNone) return;
  const int x = r.Left + (r.Width() - cxIndicatorImageSize) / 2;
  const int y = r.Top + (r.Height() - cxIndicatorImageSize) / 2;
  ImageList_Draw(Res().Indicators().Get(), kind - 1, canvas.Handle(), x, y,
                 IndicatorImagesMasked() ? ILD_TRANSPARENT : ILD_NORMAL);
}

void TcxCustomLookAndFeelPainter::PaintIndicatorItem(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text,
                                                     TcxIndicatorKind kind) const {
  TcxCustomLookAndFeelPainter::PaintIndicatorHeader(canvas, r, text, kind);
}

void TcxCustomLookAndFeelPainter::PaintClassicScrollBarPart(TcxCanvas& canvas, bool horizontal,
                                                            TcxScrollBarPart part, PainterButtonState state,
                                                            const TRect& r, bool hotAsNormal) const {
  if (r.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == pbsDisabled)) return;
  if (hotAsNormal && state == pbsHot) state = pbsNormal;
  if (part == sbpPageUp || part == sbpPageDown) {
    gdi::Brush pattern(CreatePatternBrush(Res().PagePattern(state == pbsPressed).Handle()));
    RECT rc = ToRECT(r);
    ::FillRect(canvas.Handle(), &rc, pattern.Get());
    canvas.Brush().SetStyle(bsSolid);
    return;
  }
  PaintButton(canvas, r, "", state, true, clDefault, clDefault);
  if (part == sbpThumbnail) return;
  PaintButtonArrow(canvas, cxInflate(r, ButtonFrameWidth(pbsNormal)), ScrollArrowDirection(horizontal, part), state);
}

// ---------------------------------------------------------------------------------------------
// TcxStandardLookAndFeelPainter

void TcxStandardLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameTwoTone(r, clBtnShadow, clBtnHighlight);
  canvas.FrameTwoTone(cxInflate(r, 1), cl3DDkShadow, cl3DLight);
}

void TcxStandardLookAndFeelPainter::PaintButtonFrame(TcxCanvas& canvas, const TRect& bounds,
                                                     PainterButtonState state) const {
  TRect r = bounds;
  if (state == pbsPressed) {
    canvas.FrameSides(r, clBlack);
    canvas.FrameTwoTone(cxInflate(r, 1), clBtnShadow, clBtnShadow);
    return;
  }
  if (state == pbsDefault) {
    canvas.FrameSides(r, clBlack);
    r = cxInflate(r, 1);
  }
  canvas.FrameTwoTone(r, clBtnHighlight, cl3DDkShadow);
  canvas.FrameTwoTone(cxInflate(r, 1), cl3DLight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                    bool expanded) const {
  PaintButton(canvas, r, "", pbsNormal, true, color, clDefault);
  PaintToggleSign(canvas, cxInflate(r, ButtonFrameWidth(pbsNormal)), clBtnText, expanded);
  canvas.ExcludeClipRect(r);
}

void TcxStandardLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState) const {
  canvas.DrawEdge(r, true, true);
  canvas.DrawEdge(cxInflate(r, 1), true, false);
}

void TcxStandardLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  canvas.DrawEdge(r, false, true, sides);
  canvas.DrawEdge(cxInflate(r, 1), false, false, sides);
}

namespace {
void PaintSortMarkLines(TcxCanvas& canvas, const TRect& r, TSize size, bool ascending) {
  const TcxSortMarkLines lines = cxSortMarkLines(r.Left, r.Top, size, ascending);
  canvas.Pen().SetColor(clBtnShadow);
  for (const auto& [from, to] : lines.Shadow) {
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  }
  canvas.Pen().SetColor(clBtnHighlight);
  for (const auto& [from, to] : lines.Highlight) {
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  }
}
}  // namespace

void TcxStandardLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortMarkLines(canvas, r, SortMarkSize(), ascending);
}

void TcxStandardLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, false, true);
  canvas.DrawEdge(cxInflate(r, 1), false, false);
}

void TcxStandardLookAndFeelPainter::PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, true, true);
  canvas.DrawEdge(cxInflate(r, 1), true, false);
}

void TcxStandardLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                      bool active) const {
  if (state == pbsPressed) {
    PaintSunkenFrame(canvas, r);
  } else {
    PaintRaisedFrame(canvas, r);
  }
  const TRect inner = cxInflate(r, 2);
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(inner);
  PaintDropArrow(canvas, inner, active ? DefaultHyperlinkTextColor() : clBtnText);
}

namespace {
// The face of a tab inside its frame, which runs on every side but the one open to the page.
TRect PaintTabFace(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab, int frameWidth, TColor face,
                   TcxBorders& sides) {
  sides = cxBordersAll;
  sides -= tab.OpenSide;
  TRect inner = r;
  if (sides.Contains(bLeft)) inner.Left += frameWidth;
  if (sides.Contains(bTop)) inner.Top += frameWidth;
  if (sides.Contains(bRight)) inner.Right -= frameWidth;
  if (sides.Contains(bBottom)) inner.Bottom -= frameWidth;
  canvas.SetBrushColor(face);
  canvas.FillRect(inner);
  return inner;
}
}  // namespace

void TcxCustomLookAndFeelPainter::PaintTabText(TcxCanvas& canvas, const TcxTabArgs& tab, const TRect& inner) const {
  if (tab.Text.Text.empty()) return;
  TcxPainterText t = tab.Text;
  if (t.Bounds.IsEmpty()) t.Bounds = inner;
  t.Format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  PaintText(canvas, t, DefaultTabTextColor());
}

void TcxStandardLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  TcxBorders sides;
  const TRect inner = PaintTabFace(canvas, r, tab, 2, DefaultTabColor(), sides);
  canvas.DrawEdge(r, false, true, sides);
  canvas.DrawEdge(cxInflate(r, 1), false, false, sides);
  PaintTabText(canvas, tab, inner);
}

void TcxStandardLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool,
                                                  TcxBorders sides) const {
  canvas.DrawEdge(r, false, true, sides);
  canvas.DrawEdge(cxInflate(r, 1), false, false, sides);
}

void TcxStandardLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                       PainterButtonState state, const TRect& r) const {
  PaintClassicScrollBarPart(canvas, horizontal, part, state, r, true);
}

// ---------------------------------------------------------------------------------------------
// TcxFlatLookAndFeelPainter

void TcxFlatLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, true, true, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas& canvas, const TRect& bounds,
                                                 PainterButtonState state) const {
  TRect r = bounds;
  if (state == pbsPressed) {
    canvas.FrameTwoTone(r, clBtnShadow, clBtnHighlight, cxBordersAll, 1);
    return;
  }
  if (state == pbsDefault) {
    canvas.FrameSides(r, clBlack, cxBordersAll, 1);
    r = cxInflate(r, 1);
  }
  canvas.FrameTwoTone(r, clBtnHighlight, clBtnShadow, cxBordersAll, 1);
}

void TcxFlatLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                bool expanded) const {
  PaintButton(canvas, r, "", pbsNormal, true, color, clDefault);
  PaintToggleSign(canvas, cxInflate(r, 1), clBtnText, expanded);
  canvas.ExcludeClipRect(r);
}

void TcxFlatLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  canvas.DrawEdge(r, true, true, cxBordersAll);
  canvas.FrameSides(cxInflate(r, 1), CheckFaceColor(state), cxBordersAll, 1);
}

void TcxFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  canvas.DrawEdge(r, false, false, cxBordersAll);
  if (sides.Contains(bLeft)) {
    canvas.SetPixel(r.Left, r.Top + 1, clBtnFace);
    canvas.SetPixel(r.Left, r.Bottom - 2, clBtnFace);
  }
  if (sides.Contains(bRight)) {
    canvas.SetPixel(r.Right - 1, r.Top, clBtnHighlight);
    canvas.SetPixel(r.Right - 1, r.Top + 1, clBtnFace);
    canvas.SetPixel(r.Right - 1, r.Bottom - 2, clBtnFace);
  }
}

void TcxFlatLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortMarkLines(canvas, r, SortMarkSize(), ascending);
}

void TcxFlatLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, false, false, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, true, true, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                  bool active) const {
  canvas.DrawEdge(r, state == pbsPressed, state == pbsPressed, cxBordersAll);
  const TRect inner = cxInflate(r, 1);
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(inner);
  PaintDropArrow(canvas, inner, active ? DefaultHyperlinkTextColor() : clBtnText);
}

void TcxFlatLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  TcxBorders sides;
  const TRect inner = PaintTabFace(canvas, r, tab, 1, DefaultTabColor(), sides);
  canvas.DrawEdge(r, false, false, sides);
  PaintTabText(canvas, tab, inner);
}

void TcxFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool, TcxBorders sides) const {
  canvas.DrawEdge(r, false, false, sides);
}

void TcxFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                   PainterButtonState state, const TRect& r) const {
  PaintClassicScrollBarPart(canvas, horizontal, part, state, r, true);
}

// ---------------------------------------------------------------------------------------------
// TcxUltraFlatLookAndFeelPainter

namespace {
// The single line of ultra-flat frames: the highlight while hot or pressed.
TColor UltraFlatLineColor(PainterButtonState state) {
  return state == pbsHot || state == pbsPressed ? clHighlight : clBtnShadow;
}
}  // namespace

void TcxUltraFlatLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFaceColor(PainterButtonState state) const {
  if (state == pbsHot) return cxUltraFlatBlendColor(cxUltraFlatHotWeights);
  if (state == pbsPressed) return cxUltraFlatBlendColor(cxUltraFlatPressedWeights);
  return clBtnFace;
}

bool TcxUltraFlatLookAndFeelPainter::ButtonFocusBounds(TcxCanvas&, const TRect& r, TRect& focus) const {
  focus = cxInflate(r, 3);
  if (!focus.IsEmpty()) return false;
  focus = r;
  return true;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonGlyphColor(PainterButtonState state) const {
  if (state == pbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonGlyphColor(state);
}

void TcxUltraFlatLookAndFeelPainter::PaintRowButton(TcxCanvas& canvas, const TRect& r, TColor color, int index,
                                                    int count, PainterButtonState state) const {
  // Neighbours share their line: all but the last leave out the right one.
  TcxBorders sides = cxBordersAll;
  if (index < count - 1) sides -= bRight;
  canvas.FrameSides(r, UltraFlatLineColor(state), sides, 1);
  TRect face = r;
  face.Left += 1;
  face.Top += 1;
  face.Bottom -= 1;
  if (sides.Contains(bRight)) face.Right -= 1;
  canvas.SetBrushColor(color == clDefault ? ButtonFaceColor(state) : color);
  canvas.FillRect(face);
}

void TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas& canvas, const TRect& r,
                                                      PainterButtonState state) const {
  switch (state) {
    case pbsDefault:
      canvas.FrameSides(r, clWindowFrame, cxBordersAll, 1);
      canvas.FrameSides(cxInflate(r, 1), clWindowFrame, cxBordersAll, 1);
      break;
    case pbsNormal: canvas.FrameSides(r, clBtnText, cxBordersAll, 1); break;
    default: canvas.FrameSides(r, clHighlight, cxBordersAll, 1); break;
  }
}

void TcxUltraFlatLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                     bool expanded) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
  const TRect inner = cxInflate(r, 1);
  canvas.SetBrushColor(color == clDefault ? clWindow : color);
  canvas.FillRect(inner);
  PaintToggleSign(canvas, inner, clBtnText, expanded);
  canvas.ExcludeClipRect(r);
}

void TcxUltraFlatLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r,
                                                     PainterButtonState state) const {
  canvas.FrameSides(r, UltraFlatLineColor(state), cxBordersAll, 1);
  canvas.FrameSides(cxInflate(r, 1), CheckFaceColor(state), cxBordersAll, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderBackground(TcxCanvas& canvas, const TRect& r,
                                                           PainterButtonState state, TColor color) const {
  if (color == clDefault && (state == pbsHot || state == pbsPressed)) color = ButtonFaceColor(state);
  TcxCustomLookAndFeelPainter::PaintHeaderBackground(canvas, r, state, color);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  canvas.FrameSides(r, clBtnShadow, HeaderBorders(sides), 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  // A solid triangle, 7 across and 4 deep.
  const int l = r.Left, t = r.Top;
  canvas.SetBrushColor(clBtnShadow);
  canvas.Pen().SetColor(clBtnShadow);
  if (ascending) {
    canvas.Polygon({{l + 3, t}, {l, t + 3}, {l + 6, t + 3}});
  } else {
    canvas.Polygon({{l, t}, {l + 6, t}, {l + 3, t + 3}});
  }
}

void TcxUltraFlatLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                       bool active) const {
  canvas.FrameSides(r, UltraFlatLineColor(state), cxBordersAll, 1);
  const TRect inner = cxInflate(r, 1);
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(inner);
  PaintDropArrow(canvas, inner, active ? DefaultHyperlinkTextColor() : ButtonGlyphColor(state));
}

void TcxUltraFlatLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  const TColor face = tab.Hot && !tab.Selected ? ButtonFaceColor(pbsHot) : DefaultTabColor();
  TcxBorders sides;
  const TRect inner = PaintTabFace(canvas, r, tab, 1, face, sides);
  canvas.FrameSides(r, clBtnShadow, sides, 1);
  PaintTabText(canvas, tab, inner);
}

void TcxUltraFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool,
                                                   TcxBorders sides) const {
  canvas.FrameSides(r, clBtnShadow, sides, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                        PainterButtonState state, const TRect& r) const {
  PaintClassicScrollBarPart(canvas, horizontal, part, state, r, false);
}

// ---------------------------------------------------------------------------------------------
// TcxWinXPLookAndFeelPainter

using Standard = TcxStandardLookAndFeelPainter;

void TcxWinXPLookAndFeelPainter::PaintArrow(TcxCanvas& canvas, const TRect& r, TColor color,
                                            TcxArrowDirection direction) const {
  TcxCustomLookAndFeelPainter::PaintArrow(canvas, r, color, direction);
}

void TcxWinXPLookAndFeelPainter::PaintArrowButton(TcxCanvas& canvas, const TRect& r, bool withButton,
                                                  TcxArrowDirection direction, PainterButtonState state) const {
  if (withButton && DrawThemed(canvas, totScrollBar, SBP_ARROWBTN, ArrowButtonState(direction, state), r)) return;
  Standard::PaintArrowButton(canvas, r, withButton, direction, state);
}

void TcxWinXPLookAndFeelPainter::PaintButtonBody(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  if (DrawThemed(canvas, totButton, BP_PUSHBUTTON, PushButtonState(state), r)) return;
  Standard::PaintButtonBody(canvas, r, state);
}

int TcxWinXPLookAndFeelPainter::EditBorderWidth() const { return OpenTheme(totListView) ? 1 : 2; }

void TcxWinXPLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  if (OpenTheme(totListView)) {
    gdi::SavedState saved(canvas.Handle());
    canvas.ExcludeClipRect(cxInflate(r, 1));
    if (DrawThemed(canvas, totListView, 5, 0, r)) return;
  }
  Standard::PaintEditBorder(canvas, r);
}

int TcxWinXPLookAndFeelPainter::ButtonFrameWidth(PainterButtonState state) const {
  HTHEME theme = OpenTheme(totButton);
  if (theme && UxTheme().GetThemeBackgroundContentRect) {
    ScreenDC screen;
    RECT bounds{0, 0, 100, 100}, content{};
    if (SUCCEEDED(UxTheme().GetThemeBackgroundContentRect(theme, screen.Get(), BP_PUSHBUTTON,
                                                          PushButtonState(state), &bounds, &content)))
      return content.left;
  }
  return 2;
}

TColor TcxWinXPLookAndFeelPainter::ButtonFaceColor(PainterButtonState state) const {
  TColor color;
  if (ThemeColor(totButton, BP_PUSHBUTTON, PushButtonState(state), TMT_FILLCOLOR, color)) return color;
  return Standard::ButtonFaceColor(state);
}

bool TcxWinXPLookAndFeelPainter::ButtonFocusBounds(TcxCanvas& canvas, const TRect& r, TRect& focus) const {
  HTHEME theme = OpenTheme(totButton);
  if (theme && UxTheme().GetThemeBackgroundContentRect) {
    RECT bounds = ToRECT(r), content{};
    if (SUCCEEDED(UxTheme().GetThemeBackgroundContentRect(theme, canvas.Handle(), BP_PUSHBUTTON, PBS_NORMAL,
                                                          &bounds, &content))) {
      focus = TRect{content.left, content.top, content.right, content.bottom};
      if (!focus.IsEmpty()) return false;
      focus = r;
      return true;
    }
  }
  return Standard::ButtonFocusBounds(canvas, r, focus);
}

TColor TcxWinXPLookAndFeelPainter::ButtonGlyphColor(PainterButtonState state) const {
  TColor color;
  if (ThemeColor(totButton, BP_PUSHBUTTON, PushButtonState(state), TMT_TEXTCOLOR, color)) return color;
  return Standard::ButtonGlyphColor(state);
}

void TcxWinXPLookAndFeelPainter::PaintButton(TcxCanvas& canvas, const TRect& r, const std::string& caption,
                                             PainterButtonState state, bool withFrame, TColor faceColor,
                                             TColor textColor) const {
  if (!withFrame || faceColor != clDefault || !DrawThemed(canvas, totButton, BP_PUSHBUTTON, PushButtonState(state), r)) {
    Standard::PaintButton(canvas, r, caption, state, withFrame, faceColor, textColor);
    return;
  }
  if (caption.empty()) return;
  canvas.Font().SetColor(textColor == clDefault ? ButtonGlyphColor(state) : textColor);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(caption, cxInflate(r, ButtonFrameWidth(state)), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  canvas.Brush().SetStyle(bsSolid);
}

void TcxWinXPLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                 bool expanded) const {
  if (DrawThemed(canvas, totTreeView, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED, r)) return;
  Standard::PaintTreeToggle(canvas, r, color, expanded);
}

void TcxWinXPLookAndFeelPainter::PaintSmallToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                  bool expanded) const {
  if (DrawThemed(canvas, totTreeView, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED, r)) return;
  Standard::PaintSmallToggle(canvas, r, color, expanded);
}

int TcxWinXPLookAndFeelPainter::TreeToggleSize() const {
  TSize size;
  if (ThemePartSize(totTreeView, TVP_GLYPH, GLPS_OPENED, size)) return size.cx;
  return Standard::TreeToggleSize();
}

int TcxWinXPLookAndFeelPainter::CheckButtonSize() const {
  TSize size;
  if (ThemePartSize(totButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, size)) return size.cx;
  return Standard::CheckButtonSize();
}

int TcxWinXPLookAndFeelPainter::CheckBorderSize() const {
  // The themed image carries its own frame.
  return CanDrawTheme(totButton) ? 0 : Standard::CheckBorderSize();
}

void TcxWinXPLookAndFeelPainter::PaintCheckMark(TcxCanvas& canvas, const TRect& r, TColor color, bool checked,
                                                PainterButtonState state) const {
  const int first = checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
  if (DrawThemed(canvas, totButton, BP_CHECKBOX, first + ThemeState(state) - 1, r)) return;
  Standard::PaintCheckMark(canvas, r, color, checked, state);
}

void TcxWinXPLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  if (CanDrawTheme(totButton)) return;  // the themed mark draws the whole box
  Standard::PaintCheckFrame(canvas, r, state);
}

void TcxWinXPLookAndFeelPainter::PaintRadioButton(TcxCanvas& canvas, int x, int y, bool checked,
                                                  PainterButtonState state, bool focused, TColor color) const {
  TSize size{13, 13};
  ThemePartSize(totButton, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, size);
  const int first = checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
  if (CanDrawTheme(totButton)) {
    if (color != clDefault) {
      canvas.SetBrushColor(color);
      canvas.FillRect(Bounds(x, y, size.cx, size.cy));
    }
    if (DrawThemed(canvas, totButton, BP_RADIOBUTTON, first + ThemeState(state) - 1, Bounds(x, y, size.cx, size.cy)))
      return;
  }
  Standard::PaintRadioButton(canvas, x, y, checked, state, focused, color);
}

void TcxWinXPLookAndFeelPainter::PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                       TColor color) const {
  if (color == clDefault && DrawThemed(canvas, totHeader, HP_HEADERITEM, ThemeState(state), r)) return;
  Standard::PaintHeaderBackground(canvas, r, state, color);
}

void TcxWinXPLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  if (CanDrawTheme(totHeader)) return;  // part of the themed background
  Standard::PaintHeaderBorder(canvas, r, sides);
}

int TcxWinXPLookAndFeelPainter::HeaderBorderSize() const {
  return CanDrawTheme(totHeader) ? 1 : Standard::HeaderBorderSize();
}

void TcxWinXPLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  if (DrawThemed(canvas, totHeader, HP_HEADERSORTARROW, ascending ? HSAS_SORTEDUP : HSAS_SORTEDDOWN, r)) return;
  Standard::PaintSortMark(canvas, r, ascending);
}

TSize TcxWinXPLookAndFeelPainter::SortMarkSize() const {
  TSize size;
  if (ThemePartSize(totHeader, HP_HEADERSORTARROW, HSAS_SORTEDUP, size) && size.cx > 0) return size;
  return Standard::SortMarkSize();
}

void TcxWinXPLookAndFeelPainter::PaintFooterArea(TcxCanvas& canvas, const TRect& r,
                                                 const TcxPainterText& text) const {
  if (!DrawThemed(canvas, totHeader, HP_HEADERITEM, HIS_NORMAL, r)) {
    Standard::PaintFooterArea(canvas, r, text);
    return;
  }
  TcxPainterText t = text;
  if (t.Bounds.IsEmpty()) t.Bounds = cxInflate(r, 1);
  PaintText(canvas, t, DefaultFooterTextColor());
}

namespace {
// The margins (left, top, right, bottom) of the themed header item, measured in a 100 by 100
// rectangle; none without the "Header" theme.
std::optional<TRect> HeaderItemMargins() {
  HTHEME theme = OpenTheme(totHeader);
  if (!theme || !UxTheme().GetThemeBackgroundContentRect) return std::nullopt;
  ScreenDC screen;
  RECT bounds{0, 0, 100, 100}, content{};
  if (FAILED(UxTheme().GetThemeBackgroundContentRect(theme, screen.Get(), HP_HEADERITEM, HIS_NORMAL, &bounds,
                                                     &content)))
    return std::nullopt;
  return TRect{content.left, content.top, 100 - content.right, 100 - content.bottom};
}
}  // namespace

TcxBorders TcxWinXPLookAndFeelPainter::BorderSides() const {
  const std::optional<TRect> m = HeaderItemMargins();
  if (!m) return Standard::BorderSides();
  TcxBorders sides;
  if (m->Left > 0) sides += bLeft;
  if (m->Top > 0) sides += bTop;
  if (m->Right > 0) sides += bRight;
  if (m->Bottom > 0) sides += bBottom;
  return sides;
}

int TcxWinXPLookAndFeelPainter::BorderSize() const {
  const std::optional<TRect> m = HeaderItemMargins();
  return m ? std::max({m->Left, m->Top, m->Right, m->Bottom}) : Standard::BorderSize();
}

int TcxWinXPLookAndFeelPainter::ContentInset() const {
  const std::optional<TRect> m = HeaderItemMargins();
  return m ? m->Left : Standard::ContentInset();
}

int TcxWinXPLookAndFeelPainter::SeparatorSize() const {
  const std::optional<TRect> m = HeaderItemMargins();
  return m ? m->Bottom : Standard::SeparatorSize();
}

void TcxWinXPLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  HTHEME theme = OpenTheme(totButton);
  RECT rc = ToRECT(r);
  if (theme && UxTheme().DrawThemeEdge &&
      SUCCEEDED(UxTheme().DrawThemeEdge(theme, canvas.Handle(), BP_PUSHBUTTON, PBS_NORMAL, &rc, EDGE_RAISED,
                                        BF_RECT, nullptr)))
    return;
  Standard::PaintRaisedFrame(canvas, r);
}

void TcxWinXPLookAndFeelPainter::PaintCloseButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  if (DrawThemed(canvas, totWindow, WP_SMALLCLOSEBUTTON, ThemeState(state), r)) return;
  Standard::PaintCloseButton(canvas, r, state);
}

void TcxWinXPLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                   bool active) const {
  if (DrawThemed(canvas, totComboBox, CP_DROPDOWNBUTTON, ThemeState(state), r)) return;
  Standard::PaintFilterButton(canvas, r, state, active);
}

TSize TcxWinXPLookAndFeelPainter::FilterActivateButtonSize() const {
  TSize size;
  if (ThemePartSize(totButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, size)) return size;
  return Standard::FilterActivateButtonSize();
}

TSize TcxWinXPLookAndFeelPainter::FilterDropDownButtonSize() const {
  TSize size;
  if (ThemePartSize(totComboBox, CP_DROPDOWNBUTTON, CBXS_NORMAL, size) && size.cx > 0) return size;
  return Standard::FilterDropDownButtonSize();
}

void TcxWinXPLookAndFeelPainter::PaintTabPane(TcxCanvas& canvas, const TRect& r, TcxBorders sides,
                                              TColor color) const {
  if (DrawThemed(canvas, totTab, TABP_PANE, 0, r)) return;
  Standard::PaintTabPane(canvas, r, sides, color);
}

void TcxWinXPLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  const int state = tab.Selected ? TIS_SELECTED : tab.Hot ? TIS_HOT : TIS_NORMAL;
  if (!DrawThemed(canvas, totTab, TABP_TABITEM, state, r)) {
    Standard::PaintTab(canvas, r, tab);
    return;
  }
  PaintTabText(canvas, tab, r);
}

void TcxWinXPLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool vertical,
                                               TcxBorders sides) const {
  if (DrawThemed(canvas, totTab, TABP_PANE, 0, r)) return;
  Standard::PaintTabsRoot(canvas, r, vertical, sides);
}

int TcxWinXPLookAndFeelPainter::TabContentOffset() const { return OpenTheme(totTab) ? 2 : Standard::TabContentOffset(); }
int TcxWinXPLookAndFeelPainter::TabsRootOffset() const { return OpenTheme(totTab) ? 2 : Standard::TabsRootOffset(); }
int TcxWinXPLookAndFeelPainter::TabFrameWidth() const { return OpenTheme(totTab) ? 2 : Standard::TabFrameWidth(); }

void TcxWinXPLookAndFeelPainter::PaintIndicatorHeader(TcxCanvas& canvas, const TRect& r,
                                                      const TcxPainterText& text, TcxIndicatorKind kind) const {
  // The themed section comes through PaintHeaderBackground.
  TcxCustomLookAndFeelPainter::PaintIndicatorHeader(canvas, r, text, kind);
}

void TcxWinXPLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                    PainterButtonState state, const TRect& r) const {
  if (r.IsEmpty() || part == sbpNone) return;
  int themePart = 0, themeState = ThemeState(state);
  switch (part) {
    case sbpLineUp:
    case sbpLineDown:
      themePart = SBP_ARROWBTN;
      themeState = ArrowButtonState(ScrollArrowDirection(horizontal, part), state);
      break;
    case sbpThumbnail: themePart = horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT; break;
    case sbpPageUp: themePart = horizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT; break;
    case sbpPageDown: themePart = horizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT; break;
    case sbpNone: break;
  }
  if (DrawThemed(canvas, totScrollBar, themePart, themeState, r)) return;
  Standard::PaintScrollBarPart(canvas, horizontal, part, state, r);
}

// ---------------------------------------------------------------------------------------------
// Start and end

void cxLookAndFeelPaintersInitialize() {
  if (!g_resources) g_resources = std::make_unique<Resources>();
}

void cxLookAndFeelPaintersFinalize() { g_resources.reset(); }

HWND cxSystemColorListener() { return g_resources ? g_resources->listener.Handle() : nullptr; }

int cxRadioImagesBuildCount() { return g_resources ? g_resources->radioBuilds : 0; }
