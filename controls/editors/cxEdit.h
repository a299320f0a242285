#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/editors/cxContainer.h"
#include "framework/StdCtrls.h"

// The border styles of an editor's style, value for value those of the container.
using TcxEditBorderStyle = TcxContainerBorderStyle;
constexpr TcxEditBorderStyle ebsNone = cbsNone, ebsSingle = cbsSingle, ebsThick = cbsThick, ebsFlat = cbsFlat,
                             ebs3D = cbs3D, ebsUltraFlat = cbsUltraFlat;
enum TcxEditButtonStyle : std::uint8_t { btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat };
enum TcxEditButtonTransparency : std::uint8_t { ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected };
enum TcxEditPopupBorderStyle : std::uint8_t { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };

class TcxCustomEdit;
class TcxCustomEditProperties;

// Settings kept apart from the editors that use them: an editor given a repository item takes its
// properties from the item, and follows their changes, for as long as it has the item.
class TcxEditRepositoryItem : public TComponent {
 public:
  TcxEditRepositoryItem(TComponent* owner, std::unique_ptr<TcxCustomEditProperties> properties);
  ~TcxEditRepositoryItem() override;
  const char* ClassName() const override { return "TcxEditRepositoryItem"; }
  TcxCustomEditProperties& Properties() { return *properties_; }

 private:
  friend class TcxCustomEdit;
  std::unique_ptr<TcxCustomEditProperties> properties_;
  std::vector<TcxCustomEdit*> editors_;  // borrowed: they leave the list when they go
};

// An editor's style: the container style with the button and popup settings of editors.
class TcxCustomEditStyle : public TcxContainerStyle {
 public:
  TcxCustomEditStyle(TComponent* owner, bool directAccess);

  TcxEditButtonStyle ButtonStyle() const;
  void SetButtonStyle(TcxEditButtonStyle value);
  TcxEditButtonTransparency ButtonTransparency() const;
  void SetButtonTransparency(TcxEditButtonTransparency value);
  TcxEditPopupBorderStyle PopupBorderStyle() const;
  void SetPopupBorderStyle(TcxEditPopupBorderStyle value);

  void TakeValuesFrom(TcxContainerStyle& source) override;
  int ValueCount() const override { return 11; }

 protected:
  virtual TcxEditButtonStyle DefaultButtonStyle() const { return btsDefault; }
  virtual TcxEditButtonTransparency DefaultButtonTransparency() const { return ebtNone; }
  virtual TcxEditPopupBorderStyle DefaultPopupBorderStyle() const { return epbsDefault; }

 private:
  TcxEditButtonStyle buttonStyle_ = btsDefault;
  TcxEditButtonTransparency buttonTransparency_ = ebtNone;
  TcxEditPopupBorderStyle popupBorderStyle_ = epbsDefault;
};

class TcxEditStyle : public TcxCustomEditStyle {
 public:
  using TcxCustomEditStyle::TcxCustomEditStyle;
};

// A style controller whose style is an editor style.
class TcxEditStyleController : public TcxStyleController {
 public:
  explicit TcxEditStyleController(TComponent* owner);
  const char* ClassName() const override { return "TcxEditStyleController"; }
  TcxEditStyle& Style() { return static_cast<TcxEditStyle&>(TcxStyleController::Style()); }
};

// Horizontal alignment of an editor's text and vertical placement of its inner edit.
class TcxEditAlignment : public TObject {
 public:
  TAlignment Horz() const { return horz_; }
  void SetHorz(TAlignment value);
  TcxEditVertAlignment Vert() const { return vert_; }
  void SetVert(TcxEditVertAlignment value);
  std::function<void()> OnChanged;

 private:
  TAlignment horz_ = taLeftJustify;
  TcxEditVertAlignment vert_ = taTopJustify;
};

// Which properties were set explicitly.
class TcxCustomEditPropertiesValues : public TObject {
 public:
  bool ReadOnly = false;
};

class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
 public:
  bool MaxLength = false;
};

// An editor's value: a text, or Null (none).
using TcxEditValue = std::optional<std::string>;

using TcxEditValidateEvent =
    std::function<void(TObject* sender, TcxEditValue& displayValue, std::string& errorText, bool& error)>;
using TcxEditEditingEvent = std::function<void(TObject* sender, bool& canEdit)>;

// Key with modifiers, as shortcuts are written: the virtual key in the low byte, Shift 0x2000,
// Ctrl 0x4000, Alt 0x8000; 0 is none.
using TShortCut = unsigned;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
TShortCut ShortCut(WORD key, TShiftState shift);

// The settings of an editor kind, shared by its editors' behaviour.
class TcxCustomEditProperties : public TObject {
 public:
  TcxCustomEditProperties();
  ~TcxCustomEditProperties() override;
  TcxCustomEditProperties(const TcxCustomEditProperties&) = delete;
  TcxCustomEditProperties& operator=(const TcxCustomEditProperties&) = delete;

  TcxEditAlignment& Alignment() { return alignment_; }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool value) { beepOnError_ = value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  TShortCut ClearKey() const { return clearKey_; }
  void SetClearKey(TShortCut value) { clearKey_ = value; }
  TShortCut ClickKey() const { return clickKey_; }
  void SetClickKey(TShortCut value) { clickKey_ = value; }
  bool ImmediatePost() const { return immediatePost_; }
  void SetImmediatePost(bool value) { immediatePost_ = value; }
  bool ValidateOnEnter() const { return validateOnEnter_; }
  void SetValidateOnEnter(bool value) { validateOnEnter_ = value; }
  virtual TcxCustomEditPropertiesValues& AssignedValues() { return assignedValues_; }
  // Editing through typing is allowed (editors offering only a fixed list say no).
  virtual bool IsEditingAllowed() const { return true; }

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Tells the editor (at once, or at the end of the update).
  void Changed();

  TNotifyEvent OnChange;
  TNotifyEvent OnEditValueChanged;
  TcxEditValidateEvent OnValidate;
  // Set by the owning editor.
  std::function<void()> OnChanged;

 private:
  TcxEditAlignment alignment_;
  TcxCustomEditPropertiesValues assignedValues_;
  bool beepOnError_ = false;
  bool readOnly_ = false;
  TShortCut clearKey_ = 0;
  TShortCut clickKey_ = scCtrl | VK_RETURN;
  bool immediatePost_ = false;
  bool validateOnEnter_ = false;
  int updateCount_ = 0;
  bool changePending_ = false;
};

// Where an editor's value is read and stored: for an editor not bound to data, the editor itself.
class TcxEditDataBinding : public TObject {
 public:
  explicit TcxEditDataBinding(TcxCustomEdit* edit) : edit_(edit) {}
  // The binding is in edit mode already (never without data).
  virtual bool Editing() const { return false; }
  virtual bool CanModify() const { return true; }
  // Confirms a modification about to be made.
  virtual bool SetEditMode() { return true; }
  virtual bool IsInnerEditCharValid(char) const { return true; }
  // Writes a display value into the editor.
  virtual void SetDisplayValue(const TcxEditValue& value);
  // Shows the editor's value.
  virtual void UpdateDisplayValue();

 protected:
  TcxCustomEdit* edit_;  // the owner
};

// The editor's view info: the container's record with the text and its colour.
class TcxCustomEditViewInfo : public TcxContainerViewInfo {
 public:
  TColor TextColor = clWindowText;
  std::string Text;
};

// Fills an editor's view info from its state (the container's rules plus the text colours).
class TcxCustomEditViewData : public TObject {
 public:
  explicit TcxCustomEditViewData(TcxCustomEdit* edit) : edit_(edit) {}
  // Enabled, focused and design time as the editor reports them.
  virtual void Calculate(TcxCustomEditViewInfo& viewInfo, const TcxContainerViewParams& params);

 protected:
  TcxCustomEdit* edit_;  // borrowed
};

// An editor: a container with a value, change notifications, editing rules, validation and the
// keyboard and focus behaviour of the editors.
class TcxCustomEdit : public TcxContainer {
 public:
  ~TcxCustomEdit() override;
  const char* ClassName() const override { return "TcxCustomEdit"; }

  // The repository item's properties while the editor has one, else its own.
  TcxCustomEditProperties& ActiveProperties() const;
  // None by default.
  TcxEditRepositoryItem* RepositoryItem() const { return repositoryItem_; }
  // An item whose properties are not of this editor's kind is refused.
  void SetRepositoryItem(TcxEditRepositoryItem* item);
  TcxCustomEditStyle& Style() { return static_cast<TcxCustomEditStyle&>(TcxContainer::Style()); }
  TcxEditDataBinding& DataBinding() { return *dataBinding_; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool BeepOnEnter() const { return beepOnEnter_; }
  void SetBeepOnEnter(bool value) { beepOnEnter_ = value; }

  const TcxEditValue& EditValue() const { return editValue_; }
  void SetEditValue(const TcxEditValue& value);
  // The value when the editor last received the focus.
  const TcxEditValue& PrevEditValue() const { return prevEditValue_; }
  bool ValueDirty() const { return valueDirty_; }
  bool EditedSinceEnter() const { return editedSinceEnter_; }
  bool TextValidated() const { return textValidated_; }
  bool UserChange() const { return userChange_; }

  // The text shown (the inner edit's text).
  virtual std::string DisplayText() = 0;
  // Validates a text modified since entering; with raiseError a failure takes the focus back,
  // beeps when asked and raises the error text.
  bool ValidateEdit(bool raiseError);
  // Asked before a modification by the user.
  bool AskCanEdit();
  // Holds change notifications back; released, the held ones fire in order.
  void LockChangeEvents(bool lock);
  void SelectAll();
  // Restores the value the editor had when it received the focus.
  void Reset();

  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  std::string Text() const override;
  void WndProc(TMessage& message) override;

  TcxEditEditingEvent OnEditing;
  TNotifyEvent PropertiesEvents;

 protected:
  TcxCustomEdit(TComponent* owner, std::unique_ptr<TcxCustomEditProperties> properties,
                const StyleFactory& makeStyle, const ViewInfoFactory& makeViewInfo);

  // The editor's own properties (in use without a repository item).
  TcxCustomEditProperties& InternalProperties() { return *properties_; }
  // Properties of this editor's kind.
  virtual bool SuitsProperties(TcxCustomEditProperties& properties) const = 0;

  // --- steps the editor kinds fill in
  virtual void PropertiesChanged();
  // Writes a display text into the inner edit.
  virtual void SetInternalDisplayValue(const std::string& text) = 0;
  // Set-display-text step: false when refused.
  virtual bool SetDisplayText(const std::string& text);
  // The inner edit's text changed.
  virtual void InnerEditChanged();
  virtual void SynchronizeEditValue();
  virtual void RepaintDrawnText() { Invalidate(); }
  virtual bool InnerEditVisible() const { return true; }
  virtual bool CanModify() const { return !ActiveProperties().ReadOnly(); }
  virtual void EditKeyDown(WORD& key, TShiftState shift);
  virtual void EditKeyPress(char& key);
  // The key is one the editor modifies the text with.
  virtual bool IsTextModifyingKey(WORD key, TShiftState shift) const;
  virtual bool IsValidChar(char c) const { return dataBinding_->IsInnerEditCharValid(c); }
  // Longest text the user may make, in bytes; 0: no limit.
  virtual int MaxTextLength() { return 0; }
  virtual void ReportValidationError(const std::string& text);
  // Selection of the inner edit.
  virtual int SelStartValue() = 0;
  virtual int SelLengthValue() = 0;
  virtual void SetSelection(int start, int length) = 0;
  virtual TWinControl* InnerControl() = 0;
  // Whether the inner edit is being edited (focused or the form's active control).
  bool BeingEdited();

  void RaiseChange();
  void RaiseValueChange();
  void SetEditedSinceEnter(bool value);
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void FocusEntered() override;
  void FocusLeft() override;
  // OnEnter and OnExit come from FocusEntered and FocusLeft, which know the inner edit and
  // hold OnExit back while the edited value fails its validation.
  void DoEnter() override {}
  void DoExit() override {}
  void FocusMoved() override { CheckFocusState(); }
  void CalculateViewInfo(TPoint point, bool hotTrackingAllowed) override;
  TcxContainerViewParams ViewParams(TPoint point, bool hotTrackingAllowed) override;
  TcxContainerStyleValues StyleValuesNotStored() const override {
    return (1u << svButtonStyle) | (1u << svButtonTransparency) | (1u << svPopupBorderStyle);
  }
  bool HandlesTabKey() const override { return true; }
  void StoreText(const std::string& text) override;
  // The focused-while-active state may have changed.
  void CheckFocusState();
  // Runs f as a change made by the user.
  template <class F>
  void AsUserChange(F f) {
    const bool previous = userChange_;
    userChange_ = true;
    try {
      f();
    } catch (...) {
      userChange_ = previous;
      throw;
    }
    userChange_ = previous;
  }
  // Bytes that may take the selection's place under the maximum length (npos: no limit).
  std::size_t RoomInSelection();
  // Puts the text in place of the selection, the caret after it; asked and limited before.
  // The text editor uses the inner edit's own replace-selection, so that one undo takes it back.
  virtual void ReplaceSelection(const std::string& text);
  // The clipboard operations on the inner edit's text.
  void DoCut();
  void DoCopy();
  void DoPaste();
  void DoClear();

  std::unique_ptr<TcxCustomEditViewData> viewData_;

 private:
  friend class TcxEditDataBinding;
  friend class TcxEditRepositoryItem;
  bool autoSize_ = true;
  std::unique_ptr<TcxCustomEditProperties> properties_;
  TcxEditRepositoryItem* repositoryItem_ = nullptr;  // borrowed
  std::unique_ptr<TcxEditDataBinding> dataBinding_;
  TcxEditValue editValue_;
  TcxEditValue prevEditValue_;
  bool valueDirty_ = false;
  bool editedSinceEnter_ = false;
  bool textValidated_ = false;
  bool userChange_ = false;
  int lockCount_ = 0;
  bool changeQueued_ = false;
  bool valueChangeQueued_ = false;
  bool beepOnEnter_ = true;
  bool focusState_ = false;
  bool storingText_ = false;  // the framework's own WM_SETTEXT is under way
};
