#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Geometry.h"
#include "framework/Handles.h"

// Red, green and blue (0x00BBGGRR) of a colour value; system colours via GetSysColor.
COLORREF ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Base of the graphics objects: a description and a lazily made handle that is rebuilt
// after the description changes. OnChange tells the holder (a canvas, a control).
class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() = default;

  std::function<void()> OnChange;

 protected:
  // Announces a change; `rebuild` false for parts of the description the handle does not hold.
  void Changed(bool rebuild = true);
  // True once after each change: the handle must be rebuilt.
  bool stale_ = true;
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  int Charset() const { return charset_; }
  TColor Color() const { return color_; }
  TFontStyles Style() const { return style_; }
  void SetName(const std::string& name);
  void SetHeight(int height);
  void SetCharset(int charset);
  void SetColor(TColor color);
  void SetStyle(TFontStyles style);
  // Copies the whole description, announcing one change.
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  // The font handle; owned by this object and rebuilt after a change. Whoever selected the
  // previous handle must have deselected it before asking again.
  HFONT Handle();
  // True when Handle() would give `handle` without rebuilding.
  bool IsCurrent(HGDIOBJ handle) const { return handle && !stale_ && handle_.Get() == handle; }

 private:
  std::string name_;
  int height_;
  int charset_;
  TColor color_;
  TFontStyles style_ = 0;
  gdi::Font handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  int Width() const { return width_; }
  TPenStyle Style() const { return style_; }
  void SetColor(TColor color);
  void SetWidth(int width);
  void SetStyle(TPenStyle style);
  HPEN Handle();
  bool IsCurrent(HGDIOBJ handle) const {
    return handle && !stale_ && handle_.Get() == handle && ColorToRGB(color_) == madeFor_;
  }

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  gdi::Pen handle_;
  COLORREF madeFor_ = 0;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  TBrushStyle Style() const { return style_; }
  void SetColor(TColor color);  // also makes the brush solid
  void SetStyle(TBrushStyle style);
  HBRUSH Handle();
  bool IsCurrent(HGDIOBJ handle) const {
    return handle && !stale_ && handle_.Get() == handle && (style_ != bsSolid || ColorToRGB(color_) == madeFor_);
  }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  gdi::Brush handle_;
  COLORREF madeFor_ = 0;
};

// Drawing surface over a device context. The canvas selects its own font, pen and brush into the
// context while attached and puts the original objects back before it lets the context go, so
// nothing of ours is ever deleted while selected.
class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context; a canvas that makes its own (control and bitmap canvases) makes it here.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Attaches a borrowed context (nullptr detaches, undoing every selection).
  void SetHandle(HDC dc);

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }

  void FillRect(const TRect& r);        // brush, no outline
  void FrameRect(const TRect& r);       // one-pixel frame in the brush colour
  void Rectangle(const TRect& r);       // pen outline, brush inside
  void RoundRect(const TRect& r, int ellipseWidth, int ellipseHeight);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);  // pen outline, brush inside
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  void DrawFocusRect(const TRect& r);

  // DrawTextA with the canvas font; with DT_CALCRECT r receives the measured rectangle.
  int DrawText(const std::string& text, TRect& r, UINT format);
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  // Copies a rectangle of another canvas into this one (SRCCOPY).
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
  // Draws the bitmap whole with its top-left corner at (x, y); a transparent bitmap leaves the
  // pixels of its transparent colour out.
  void Draw(int x, int y, class TBitmap& bitmap);

  // Clipping in logical coordinates of the current origin.
  void IntersectClip(const TRect& r);
  void ExcludeClip(const TRect& r);
  // Sets the clip to the region (a copy is taken; nullptr removes the clip).
  void SelectClipRegion(HRGN region);

 protected:
  // Called when a handle is needed and none is attached.
  virtual void CreateHandle() {}
  // Font, pen and brush handles in the context are current.
  void RequireObjects(bool font, bool pen, bool brush);

 private:
  void Deselect();

  HDC dc_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  // Objects of the context from before we selected ours.
  HGDIOBJ originalFont_ = nullptr, originalPen_ = nullptr, originalBrush_ = nullptr;
  // Ours that are selected now.
  HGDIOBJ selectedFont_ = nullptr, selectedPen_ = nullptr, selectedBrush_ = nullptr;
};

// 24-bit device-independent bitmap with direct pixel access and its own canvas.
class TBitmap {
 public:
  TBitmap();
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Resizes; the contents are undefined afterwards. Same size: nothing happens.
  void SetSize(int width, int height);
  TCanvas& Canvas();
  HBITMAP Handle() const { return bitmap_.Get(); }

  // Row y, top to bottom, three bytes a pixel in blue, green, red order.
  std::uint8_t* ScanLine(int y);
  // 0x00BBGGRR of a pixel (flushes pending drawing first).
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, COLORREF rgb);
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Becomes a copy of `source`: size, pixels and transparency.
  void Assign(TBitmap& source);

  // Drawn without the pixels of its transparent colour: the colour of its bottom-left pixel.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }
  COLORREF TransparentColor() { return Empty() ? 0 : Pixel(0, height_ - 1); }

 private:
  class BitmapCanvas;
  bool transparent_ = false;
  int width_ = 0, height_ = 0;
  gdi::Bitmap bitmap_;
  std::uint8_t* bits_ = nullptr;
  int stride_ = 0;
  BitmapCanvas* canvas_ = nullptr;  // owned
};

// Extent of a text in a font, measured on a screen-compatible context.
TSize MeasureText(const TFont& font, const std::string& text);
// Drops the remembered measurements: the system's fonts changed (WM_FONTCHANGE).
void ForgetMeasuredText();

// The disabled look of a text: in clBtnHighlight one pixel right of and below r, then in
// clBtnShadow at r.
void DrawEmbossedText(TCanvas& canvas, const std::string& text, const TRect& r, UINT format);
