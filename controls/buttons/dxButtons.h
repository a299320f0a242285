#pragma once
#include <cstdint>

#include "framework/Controls.h"

// What the push button shows: the mouse is over it (or space is held on it), a left button or
// space holds it down, it has the input focus.
enum TdxVisualStateFlag : std::uint8_t { vsHot = 1, vsPressed = 2, vsFocused = 4 };
using TdxVisualState = std::uint8_t;

// The flat push button: a rounded dark-blue frame around a face filled with a vertical gradient,
// a two-pixel ring while hot (orange) or focused (blue), a darker face while held down, and the
// caption centred, wrapped and ended with an ellipsis when it does not fit. Clicks on a mouse
// click, on the space key, on Enter while focused and on its accelerator character.
class TdxButton : public TCustomControl {
 public:
  explicit TdxButton(TComponent* owner);
  const char* ClassName() const override { return "TdxButton"; }

  TdxVisualState VisualState() const { return visualState_; }
  // The ring shows: pressed with the mouse outside, or hot or focused while not pressed.
  bool IsLit() const;

  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value) { Store(showAccelChar_, value); }
  // A dotted focus rectangle inside the face while focused (the ring shows the focus anyway).
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value) { Store(showFocusRect_, value); }
  // Softens the four corners of the frame with short diagonal lines.
  bool SmoothEdges() const { return smoothEdges_; }
  void SetSmoothEdges(bool value) { Store(smoothEdges_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { Store(wordWrap_, value); }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CaptureLost() override;

  // State changes; each repaints.
  void DoFocusChanged();
  void DoMousePress();
  void DoMouseRelease();
  void DoMouseEnter();
  void DoMouseLeave();
  // Rebuilds the gradients for the current size.
  void DoResized();
  void Redraw() { Invalidate(); }

 private:
  template <class T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Redraw();
  }
  void KeyDown(WORD key);
  void KeyUp();
  void DrawButtonText(TCanvas& canvas, TRect& r, UINT flags);

  TdxVisualState visualState_ = 0;
  bool clicking_ = false;
  bool showAccelChar_ = true;
  bool showFocusRect_ = false;
  bool smoothEdges_ = true;
  bool wordWrap_ = true;
  // The resting face, the face while held down, and the rings of a focused and a hot button.
  TBitmap faceGradient_, pressedGradient_, focusGradient_, hotGradient_;
  // Paint goes here first and reaches the window in one copy.
  TBitmap buffer_;
};
