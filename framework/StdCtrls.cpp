#include "framework/StdCtrls.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>
#include <vector>

#include "framework/Accessible.h"
#include "framework/SystemLibrary.h"
#include "framework/UserHandles.h"
#include "framework/WordBreak.h"

bool ThemeServicesEnabled() {
  // Themed drawing needs the version 6 common controls, which only a manifest brings.
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  if (!comctl) return false;
  struct DllVersion {
    DWORD cbSize, dwMajorVersion, dwMinorVersion, dwBuildNumber, dwPlatformID;
  } version{sizeof(DllVersion), 0, 0, 0, 0};
  using GetVersionFn = HRESULT(CALLBACK*)(DllVersion*);
  const auto getVersion = LibraryFunction<GetVersionFn>(comctl, "DllGetVersion");
  if (!getVersion || FAILED(getVersion(&version)) || version.dwMajorVersion < 6) return false;
  HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
  if (!uxtheme) return false;
  using BoolFn = BOOL(WINAPI*)();
  const auto appThemed = LibraryFunction<BoolFn>(uxtheme, "IsAppThemed");
  const auto themeActive = LibraryFunction<BoolFn>(uxtheme, "IsThemeActive");
  return appThemed && themeActive && appThemed() && themeActive();
}

bool IsAccelerator(WPARAM ch, const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(static_cast<int>(ch & 0xFF));
  }
  return false;
}

std::string CaptionWithoutAccelChars(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    text += caption[i];
  }
  return text;
}

// ---------------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(0, 0, 65, 17);
  if (ThemeServicesEnabled()) SetTransparent(true);
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (showAccelChar_ == value) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (Transparent() == value) return;
  SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      if (m.Msg == CM_TEXTCHANGED) NotifyAccessible(*this, aeNameChange);
      return;
  }
  TGraphicControl::WndProc(m);
}

void TCustomLabel::DescribeAccessible(TAccessibleInfo& info) {
  info.Role = arStaticText;
  info.Name = showAccelChar_ ? CaptionWithoutAccelChars(Caption()) : Caption();
  info.States |= asReadOnly;
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (!Transparent()) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  canvas.Brush().SetStyle(bsClear);
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT format = DrawTextBiDiModeFlags(DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kAlign[alignment_]);
  if (layout_ != tlTop) {
    TRect calc = r;
    DoDrawText(calc, format | DT_CALCRECT);
    const int offset = layout_ == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
    r.Top += offset;
  }
  DoDrawText(r, format);
}

void TCustomLabel::DoDrawText(TRect& r, UINT format) {
  TCanvas& canvas = Canvas();
  if (!showAccelChar_) format |= DT_NOPREFIX;
  const std::string text = Caption();
  if ((format & DT_CALCRECT) || Enabled()) {
    canvas.Font().SetColor(Font().Color());
    canvas.DrawText(text, r, format);
    return;
  }
  DrawEmbossedText(canvas, text, r, format);
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_) return;
  gdi::WindowDC screen(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen.Get());
  canvas.Font().Assign(Font());
  TRect r{0, 0, wordWrap_ ? Width() : 0, 0};
  std::string text = Caption();
  if (text.empty()) text.push_back(' ');  // measures one line
  canvas.DrawText(text, r, DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) |
                               (showAccelChar_ ? 0 : DT_NOPREFIX));
  canvas.SetHandle(nullptr);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.Width();
  SetBounds(left, Top(), r.Width(), r.Height());
}

// ---------------------------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 105);
  SetTabStop(false);
}

void TGroupBox::AdjustClientRect(TRect& r) {
  const int h = MeasureText(Font(), "0").cy;
  r.Top += h + 2;
  r.Left += 2;
  r.Right -= 2;
  r.Bottom -= 2;
}

void TGroupBox::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  // The frame runs along the right and bottom edges: a new size repaints the whole box, or the
  // old lines would stay where a wider window leaves them.
  p.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TGroupBox::Paint() {
  TCanvas& canvas = Canvas();
  const int h = canvas.TextHeight("0");
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  // Classic etched frame: a highlight rectangle one pixel right of and below a shadow one.
  TRect r{1, h / 2, Width(), Height()};
  canvas.Brush().SetColor(clBtnHighlight);
  canvas.FrameRect(r);
  r = TRect{0, h / 2 - 1, Width() - 1, Height() - 1};
  canvas.Brush().SetColor(clBtnShadow);
  canvas.FrameRect(r);
  const std::string text = Caption();
  if (text.empty()) return;
  // 8 pixels in from the left edge for a caption 13 pixels high, further for a larger one.
  TRect caption{MulDiv(8, h, 13), 0, 0, h};
  canvas.DrawText(text, caption, DT_SINGLELINE | DT_CALCRECT);
  canvas.Brush().SetColor(Color());
  canvas.DrawText(text, caption, DT_SINGLELINE);
}

void TGroupBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
      Invalidate();
      NotifyAccessible(*this, aeNameChange);
      return;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(m);
      Realign();
      return;
  }
  TCustomControl::WndProc(m);
}

void TGroupBox::DescribeAccessible(TAccessibleInfo& info) {
  info.Role = arGrouping;
  info.Name = CaptionWithoutAccelChars(Caption());
}

// ---------------------------------------------------------------------------------------------
// TEditWindow

TEditWindow::TEditWindow(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csClickEvents | csSetCaption);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TEditWindow::SetMaxLength(int value) {
  if (value < 0) value = 0;
  if (maxLength_ == value) return;
  maxLength_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TEditWindow::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TEditWindow::ReplaceText(const std::string& text) {
  const std::string current = Text();
  // Nothing to give back: set as any text, so that what is typed after it is undone on its own
  // (the window's undo takes an insertion next to the last one as part of it).
  if (!HandleAllocated() || current.empty()) {
    SetText(text);
    return;
  }
  if (current == text) return;
  SendMessageA(Handle(), EM_LIMITTEXT, 0, 0);
  SelectAll();
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  SendMessageA(Handle(), EM_SETSEL, 0, 0);
  Perform(CM_TEXTCHANGED);
}

void TEditWindow::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClass = "EDIT";
  if (readOnly_) p.Style |= ES_READONLY;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEditWindow::CreateWindowHandleDone() {
  SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEditWindow::DescribeAccessible(TAccessibleInfo& info) { DescribeTextBox(info, Text(), readOnly_); }

void TEditWindow::SelectAll() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TEditWindow::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == 'A' && shift == ssCtrl) {
    SelectAll();
    key = 0;
  }
}

void TEditWindow::WndProc(TMessage& m) {
  if (m.Msg == WM_CHAR) {
    const auto b = static_cast<BYTE>(m.WParam);
    // The control character that Ctrl+A also makes is not typed.
    if (b == 1) return;
    // A double-byte character goes in as text in the program's code page: the platform's control
    // would read its bytes in the keyboard language's.
    if (leadByte_) {
      const char character[3] = {static_cast<char>(leadByte_), static_cast<char>(b), 0};
      leadByte_ = 0;
      if (!readOnly_) SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character));
      return;
    }
    if (IsDBCSLeadByteEx(CP_ACP, b)) {
      leadByte_ = b;
      return;
    }
  }
  if (m.Msg == WM_KILLFOCUS) leadByte_ = 0;
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TEditWindow(owner) { SetBounds(0, 0, 121, 21); }

void TCustomEdit::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (charCase_ == value) return;
  charCase_ = value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
  if (hideSelection_ == value) return;
  hideSelection_ = value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool value) {
  if (oemConvert_ == value) return;
  oemConvert_ = value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char value) {
  if (passwordChar_ == value) return;
  passwordChar_ = value;
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
  }
}

namespace {
// An ANSI edit window counts its positions in bytes on some systems and in characters on
// others; its line length tells which.
bool CountsCharacters(HWND edit, const std::string& text) {
  return static_cast<std::size_t>(SendMessageA(edit, EM_LINELENGTH, 0, 0)) != text.size();
}

int CharactersToBytes(const std::string& text, int characters) {
  std::size_t i = 0;
  for (int n = 0; n < characters && i < text.size(); ++n)
    i += (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  return static_cast<int>(i);
}

int BytesToCharacters(const std::string& text, int bytes) {
  int n = 0;
  for (std::size_t i = 0; i < text.size() && static_cast<int>(i) < bytes; ++n)
    i += (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  return n;
}
}  // namespace

void TCustomEdit::GetSelection(int& start, int& end) {
  start = end = 0;
  if (!HandleAllocated()) return;
  DWORD s = 0, e = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
  const std::string text = Text();
  if (CountsCharacters(Handle(), text)) {
    start = CharactersToBytes(text, start);
    end = CharactersToBytes(text, end);
  }
}

int TCustomEdit::SelStart() {
  int start, end;
  GetSelection(start, end);
  return start;
}

int TCustomEdit::SelLength() {
  int start, end;
  GetSelection(start, end);
  return end - start;
}

void TCustomEdit::Select(int start, int length) {
  if (!HandleAllocated()) return;
  int end = start + length;
  const std::string text = Text();
  if (CountsCharacters(Handle(), text)) {
    start = BytesToCharacters(text, start);
    end = BytesToCharacters(text, end);
  }
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), end);
}

void TCustomEdit::SetSelStart(int value) { Select(value, 0); }

void TCustomEdit::SetSelLength(int value) { Select(SelStart(), value); }

std::string TCustomEdit::SelText() {
  const std::string text = Text();
  const auto start = static_cast<std::size_t>(SelStart());
  if (start >= text.size()) return {};
  return text.substr(start, static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& text) {
  if (HandleAllocated()) SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::ClearSelection() { Perform(WM_CLEAR); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE); }

void TCustomEdit::CreateParams(TCreateParams& p) {
  TEditWindow::CreateParams(p);
  static constexpr DWORD kAlign[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  static constexpr DWORD kCase[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  p.Style |= ES_AUTOHSCROLL | WS_BORDER | kAlign[alignment_] | kCase[charCase_];
  if (!hideSelection_) p.Style |= ES_NOHIDESEL;
  if (oemConvert_) p.Style |= ES_OEMCONVERT;
}

void TCustomEdit::CreateWindowHandleDone() {
  TEditWindow::CreateWindowHandleDone();
  if (passwordChar_) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::DescribeAccessible(TAccessibleInfo& info) {
  TEditWindow::DescribeAccessible(info);
  if (passwordChar_) info.Value.reset();
}

bool TCustomEdit::SelectsAllOnFocus(HWND) {
  if (mousePressing_) return false;
  TForm* form = GetParentForm(this);
  return !form || form->ActiveControl() != this;
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_BASE + WM_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE) {
        NotifyAccessible(*this, aeValueChange);
        Change();
      }
      return;
    case WM_SETFOCUS: {
      const bool select = autoSelect_ && SelectsAllOnFocus(reinterpret_cast<HWND>(m.WParam));
      TEditWindow::WndProc(m);
      if (select && HandleAllocated()) SelectAll();
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      mousePressing_ = true;
      try {
        TEditWindow::WndProc(m);
      } catch (...) {
        mousePressing_ = false;
        throw;
      }
      mousePressing_ = false;
      return;
    }
  }
  TEditWindow::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TMemo

TMemo::TMemo(TComponent* owner) : TEditWindow(owner) { SetBounds(0, 0, 185, 89); }

namespace {

// Whether the platform's 8-bit edit window counts its positions in characters (some systems do)
// or in bytes of the text; asked once of a window holding one double-byte character.
bool EditCountsCharacters() {
  static const bool characters = [] {
    const user::Window probe(CreateWindowExA(0, "EDIT", "\xD6\xD0", WS_CHILD, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleA(nullptr), nullptr));
    return probe && SendMessageA(probe.Get(), EM_LINELENGTH, 0, 0) == 1;
  }();
  return characters;
}

// An 8-bit text as characters, with the byte each begins at and the text's end; or its beginning,
// up to the character at the window position `through`. Decoding again keeps the storage.
struct DecodedText {
  std::u32string characters;
  std::vector<int> offsets;

  DecodedText() = default;
  DecodedText(const char* text, int bytes) { Decode(text, bytes); }

  void Decode(const char* text, int bytes, int through = INT_MAX) {
    characters.clear();
    offsets.clear();
    const bool characterPositions = EditCountsCharacters();
    for (int i = 0; i < bytes;) {
      if ((characterPositions ? static_cast<int>(characters.size()) : i) > through) {
        bytes = i;
        break;
      }
      offsets.push_back(i);
      const auto b = static_cast<unsigned char>(text[i]);
      const int length = (IsDBCSLeadByte(b) && i + 1 < bytes) ? 2 : 1;
      wchar_t w = b;
      if (b >= 0x80 && MultiByteToWideChar(CP_ACP, 0, text + i, length, &w, 1) != 1) w = 0xFFFD;
      characters.push_back(w);
      i += length;
    }
    offsets.push_back(bytes);
  }

  int Size() const { return static_cast<int>(characters.size()); }
  // A position of the edit window as a character of the text, and back.
  int FromWindow(int position) const {
    if (EditCountsCharacters()) return std::clamp(position, 0, Size());
    return static_cast<int>(std::lower_bound(offsets.begin(), offsets.end(), position) - offsets.begin());
  }
  int ToWindow(int character) const { return EditCountsCharacters() ? character : offsets[character]; }
};

// The word-break procedure of a box whose words are separated by spaces. The edit window hands
// it the text of a row onwards as bytes, and positions in its own unit.
int CALLBACK BreakAtSpaces(LPSTR text, int index, int bytes, int action) {
  if (!text || bytes <= 0) return 0;
  // Called many times for every change of the text: it reads only as much of what may be a long
  // text as it needs (a row's breaks lie before the index), into storage kept between calls.
  thread_local DecodedText decoded;
  decoded.Decode(text, bytes, action == WB_RIGHT ? INT_MAX : index);
  const int at = decoded.FromWindow(index);
  switch (action) {
    case WB_ISDELIMITER:
      return at < decoded.Size() && wordbreak::IsSeparator(decoded.characters[at]);
    case WB_LEFT:
      return decoded.ToWindow(wordbreak::Left(decoded.characters, at));
    case WB_RIGHT:
      return decoded.ToWindow(wordbreak::Right(decoded.characters, at));
  }
  return 0;
}

}  // namespace

void TMemo::SetBreaksAtSpaces(bool value) {
  if (breaksAtSpaces_ == value) return;
  breaksAtSpaces_ = value;
  ApplyWordBreak();
}

void TMemo::ApplyWordBreak() {
  if (!HandleAllocated()) return;
  const EDITWORDBREAKPROCA procedure = breaksAtSpaces_ ? BreakAtSpaces : nullptr;
  SendMessageA(Handle(), EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(procedure));
}

void TMemo::CreateWindowHandleDone() {
  TEditWindow::CreateWindowHandleDone();
  if (breaksAtSpaces_) ApplyWordBreak();
}

void TMemo::SelectWordAt(int x, int y) {
  const auto hit = static_cast<DWORD>(SendMessageA(Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(x, y)));
  // The nearest place for the caret, on the row hit; only its low 16 bits come back.
  const auto rowStart = static_cast<int>(SendMessageA(Handle(), EM_LINEINDEX, HIWORD(hit), 0));
  if (rowStart < 0) return;
  int position = rowStart + ((LOWORD(hit) - rowStart) & 0xFFFF);
  // The character clicked: the one before that place when the click was left of it.
  const auto rowEnd = rowStart + static_cast<int>(SendMessageA(Handle(), EM_LINELENGTH, rowStart, 0));
  if (position >= rowEnd) {
    position = rowEnd - 1;
  } else if (position > rowStart) {
    const auto at = SendMessageA(Handle(), EM_POSFROMCHAR, position, 0);
    if (at != -1 && GET_X_LPARAM(at) > x) --position;
  }
  if (position < rowStart) return;
  const std::string text = Text();
  const DecodedText decoded(text.data(), static_cast<int>(text.size()));
  const auto [first, last] = wordbreak::WordAt(decoded.characters, decoded.FromWindow(position));
  if (first < last) SendMessageA(Handle(), EM_SETSEL, decoded.ToWindow(first), decoded.ToWindow(last));
}

void TMemo::CreateParams(TCreateParams& p) {
  TEditWindow::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_LEFT | ES_AUTOVSCROLL;
  if (wantReturns_) p.Style |= ES_WANTRETURN;
  if (!wordWrap_) p.Style |= ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
}

void TMemo::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDBLCLK && breaksAtSpaces_) {
    TEditWindow::WndProc(m);
    if (HandleAllocated()) SelectWordAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    return;
  }
  if (m.Msg == WM_GETDLGCODE) {
    DefaultHandler(m);
    m.Result = wantTabs_ ? (m.Result | DLGC_WANTTAB) : (m.Result & ~DLGC_WANTTAB);
    if (!wantReturns_) m.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  // A multi-line box announces only typed changes; the framework announces assigned texts.
  if ((m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE) || m.Msg == CM_TEXTCHANGED)
    NotifyAccessible(*this, aeValueChange);
  TEditWindow::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csSetCaption);
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClass = "BUTTON";
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  if (TForm* form = GetParentForm(this); form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_BASE + WM_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY: {
      const bool active = default_ || Focused();
      if (((m.WParam == VK_RETURN && active) || (m.WParam == VK_ESCAPE && cancel_)) && KeyboardShiftState() == 0 &&
          CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (IsAccelerator(m.WParam, Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
  }
  TWinControl::WndProc(m);
}
