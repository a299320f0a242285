#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/editors/cxEdit.h"
#include "controls/editors/cxIme.h"

class TcxCustomTextEdit;

enum TcxEditEchoMode : std::uint8_t { eemNormal, eemPassword };

using TcxNewLookupDisplayTextEvent = std::function<void(TObject* sender, const std::string& text)>;

// The text editor's settings.
class TcxCustomTextEditProperties : public TcxCustomEditProperties {
 public:
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  TcxEditEchoMode EchoMode() const { return echoMode_; }
  void SetEchoMode(TcxEditEchoMode value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  // Completion list: typing at the end of the text completes it with the first item it begins.
  const std::vector<std::string>& LookupItems() const { return lookupItems_; }
  void SetLookupItems(std::vector<std::string> items);
  bool LookupItemsSorted() const { return lookupItemsSorted_; }
  void SetLookupItemsSorted(bool value);
  // 0: no limit; below 0 is stored as 0.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool value);
  bool UseLeftAlignmentOnEditing() const { return useLeftAlignmentOnEditing_; }
  void SetUseLeftAlignmentOnEditing(bool value);
  TcxTextEditPropertiesValues& AssignedValues() override { return assignedValues_; }
  // MaxLength is written to the form file only when assigned.
  bool IsMaxLengthStored() const { return assignedValues_.MaxLength; }

  TcxNewLookupDisplayTextEvent OnNewLookupDisplayText;

 private:
  template <class T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
  }
  bool autoSelect_ = true;
  TEditCharCase charCase_ = ecNormal;
  TcxEditEchoMode echoMode_ = eemNormal;
  bool hideSelection_ = true;
  std::vector<std::string> lookupItems_;
  bool lookupItemsSorted_ = false;
  int maxLength_ = 0;
  bool oemConvert_ = false;
  bool useLeftAlignmentOnEditing_ = true;
  TcxTextEditPropertiesValues assignedValues_;
};

class TcxTextEditProperties : public TcxCustomTextEditProperties {};

// What an editor asks of its inner edit.
class IcxCustomInnerEdit {
 public:
  virtual std::string EditValue() = 0;
  virtual void SetEditValue(const std::string& value) = 0;
  virtual bool ReadOnly() = 0;
  virtual void SetReadOnly(bool value) = 0;
  virtual void SetParent(TWinControl* parent) = 0;
  virtual void SetOnChange(TNotifyEvent handler) = 0;

 protected:
  ~IcxCustomInnerEdit() = default;
};

class IcxInnerTextEdit {
 public:
  virtual void SetAlignment(TAlignment value) = 0;
  virtual void SetAutoSelect(bool value) = 0;
  virtual void SetCharCase(TEditCharCase value) = 0;
  virtual void SetEchoMode(TcxEditEchoMode value) = 0;
  virtual void SetHideSelection(bool value) = 0;
  virtual void SetMaxLength(int value) = 0;
  virtual void SetOEMConvert(bool value) = 0;
  virtual int SelStart() = 0;
  virtual void SetSelStart(int value) = 0;
  virtual int SelLength() = 0;
  virtual void SetSelLength(int value) = 0;
  virtual std::string SelText() = 0;

 protected:
  ~IcxInnerTextEdit() = default;
};

class IcxContainerInnerControl {
 public:
  virtual TWinControl* Control() = 0;

 protected:
  ~IcxContainerInnerControl() = default;
};

class TcxCustomInnerTextEdit;

// Answers the editor's questions for one inner edit.
class TcxCustomInnerTextEditHelper : public TObject,
                                     public IcxCustomInnerEdit,
                                     public IcxInnerTextEdit,
                                     public IcxContainerInnerControl {
 public:
  explicit TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* edit) : edit_(edit) {}

  std::string EditValue() override;
  void SetEditValue(const std::string& value) override;
  bool ReadOnly() override;
  void SetReadOnly(bool value) override;
  void SetParent(TWinControl* parent) override;
  void SetOnChange(TNotifyEvent handler) override;
  void SetAlignment(TAlignment value) override;
  void SetAutoSelect(bool value) override;
  void SetCharCase(TEditCharCase value) override;
  void SetEchoMode(TcxEditEchoMode value) override;
  void SetHideSelection(bool value) override;
  void SetMaxLength(int value) override;
  void SetOEMConvert(bool value) override;
  int SelStart() override;
  void SetSelStart(int value) override;
  int SelLength() override;
  void SetSelLength(int value) override;
  std::string SelText() override;
  TWinControl* Control() override;

 private:
  TcxCustomInnerTextEdit* edit_;  // the owner
};

// The native single-line EDIT window inside a text editor: it does the typing, caret and
// selection, and hands its keys, mouse, clicks, clipboard and focus on to the editor.
class TcxCustomInnerTextEdit : public TCustomEdit {
 public:
  explicit TcxCustomInnerTextEdit(TcxCustomTextEdit* edit);
  ~TcxCustomInnerTextEdit() override;
  const char* ClassName() const override { return "TcxCustomInnerTextEdit"; }

  TcxCustomInnerTextEditHelper& Helper() { return *helper_; }
  TcxCustomTextEdit* Container() const { return edit_; }
  void Click() override;
  void WndProc(TMessage& message) override;
  // Readers land here with the focus: described as the editor it belongs to.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  // While the editor places it, no other size is taken.
  bool CanResize(int& newWidth, int& newHeight) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  bool SelectsAllOnFocus(HWND previous) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  // The application's hover detection sees the inner edit, not the editor: a pointer that rests
  // over the text without moving still lights the editor's frame.
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  friend class TcxCustomTextEdit;
  // Takes a typed character whole: keeps a lead byte until its trail byte comes, and turns a
  // character in UTF-16 into the ANSI code page. True when it was taken (or dropped); false
  // hands the single byte left in `c` on to the ordinary key handling.
  bool TakeCharacter(WPARAM& c);
  // Moves it to the place the editor gives it, holding the bounds lock meanwhile.
  void Place(const TRect& bounds);
  TcxCustomTextEdit* edit_;  // the owner and parent
  std::unique_ptr<TcxCustomInnerTextEditHelper> helper_;
  // Held while the editor places it: size changes other than to placedSize_ are refused.
  bool boundsLocked_ = false;
  TSize placedSize_;
  BYTE leadByte_ = 0;  // the first byte of a double-byte character typed, until the second comes
};

// The text editor's view info: draws the display text itself while the inner edit is hidden.
class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
 public:
  void Paint(TcxCanvas& canvas) override;
  bool DrawText = false;
  TAlignment Alignment = taLeftJustify;
  TFont* Font = nullptr;  // borrowed from the editor's style
};

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;
};

// The single-line text editor: a framed container around a native EDIT window.
class TcxCustomTextEdit : public TcxCustomEdit {
 public:
  explicit TcxCustomTextEdit(TComponent* owner);
  ~TcxCustomTextEdit() override;
  const char* ClassName() const override { return "TcxCustomTextEdit"; }

  // The editor's own settings; a repository item's take their place while it has one.
  TcxTextEditProperties& Properties() { return static_cast<TcxTextEditProperties&>(InternalProperties()); }
  TcxCustomInnerTextEdit* InnerEdit() const { return inner_; }

  std::string DisplayText() override;
  int SelStart() { return SelStartValue(); }
  void SetSelStart(int value) { SetSelection(value, 0); }
  int SelLength() { return SelLengthValue(); }
  void SetSelLength(int value) { SetSelection(SelStartValue(), value); }
  std::string SelText();
  // Replaces the selection as the user would.
  void SetSelText(const std::string& text);
  void ClearSelection();

  // The input method's mode while the text has the focus; imDontCare leaves it as it is.
  TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode value);
  // The input method (by its description) to switch to while the text has the focus; empty:
  // whichever is active.
  const std::string& ImeName() const { return imeName_; }
  void SetImeName(const std::string& value);

  void SetBounds(int left, int top, int width, int height) override;
  // With AutoSize the font decides the height, whoever asks for another size.
  bool CanResize(int& newWidth, int& newHeight) override;
  // Scales the editor's own bounds only: the inner edit is placed from them.
  void ChangeScale(int m, int d) override;
  void WndProc(TMessage& message) override;
  // Editable text holding the editor's text, read-only with its properties.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  void PropertiesChanged() override;
  bool SuitsProperties(TcxCustomEditProperties& properties) const override {
    return dynamic_cast<TcxTextEditProperties*>(&properties) != nullptr;
  }
  void SetInternalDisplayValue(const std::string& text) override;
  bool SetDisplayText(const std::string& text) override;
  void InnerEditChanged() override;
  bool InnerEditVisible() const override;
  void RepaintDrawnText() override;
  void EditKeyPress(char& key) override;
  void ReplaceSelection(const std::string& text) override;
  int SelStartValue() override;
  int SelLengthValue() override;
  void SetSelection(int start, int length) override;
  TWinControl* InnerControl() override { return inner_; }
  int MaxTextLength() override { return ActiveTextProperties().MaxLength(); }
  void AdjustHostedControl() override;
  void SyncHostedControl() override;
  std::optional<TRect> ChildClip(TWinControl* child, const TRect& client) override;
  void CalculateViewInfo(TPoint point, bool hotTrackingAllowed) override;
  // The text the box draws while its inner edit is hidden.
  std::string DrawnText();
  void Paint() override;
  void FocusLeft() override;

 private:
  friend class TcxCustomInnerTextEdit;
  TcxTextEditProperties& ActiveTextProperties() { return static_cast<TcxTextEditProperties&>(ActiveProperties()); }
  int TextHeight();
  int AutoHeight();
  // The density of the form the editor is laid out on (96 dots per inch without one).
  TDensity LayoutDensity();
  void InnerFocusEntered(HWND previous);
  void InnerFocusLeft(HWND next);
  void InnerMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  // Asks the input method for the editor's mode again (the text has the focus).
  void ReapplyIme();
  // A double-byte character typed: the rules of a typed character, then in as one.
  void TypeCharacter(const std::string& character);
  void Complete();

  TcxCustomInnerTextEdit* inner_ = nullptr;  // owned as a component
  int textHeight_ = -1;                      // measured for the current font; -1: not yet
  bool sizingToText_ = false;                // the box is taking the height its text needs
  bool typed_ = false;                       // a character was just typed (completion)
  bool completing_ = false;
  TImeMode imeMode_ = imDontCare;
  std::string imeName_;
  TcxImeSwitch ime_;  // the inner edit's input method while it has the focus
};

// A repository item holding text editor settings.
class TcxEditRepositoryTextItem : public TcxEditRepositoryItem {
 public:
  explicit TcxEditRepositoryTextItem(TComponent* owner)
      : TcxEditRepositoryItem(owner, std::make_unique<TcxTextEditProperties>()) {}
  const char* ClassName() const override { return "TcxEditRepositoryTextItem"; }
  TcxTextEditProperties& Properties() {
    return static_cast<TcxTextEditProperties&>(TcxEditRepositoryItem::Properties());
  }
};

// The text editor with its settings published.
class TcxTextEdit : public TcxCustomTextEdit {
 public:
  using TcxCustomTextEdit::TcxCustomTextEdit;
  const char* ClassName() const override { return "TcxTextEdit"; }
};
