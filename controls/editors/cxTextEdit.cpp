#include "controls/editors/cxTextEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Accessible.h"
#include "framework/Forms.h"

namespace {
// The text in the case the box keeps; double-byte characters as the system's code page has them.
std::string InCase(const std::string& text, TEditCharCase c) {
  return ConvertCharCase(text, static_cast<TcxCharCase>(c), [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; });
}

// A character in UTF-16 in the ANSI code page; empty when the code page has no such character.
std::string AnsiCharacter(WPARAM c) {
  const auto wide = static_cast<wchar_t>(c);
  char bytes[2] = {};
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return {};
  return std::string(bytes, static_cast<std::size_t>(n));
}

// A byte that may follow a lead byte in the double-byte code pages of the system.
bool IsTrailByte(BYTE b) { return b >= 0x40 && b != 0x7F && b != 0xFF; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxCustomTextEditProperties

void TcxCustomTextEditProperties::SetAutoSelect(bool value) { Set(autoSelect_, value); }
void TcxCustomTextEditProperties::SetCharCase(TEditCharCase value) { Set(charCase_, value); }
void TcxCustomTextEditProperties::SetEchoMode(TcxEditEchoMode value) { Set(echoMode_, value); }
void TcxCustomTextEditProperties::SetHideSelection(bool value) { Set(hideSelection_, value); }
void TcxCustomTextEditProperties::SetOEMConvert(bool value) { Set(oemConvert_, value); }
void TcxCustomTextEditProperties::SetUseLeftAlignmentOnEditing(bool value) { Set(useLeftAlignmentOnEditing_, value); }

void TcxCustomTextEditProperties::SetLookupItems(std::vector<std::string> items) {
  if (lookupItemsSorted_) std::sort(items.begin(), items.end());
  lookupItems_ = std::move(items);
  Changed();
}

void TcxCustomTextEditProperties::SetLookupItemsSorted(bool value) {
  if (lookupItemsSorted_ == value) return;
  lookupItemsSorted_ = value;
  if (value) std::sort(lookupItems_.begin(), lookupItems_.end());
  Changed();
}

void TcxCustomTextEditProperties::SetMaxLength(int value) {
  assignedValues_.MaxLength = true;
  Set(maxLength_, std::max(0, value));
}

// ---------------------------------------------------------------------------------------------
// TcxCustomInnerTextEditHelper

std::string TcxCustomInnerTextEditHelper::EditValue() { return edit_->Text(); }
// Written as a replacement of the whole text: one undo gives back what the box held before (a
// click that empties a box is undone as typing is).
void TcxCustomInnerTextEditHelper::SetEditValue(const std::string& value) { edit_->ReplaceText(value); }
bool TcxCustomInnerTextEditHelper::ReadOnly() { return edit_->ReadOnly(); }
void TcxCustomInnerTextEditHelper::SetReadOnly(bool value) { edit_->SetReadOnly(value); }
void TcxCustomInnerTextEditHelper::SetParent(TWinControl* parent) { edit_->SetParent(parent); }
void TcxCustomInnerTextEditHelper::SetOnChange(TNotifyEvent handler) { edit_->OnChange = std::move(handler); }
void TcxCustomInnerTextEditHelper::SetAlignment(TAlignment value) { edit_->SetAlignment(value); }
void TcxCustomInnerTextEditHelper::SetAutoSelect(bool value) { edit_->SetAutoSelect(value); }
void TcxCustomInnerTextEditHelper::SetCharCase(TEditCharCase value) { edit_->SetCharCase(value); }
void TcxCustomInnerTextEditHelper::SetEchoMode(TcxEditEchoMode value) {
  edit_->SetPasswordChar(value == eemPassword ? '*' : '\0');
}
void TcxCustomInnerTextEditHelper::SetHideSelection(bool value) { edit_->SetHideSelection(value); }
void TcxCustomInnerTextEditHelper::SetMaxLength(int value) { edit_->SetMaxLength(value); }
void TcxCustomInnerTextEditHelper::SetOEMConvert(bool value) { edit_->SetOEMConvert(value); }
int TcxCustomInnerTextEditHelper::SelStart() { return edit_->SelStart(); }
void TcxCustomInnerTextEditHelper::SetSelStart(int value) { edit_->SetSelStart(value); }
int TcxCustomInnerTextEditHelper::SelLength() { return edit_->SelLength(); }
void TcxCustomInnerTextEditHelper::SetSelLength(int value) { edit_->SetSelLength(value); }
std::string TcxCustomInnerTextEditHelper::SelText() { return edit_->SelText(); }
TWinControl* TcxCustomInnerTextEditHelper::Control() { return edit_; }

// ---------------------------------------------------------------------------------------------
// TcxCustomInnerTextEdit

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TcxCustomTextEdit* edit)
    : TCustomEdit(edit), edit_(edit), helper_(std::make_unique<TcxCustomInnerTextEditHelper>(this)) {
  // The native window takes the capture itself while a button is down.
  SetControlStyle(csClickEvents);
  SetTabStop(false);
  SetParentColor(true);
  // The editor hands it its font and colours.
  SetParentFont(false);
}

TcxCustomInnerTextEdit::~TcxCustomInnerTextEdit() {
  // Before the window goes: the editor never reaches a half-destroyed hosted control.
  if (edit_) {
    if (HandleAllocated()) edit_->ime_.Leave(Handle());
    edit_->inner_ = nullptr;
    edit_->SetHostedControl(nullptr);
  }
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style &= ~static_cast<DWORD>(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  p.Style |= ES_AUTOHSCROLL;
  p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  p.Style &= ~static_cast<DWORD>(WS_DISABLED);
}

void TcxCustomInnerTextEdit::CreateWindowHandleDone() {
  TCustomEdit::CreateWindowHandleDone();
  edit_->HostedWindowMade();
  edit_->AdjustHostedControl();
}

bool TcxCustomInnerTextEdit::CanResize(int& newWidth, int& newHeight) {
  if (boundsLocked_ && TSize{newWidth, newHeight} != placedSize_) return false;
  return TCustomEdit::CanResize(newWidth, newHeight);
}

void TcxCustomInnerTextEdit::Place(const TRect& bounds) {
  boundsLocked_ = true;
  placedSize_ = {bounds.Width(), bounds.Height()};
  try {
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  } catch (...) {
    boundsLocked_ = false;
    throw;
  }
  boundsLocked_ = false;
}

bool TcxCustomInnerTextEdit::SelectsAllOnFocus(HWND previous) {
  if (MousePressing()) return false;
  if (edit_->HandleAllocated() && previous == edit_->Handle()) return edit_->FocusCameFromOtherControl();
  return edit_->EntersFromOtherControl();
}

void TcxCustomInnerTextEdit::Click() {
  if (!edit_->Loading()) edit_->Click();
}

void TcxCustomInnerTextEdit::KeyDown(WORD& key, TShiftState shift) {
  edit_->KeyDown(key, shift);
  if (key != 0) TCustomEdit::KeyDown(key, shift);
}

void TcxCustomInnerTextEdit::KeyPress(char& key) {
  if (key == '\t') {
    key = 0;
    return;
  }
  edit_->KeyPress(key);
  if (key == '\r' && !edit_->BeepOnEnter()) key = 0;
}

void TcxCustomInnerTextEdit::KeyUp(WORD& key, TShiftState shift) {
  if (key == VK_TAB) {
    key = 0;
    return;
  }
  edit_->KeyUp(key, shift);
}

void TcxCustomInnerTextEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomEdit::MouseDown(button, shift, x, y);
  edit_->InnerMouseDown(button, shift, x + Left(), y + Top());
}

void TcxCustomInnerTextEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomEdit::MouseUp(button, shift, x, y);
  edit_->MouseUp(button, shift, x + Left(), y + Top());
}

void TcxCustomInnerTextEdit::MouseMove(TShiftState shift, int x, int y) {
  TCustomEdit::MouseMove(shift, x, y);
  edit_->MouseMove(shift, x + Left(), y + Top());
}

void TcxCustomInnerTextEdit::MouseEnter() {
  TCustomEdit::MouseEnter();
  edit_->RefreshState(true);
}

void TcxCustomInnerTextEdit::MouseLeave() {
  TCustomEdit::MouseLeave();
  edit_->RefreshState();
}

bool TcxCustomInnerTextEdit::TakeCharacter(WPARAM& c) {
  if (c > 0xFF) {
    // UTF-16 that reached this 8-bit window unconverted.
    leadByte_ = 0;
    const std::string character = AnsiCharacter(c);
    if (character.size() == 1) {
      c = static_cast<BYTE>(character[0]);
      return false;
    }
    if (character.size() == 2) edit_->TypeCharacter(character);
    return true;
  }
  const auto b = static_cast<BYTE>(c);
  if (leadByte_) {
    const char lead = static_cast<char>(leadByte_);
    leadByte_ = 0;
    if (IsTrailByte(b)) {
      edit_->TypeCharacter({lead, static_cast<char>(b)});
      return true;
    }
    // A lead byte without its trail is dropped; the byte that came instead counts alone.
  }
  if (IsDBCSLeadByteEx(CP_ACP, b)) {
    leadByte_ = b;
    return true;
  }
  return false;
}

void TcxCustomInnerTextEdit::DescribeAccessible(TAccessibleInfo& info) { info = DescribeControl(*edit_); }

void TcxCustomInnerTextEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CHAR:
      if (TakeCharacter(m.WParam)) return;
      break;
    case WM_IME_CHAR:
      // An 8-bit window gets the double-byte character as one value, lead byte high.
      if (m.WParam > 0xFF && IsDBCSLeadByteEx(CP_ACP, HIBYTE(LOWORD(m.WParam)))) {
        leadByte_ = 0;
        edit_->TypeCharacter({static_cast<char>(HIBYTE(LOWORD(m.WParam))), static_cast<char>(LOBYTE(m.WParam))});
      } else {
        Perform(WM_CHAR, m.WParam, m.LParam);
      }
      return;
    case WM_GETDLGCODE:
      DefaultHandler(m);
      m.Result |= DLGC_WANTCHARS;
      if (GetKeyState(VK_CONTROL) < 0) {
        m.Result |= DLGC_WANTTAB;
      } else {
        m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
      }
      return;
    case WM_SETFOCUS: {
      // The form sees the editor, not its inner window, as the focused control.
      const HWND previous = reinterpret_cast<HWND>(m.WParam);
      const bool select = AutoSelect() && SelectsAllOnFocus(previous);
      DefaultHandler(m);
      edit_->ime_.Enter(Handle(), edit_->ImeMode(), edit_->ImeName());
      edit_->InnerFocusEntered(previous);
      if (select) SelectAll();
      return;
    }
    case WM_KILLFOCUS:
      leadByte_ = 0;
      edit_->ime_.Leave(Handle());
      DefaultHandler(m);
      edit_->InnerFocusLeft(reinterpret_cast<HWND>(m.WParam));
      return;
    case WM_CUT:
      edit_->DoCut();
      return;
    case WM_PASTE:
      edit_->DoPaste();
      return;
    case WM_CLEAR:
      edit_->DoClear();
      return;
    case WM_LBUTTONDBLCLK:
      TCustomEdit::WndProc(m);
      if (edit_->OnDblClick) edit_->OnDblClick(edit_);
      return;
    case CM_ENABLEDCHANGED:
      // The native window stays enabled: a disabled one paints its text in a grey of its own,
      // whatever colour the editor gives it. The editor's disabled window keeps input away from
      // it (no pointer input reaches a disabled window's children, nor the focus).
      return;
    case WM_CONTEXTMENU:
      // The editor's OnContextPopup and popup menu come first; without them the EDIT shows its
      // own menu.
      if (edit_->ContextPopup({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
        m.Result = 1;
        return;
      }
      break;
  }
  TCustomEdit::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TcxCustomTextEditViewInfo

void TcxCustomTextEditViewInfo::Paint(TcxCanvas& canvas) {
  TcxContainerViewInfo::Paint(canvas);
  TRect r = ContentRect;
  if (!UseTheme) canvas.FrameSides(r, BackColor, cxBordersAll, 1);
  r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  if (!DrawText || !Font) return;
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas.Font().Assign(*Font);
  canvas.Font().SetColor(TextColor);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(Text, r, DT_SINGLELINE | DT_NOPREFIX | kAlign[Alignment]);
  canvas.Brush().SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------------------------
// TcxCustomTextEdit

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* owner)
    : TcxCustomEdit(owner, std::make_unique<TcxTextEditProperties>(),
                    [](TcxContainer* c) { return std::make_unique<TcxCustomEditStyle>(c, false); },
                    [] { return std::make_unique<TcxCustomTextEditViewInfo>(); }) {
  viewData_ = std::make_unique<TcxCustomTextEditViewData>(this);
  SetControlStyle(ControlStyle() | csCaptureMouse | csSetCaption);
  SetTabStop(true);
  inner_ = new TcxCustomInnerTextEdit(this);
  inner_->Helper().SetParent(this);
  inner_->Helper().SetOnChange([this](TObject*) { InnerEditChanged(); });
  SetHostedControl(inner_);
  SetBeepOnEnter(true);
  inner_->SetColor(clWindow);
  SetParentColor(false);
  SetBounds(Left(), Top(), 121, 21);
  EndCreating();
  PropertiesChanged();
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
  BeginDestroy();
  // The inner edit goes first, while this editor still answers its calls.
  DestroyComponents();
}

void TcxCustomTextEdit::PropertiesChanged() {
  if (!inner_) return;
  TcxTextEditProperties& p = ActiveTextProperties();
  IcxInnerTextEdit& inner = inner_->Helper();
  inner.SetAlignment(p.UseLeftAlignmentOnEditing() ? taLeftJustify : p.Alignment().Horz());
  inner.SetAutoSelect(p.AutoSelect());
  inner.SetCharCase(p.CharCase());
  inner.SetEchoMode(p.EchoMode());
  inner.SetHideSelection(p.HideSelection());
  inner.SetMaxLength(p.MaxLength());
  inner.SetOEMConvert(p.OEMConvert());
  inner_->Helper().SetReadOnly(p.ReadOnly());
  TcxCustomEdit::PropertiesChanged();
}

std::string TcxCustomTextEdit::DisplayText() { return inner_ ? inner_->Text() : std::string(); }

void TcxCustomTextEdit::SetInternalDisplayValue(const std::string& text) {
  if (!inner_ || inner_->Text() == text) return;
  inner_->Helper().SetEditValue(text);
  // Without a window there is no change notice from the platform.
  if (!inner_->HandleAllocated()) InnerEditChanged();
}

bool TcxCustomTextEdit::SetDisplayText(const std::string& text) {
  return TcxCustomEdit::SetDisplayText(InCase(text, ActiveTextProperties().CharCase()));
}

void TcxCustomTextEdit::InnerEditChanged() {
  TcxCustomEdit::InnerEditChanged();
  if (typed_ && !completing_) Complete();
  typed_ = false;
}

void TcxCustomTextEdit::Complete() {
  const std::string text = DisplayText();
  if (ActiveTextProperties().LookupItems().empty() || SelLengthValue() != 0 ||
      SelStartValue() != static_cast<int>(text.size()))
    return;
  const std::optional<std::string> item = FindCompletion(ActiveTextProperties().LookupItems(), text);
  if (!item || item->size() <= text.size()) return;
  completing_ = true;
  try {
    SetInternalDisplayValue(text + item->substr(text.size()));
  } catch (...) {
    completing_ = false;
    throw;
  }
  completing_ = false;
  SetSelection(static_cast<int>(text.size()), static_cast<int>(item->size() - text.size()));
}

void TcxCustomTextEdit::TypeCharacter(const std::string& character) {
  if (character.size() > RoomInSelection()) return;
  // As every typed character, through the key-press step (OnKeyPress, then the editor's own
  // rules), in the 8-bit form: the lead byte, then the trail byte. A step that swallows either
  // byte, or leaves no double-byte character, drops the whole character, never half of it.
  std::string bytes = character;
  for (char& b : bytes) {
    KeyPress(b);
    if (b == 0) return;
  }
  if (!IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(bytes[0])) || !IsTrailByte(static_cast<BYTE>(bytes[1]))) return;
  AsUserChange([&] {
    typed_ = true;
    ReplaceSelection(bytes);
  });
}

void TcxCustomTextEdit::ReplaceSelection(const std::string& text) {
  const std::string converted = InCase(text, ActiveTextProperties().CharCase());
  if (!inner_ || !inner_->HandleAllocated()) {
    TcxCustomEdit::ReplaceSelection(converted);
    return;
  }
  // The native edit's own replacement keeps its undo: one Ctrl+Z takes this back.
  inner_->SetSelText(converted);
}

void TcxCustomTextEdit::EditKeyPress(char& key) {
  TcxCustomEdit::EditKeyPress(key);
  typed_ = static_cast<unsigned char>(key) >= 32;
}

void TcxCustomTextEdit::FocusLeft() {
  const std::string text = DisplayText();
  const auto& items = ActiveTextProperties().LookupItems();
  if (EditedSinceEnter() && !items.empty() && !text.empty() && ActiveTextProperties().OnNewLookupDisplayText &&
      std::find(items.begin(), items.end(), text) == items.end())
    ActiveTextProperties().OnNewLookupDisplayText(this, text);
  TcxCustomEdit::FocusLeft();
}

bool TcxCustomTextEdit::InnerEditVisible() const {
  auto* self = const_cast<TcxCustomTextEdit*>(this);
  if (IsDesigning()) return false;
  // The alignment first: asking for the focus costs the window system a round trip.
  return self->ActiveTextProperties().Alignment().Horz() == taLeftJustify || self->BeingEdited();
}

void TcxCustomTextEdit::RepaintDrawnText() {
  // The text drawn is the new one from the next paint on.
  static_cast<TcxCustomEditViewInfo&>(ViewInfo()).Text = DrawnText();
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

int TcxCustomTextEdit::SelStartValue() { return inner_ ? inner_->Helper().SelStart() : 0; }
int TcxCustomTextEdit::SelLengthValue() { return inner_ ? inner_->Helper().SelLength() : 0; }

void TcxCustomTextEdit::SetSelection(int start, int length) {
  if (inner_) inner_->Select(start, length);
}

std::string TcxCustomTextEdit::SelText() { return inner_ ? inner_->Helper().SelText() : std::string(); }

void TcxCustomTextEdit::SetSelText(const std::string& text) {
  AsUserChange([&] {
    if (AskCanEdit()) ReplaceSelection(text);
  });
}

void TcxCustomTextEdit::ClearSelection() { DoClear(); }

int TcxCustomTextEdit::TextHeight() {
  if (textHeight_ < 0) textHeight_ = MeasureText(Font(), "Zg").cy;
  return textHeight_;
}

TDensity TcxCustomTextEdit::LayoutDensity() {
  TForm* form = GetParentForm(this);
  return form ? form->Density() : TDensity();
}

int TcxCustomTextEdit::AutoHeight() {
  const TRect extent = GetBorderExtent();
  return TextEditAutoHeight(TextHeight(), extent.Top, extent.Bottom, LayoutDensity());
}

void TcxCustomTextEdit::SetImeMode(TImeMode value) {
  if (imeMode_ == value) return;
  imeMode_ = value;
  ReapplyIme();
}

void TcxCustomTextEdit::SetImeName(const std::string& value) {
  if (imeName_ == value) return;
  imeName_ = value;
  ReapplyIme();
}

void TcxCustomTextEdit::ReapplyIme() {
  if (!inner_ || !inner_->HandleAllocated() || FocusedWindow() != inner_->Handle()) return;
  ime_.Leave(inner_->Handle());
  ime_.Enter(inner_->Handle(), imeMode_, imeName_);
}

void TcxCustomTextEdit::SetBounds(int left, int top, int width, int height) {
  if (AutoSize()) height = AutoHeight();
  TcxCustomEdit::SetBounds(left, top, width, height);
}

bool TcxCustomTextEdit::CanResize(int& newWidth, int& newHeight) {
  if (!TcxCustomEdit::CanResize(newWidth, newHeight)) return false;
  if (AutoSize()) newHeight = AutoHeight();
  return true;
}

void TcxCustomTextEdit::ChangeScale(int m, int d) { TControl::ChangeScale(m, d); }

void TcxCustomTextEdit::AdjustHostedControl() {
  if (!inner_) return;
  if (AutoSize() && Height() != AutoHeight() && !sizingToText_) {
    // The new height runs the whole update again, placing the inner edit there. Constraints or
    // OnCanResize may keep another height: the inner edit is then placed at that one.
    cxWithFlag(sizingToText_, [&] { SetBounds(Left(), Top(), Width(), Height()); });
    if (Height() == AutoHeight()) return;
  }
  const TRect& cr = ViewInfo().ContentRect;
  const TRect extent = GetBorderExtent();
  const TDensity density = LayoutDensity();
  const TRect bounds = InnerEditBounds(cr, TextEditContentHeight(TextHeight(), extent.Top + extent.Bottom, density),
                                       ActiveTextProperties().Alignment().Vert(), density);
  if (inner_->BoundsRect() != bounds) {
    SetMovingHosted(true);
    try {
      inner_->Place(bounds);
    } catch (...) {
      SetMovingHosted(false);
      throw;
    }
    SetMovingHosted(false);
  }
  AlignHostedControl(cr);
}

std::optional<TRect> TcxCustomTextEdit::ChildClip(TWinControl* child, const TRect& client) {
  if (!InnerEditVisible()) return TRect{};
  return TcxCustomEdit::ChildClip(child, client);
}

void TcxCustomTextEdit::SyncHostedControl() {
  if (!inner_) return;
  const auto& v = static_cast<TcxCustomEditViewInfo&>(ViewInfo());
  inner_->SetColor(v.BackColor);
  TFont font;
  font.Assign(Style().Font());
  font.SetColor(v.TextColor);
  if (!inner_->Font().SameAs(font)) inner_->Font().Assign(font);
}

void TcxCustomTextEdit::CalculateViewInfo(TPoint point, bool allowed) {
  TcxCustomEdit::CalculateViewInfo(point, allowed);
  auto& v = static_cast<TcxCustomTextEditViewInfo&>(ViewInfo());
  v.DrawText = !InnerEditVisible();
  v.Alignment = ActiveTextProperties().Alignment().Horz();
  v.Font = &Style().Font();
  v.Text = DrawnText();
}

std::string TcxCustomTextEdit::DrawnText() {
  std::string text = DisplayText();
  // A password is drawn as the inner edit shows it: one echo character for each character.
  if (ActiveTextProperties().EchoMode() == eemPassword) {
    const int characters = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    text.assign(static_cast<std::size_t>(characters), '*');
  }
  return text;
}

void TcxCustomTextEdit::Paint() {
  auto& v = static_cast<TcxCustomTextEditViewInfo&>(ViewInfo());
  if (!v.DrawText) {
    TcxCustomEdit::Paint();
    return;
  }
  // Double-buffered while the text is drawn here.
  TBitmap buffer;
  buffer.SetSize(Width(), Height());
  TcxCanvas canvas(buffer.Canvas());
  v.Paint(canvas);
  Canvas().CopyRect(v.OuterRect, buffer.Canvas(), v.OuterRect);
}

void TcxCustomTextEdit::InnerFocusEntered(HWND previous) {
  if (IsBeingDestroyed()) return;
  if (!HandleAllocated() || previous != Handle()) {
    const bool entering = EntersFromOtherControl();
    ReportFocusToForm();
    if (entering) FocusEntered();
  }
  FocusMoved();
  RefreshState();
}

void TcxCustomTextEdit::InnerFocusLeft(HWND next) {
  if (IsBeingDestroyed()) return;
  if (LeavesForOtherControl(next)) FocusLeft();
  FocusMoved();
  RefreshState();
}

void TcxCustomTextEdit::InnerMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  SetHostedMouseDown(true);
  try {
    MouseDown(button, shift, x, y);
  } catch (...) {
    SetHostedMouseDown(false);
    throw;
  }
  SetHostedMouseDown(false);
}

void TcxCustomTextEdit::DescribeAccessible(TAccessibleInfo& info) {
  DescribeTextBox(info, Text(), ActiveProperties().ReadOnly());
  // A password is not read out.
  if (ActiveTextProperties().EchoMode() == eemPassword) info.Value.reset();
}

void TcxCustomTextEdit::WndProc(TMessage& m) {
  if (m.Msg == CM_FOCUSCHANGED) {
    // The form's active control decides whether a text not aligned left is shown by the inner
    // edit. Aligned left, only the frame of the box the focus enters or leaves changes: the others
    // keep their state (asking for the pointer and the focus costs each box round trips to the
    // window system at every move of the focus).
    auto* focused = reinterpret_cast<TControl*>(m.LParam);
    if (ActiveTextProperties().Alignment().Horz() != taLeftJustify || ShowsFocus() ||
        (focused && (focused == this || focused == InnerEdit())))
      RefreshState();
  } else if (m.Msg == CM_FONTCHANGED) {
    TcxCustomEdit::WndProc(m);
    textHeight_ = -1;
    SetBounds(Left(), Top(), Width(), Height());
    RefreshState();
    return;
  }
  TcxCustomEdit::WndProc(m);
}
