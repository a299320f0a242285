#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Density.h"
#include "framework/UtilWindow.h"

// Asked before WM_DPICHANGED (from Windows 10, version 1703): the window's size at the new density.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poDefault, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A top-level window holding controls: active control, tab order, dialog keys, modal showing.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool value);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon) { icon_ = icon; }  // borrowed

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Focuses the first focusable control in tab order.
  void SelectFirst();

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  bool Modal() const { return modal_; }
  // Shows the form and runs a modal loop until its modal result is set; other windows of the
  // program take no input meanwhile.
  TModalResult ShowModal();
  // Asks the form whether it may close, then closes it as its close action says.
  void Close();
  // Whether the form may close: OnCloseQuery's answer, yes without a handler.
  virtual bool CloseQuery();

  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // The screen density the form is laid out for (96 dots per inch until SetDensity).
  const TDensity& Density() const { return density_; }

  TRect ClientRect() override;
  // Showing a form makes its window and shows it in its window state.
  void SetVisible(bool visible) override;
  void WndProc(TMessage& message) override;
  // Key preview and dialog keys for a key message bound for a control on this form.
  bool PreviewKey(MSG& msg, TWinControl* target);
  // Offers an action to the shown form's active control, then the form, then every visible
  // control on it (depth first); true when one carried it out.
  bool DispatchAction(TBasicAction& action);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  // Aligned children scroll with the rest: the area starts at the scrolled-away offset.
  void AdjustClientRect(TRect& rect) override;
  void DoClose(TCloseAction& action);

  // The density the form is laid out for on a screen of `dpi` dots per inch; the default scales
  // positions and sizes as the dots per inch.
  virtual TDensity DensityAt(int dpi) { return TDensity(dpi); }
  // Lays the controls out for Density(): their fonts, positions and sizes. Called when the density
  // changes; the default leaves them as they are.
  virtual void ApplyDensity() {}
  // Lays the form out for a screen of `dpi` dots per inch, its client area at the designed size.
  void SetDensity(int dpi);
  // The client area's size as drawn for 96 dots per inch. The form takes it scaled to its density,
  // and when the density changes it scales it anew from this size as long as nobody resized it.
  void SetDesignedClientSize(TSize size) { designedClient_ = size; }
  // What the frame and title bar add to the client area's size at `dpi` dots per inch (0: the
  // system's density; on systems that know only that one, always the system's).
  TSize FrameSize(int dpi = 0);

 private:
  friend class TWinControl;
  void FocusChanged(TWinControl* control);
  // The focus moved to `next` (none: to the form itself): exit steps for the controls it left,
  // innermost first, then enter steps for those it entered, outermost first.
  void RaiseExitAndEnter(TWinControl* next);
  // Forgets the active control when it is the control leaving the form or lies inside it.
  void ControlRemoved(TControl* control);
  // Fits the scroll bars to the controls and the client area, and the content's position to them.
  void UpdateScrollRange();
  void ApplyScrollRange();
  void ScrollBy(int dx, int dy);
  void OnScroll(int bar, WPARAM code);
  // The client size to take at `density`: the designed size while it has it, else the present
  // size scaled.
  TSize ClientSizeAt(const TDensity& density);
  // Moved to a screen of another density: the system's suggested window rectangle.
  void DensityChanged(int dpi, const RECT& suggested);

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  bool keyPreview_ = false;
  bool autoScroll_ = false;
  TWindowState windowState_ = wsNormal;
  HICON icon_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TWinControl* enteredControl_ = nullptr;  // the innermost control told the focus entered it
  bool activatedOnce_ = false;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  int scrollX_ = 0, scrollY_ = 0;
  bool updatingScrollRange_ = false;
  bool scrollRangeStale_ = false;  // the client area changed while the range was being set
  TDensity density_;
  TSize designedClient_;  // at 96 dots per inch; none: the window's size is its own
};
