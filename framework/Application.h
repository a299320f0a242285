#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/UtilWindow.h"

class TForm;

// The framework's optional start-up hook, which TApplication::Initialize runs; none by default.
extern void (*InitProc)();

using TErrorBoxHandler = std::function<void(HWND owner, const std::string& text, const std::string& caption)>;

// The application object: the hidden application window, the message loop with its idle step
// and hover detection, and the reporting of failures that escape event handlers.
class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  const char* ClassName() const override { return "TApplication"; }

  // Runs the start-up hook InitProc, when one is installed.
  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  // The long hint (after a "|", or all of it) of the control under the pointer, as the idle step
  // last found it. A change is offered as a hint action to the active form, then the main form.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  HWND Handle() const { return window_.Handle(); }
  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }

  // Creates the form; the first one becomes the main form, with its window made at once.
  template <class F>
  void CreateForm(F*& reference) {
    reference = new F(this);
    if (!mainForm_) {
      reference->HandleNeeded();
      mainForm_ = reference;
    }
  }
  TForm* MainForm() const { return mainForm_; }
  // Shows the main form and runs the message loop until the application is terminated.
  void Run();
  // Minimises the application as a minimised start does: only the task-bar button stays.
  void Minimize();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Takes and handles one message; with none waiting, runs the idle step and waits.
  void HandleMessage();
  // Handles every waiting message, then returns.
  void ProcessMessages();
  // The idle step: hover detection. The message loop runs it whenever its queue is empty and the
  // control under the pointer may have changed (HoverCheckDue).
  void Idle();

  // Reports a failure that escaped an event handler. One error box is open at a time: failures
  // raised while it is open (its own message loop runs timers and handlers) are collected, the
  // same text counted once, and shown one box each after it closes, with the count.
  void HandleException(const std::exception& failure);
  void HandleException(const char* message);
  // Any failure, standard exception or not, caught by a window procedure or the message loop.
  void HandleException(const std::exception_ptr& failure);
  // Replaces the error box (for tests); nullptr restores the platform's message box.
  void SetErrorBoxHandler(TErrorBoxHandler handler) { errorBox_ = std::move(handler); }

  // Hover detection state.
  TControl* MouseControl() const { return mouseControl_; }
  // A control gave the remembered one its held-back mouse-entered itself (a push button's
  // release does): the idle step does not give it a second.
  void MouseEnterGiven(TControl* control) {
    if (control == mouseControl_) enterDue_ = false;
  }
  void ControlDestroyed(TControl* control);
  // The control holding the mouse capture (a windowless one through its parent's window).
  void SetCaptureControl(TControl* control);
  TControl* CaptureControl();

  // The show command the process was started with.
  int StartupShowCommand() const { return showCommand_; }
  void SetStartupShowCommand(int command) { showCommand_ = command; }

  // Focus and key handling for a message taken from the queue; true when it was consumed.
  bool IsKeyMessage(MSG& msg);
  // Hands a typed character to an 8-bit window in the program's code page, as its bytes.
  void DispatchCharacter(const MSG& msg);

 private:
  bool ProcessMessage(MSG& msg);
  // Whether the control under the pointer may have changed since the last idle step looked.
  bool HoverCheckDue() const;
  // Hover moved from the remembered control to `hovered`: mouse-left, then mouse-entered; also
  // delivers the notices that another control's capture held back once it no longer does.
  void ChangeMouseControl(TControl* hovered);
  // No control but the capture holder hears of the mouse.
  bool MayHearTheMouse(TControl* control);
  // A control whose mouse-left was held back and may hear it now, or nullptr.
  TControl* NextWithheldLeave();
  bool NoticesWithheld() const { return enterDue_ || !withheldLeaves_.empty(); }
  void ShowErrorBox(const std::string& text);
  LRESULT AppWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

  std::string title_;
  std::string hint_;
  // Before the window: they are its class's icons.
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  TUtilWindow window_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  TControl* mouseControl_ = nullptr;
  TControl* enteringControl_ = nullptr;  // while the control left hears of it
  bool enterDue_ = false;                // the remembered control's mouse-entered was held back
  std::vector<TControl*> withheldLeaves_;  // entered controls whose mouse-left was held back
  bool hoverMayHaveChanged_ = true;      // a message other than a timer tick came since
  DWORD hoverCheckedAt_ = 0;             // the message position then
  DWORD hoverCheckTime_ = 0;
  POINT hoverPoint_{};                   // the pointer then
  HWND hoverWindow_ = nullptr;           // the window under it then
  TControl* captureControl_ = nullptr;
  int showCommand_ = SW_SHOWNORMAL;
  TErrorBoxHandler errorBox_;
  bool errorBoxOpen_ = false;
  struct PendingFailure {
    std::string text;
    int count;
  };
  std::vector<PendingFailure> pendingFailures_;  // came while the error box was open
};

extern TApplication* Application;
