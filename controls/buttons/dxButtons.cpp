#include "controls/buttons/dxButtons.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "controls/buttons/dxGradient.h"
#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"

namespace {

constexpr TColor kFrame = 0x733800;
constexpr TColor kCorner = 0xAD9E7B;
constexpr TColor kDisabledFrame = 0xBDC7CE;
constexpr TColor kFaceFrom = 0xFFFFFF, kFaceTo = 0xE7EBEF;
constexpr TColor kPressedFrom = 0xC6CFD6, kPressedTo = 0xEBF3F7;
constexpr TColor kFocusFrom = 0xFFE7CE, kFocusTo = 0xEF846D;
constexpr TColor kHotFrom = 0xCEF3FF, kHotTo = 0x0096E7;
constexpr int kGradientBands = 64;
constexpr int kTopToBottom = 1;
// Dither is drawn in a strip this wide (or high) and repeated across the bitmap.
constexpr int kDitherStrip = 16;

int Random(int j) { return j > 0 ? std::rand() % j : 0; }

// Colours row y pixel by pixel, or all in colors[0] when that is the only one.
void SetRow(TBitmap& bitmap, int y, const std::vector<std::uint32_t>& colors) {
  std::uint8_t* p = bitmap.ScanLine(y);
  for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
    const std::uint32_t rgb = colors.size() == 1 ? colors[0] : colors[static_cast<std::size_t>(x)];
    p[0] = static_cast<std::uint8_t>(BlueOf(rgb));
    p[1] = static_cast<std::uint8_t>(GreenOf(rgb));
    p[2] = static_cast<std::uint8_t>(RedOf(rgb));
  }
}

// Copies the top-left part of `source`, at most width x height, to (x, y).
void Blit(TCanvas& canvas, int x, int y, TBitmap& source, int width, int height) {
  width = std::min(width, source.Width());
  height = std::min(height, source.Height());
  if (width <= 0 || height <= 0) return;
  canvas.CopyRect(Bounds(x, y, width, height), source.Canvas(), TRect{0, 0, width, height});
}

}  // namespace

void FillGradientBitmap(int width, int height, TColor startColor, TColor endColor, int bands, int direction,
                        bool dithered, TBitmap& bitmap) {
  bitmap.SetSize(width, height);
  if (bitmap.Empty()) return;
  std::uint32_t from = ColorToRGB(startColor), to = ColorToRGB(endColor);
  if (direction == 2 || direction == 3) std::swap(from, to);
  const auto colors = GradientBandColors(from, to, bands);
  if (colors.empty()) {
    for (int y = 0; y < height; ++y) SetRow(bitmap, y, {ColorToRGB(startColor)});
    return;
  }
  if (direction == 1 || direction == 3) {
    const auto rows = BandedGradientLine(colors, height, dithered, Random);
    for (int y = 0; y < height; ++y) SetRow(bitmap, y, {rows[static_cast<std::size_t>(y)]});
    return;
  }
  // Across the width: the strip's rows dither each on their own, the rows below repeat them.
  for (int y = 0; y < std::min(height, kDitherStrip); ++y) SetRow(bitmap, y, BandedGradientLine(colors, width, dithered, Random));
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  for (int y = kDitherStrip; y < height; ++y)
    std::copy_n(bitmap.ScanLine(y % kDitherStrip), rowBytes, bitmap.ScanLine(y));
}

void GrayGlyph(TBitmap& glyph) {
  for (int y = 0; y < glyph.Height(); ++y) {
    std::uint8_t* p = glyph.ScanLine(y);
    for (int x = 0; x < glyph.Width(); ++x, p += 3) {
      const std::uint32_t gray = GrayGlyphColor(MakeRgb(p[2], p[1], p[0]));
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(RedOf(gray));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// TdxCustomButtonActionLink

TdxCustomButtonActionLink::TdxCustomButtonActionLink(TdxCustomButton* client) : TWinControlActionLink(client) {}

TdxCustomButtonActionLink::~TdxCustomButtonActionLink() { client_->Invalidate(); }

void TdxCustomButtonActionLink::SetImageIndex(int value) {
  if (!IsImageIndexLinked()) return;
  static_cast<TdxCustomButton*>(client_)->imageIndex_ = value;
  client_->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// TdxCustomButton

TdxCustomButton::TdxCustomButton(TComponent* owner) : TdxCustomStyleControl(owner) {
  SetBounds(Left(), Top(), 73, 21);
  SetTabStop(true);
  imageChangeLink_.OnChange = [this](TObject* sender) { ImageListChange(sender); };
}

TdxCustomButton::~TdxCustomButton() {
  // The link itself leaves its image list as it goes.
  imageChangeLink_.OnChange = nullptr;
  // The action link repaints its button as it goes: let it go while the button is whole.
  SetAction(nullptr);
}

void TdxCustomButton::CreateParams(TCreateParams& params) {
  TdxCustomStyleControl::CreateParams(params);
  // A fast second click is a second click, not a double click.
  params.ClassStyle &= ~static_cast<UINT>(CS_DBLCLKS);
}

void TdxCustomButton::SetAutoGray(bool value) { Store(autoGray_, value); }
void TdxCustomButton::SetLayout(TdxLayout value) { Store(layout_, value); }
void TdxCustomButton::SetShowAccelChar(bool value) { Store(showAccelChar_, value); }
void TdxCustomButton::SetShowFocusRect(bool value) { Store(showFocusRect_, value); }
void TdxCustomButton::SetSmoothEdges(bool value) { Store(smoothEdges_, value); }
void TdxCustomButton::SetSpacing(std::uint8_t value) { Store(spacing_, value); }
void TdxCustomButton::SetWordWrap(bool value) { Store(wordWrap_, value); }

void TdxCustomButton::SetGlyph(TBitmap& value) {
  glyph_.Assign(value);
  Redraw();
}

void TdxCustomButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  // Every control of the form re-runs its focus update, which repaints this one too.
  if (TForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

bool TdxCustomButton::IsLit(bool ignoreDefault) {
  const TdxVisualState s = VisualState();
  const bool lit = (s & vsPressed) ? !(s & vsHot) : (s & (vsHot | vsFocused)) != 0;
  if (ignoreDefault) return lit;
  return lit || (default_ && CanFocus() && !FocusInFamily());
}

void TdxCustomButton::KeyDown(WORD& key, TShiftState shift) {
  // Auto-repeat keeps a press of space going but starts none: space held down since before the
  // button had the focus (Tab pressed meanwhile, or back from another window) is no press here.
  if (key == VK_SPACE && !(shift & (ssShift | ssCtrl | ssAlt)) && (!repeatedKey_ || spacePress_)) {
    spacePress_ = true;
    AddState(vsHot);
    DoMousePress();
  }
  TdxCustomStyleControl::KeyDown(key, shift);
}

void TdxCustomButton::KeyUp(WORD& key, TShiftState shift) {
  spacePress_ = false;
  if (VisualState() & vsPressed) {
    EndPressByKey();
    Click();
  }
  TdxCustomStyleControl::KeyUp(key, shift);
}

void TdxCustomButton::KeyClick() {
  // A press held by space or the mouse ends with this click: its release clicks no more.
  if (VisualState() & vsPressed) EndPressByKey();
  Click();
}

void TdxCustomButton::EndPressByKey() {
  POINT p;
  if (GetCursorPos(&p)) {
    const TPoint at = ScreenToClient({p.x, p.y});
    if (!TRect{0, 0, Width(), Height()}.Contains(at.X, at.Y)) RemoveState(vsHot);
  }
  EndPress(true);
}

void TdxCustomButton::CancelPress() { EndPress(false); }

void TdxCustomButton::EndPress(bool keepHot) {
  if (!keepHot && spacePress_ && !(Application && Application->MouseControl() == this)) RemoveState(vsHot);
  spacePress_ = false;
  // One press, one click: a mouse holding the button down clicks no more on its release.
  TdxCustomStyleControl::CancelPress();
}

void TdxCustomButton::DescribeAccessible(TAccessibleInfo& info) {
  info.Role = arPushButton;
  info.Name = showAccelChar_ ? CaptionWithoutAccelChars(Caption()) : Caption();
  info.States |= asFocusable;
  if (VisualState() & vsPressed) info.States |= asPressed;
  info.DefaultAction = kAccessiblePress;
}

void TdxCustomButton::WndProc(TMessage& m) {
  if (m.Msg == WM_KEYDOWN) {
    repeatedKey_ = (m.LParam & (1 << 30)) != 0;  // the key was already down
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{repeatedKey_};
    TdxCustomStyleControl::WndProc(m);
    return;
  }
  if (m.Msg == CM_DIALOGKEY && CanFocus()) {
    const TShiftState shift = KeyboardShiftState();
    const bool enter = m.WParam == VK_RETURN && (Focused() || (default_ && !FocusInFamily()));
    const bool escape = m.WParam == VK_ESCAPE && cancel_ && !(shift & (ssShift | ssCtrl | ssAlt));
    if (enter || escape) {
      KeyClick();
      m.Result = 1;
      return;
    }
  }
  TdxCustomStyleControl::WndProc(m);
}

std::unique_ptr<TControlActionLink> TdxCustomButton::CreateActionLink() {
  return std::make_unique<TdxCustomButtonActionLink>(this);
}

TCustomImageList* TdxCustomButton::ImagesOf(TObject* action) {
  auto* custom = dynamic_cast<TCustomAction*>(action);
  return custom && custom->ActionList() ? custom->ActionList()->Images() : nullptr;
}

void TdxCustomButton::ActionChange(TObject* sender, bool checkDefaults) {
  TdxCustomStyleControl::ActionChange(sender, checkDefaults);
  if (TCustomImageList* images = ImagesOf(sender)) {
    auto* action = static_cast<TCustomAction*>(sender);
    if (imageChangeLink_.Sender() != images) images->RegisterChanges(&imageChangeLink_);
    if (action->ImageIndex() >= 0 && action->ImageIndex() < images->Count()) imageIndex_ = action->ImageIndex();
  }
  Redraw();
}

void TdxCustomButton::ImageListChange(TObject* sender) {
  TCustomImageList* images = ImagesOf(Action());
  const int index = images ? static_cast<TCustomAction*>(Action())->ImageIndex() : -1;
  imageIndex_ = images && dynamic_cast<TCustomImageList*>(sender) && index < images->Count() ? index : -1;
  Redraw();
}

void TdxCustomButton::BuildGradients() {
  // The face is always as large as the inside of the frame: a lit paint shows only its
  // top-left part, an unlit one all of it, with no strip left unfilled either way.
  const int w = Width() - 2, h = Height() - 2;
  FillGradientBitmap(w, h, kFaceFrom, kFaceTo, kGradientBands, kTopToBottom, true, faceGradient_);
  FillGradientBitmap(w, h, kPressedFrom, kPressedTo, kGradientBands, kTopToBottom, true, pressedGradient_);
  FillGradientBitmap(w, h, kFocusFrom, kFocusTo, kGradientBands, kTopToBottom, true, focusGradient_);
  FillGradientBitmap(w, h, kHotFrom, kHotTo, kGradientBands, kTopToBottom, true, hotGradient_);
}

void TdxCustomButton::DoResized() {
  TdxCustomStyleControl::DoResized();
  // The gradients follow at the next paint: a window being laid out is resized several times
  // before it is first shown.
  Redraw();
}

void TdxCustomButton::DrawButtonText(std::string text, TFont& font, bool enabled, bool showAccelChar, TRect& r,
                                     UINT flags) {
  // An empty caption still measures one line.
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar && text == "&"))) text += " ";
  if (!showAccelChar) flags |= DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(font);
  if (enabled || (flags & DT_CALCRECT)) {
    canvas.DrawText(text, r, flags);
  } else {
    DrawEmbossedText(canvas, text, r, flags);
  }
}

void TdxCustomButton::PrepareImage() {
  TCustomImageList* images = ImagesOf(Action());
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    images->GetBitmap(imageIndex_, image_);
  } else {
    image_.Assign(glyph_);
  }
  if (autoGray_ && !Enabled()) GrayGlyph(image_);
  image_.SetTransparent(true);
}

void TdxCustomButton::Paint() {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  // Made for another size, or not yet.
  if (faceGradient_.Width() != w - 2 || faceGradient_.Height() != h - 2) BuildGradients();
  TCanvas& c = Canvas();
  const TdxVisualState state = VisualState();
  const bool hot = (state & vsHot) != 0;
  const bool pressedLook = hot && (state & vsPressed);
  const bool lit = IsLit(false);

  c.Brush().SetColor(Color());  // shows in the corners outside the rounded frame
  c.FillRect(TRect{0, 0, w, h});
  if (lit) Blit(c, 1, 1, hot ? hotGradient_ : focusGradient_, w - 2, h - 2);
  if (pressedLook) {
    Blit(c, 1, 1, pressedGradient_, w - 2, h - 2);
  } else {
    // Lit, the face sits three pixels inside the frame and leaves a two-pixel ring.
    const int a = lit ? 1 : 0;
    Blit(c, 1 + 2 * a, 1 + 2 * a, faceGradient_, w - 6 * a, h - 6 * a);
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

  UINT flags = DT_END_ELLIPSIS | (wordWrap_ ? DT_WORDBREAK : 0u);
  PrepareImage();
  c.Font().Assign(Font());
  const bool glyph = !image_.Empty();
  const int gw = image_.Width(), gh = image_.Height(), p = pressedLook ? 1 : 0;
  bool alignRight = false;
  TRect r = glyph ? GlyphRoom(w, h, layout_, gw, gh, spacing_, alignRight) : TRect{0, 0, w, h};
  if (alignRight) flags |= DT_RIGHT;
  DrawButtonText(Caption(), Font(), Enabled(), showAccelChar_, r, flags | DT_CALCRECT);
  r = CentreCaption(r, w, h, p);
  if (glyph) {
    const TPoint at = GlyphOrigin(r, layout_, w, h, gw, gh, spacing_, p);
    c.Draw(at.X, at.Y, image_);
  }
  if ((state & vsFocused) && showFocusRect_) {
    c.Brush().SetStyle(bsSolid);
    c.DrawFocusRect(TRect{3, 3, w - 3, h - 3});
  }
  c.Brush().SetStyle(bsClear);
  DrawButtonText(Caption(), Font(), Enabled(), showAccelChar_, r, flags);
}
