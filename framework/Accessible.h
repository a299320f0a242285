#pragma once
#include <windows.h>

#include <optional>
#include <string>

// What screen readers are told about the controls. A control says what it is in a plain record
// (TControl::DescribeAccessible); the framework turns that into the platform's accessible object
// of the control's window, made when a reader first asks for it, and hands the reader the
// system's standard object for whatever the control leaves unsaid. Controls never touch COM.

class TControl;
class TWinControl;
struct TMessage;

enum TAccessibleRole {
  arDefault,       // the control says nothing: the system's standard object answers for it
  arPushButton,
  arEditableText,
  arStaticText,
  arGrouping,
};

// States a control knows of itself; the framework adds unavailable (disabled), invisible and
// focused, and drops focusable while the control is disabled.
enum TAccessibleStateFlag : unsigned {
  asFocusable = 1,
  asPressed = 2,
  asReadOnly = 4,
};
using TAccessibleStates = unsigned;

// Texts are in the program's code page (936).
struct TAccessibleInfo {
  TAccessibleRole Role = arDefault;
  std::string Name;
  std::optional<std::string> Value;  // none: the control has no value
  TAccessibleStates States = 0;
  // The word for what the control's click does ("Press"); empty: it has no default action. A
  // reader's request for it clicks the control on its own thread, unless it is disabled.
  std::string DefaultAction;
};

// The name of a push button's default action.
inline constexpr char kAccessiblePress[] = "Press";

// What `control` says of itself, under the name the program gave it (TControl::AccessibleName)
// when it has one.
TAccessibleInfo DescribeControl(TControl& control);

// A text box as readers know it: focusable editable text whose value is its text.
void DescribeTextBox(TAccessibleInfo& info, const std::string& text, bool readOnly);

enum TAccessibleEvent { aeNameChange, aeStateChange, aeValueChange };
// Tells listening readers that what `control` says changed. Costs a check of the thread's hooks
// while none listens; nothing before the control's window (or its parent's) exists.
void NotifyAccessible(TControl& control, TAccessibleEvent event);

// The window procedure's part, for TWinControl.
namespace accessibility {
class TAccessibleObject;
// Answers WM_GETOBJECT for the control's client area with its own object (made now if needed)
// when the control describes itself or shows windowless children; false leaves the request to
// the system.
bool AnswerGetObject(TWinControl& control, TAccessibleObject*& object, TMessage& message);
// The window goes: readers still holding the object get "disconnected" from now on.
void Disconnect(TAccessibleObject*& object);
// The message a reader's default action is posted as; runs the click of the control (wParam 0)
// or of its windowless child (wParam its child number) if it may still be clicked.
bool IsDefaultActionMessage(UINT msg);
void RunDefaultAction(TWinControl& control, WPARAM child);
}  // namespace accessibility
