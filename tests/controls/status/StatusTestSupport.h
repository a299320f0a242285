#pragma once
#include <windows.h>

#include <string>

#include "controls/status/RzStatus.h"
#include "framework/Application.h"
#include "framework/Forms.h"

// Panes that paint into a bitmap: the canvas is lent the bitmap's context, as the parent's
// paint lends its own, so drawing can be checked pixel by pixel without a screen.
template <class Pane>
class BitmapPane : public Pane {
 public:
  using Pane::Pane;
  void AttachTo(TBitmap& bitmap) {
    bitmap.SetSize(this->Width(), this->Height());
    this->Canvas().SetHandle(bitmap.Canvas().Handle());
  }
  void Detach() { this->Canvas().SetHandle(nullptr); }
  void PaintInto(TBitmap& bitmap) {
    AttachTo(bitmap);
    this->Paint();
    Detach();
  }
};

// Ink bounds: the columns and rows in `area` whose pixels differ from `background`.
struct InkBounds {
  int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;
  bool Empty() const { return Left > Right; }
};

inline InkBounds FindInk(TBitmap& bitmap, const TRect& area, COLORREF background) {
  InkBounds ink;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (bitmap.Pixel(x, y) != background) {
        ink.Left = std::min(ink.Left, x);
        ink.Right = std::max(ink.Right, x);
        ink.Top = std::min(ink.Top, y);
        ink.Bottom = std::max(ink.Bottom, y);
      }
  return ink;
}

// A text drawn alone at (0, 0), left-aligned and opaque, in a font and colours: the picture
// a caption is expected to show, whatever glyphs the system's fonts give.
struct TextPicture {
  TBitmap bitmap;
  int Width = 0, Height = 0;  // the text's extent
  InkBounds Ink;

  TextPicture(const TFont& font, const std::string& text, COLORREF ink, COLORREF fill) {
    const TSize extent = MeasureText(font, text);
    Width = extent.cx;
    Height = extent.cy;
    bitmap.SetSize(Width + 1, Height + 1);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().Assign(font);
    canvas.Font().SetColor(static_cast<TColor>(ink));
    canvas.Brush().SetColor(static_cast<TColor>(fill));
    canvas.FillRect(TRect{0, 0, Width + 1, Height + 1});
    canvas.TextOut(0, 0, text);
    Ink = FindInk(bitmap, TRect{0, 0, Width + 1, Height + 1}, fill);
  }
};

// Catches what the application would show in its error box.
class ErrorBoxCatcher {
 public:
  ErrorBoxCatcher() {
    Application->SetErrorBoxHandler([this](HWND, const std::string& text, const std::string&) {
      messages_ += text + "\n";
    });
  }
  ~ErrorBoxCatcher() { Application->SetErrorBoxHandler(nullptr); }
  ErrorBoxCatcher(const ErrorBoxCatcher&) = delete;
  ErrorBoxCatcher& operator=(const ErrorBoxCatcher&) = delete;
  const std::string& Messages() const { return messages_; }

 private:
  std::string messages_;
};

// A plain form to parent panes on, with its window made but not shown.
class HostForm : public TForm {
 public:
  HostForm() : TForm(nullptr) {
    SetBounds(40, 40, 420, 160);
    SetColor(static_cast<TColor>(RGB(200, 220, 240)));
    HandleNeeded();
  }
};
