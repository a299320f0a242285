#pragma once
#include "framework/Controls.h"
#include "framework/Forms.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// True when ch is the character after a single "&" in caption (its accelerator).
bool IsAccelerator(WPARAM ch, const std::string& caption);
// The caption as it reads: each single "&" dropped, "&&" read as "&".
std::string CaptionWithoutAccelChars(const std::string& caption);

// Visual styles of the operating system are in use for this program (never, without a manifest).
bool ThemeServicesEnabled();

// A windowless caption.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  const char* ClassName() const override { return "TCustomLabel"; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  bool Transparent() const { return !IsOpaque(); }
  void SetTransparent(bool value);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool value);

  void WndProc(TMessage& message) override;
  // Static text named by its whole caption.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  void Paint() override;
  // Draws the caption in r: embossed when disabled, in the font colour otherwise.
  void DoDrawText(TRect& r, UINT format);
  // Resizes to the caption when AutoSize is on.
  void AdjustBounds();

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool autoSize_ = true;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  const char* ClassName() const override { return "TLabel"; }
};

// A framed container with a caption; takes no focus.
class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* owner);
  const char* ClassName() const override { return "TGroupBox"; }
  void WndProc(TMessage& message) override;
  // A grouping named by its caption.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  void AdjustClientRect(TRect& rect) override;
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A text box on the platform's EDIT control, with what single-line and multi-line boxes share:
// the window colour, a tab stop, the sunken edge, the read-only state, the length limit and select-all.
// Settings made before the window exists are applied when it is made.
class TEditWindow : public TWinControl {
 public:
  explicit TEditWindow(TComponent* owner);

  // 0: no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  void SelectAll();
  // Sets the text as the text setter does (past the length limit too, the caret at the start),
  // but a text that replaces another as one step of the window's own undo: undone, it gives back
  // the text it replaced.
  void ReplaceText(const std::string& text);
  // Editable text whose value is the text.
  void DescribeAccessible(TAccessibleInfo& info) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  // Ctrl+A selects the whole text, as people expect of every text box (the platform's classic
  // control does not), once the key handlers have let the key through.
  void KeyDown(WORD& key, TShiftState shift) override;

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  BYTE leadByte_ = 0;  // the first byte of a double-byte character being typed
};

// A single-line text box. Settings that the window takes only at its creation recreate it.
class TCustomEdit : public TEditWindow {
 public:
  explicit TCustomEdit(TComponent* owner);
  const char* ClassName() const override { return "TCustomEdit"; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Selects the whole text when the focus arrives from another control other than by a mouse
  // press (not when the window is merely activated again).
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool value);
  // Shown in place of every character; 0 shows the text.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);

  // Selection in bytes of the text, whichever unit the platform's window counts in.
  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  std::string SelText();
  // Replaces the selection (undoable, as typed).
  void SetSelText(const std::string& text);
  // Selects `length` bytes from `start`.
  void Select(int start, int length);
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  // Raised after every change of the text, typed or assigned.
  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;
  // As any text box, but no value while a password character hides the text.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  // The text changed.
  virtual void Change();
  // Whether a focus arriving from `previous` selects the text; the default: not by a mouse press
  // and not when the form's active control already was this one.
  virtual bool SelectsAllOnFocus(HWND previous);
  // True while a mouse press of this window is being handled.
  bool MousePressing() const { return mousePressing_; }

 private:
  // The window's selection in bytes.
  void GetSelection(int& start, int& end);
  TAlignment alignment_ = taLeftJustify;
  bool autoSelect_ = true;
  TEditCharCase charCase_ = ecNormal;
  bool hideSelection_ = true;
  bool oemConvert_ = false;
  char passwordChar_ = 0;
  bool mousePressing_ = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text box on the platform's EDIT control.
class TMemo : public TEditWindow {
 public:
  explicit TMemo(TComponent* owner);
  const char* ClassName() const override { return "TMemo"; }

  void Clear() { SetText(""); }
  bool WordWrap() const { return wordWrap_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  bool WantReturns() const { return wantReturns_; }
  bool WantTabs() const { return wantTabs_; }
  // Words are the runs of text between spaces and line breaks: rows break only after a space
  // (a run longer than a row is broken where East Asian text may break), a double click selects
  // one whole word and Ctrl+Left and Ctrl+Right move by words. Off, the platform breaks East
  // Asian text between any two characters.
  bool BreaksAtSpaces() const { return breaksAtSpaces_; }
  void SetBreaksAtSpaces(bool value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;

 private:
  void ApplyWordBreak();
  // Selects the word under the client point, if any.
  void SelectWordAt(int x, int y);
  bool breaksAtSpaces_ = false;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

// A push button on the platform's BUTTON control.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }

  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};
