#include "controls/buttons/dxButtons.h"

#include "framework/StdCtrls.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "controls/buttons/dxGradient.h"

namespace {

constexpr TColor kFrame = 0x733800;
constexpr TColor kCorner = 0xAD9E7B;
constexpr TColor kDisabledFrame = 0xBDC7CE;
constexpr TColor kFaceFrom = 0xFFFFFF, kFaceTo = 0xE7EBEF;
constexpr TColor kPressedFrom = 0xC6CFD6, kPressedTo = 0xEBF3F7;
constexpr TColor kFocusFrom = 0xFFE7CE, kFocusTo = 0xEF846D;
constexpr TColor kHotFrom = 0xCEF3FF, kHotTo = 0x0096E7;
constexpr int kGradientBands = 64;

// Sizes `bitmap` and fills it with a dithered top-to-bottom gradient.
void FillGradientBitmap(TBitmap& bitmap, int width, int height, TColor from, TColor to) {
  bitmap.SetSize(width, height);
  if (width <= 0 || height <= 0) return;
  const auto rows = VerticalGradientRows(GradientBandColors(ColorToRGB(from), ColorToRGB(to), kGradientBands),
                                         height, [](int j) { return j > 0 ? std::rand() % j : 0; });
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = bitmap.ScanLine(y);
    const std::uint32_t rgb = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = static_cast<std::uint8_t>(BlueOf(rgb));
      p[1] = static_cast<std::uint8_t>(GreenOf(rgb));
      p[2] = static_cast<std::uint8_t>(RedOf(rgb));
    }
  }
}

// Copies the top-left part of `source` (at most width x height) to (x, y).
void Blit(TCanvas& canvas, int x, int y, TBitmap& source, int width, int height) {
  width = std::min(width, source.Width());
  height = std::min(height, source.Height());
  if (width <= 0 || height <= 0) return;
  canvas.CopyRect(Bounds(x, y, width, height), source.Canvas(), TRect{0, 0, width, height});
}

}  // namespace

TdxButton::TdxButton(TComponent* owner) : TCustomControl(owner) {
  // The paint covers every pixel, so the window is never erased first.
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(Left(), Top(), 73, 21);
  SetTabStop(true);
}

void TdxButton::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  // A fast second click is a second click, not a double click.
  params.ClassStyle &= ~static_cast<UINT>(CS_DBLCLKS);
}

bool TdxButton::IsLit() const {
  if (visualState_ & vsPressed) return !(visualState_ & vsHot);
  return (visualState_ & (vsHot | vsFocused)) != 0;
}

void TdxButton::DoFocusChanged() {
  if (Focused()) {
    visualState_ |= vsFocused;
  } else {
    visualState_ &= static_cast<TdxVisualState>(~(vsFocused | vsPressed));
  }
  Redraw();
}

void TdxButton::DoMousePress() {
  if (!Focused() && CanFocus()) SetFocus();
  visualState_ |= vsPressed;
  Redraw();
}

void TdxButton::DoMouseRelease() {
  visualState_ &= static_cast<TdxVisualState>(~vsPressed);
  Redraw();
}

void TdxButton::DoMouseEnter() {
  visualState_ |= vsHot;
  Redraw();
}

void TdxButton::DoMouseLeave() {
  visualState_ &= static_cast<TdxVisualState>(~vsHot);
  Redraw();
}

void TdxButton::DoResized() {
  const int w = Width(), h = Height();
  FillGradientBitmap(faceGradient_, w - 2, h - 2, kFaceFrom, kFaceTo);
  FillGradientBitmap(pressedGradient_, w - 2, h - 2, kPressedFrom, kPressedTo);
  FillGradientBitmap(focusGradient_, w - 2, h - 2, kFocusFrom, kFocusTo);
  FillGradientBitmap(hotGradient_, w - 2, h - 2, kHotFrom, kHotTo);
}

void TdxButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  clicking_ = true;
  DoMousePress();
}

void TdxButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (!clicking_) return;
  clicking_ = false;
  DoMouseRelease();
}

void TdxButton::CaptureLost() {
  if (!clicking_) return;
  clicking_ = false;
  DoMouseRelease();
}

void TdxButton::KeyDown(WORD key) {
  if (key != VK_SPACE || KeyboardShiftState() != 0) return;
  visualState_ |= vsHot;
  DoMousePress();
}

void TdxButton::KeyUp() {
  if (!(visualState_ & vsPressed)) return;
  POINT p;
  if (GetCursorPos(&p) && HandleAllocated()) {
    const TPoint client = ScreenToClient({p.x, p.y});
    if (!TRect{0, 0, Width(), Height()}.Contains(client.X, client.Y))
      visualState_ &= static_cast<TdxVisualState>(~vsHot);
  }
  visualState_ &= static_cast<TdxVisualState>(~vsPressed);
  Redraw();
  Click();
}

void TdxButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      TCustomControl::WndProc(m);
      DoResized();
      Redraw();
      return;
    case WM_KEYDOWN:
      KeyDown(static_cast<WORD>(m.WParam));
      break;
    case WM_KEYUP:
      KeyUp();
      break;
    case CM_FOCUSCHANGED:
      DoFocusChanged();
      break;
    case CM_MOUSEENTER:
      if (m.LParam == 0) DoMouseEnter();
      break;
    case CM_MOUSELEAVE:
      if (m.LParam == 0) DoMouseLeave();
      break;
    case CM_TEXTCHANGED:
      Redraw();
      return;
    case CM_DIALOGKEY:
      if (m.WParam == VK_RETURN && CanFocus() && Focused()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      // An unfocused button answers its accelerator only together with Alt.
      if (IsAccelerator(m.WParam, Caption()) && CanFocus() && (Focused() || GetKeyState(VK_MENU) < 0)) {
        Click();
        m.Result = 1;
        return;
      }
      break;
  }
  TCustomControl::WndProc(m);
}

void TdxButton::DrawButtonText(TCanvas& canvas, TRect& r, UINT flags) {
  std::string text = Caption();
  // An empty caption still measures one line.
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += " ";
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  canvas.Font().Assign(Font());
  if (Enabled()) {
    canvas.DrawText(text, r, flags);
    return;
  }
  DrawEmbossedText(canvas, text, r, flags);
}

void TdxButton::Paint() {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  if (faceGradient_.Width() != w - 2 || faceGradient_.Height() != h - 2) DoResized();
  buffer_.SetSize(w, h);
  TCanvas& c = buffer_.Canvas();

  c.Brush().SetColor(Color());  // shows in the corners outside the rounded frame
  c.FillRect(TRect{0, 0, w, h});
  const bool hot = (visualState_ & vsHot) != 0;
  const bool pressedLook = hot && (visualState_ & vsPressed);
  const bool lit = IsLit();
  if (lit) Blit(c, 1, 1, hot ? hotGradient_ : focusGradient_, w - 2, h - 2);
  if (pressedLook) {
    Blit(c, 1, 1, pressedGradient_, w - 2, h - 2);
  } else {
    // Lit, the face sits three pixels inside the frame and leaves a two-pixel ring.
    const int a = lit ? 1 : 0;
    Blit(c, 1 + 2 * a, 1 + 2 * a, faceGradient_, w - 2 - 4 * a, h - 2 - 4 * a);
  }

  c.Pen().SetColor(Enabled() ? kFrame : kDisabledFrame);
  c.Brush().SetStyle(bsClear);
  c.RoundRect(TRect{0, 0, w, h}, 5, 5);
  if (smoothEdges_) {
    c.Pen().SetColor(Enabled() ? kCorner : kDisabledFrame);
    // LineTo leaves out the end point.
    const TPoint lines[4][2] = {{{0, 1}, {2, 0}}, {{w - 2, 0}, {w, 2}}, {{0, h - 2}, {2, h}}, {{w - 3, h}, {w, h - 3}}};
    for (const auto& line : lines) {
      c.MoveTo(line[0].X, line[0].Y);
      c.LineTo(line[1].X, line[1].Y);
    }
  }

  const UINT flags = DT_END_ELLIPSIS | (wordWrap_ ? DT_WORDBREAK : 0u);
  TRect r{0, 0, w, h};
  DrawButtonText(c, r, flags | DT_CALCRECT);
  const int dx = (w - r.Right) / 2 + (pressedLook ? 1 : 0);
  const int dy = (h - r.Bottom) / 2 + (pressedLook ? 1 : 0);
  r = TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
  if ((visualState_ & vsFocused) && showFocusRect_) {
    c.Brush().SetColor(Color());
    c.DrawFocusRect(TRect{3, 3, w - 3, h - 3});
  }
  c.Brush().SetStyle(bsClear);
  DrawButtonText(c, r, flags);

  Canvas().Draw(0, 0, buffer_);
}
