// One slot per event: a control never declares a member with the name of a framework member,
// which would hide it (a handler set through the framework's type would never be called, a
// framework service would be bypassed). Checked at compile time: an inherited member's pointer
// names the class that declares it.
#include <type_traits>

#include "controls/buttons/dxButtons.h"
#include "controls/editors/cxTextEdit.h"
#include "controls/status/RzStatus.h"

static_assert(std::is_same_v<decltype(&TdxButton::OnEnter), TNotifyEvent TWinControl::*>);
static_assert(std::is_same_v<decltype(&TdxButton::OnExit), TNotifyEvent TWinControl::*>);
static_assert(std::is_same_v<decltype(&TdxButton::OnMouseEnter), TNotifyEvent TControl::*>);
static_assert(std::is_same_v<decltype(&TdxButton::OnMouseLeave), TNotifyEvent TControl::*>);
static_assert(std::is_same_v<decltype(&TcxTextEdit::OnEnter), TNotifyEvent TWinControl::*>);
static_assert(std::is_same_v<decltype(&TcxTextEdit::OnExit), TNotifyEvent TWinControl::*>);
// The frame controller tells the panes that use it through the framework's removal notice.
static_assert(std::is_same_v<decltype(&TRzFrameController::FreeNotification), void (TComponent::*)(TComponent*)>);
