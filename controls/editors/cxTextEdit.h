#pragma once
#include <optional>
#include <string>

#include "controls/editors/cxContainerLayout.h"
#include "controls/editors/cxLookAndFeels.h"
#include "framework/Controls.h"

class TcxTextEdit;

// The frame settings of an editor. The border style follows the look-and-feel kind; the frame
// is hot-tracked (it changes while the mouse is over the editor or the editor is focused).
class TcxCustomEditStyle {
 public:
  TcxCustomEditStyle();
  TcxCustomEditStyle(const TcxCustomEditStyle&) = delete;
  TcxCustomEditStyle& operator=(const TcxCustomEditStyle&) = delete;

  TcxLookAndFeel& LookAndFeel() { return lookAndFeel_; }
  TcxContainerBorderStyle BorderStyle() const { return DefaultBorderStyle(lookAndFeel_.Kind()); }
  // Colour of single and thick borders.
  TColor BorderColor() const { return clWindowFrame; }

  // Tells the owning editor, which repaints.
  std::function<void()> OnChanged;

 private:
  TcxLookAndFeel lookAndFeel_;
};

// The native single-line EDIT window inside a text editor: it does the typing, caret and
// selection, and hands its mouse presses, clicks and focus on to the editor.
class TcxCustomInnerTextEdit : public TWinControl {
 public:
  // Owned and displayed by `edit`.
  explicit TcxCustomInnerTextEdit(TcxTextEdit* edit);
  ~TcxCustomInnerTextEdit() override;
  const char* ClassName() const override { return "TcxCustomInnerTextEdit"; }

  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  TcxTextEdit* edit_;
};

// A flat single-line text editor: a frame painted by the control around a native EDIT window.
// Its text is the inner edit's text; mouse presses anywhere on it, the text included, raise its
// OnMouseDown with coordinates in its own client area; the focus it gets goes on to the inner
// edit, and Tab leaves it for the next control.
class TcxTextEdit : public TCustomControl {
 public:
  explicit TcxTextEdit(TComponent* owner);
  ~TcxTextEdit() override;
  const char* ClassName() const override { return "TcxTextEdit"; }

  TcxCustomEditStyle& Style() { return style_; }
  TcxCustomInnerTextEdit* InnerEdit() const { return inner_; }

  // On, the height follows the font (text height + 4 + the border extents) and cannot be set.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  std::string Text() const override;
  // The editor's window or its inner edit has the focus.
  bool IsFocused();
  // The mouse is over the editor or its inner edit.
  bool IsHot() const { return hot_; }

  void SetBounds(int left, int top, int width, int height) override;
  // Scales the editor's own bounds only: the inner edit is placed from them.
  void ChangeScale(int m, int d) override;
  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  void StoreText(const std::string& text) override;
  void BoundsChanged(const TRect& previous) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  friend class TcxCustomInnerTextEdit;
  // The area inside the border: where the inner edit belongs.
  TRect ContentRect() const;
  void ApplyFont();
  void PlaceInnerEdit();
  // Clips the inner edit's window to the content area.
  void ClipInnerEdit();
  void InnerFocusEntered();
  void InnerMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void UpdateHot();

  TcxCustomEditStyle style_;
  TcxCustomInnerTextEdit* inner_ = nullptr;  // owned as a component
  bool autoSize_ = true;
  bool hot_ = false;
  // True while a press forwarded from the inner edit is handled.
  bool hostedMouseDown_ = false;
  int textHeight_ = 0;
  // The clip last given to the inner edit's window (nothing: unclipped).
  std::optional<TRect> innerClip_;
};
