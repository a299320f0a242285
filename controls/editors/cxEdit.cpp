#include "controls/editors/cxEdit.h"

#include <algorithm>

#include "framework/Exception.h"
#include "framework/Forms.h"

namespace {
constexpr const char* kInvalidInput = "Invalid input value. Use escape key to abandon changes";

std::string ValueText(const TcxEditValue& value) { return value ? *value : std::string(); }

// The plain text on the clipboard in the program's code page, or nothing. It is read in UTF-16, as
// the system would turn it into 8-bit text by the language of whoever placed it.
std::optional<std::string> ClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      const int size = WideCharToMultiByte(CP_ACP, 0, chars, -1, nullptr, 0, nullptr, nullptr);
      text.emplace(static_cast<std::size_t>(std::max(size, 1)), '\0');
      WideCharToMultiByte(CP_ACP, 0, chars, -1, text->data(), size, nullptr, nullptr);
      text->resize(text->size() - 1);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}
}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut s = key & 0xFFu;
  if (shift & ssShift) s |= scShift;
  if (shift & ssCtrl) s |= scCtrl;
  if (shift & ssAlt) s |= scAlt;
  return s;
}

// ---------------------------------------------------------------------------------------------
// TcxEditRepositoryItem

TcxEditRepositoryItem::TcxEditRepositoryItem(TComponent* owner, std::unique_ptr<TcxCustomEditProperties> properties)
    : TComponent(owner), properties_(std::move(properties)) {
  properties_->OnChanged = [this] {
    const std::vector<TcxCustomEdit*> editors = editors_;
    for (TcxCustomEdit* e : editors) e->PropertiesChanged();
  };
}

TcxEditRepositoryItem::~TcxEditRepositoryItem() {
  properties_->OnChanged = nullptr;
  // The editors go back to their own properties.
  while (!editors_.empty()) editors_.back()->SetRepositoryItem(nullptr);
}

// ---------------------------------------------------------------------------------------------
// TcxCustomEditStyle

TcxCustomEditStyle::TcxCustomEditStyle(TComponent* owner, bool directAccess)
    : TcxContainerStyle(owner, directAccess) {}

TcxEditButtonStyle TcxCustomEditStyle::ButtonStyle() const {
  if (Assigned(svButtonStyle)) return buttonStyle_;
  if (auto* s = dynamic_cast<const TcxCustomEditStyle*>(ControllerStyle())) return s->ButtonStyle();
  return DefaultButtonStyle();
}

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle value) { SetValue(svButtonStyle, buttonStyle_, value); }

TcxEditButtonTransparency TcxCustomEditStyle::ButtonTransparency() const {
  if (Assigned(svButtonTransparency)) return buttonTransparency_;
  if (auto* s = dynamic_cast<const TcxCustomEditStyle*>(ControllerStyle())) return s->ButtonTransparency();
  return DefaultButtonTransparency();
}

void TcxCustomEditStyle::SetButtonTransparency(TcxEditButtonTransparency value) {
  SetValue(svButtonTransparency, buttonTransparency_, value);
}

TcxEditPopupBorderStyle TcxCustomEditStyle::PopupBorderStyle() const {
  if (Assigned(svPopupBorderStyle)) return popupBorderStyle_;
  if (auto* s = dynamic_cast<const TcxCustomEditStyle*>(ControllerStyle())) return s->PopupBorderStyle();
  return DefaultPopupBorderStyle();
}

void TcxCustomEditStyle::SetPopupBorderStyle(TcxEditPopupBorderStyle value) {
  SetValue(svPopupBorderStyle, popupBorderStyle_, value);
}

void TcxCustomEditStyle::TakeValuesFrom(TcxContainerStyle& source) {
  if (auto* s = dynamic_cast<TcxCustomEditStyle*>(&source)) {
    buttonStyle_ = s->buttonStyle_;
    buttonTransparency_ = s->buttonTransparency_;
    popupBorderStyle_ = s->popupBorderStyle_;
  }
  TcxContainerStyle::TakeValuesFrom(source);
}

// ---------------------------------------------------------------------------------------------
// TcxEditStyleController

TcxEditStyleController::TcxEditStyleController(TComponent* owner) : TcxStyleController(owner) {
  CreateStyle(std::make_unique<TcxEditStyle>(this, false));
}

// ---------------------------------------------------------------------------------------------
// TcxEditAlignment

void TcxEditAlignment::SetHorz(TAlignment value) {
  if (horz_ == value) return;
  horz_ = value;
  if (OnChanged) OnChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment value) {
  if (vert_ == value) return;
  vert_ = value;
  if (OnChanged) OnChanged();
}

// ---------------------------------------------------------------------------------------------
// TcxCustomEditProperties

TcxCustomEditProperties::TcxCustomEditProperties() {
  alignment_.OnChanged = [this] { Changed(); };
}

TcxCustomEditProperties::~TcxCustomEditProperties() { alignment_.OnChanged = nullptr; }

void TcxCustomEditProperties::SetReadOnly(bool value) {
  assignedValues_.ReadOnly = true;
  if (readOnly_ == value) return;
  readOnly_ = value;
  Changed();
}

void TcxCustomEditProperties::EndUpdate() {
  if (updateCount_ < 1) return;
  if (--updateCount_ == 0 && changePending_) Changed();
}

void TcxCustomEditProperties::Changed() {
  if (updateCount_ > 0) {
    changePending_ = true;
    return;
  }
  changePending_ = false;
  if (OnChanged) OnChanged();
}

// ---------------------------------------------------------------------------------------------
// TcxEditDataBinding

void TcxEditDataBinding::SetDisplayValue(const TcxEditValue& value) {
  edit_->SetInternalDisplayValue(ValueText(value));
}

void TcxEditDataBinding::UpdateDisplayValue() { SetDisplayValue(edit_->editValue_); }

// ---------------------------------------------------------------------------------------------
// TcxCustomEditViewData

void TcxCustomEditViewData::Calculate(TcxCustomEditViewInfo& v, const TcxContainerViewParams& params) {
  static_cast<TcxContainerViewFields&>(v) = CalculateContainerView(params);
  v.TextColor = params.Enabled ? edit_->Style().Font().Color() : clBtnShadow;
  if (!v.UseTheme) v.BackColor = params.Enabled ? edit_->Style().Color() : clBtnFace;
}

// ---------------------------------------------------------------------------------------------
// TcxCustomEdit

TcxCustomEdit::TcxCustomEdit(TComponent* owner, std::unique_ptr<TcxCustomEditProperties> properties,
                             const StyleFactory& makeStyle, const ViewInfoFactory& makeViewInfo)
    : TcxContainer(owner, makeStyle, makeViewInfo), properties_(std::move(properties)) {
  viewData_ = std::make_unique<TcxCustomEditViewData>(this);
  properties_->OnChanged = [this] { PropertiesChanged(); };
  dataBinding_ = std::make_unique<TcxEditDataBinding>(this);
}

TcxCustomEdit::~TcxCustomEdit() {
  BeginDestroy();
  SetRepositoryItem(nullptr);
  properties_->OnChanged = nullptr;
  DestroyComponents();
}

TcxCustomEditProperties& TcxCustomEdit::ActiveProperties() const {
  return repositoryItem_ ? repositoryItem_->Properties() : *properties_;
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* item) {
  if (item == repositoryItem_ || (item && !SuitsProperties(item->Properties()))) return;
  if (repositoryItem_) {
    auto& editors = repositoryItem_->editors_;
    editors.erase(std::remove(editors.begin(), editors.end(), this), editors.end());
  }
  repositoryItem_ = item;
  if (item) item->editors_.push_back(this);
  if (!IsBeingDestroyed()) PropertiesChanged();
}

void TcxCustomEdit::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  if (value) SetBounds(Left(), Top(), Width(), Height());
}

std::string TcxCustomEdit::Text() const {
  if (HandleAllocated()) return TcxContainer::Text();
  return const_cast<TcxCustomEdit*>(this)->DisplayText();
}

void TcxCustomEdit::StoreText(const std::string& text) {
  if (HandleAllocated()) {
    // The framework announces a text it sets itself.
    const bool previous = storingText_;
    storingText_ = true;
    SetWindowTextA(Handle(), text.c_str());
    storingText_ = previous;
  } else {
    SetDisplayText(text);
  }
}

void TcxCustomEdit::PropertiesChanged() {
  dataBinding_->UpdateDisplayValue();
  RefreshState();
}

bool TcxCustomEdit::SetDisplayText(const std::string& text) {
  if (userChange_ && !AskCanEdit()) return false;
  dataBinding_->SetDisplayValue(text);
  if (!userChange_) {
    SynchronizeEditValue();
    valueDirty_ = false;
    // Only the flags: Escape still brings back the text the box held when it took the focus.
    editedSinceEnter_ = false;
  }
  return true;
}

void TcxCustomEdit::InnerEditChanged() {
  const bool focused = IsFocused();
  if (focused) SetEditedSinceEnter(true);
  RaiseChange();
  // A user's change (a paste, a put-in selection) while the box has not the focus ends no edit
  // that would store it: it is the value at once, or the focus entering would take it back.
  if (userChange_ && !focused) SynchronizeEditValue();
  if (!InnerEditVisible()) RepaintDrawnText();
}

void TcxCustomEdit::SetEditedSinceEnter(bool value) {
  editedSinceEnter_ = value;
  if (value) {
    valueDirty_ = true;
    textValidated_ = false;
  }
}

void TcxCustomEdit::SynchronizeEditValue() {
  const TcxEditValue value = DisplayText();
  if (value == editValue_) return;
  editValue_ = value;
  RaiseValueChange();
}

void TcxCustomEdit::SetEditValue(const TcxEditValue& value) {
  dataBinding_->SetDisplayValue(value);
  if (value != editValue_) {
    editValue_ = value;
    RaiseValueChange();
  }
  valueDirty_ = false;
  editedSinceEnter_ = false;
}

void TcxCustomEdit::RaiseChange() {
  if (Loading() || IsBeingDestroyed() || !ActiveProperties().OnChange) return;
  if (lockCount_ > 0) {
    changeQueued_ = true;
    return;
  }
  ActiveProperties().OnChange(this);
}

void TcxCustomEdit::RaiseValueChange() {
  if (Loading() || IsBeingDestroyed() || !ActiveProperties().OnEditValueChanged) return;
  if (lockCount_ > 0) {
    valueChangeQueued_ = true;
    return;
  }
  ActiveProperties().OnEditValueChanged(this);
}

void TcxCustomEdit::LockChangeEvents(bool lock) {
  if (lock) {
    if (lockCount_++ == 0) changeQueued_ = valueChangeQueued_ = false;
    return;
  }
  if (lockCount_ < 1 || --lockCount_ > 0) return;
  if (changeQueued_ && ActiveProperties().OnChange) ActiveProperties().OnChange(this);
  if (valueChangeQueued_ && ActiveProperties().OnEditValueChanged) ActiveProperties().OnEditValueChanged(this);
  changeQueued_ = valueChangeQueued_ = false;
}

bool TcxCustomEdit::AskCanEdit() {
  if (!ActiveProperties().IsEditingAllowed()) return false;
  if (dataBinding_->Editing()) return true;
  bool can = CanModify() && dataBinding_->CanModify();
  if (can && OnEditing) OnEditing(this, can);
  return can && dataBinding_->SetEditMode();
}

bool TcxCustomEdit::BeingEdited() {
  if (IsFocused()) return true;
  TForm* form = GetParentForm(this);
  return form && (form->ActiveControl() == this || form->ActiveControl() == InnerControl());
}

void TcxCustomEdit::SelectAll() { SetSelection(0, static_cast<int>(DisplayText().size())); }

void TcxCustomEdit::Reset() {
  LockChangeEvents(true);
  try {
    editedSinceEnter_ = false;
    SetEditValue(prevEditValue_);
    valueDirty_ = true;
    SelectAll();
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

bool TcxCustomEdit::ValidateEdit(bool raiseError) {
  if (!editedSinceEnter_ || textValidated_) return true;
  TcxEditValue displayValue = DisplayText();
  bool error = false;
  std::string errorText;
  if (ActiveProperties().OnValidate) {
    errorText = kInvalidInput;
    ActiveProperties().OnValidate(this, displayValue, errorText, error);
  }
  if (!error) {
    if (ValueText(displayValue) != DisplayText()) {
      // The rewritten text is still the user's edit: Escape brings back the text the box had
      // on entering, as after typing.
      const bool dirty = valueDirty_, edited = editedSinceEnter_;
      SetDisplayText(ValueText(displayValue));
      valueDirty_ = dirty;
      editedSinceEnter_ = edited;
    }
    textValidated_ = true;
    SynchronizeEditValue();
    if (!IsFocused()) editedSinceEnter_ = false;
    return true;
  }
  if (raiseError) ReportValidationError(errorText);
  return false;
}

void TcxCustomEdit::ReportValidationError(const std::string& text) {
  if (!IsFocused() && Visible()) {
    if (TWinControl* inner = InnerControl(); inner && inner->CanFocus()) ::SetFocus(inner->Handle());
    SelectAll();
  }
  if (ActiveProperties().BeepOnError()) MessageBeep(0);
  throw Exception(text);
}

bool TcxCustomEdit::IsTextModifyingKey(WORD key, TShiftState) const { return key == VK_BACK || key == VK_DELETE; }

void TcxCustomEdit::KeyDown(WORD& key, TShiftState shift) {
  TcxContainer::KeyDown(key, shift);
  if (key != 0) EditKeyDown(key, shift);
}

void TcxCustomEdit::EditKeyDown(WORD& key, TShiftState shift) {
  if (ActiveProperties().ClearKey() != 0 && ShortCut(key, shift) == ActiveProperties().ClearKey()) {
    AsUserChange([&] {
      if (AskCanEdit()) SetEditValue(std::nullopt);
    });
    key = 0;
    return;
  }
  if (IsTextModifyingKey(key, shift)) {
    if (!AskCanEdit()) key = 0;
    return;
  }
  switch (key) {
    case VK_TAB:
      if (IsFocused() && !(shift & (ssCtrl | ssAlt))) {
        key = 0;
        if (TForm* form = GetParentForm(this)) form->SelectNext(this, !(shift & ssShift), true);
        if (HandleAllocated() && FocusedWindow() == Handle() && InnerControl() && InnerControl()->CanFocus())
          ::SetFocus(InnerControl()->Handle());
      }
      return;
    case VK_RETURN:
      if (ActiveProperties().ValidateOnEnter()) ValidateEdit(true);
      return;
    case VK_ESCAPE:
      if (!valueDirty_) return;
      key = 0;
      if (editedSinceEnter_) Reset();
      return;
    case VK_LEFT:
    case VK_RIGHT:
      if (!(shift & ssShift) && SelLengthValue() > 0) {
        const int start = SelStartValue();
        SetSelection(key == VK_LEFT ? start : start + SelLengthValue(), 0);
        key = 0;
      }
      return;
  }
}

void TcxCustomEdit::KeyPress(char& key) {
  TcxContainer::KeyPress(key);
  if (key != 0) EditKeyPress(key);
}

void TcxCustomEdit::EditKeyPress(char& key) {
  const auto c = static_cast<unsigned char>(key);
  // Ctrl+Z (26) undoes, which changes the text as much as typing: asked as well, a refusing
  // OnEditing or a read-only box is not got round by undoing from the keyboard.
  const bool modifies = c == 8 || c == 22 || c == 24 || c == 26 || c >= 32;
  if (!modifies) return;
  // A character beyond the maximum length is refused before OnEditing is asked. Asked first, the
  // native edit would drop it after the question: an OnEditing that asks the user would ask about
  // a key that changes nothing, and the key would count as typed, so the next change (a paste, a
  // deletion) would be completed from the lookup items as if it had been typed.
  if (c >= 32 && c != 127 && RoomInSelection() < 1) {
    key = 0;
    return;
  }
  if (!IsValidChar(key) || !AskCanEdit()) key = 0;
}

void TcxCustomEdit::KeyUp(WORD& key, TShiftState shift) { TcxContainer::KeyUp(key, shift); }

void TcxCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl* inner = InnerControl();
  const bool innerFocused = inner && inner->HandleAllocated() && FocusedWindow() == inner->Handle();
  if (!HostedMouseDown() && !innerFocused && !(shift & ssDouble) && CanFocus()) SetFocus();
  TcxContainer::MouseDown(button, shift, x, y);
}

void TcxCustomEdit::FocusEntered() {
  if (OnEnter) OnEnter(this);
  // Back after a failed validation, the typed text stays.
  if (!editedSinceEnter_) dataBinding_->UpdateDisplayValue();
  prevEditValue_ = editValue_;
  RefreshState();
}

void TcxCustomEdit::FocusLeft() {
  if (editedSinceEnter_ && !ValidateEdit(true)) return;
  if (!IsFocused()) {
    dataBinding_->UpdateDisplayValue();
    RefreshState();
    if (OnExit) OnExit(this);
    editedSinceEnter_ = false;
  }
}

void TcxCustomEdit::CheckFocusState() {
  const bool state = IsFocused() && GetActiveWindow() != nullptr;
  if (state == focusState_) return;
  focusState_ = state;
  if (OnFocusChanged) OnFocusChanged(this);
  RefreshState();
  RepaintDrawnText();
}

void TcxCustomEdit::CalculateViewInfo(TPoint point, bool allowed) {
  TcxContainerViewParams p = ViewParams(point, allowed);
  auto& v = static_cast<TcxCustomEditViewInfo&>(ViewInfo());
  viewData_->Calculate(v, p);
  v.Text = DisplayText();
}

TcxContainerViewParams TcxCustomEdit::ViewParams(TPoint point, bool allowed) {
  TcxContainerViewParams p = TcxContainer::ViewParams(point, allowed);
  p.ThemedExtentIsTwo = true;
  return p;
}

void TcxCustomEdit::DoCopy() {
  TWinControl* inner = InnerControl();
  if (inner && inner->HandleAllocated() && SelLengthValue() > 0) SendMessageA(inner->Handle(), WM_COPY, 0, 0);
}

void TcxCustomEdit::DoCut() {
  AsUserChange([&] {
    DoCopy();
    if (ActiveProperties().ReadOnly() || SelLengthValue() == 0) return;
    if (AskCanEdit()) ReplaceSelection({});
  });
}

void TcxCustomEdit::DoPaste() {
  if (ActiveProperties().ReadOnly()) return;
  std::optional<std::string> clip = ClipboardText(HandleAllocated() ? Handle() : nullptr);
  if (!clip) return;
  // A single line takes the clipboard's first line, as the platform's edit does.
  const std::size_t lineEnd = clip->find_first_of("\r\n");
  if (lineEnd != std::string::npos) clip->erase(lineEnd);
  // As typing, a paste stops at the maximum length (never inside a double-byte character).
  const std::size_t room = RoomInSelection();
  std::size_t keep = 0;
  while (keep < clip->size()) {
    const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>((*clip)[keep])) ? 2 : 1;
    if (keep + step > room) break;
    keep += step;
  }
  clip->erase(keep);
  AsUserChange([&] {
    if (AskCanEdit()) ReplaceSelection(*clip);
  });
}

void TcxCustomEdit::DoClear() {
  if (ActiveProperties().ReadOnly() || SelLengthValue() == 0) return;
  AsUserChange([&] {
    if (AskCanEdit()) ReplaceSelection({});
  });
}

std::size_t TcxCustomEdit::RoomInSelection() {
  const int limit = MaxTextLength();
  if (limit <= 0) return std::string::npos;
  const std::size_t size = DisplayText().size();
  const std::size_t kept = size - std::min(size, static_cast<std::size_t>(SelLengthValue()));
  return static_cast<std::size_t>(limit) - std::min(static_cast<std::size_t>(limit), kept);
}

void TcxCustomEdit::ReplaceSelection(const std::string& text) {
  const std::string current = DisplayText();
  const auto start = std::min(current.size(), static_cast<std::size_t>(SelStartValue()));
  const auto end = std::min(current.size(), start + static_cast<std::size_t>(SelLengthValue()));
  dataBinding_->SetDisplayValue(current.substr(0, start) + text + current.substr(end));
  SetSelection(static_cast<int>(start + text.size()), 0);
}

void TcxCustomEdit::CopyToClipboard() { DoCopy(); }
void TcxCustomEdit::CutToClipboard() { DoCut(); }
void TcxCustomEdit::PasteFromClipboard() { DoPaste(); }

void TcxCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETTEXT:
      m.Result = CopyTextToBuffer(DisplayText(), reinterpret_cast<char*>(m.LParam), static_cast<int>(m.WParam));
      return;
    case WM_GETTEXTLENGTH:
      m.Result = static_cast<LRESULT>(DisplayText().size());
      return;
    case WM_SETTEXT:
      m.Result = 0;
      if (!SetDisplayText(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "")) return;
      m.Result = 1;
      // A text set from outside the framework is announced as every control's is.
      if (!storingText_) Perform(CM_TEXTCHANGED);
      return;
    case WM_CUT:
      DoCut();
      return;
    case WM_COPY:
      DoCopy();
      return;
    case WM_PASTE:
      DoPaste();
      return;
    case WM_CLEAR:
      DoClear();
      return;
  }
  TcxContainer::WndProc(m);
}
