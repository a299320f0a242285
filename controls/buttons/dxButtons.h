#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "controls/buttons/dxButtonLayout.h"
#include "controls/buttons/dxCore.h"
#include "framework/ActnList.h"
#include "framework/ImgList.h"

// Sizes `bitmap` to width x height (24 bits a pixel) and fills it with `bands` bands from
// `startColor` to `endColor`. Direction 0 runs left to right, 1 top to bottom, 2 right to left,
// 3 bottom to top. Dithered, each band starts with a few random pixels of the previous band's
// colour, drawn in a 16-pixel strip that is then repeated across the bitmap.
void FillGradientBitmap(int width, int height, TColor startColor, TColor endColor, int bands, int direction,
                        bool dithered, TBitmap& bitmap);

// Turns every pixel of `glyph` into a brightened grey: the look of a disabled button's glyph.
void GrayGlyph(TBitmap& glyph);

class TdxCustomButton;

// Links a button to its action: the action's image index becomes the button's.
class TdxCustomButtonActionLink : public TWinControlActionLink {
 public:
  explicit TdxCustomButtonActionLink(TdxCustomButton* client);
  // The button repaints without the action's image.
  ~TdxCustomButtonActionLink() override;
  bool IsImageIndexLinked() const override { return true; }
  void SetImageIndex(int value) override;
};

// The flat push button: a rounded dark-blue frame around a face filled with a vertical gradient,
// a two-pixel ring while hot (orange) or focused or default (blue), a darker face while held
// down, an optional glyph beside, above or below the caption, and the caption centred, wrapped
// and ended with an ellipsis when it does not fit. Clicks on a mouse click, on space, on Enter
// while focused or default, on Escape while it is the cancel button, and on its accelerator.
class TdxCustomButton : public TdxCustomStyleControl {
 public:
  explicit TdxCustomButton(TComponent* owner);
  ~TdxCustomButton() override;
  const char* ClassName() const override { return "TdxCustomButton"; }

  // The glyph turns grey while the button is disabled.
  bool AutoGray() const { return autoGray_; }
  virtual void SetAutoGray(bool value);
  // Escape clicks the button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Enter clicks the button while no control of the family has the focus; it then shows the
  // focus ring. A change re-runs the focus update of every control on the form.
  bool Default() const { return default_; }
  virtual void SetDefault(bool value);
  // Copied in; drawn transparent, keyed on its bottom-left pixel.
  TBitmap& Glyph() { return glyph_; }
  virtual void SetGlyph(TBitmap& value);
  // Index into the image list of the action's action list; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  TdxLayout Layout() const { return layout_; }
  virtual void SetLayout(TdxLayout value);
  // An ampersand marks the accelerator character (underlined, not drawn itself).
  bool ShowAccelChar() const { return showAccelChar_; }
  virtual void SetShowAccelChar(bool value);
  // A dotted focus rectangle inside the face while focused.
  bool ShowFocusRect() const { return showFocusRect_; }
  virtual void SetShowFocusRect(bool value);
  // Softens the four corners of the frame with short diagonal lines.
  bool SmoothEdges() const { return smoothEdges_; }
  virtual void SetSmoothEdges(bool value);
  // Pixels between glyph and caption.
  std::uint8_t Spacing() const { return spacing_; }
  virtual void SetSpacing(std::uint8_t value);
  bool WordWrap() const { return wordWrap_; }
  virtual void SetWordWrap(bool value);

  // The ring shows: pressed with the mouse outside, or hot or focused while not pressed; unless
  // `ignoreDefault`, also a default button while no family control has the focus.
  bool IsLit(bool ignoreDefault);

  void WndProc(TMessage& message) override;
  // A push button named by its caption, pressed while held down, pressed by its default action.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  // Space presses the button; releasing any key while it is pressed clicks it.
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  // Ends a held press (of space or the mouse) without its click. Unless `keepHot`, a press of
  // space also ends the hot look it gave, when the mouse is not over the button.
  void EndPress(bool keepHot);
  // EndPress as a key release ends it: the hot look goes when the cursor is outside the button.
  void EndPressByKey();
  // Enter, Escape or the accelerator: a press held meanwhile ends first, as a key release ends it.
  void KeyClick() override;
  // EndPress, the hot look of space included.
  void CancelPress() override;
  // Takes the image of an action that has one in its action list's image list.
  void ActionChange(TObject* sender, bool checkDefaults) override;
  std::unique_ptr<TControlActionLink> CreateActionLink() override;
  // Repaints; the four gradients are made for the new size when next painted.
  void DoResized() override;
  // The image list of the action's action list changed.
  void ImageListChange(TObject* sender);
  // Draws (or with DT_CALCRECT measures) a caption in r: embossed when disabled.
  void DrawButtonText(std::string text, TFont& font, bool enabled, bool showAccelChar, TRect& r, UINT flags);

 private:
  friend class TdxCustomButtonActionLink;
  template <class T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Redraw();
  }
  void BuildGradients();
  // The image to draw: the action's from its image list, else the glyph; grey when disabled.
  void PrepareImage();
  // The image list of a custom action's action list, or nullptr.
  static TCustomImageList* ImagesOf(TObject* action);

  bool autoGray_ = true;
  TBitmap faceGradient_;  // the resting face
  bool cancel_ = false;
  TBitmap pressedGradient_;  // the face while held down
  bool default_ = false;
  TBitmap focusGradient_;  // the ring of a focused or default button
  TBitmap glyph_;
  TBitmap hotGradient_;  // the ring of a hot button
  TChangeLink imageChangeLink_;
  int imageIndex_ = -1;
  TdxLayout layout_ = blGlyphLeft;
  bool showAccelChar_ = true;
  bool showFocusRect_ = false;
  bool smoothEdges_ = true;
  std::uint8_t spacing_ = 3;
  bool wordWrap_ = true;
  TBitmap image_;  // this paint's image, kept to spare a bitmap per paint
  bool spacePress_ = false;   // space holds the button down
  bool repeatedKey_ = false;  // the key-down being handled is the key's auto-repeat
};

// The push button as placed on forms.
class TdxButton : public TdxCustomButton {
 public:
  using TdxCustomButton::TdxCustomButton;
  const char* ClassName() const override { return "TdxButton"; }
};
