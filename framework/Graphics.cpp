#include "framework/Graphics.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "framework/Exception.h"
#include "framework/SystemLibrary.h"

COLORREF ColorToRGB(TColor color) {
  return ColorToRgbWith(color, [](int index) { return GetSysColor(index); });
}

void TGraphicsObject::Changed(bool rebuild) {
  if (rebuild) stale_ = true;
  if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------------------------
// TFont

TFont::TFont() : name_("Tahoma"), height_(-11), charset_(DEFAULT_CHARSET), color_(clWindowText) {}

void TFont::SetName(const std::string& name) {
  if (name_ == name) return;
  name_ = name;
  Changed();
}
void TFont::SetHeight(int height) {
  if (height_ == height) return;
  height_ = height;
  Changed();
}
void TFont::SetCharset(int charset) {
  if (charset_ == charset) return;
  charset_ = charset;
  Changed();
}
void TFont::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed(false);  // drawn with SetTextColor, not held by the font handle
}
void TFont::SetStyle(TFontStyles style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}
bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && charset_ == o.charset_ && color_ == o.color_ &&
         style_ == o.style_;
}
void TFont::Assign(const TFont& o) {
  if (SameAs(o)) return;
  const bool onlyColor = name_ == o.name_ && height_ == o.height_ && charset_ == o.charset_ && style_ == o.style_;
  name_ = o.name_;
  height_ = o.height_;
  charset_ = o.charset_;
  color_ = o.color_;
  style_ = o.style_;
  Changed(!onlyColor);
}

HFONT TFont::Handle() {
  if (stale_ || !handle_) {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&lf);
    if (!font) throw Exception("Cannot create font " + name_);
    handle_.Reset(font);
    stale_ = false;
  }
  return handle_.Get();
}

// ---------------------------------------------------------------------------------------------
// TPen, TBrush

void TPen::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}
void TPen::SetWidth(int width) {
  if (width_ == width) return;
  width_ = width;
  Changed();
}
void TPen::SetStyle(TPenStyle style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}
HPEN TPen::Handle() {
  // System colours are resolved when the handle is made; a changed system colour makes it stale.
  const COLORREF rgb = ColorToRGB(color_);
  if (stale_ || !handle_ || rgb != madeFor_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    HPEN pen = CreatePen(kStyles[style_], width_, rgb);
    if (!pen) throw Exception("Cannot create pen");
    handle_.Reset(pen);
    madeFor_ = rgb;
    stale_ = false;
  }
  return handle_.Get();
}

void TBrush::SetColor(TColor color) {
  if (color_ == color && style_ == bsSolid) return;
  color_ = color;
  style_ = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}
HBRUSH TBrush::Handle() {
  const COLORREF rgb = ColorToRGB(color_);
  if (stale_ || !handle_ || (style_ == bsSolid && rgb != madeFor_)) {
    LOGBRUSH lb{};
    lb.lbStyle = style_ == bsClear ? BS_NULL : BS_SOLID;
    lb.lbColor = rgb;
    HBRUSH brush = CreateBrushIndirect(&lb);
    if (!brush) throw Exception("Cannot create brush");
    handle_.Reset(brush);
    madeFor_ = rgb;
    stale_ = false;
  }
  return handle_.Get();
}

// ---------------------------------------------------------------------------------------------
// TCanvas

namespace {
RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
}  // namespace

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() { Deselect(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw Exception("Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc_ == dc) return;
  Deselect();
  dc_ = dc;
}

void TCanvas::Deselect() {
  if (!dc_) return;
  if (originalFont_) SelectObject(dc_, originalFont_);
  if (originalPen_) SelectObject(dc_, originalPen_);
  if (originalBrush_) SelectObject(dc_, originalBrush_);
  originalFont_ = originalPen_ = originalBrush_ = nullptr;
  selectedFont_ = selectedPen_ = selectedBrush_ = nullptr;
}

void TCanvas::RequireObjects(bool font, bool pen, bool brush) {
  HDC dc = Handle();
  // Handle() may rebuild an object (changed description or system colour), which deletes the
  // old handle: put the context's original back before asking, then select what we get.
  // An object still selected as it is stays selected: selecting a font again costs the display
  // driver a lookup of its settings each time.
  auto use = [dc](auto& object, HGDIOBJ& selected, HGDIOBJ& original) {
    if (object.IsCurrent(selected)) return;
    if (selected) {
      SelectObject(dc, original);
      selected = original = nullptr;
    }
    HGDIOBJ handle = object.Handle();
    original = SelectObject(dc, handle);
    selected = handle;
  };
  if (font) {
    use(font_, selectedFont_, originalFont_);
    SetTextColor(dc, ColorToRGB(font_.Color()));
  }
  if (pen) use(pen_, selectedPen_, originalPen_);
  if (brush) {
    use(brush_, selectedBrush_, originalBrush_);
    if (brush_.Style() == bsClear) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, ColorToRGB(brush_.Color()));
    }
  }
}

void TCanvas::FillRect(const TRect& r) {
  RequireObjects(false, false, true);
  RECT rc = ToRECT(r);
  ::FillRect(dc_, &rc, brush_.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
  RequireObjects(false, false, true);
  RECT rc = ToRECT(r);
  ::FrameRect(dc_, &rc, brush_.Handle());
}

void TCanvas::Rectangle(const TRect& r) {
  RequireObjects(false, true, true);
  ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::RoundRect(const TRect& r, int ew, int eh) {
  RequireObjects(false, true, true);
  ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, ew, eh);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  RequireObjects(false, true, true);
  ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  RequireObjects(false, true, true);
  std::vector<POINT> p;
  p.reserve(points.size());
  for (const auto& q : points) p.push_back(POINT{q.X, q.Y});
  ::Polyline(dc_, p.data(), static_cast<int>(p.size()));
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  RequireObjects(false, true, true);
  std::vector<POINT> p;
  p.reserve(points.size());
  for (const auto& q : points) p.push_back(POINT{q.X, q.Y});
  ::Polygon(dc_, p.data(), static_cast<int>(p.size()));
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

void TCanvas::DrawFocusRect(const TRect& r) {
  RequireObjects(false, false, true);
  RECT rc = ToRECT(r);
  ::DrawFocusRect(dc_, &rc);
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT format) {
  RequireObjects(true, false, true);
  RECT rc = ToRECT(r);
  const int height = ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rc, format);
  if (format & DT_CALCRECT) r = TRect{rc.left, rc.top, rc.right, rc.bottom};
  return height;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  RequireObjects(true, false, true);
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  RequireObjects(true, false, true);
  RECT rc = ToRECT(r);
  UINT options = ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  ::ExtTextOutA(dc_, x, y, options, &rc, text.data(), static_cast<UINT>(text.size()), nullptr);
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequireObjects(true, false, false);
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return TSize{size.cx, size.cy};
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
  HDC dc = Handle();
  HDC from = source.Handle();
  if (dest.Width() == src.Width() && dest.Height() == src.Height()) {
    BitBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), from, src.Left, src.Top, SRCCOPY);
  } else {
    StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), from, src.Left, src.Top, src.Width(),
               src.Height(), SRCCOPY);
  }
}

namespace {

// The transparent copy lives in a library of its own that only this drawing needs: it is loaded
// on first use, not with the program.
using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

TransparentBltFn TransparentCopy() {
  static const auto copy = LibraryFunction<TransparentBltFn>(LoadSystemLibrary("msimg32.dll"), "TransparentBlt");
  if (!copy) throw Exception("The transparent copy (msimg32.dll) is not available");
  return copy;
}

}  // namespace

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  if (!bitmap.Transparent()) {
    CopyRect(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap.Canvas(),
             TRect{0, 0, bitmap.Width(), bitmap.Height()});
    return;
  }
  const COLORREF key = bitmap.TransparentColor();
  TransparentCopy()(Handle(), x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, bitmap.Width(),
                    bitmap.Height(), key);
}

void TCanvas::IntersectClip(const TRect& r) { IntersectClipRect(Handle(), r.Left, r.Top, r.Right, r.Bottom); }

void TCanvas::ExcludeClip(const TRect& r) { ExcludeClipRect(Handle(), r.Left, r.Top, r.Right, r.Bottom); }

void TCanvas::SelectClipRegion(HRGN region) { SelectClipRgn(Handle(), region); }

// ---------------------------------------------------------------------------------------------
// TBitmap

class TBitmap::BitmapCanvas : public TCanvas {
 public:
  explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}
  ~BitmapCanvas() override { Release(); }

  // Gives the memory context back with the bitmap deselected (before a resize or destruction).
  void Release() {
    if (!HandleAllocated()) return;
    HDC dc = Handle();
    SetHandle(nullptr);
    if (originalBitmap_) SelectObject(dc, originalBitmap_);
    originalBitmap_ = nullptr;
    memory_.reset();
  }

 protected:
  void CreateHandle() override {
    memory_ = std::make_unique<gdi::MemoryDC>();
    if (!memory_->Get()) throw Exception("Out of system resources");
    if (owner_.Handle()) originalBitmap_ = SelectObject(memory_->Get(), owner_.Handle());
    SetHandle(memory_->Get());
  }

 private:
  TBitmap& owner_;
  std::unique_ptr<gdi::MemoryDC> memory_;
  HGDIOBJ originalBitmap_ = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { delete canvas_; }

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (canvas_) canvas_->Release();
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = width;
  height_ = height;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) throw Exception("Out of system resources");
  bitmap_.Reset(bitmap);
  bits_ = static_cast<std::uint8_t*>(bits);
  stride_ = (width * 3 + 3) & ~3;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = new BitmapCanvas(*this);
  return *canvas_;
}

std::uint8_t* TBitmap::ScanLine(int y) {
  GdiFlush();
  return bits_ ? bits_ + static_cast<std::ptrdiff_t>(y) * stride_ : nullptr;
}

COLORREF TBitmap::Pixel(int x, int y) {
  const std::uint8_t* p = ScanLine(y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, COLORREF rgb) {
  std::uint8_t* p = ScanLine(y) + 3 * x;
  p[0] = GetBValue(rgb);
  p[1] = GetGValue(rgb);
  p[2] = GetRValue(rgb);
}

void TBitmap::Assign(TBitmap& source) {
  if (&source == this) return;
  transparent_ = source.transparent_;
  SetSize(source.width_, source.height_);
  if (Empty()) return;
  GdiFlush();
  source.ScanLine(0);  // flushes drawing pending on the source
  std::copy(source.bits_, source.bits_ + static_cast<std::ptrdiff_t>(stride_) * height_, bits_);
}

namespace {
// Measurements by font description and text. A font's metrics change only when the system's fonts
// do (ForgetMeasuredText); the controls of a window measure the same font many times over.
using MeasureKey = std::tuple<std::string, int, int, TFontStyles, std::string>;
std::map<MeasureKey, TSize>& Measured() {
  static std::map<MeasureKey, TSize> measured;
  return measured;
}
}  // namespace

TSize MeasureText(const TFont& font, const std::string& text) {
  MeasureKey key{font.Name(), font.Height(), font.Charset(), font.Style(), text};
  auto& measured = Measured();
  if (auto found = measured.find(key); found != measured.end()) return found->second;
  gdi::WindowDC screen(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen.Get());
  canvas.Font().Assign(font);
  const TSize size = canvas.TextExtent(text);
  canvas.SetHandle(nullptr);
  constexpr std::size_t kMostKept = 256;
  if (measured.size() >= kMostKept) measured.clear();
  measured.emplace(std::move(key), size);
  return size;
}

void ForgetMeasuredText() { Measured().clear(); }

void DrawEmbossedText(TCanvas& canvas, const std::string& text, const TRect& r, UINT format) {
  TRect shifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  canvas.Font().SetColor(clBtnHighlight);
  canvas.DrawText(text, shifted, format);
  TRect at = r;
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(text, at, format);
}
