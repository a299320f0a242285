// The one bridge between the controls' descriptions and the platform's accessible objects: a
// window's object answers for the control and for its windowless children (child numbers 1 up,
// then its windowed children), and asks the system's standard object for anything else.
#include "framework/Accessible.h"

#include <ole2.h>
#include <oleacc.h>

#include <exception>

#include "framework/Controls.h"
#include "framework/Application.h"
#include "framework/SystemLibrary.h"

namespace accessibility {
namespace {

// The system's COM, automation and accessibility libraries, loaded when a reader first asks for
// an object: a run without a reader never loads them.
struct OleFunctions {
  decltype(&::CoInitializeEx) CoInitializeEx = nullptr;
  decltype(&::CoDisconnectObject) CoDisconnectObject = nullptr;
  decltype(&::SysAllocStringLen) SysAllocStringLen = nullptr;
  decltype(&::LresultFromObject) LresultFromObject = nullptr;
  decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject = nullptr;
  decltype(&::AccessibleObjectFromWindow) AccessibleObjectFromWindow = nullptr;
};

// nullptr when the system lacks any of them. The libraries stay loaded: objects handed out may
// be called until the process ends.
const OleFunctions* Ole() {
  static const OleFunctions* const functions = []() -> const OleFunctions* {
    static OleFunctions f;
    HMODULE ole = LoadSystemLibrary("ole32.dll");
    HMODULE automation = LoadSystemLibrary("oleaut32.dll");
    HMODULE acc = LoadSystemLibrary("oleacc.dll");
    const bool all = LoadLibraryFunction(ole, "CoInitializeEx", f.CoInitializeEx) &&
                     LoadLibraryFunction(ole, "CoDisconnectObject", f.CoDisconnectObject) &&
                     LoadLibraryFunction(automation, "SysAllocStringLen", f.SysAllocStringLen) &&
                     LoadLibraryFunction(acc, "LresultFromObject", f.LresultFromObject) &&
                     LoadLibraryFunction(acc, "CreateStdAccessibleObject", f.CreateStdAccessibleObject) &&
                     LoadLibraryFunction(acc, "AccessibleObjectFromWindow", f.AccessibleObjectFromWindow);
    return all ? &f : nullptr;
  }();
  return functions;
}

// The code page of every text of the program.
constexpr UINT kProgramCodePage = 936;

// The text in the interface's UTF-16, from the program's code page.
BSTR ToBstr(const std::string& text) {
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, nullptr, 0);
  BSTR result = Ole()->SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result && length > 0) MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, result, length);
  return result;
}

long PlatformRole(TAccessibleRole role, bool windowless) {
  switch (role) {
    case arPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case arEditableText: return ROLE_SYSTEM_TEXT;
    case arStaticText: return ROLE_SYSTEM_STATICTEXT;
    case arGrouping: return ROLE_SYSTEM_GROUPING;
    case arDefault: break;
  }
  return windowless ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_CLIENT;
}

// The states a reader gets: the control's own and those the framework knows.
long PlatformStates(TControl& control, const TAccessibleInfo& info) {
  long s = 0;
  if (info.States & asFocusable) s |= STATE_SYSTEM_FOCUSABLE;
  if (info.States & asPressed) s |= STATE_SYSTEM_PRESSED;
  if (info.States & asReadOnly) s |= STATE_SYSTEM_READONLY;
  if (!control.Enabled()) s = (s & ~STATE_SYSTEM_FOCUSABLE) | STATE_SYSTEM_UNAVAILABLE;
  if (!control.Visible()) s |= STATE_SYSTEM_INVISIBLE;
  if (control.IsWindowed()) {
    auto& window = static_cast<TWinControl&>(control);
    if (window.HandleAllocated() && FocusedWindow() == window.Handle()) s |= STATE_SYSTEM_FOCUSED;
  }
  return s;
}

UINT g_defaultActionMessage = 0;  // registered when a reader first asks for a default action

// The objects are handed out through COM, which the thread of their windows then needs: it
// joins an apartment once, for as long as the thread runs. False when the libraries are missing
// or the thread cannot join.
bool ComReady() {
  thread_local const bool ready = [] {
    if (!Ole()) return false;
    const HRESULT init = Ole()->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(init) || init == RPC_E_CHANGED_MODE;
  }();
  return ready;
}

}  // namespace

// The accessible object of one window's client area. COM interfaces have no virtual destructor:
// the object is deleted only by its own Release.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class TAccessibleObject final : public IAccessible {
 public:
  TAccessibleObject(TWinControl* control, IAccessible* standard) : control_(control), standard_(standard) {}
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  void Disconnect() {
    control_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
    Ole()->CoDisconnectObject(this, 0);
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: readers call the interface directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Guard([&] { return standard_->get_accParent(parent); });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return Guard([&] {
      if (!count) return E_POINTER;
      *count = control_->ControlCount();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
    return Guard([&]() -> HRESULT {
      if (!child) return E_POINTER;
      *child = nullptr;
      TControl* c = Child(id);
      if (!c || c == control_) return E_INVALIDARG;
      return c->IsWindowed() ? WindowObject(static_cast<TWinControl*>(c), child) : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
    return Text(id, name, &IAccessible::get_accName, [](const TAccessibleInfo& info) -> std::optional<std::string> {
      return info.Name;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
    return Text(id, value, &IAccessible::get_accValue, [](const TAccessibleInfo& info) { return info.Value; });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) override {
    return Standard(id, text, &IAccessible::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
    return Guard([&]() -> HRESULT {
      if (!role) return E_POINTER;
      TControl* c = Child(id);
      if (!c || (c != control_ && c->IsWindowed())) return E_INVALIDARG;
      const TAccessibleInfo info = DescribeControl(*c);
      if (c == control_ && info.Role == arDefault) return standard_->get_accRole(id, role);
      role->vt = VT_I4;
      role->lVal = PlatformRole(info.Role, c != control_);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
    return Guard([&]() -> HRESULT {
      if (!state) return E_POINTER;
      TControl* c = Child(id);
      if (!c || (c != control_ && c->IsWindowed())) return E_INVALIDARG;
      const TAccessibleInfo info = DescribeControl(*c);
      if (c == control_ && info.Role == arDefault) return standard_->get_accState(id, state);
      state->vt = VT_I4;
      state->lVal = PlatformStates(*c, info);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override {
    return Standard(id, help, &IAccessible::get_accHelp);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, long* topic) override {
    return Guard([&]() -> HRESULT {
      if (IsSelf(id)) return standard_->get_accHelpTopic(file, id, topic);
      if (file) *file = nullptr;
      return S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
    return Standard(id, shortcut, &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return Guard([&] { return standard_->get_accFocus(focus); });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Guard([&] { return standard_->get_accSelection(selection); });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
    return Text(id, action, &IAccessible::get_accDefaultAction, [](const TAccessibleInfo& info) {
      return info.DefaultAction.empty() ? std::nullopt : std::optional<std::string>(info.DefaultAction);
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT id) override {
    return Guard([&] { return IsSelf(id) ? standard_->accSelect(flags, id) : DISP_E_MEMBERNOTFOUND; });
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT id) override {
    return Guard([&]() -> HRESULT {
      if (!left || !top || !width || !height) return E_POINTER;
      TControl* c = Child(id);
      if (!c) return E_INVALIDARG;
      RECT r{};
      if (c == control_) {
        GetClientRect(control_->Handle(), &r);
      } else if (c->IsWindowed()) {
        auto* window = static_cast<TWinControl*>(c);
        if (!window->HandleAllocated()) return E_INVALIDARG;
        GetWindowRect(window->Handle(), &r);
        MapWindowPoints(nullptr, control_->Handle(), reinterpret_cast<POINT*>(&r), 2);
      } else {
        r = {c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
      }
      MapWindowPoints(control_->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
      *left = r.left;
      *top = r.top;
      *width = r.right - r.left;
      *height = r.bottom - r.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return Guard([&]() -> HRESULT {
      if (!end) return E_POINTER;
      end->vt = VT_EMPTY;
      TControl* c = Child(start);
      if (!c) return E_INVALIDARG;
      const long count = control_->ControlCount();
      long target = 0;
      if (c == control_) {
        if (direction == NAVDIR_FIRSTCHILD) target = 1;
        else if (direction == NAVDIR_LASTCHILD) target = count;
        else return standard_->accNavigate(direction, start, end);
      } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
        target = start.lVal + 1;
      } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
        target = start.lVal - 1;
      }
      if (target < 1 || target > count) return S_FALSE;
      return ChildVariant(target, end);
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* found) override {
    return Guard([&]() -> HRESULT {
      if (!found) return E_POINTER;
      found->vt = VT_EMPTY;
      POINT p{x, y};
      ScreenToClient(control_->Handle(), &p);
      RECT client{};
      GetClientRect(control_->Handle(), &client);
      if (!PtInRect(&client, p)) return S_FALSE;
      long target = 0;
      if (TControl* part = control_->ControlAtPos({p.x, p.y}, true)) {
        target = IndexOf(part);
      } else if (HWND w = ChildWindowFromPointEx(control_->Handle(), p, CWP_SKIPINVISIBLE); w && w != control_->Handle()) {
        if (TWinControl* window = TWinControl::FindControl(w)) target = IndexOf(window);
      }
      return ChildVariant(target, found);
    });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    return Guard([&]() -> HRESULT {
      TControl* c = Child(id);
      if (!c || (c != control_ && c->IsWindowed())) return E_INVALIDARG;
      if (DescribeControl(*c).DefaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
      if (!c->IsShowing()) return E_FAIL;
      // The click runs on the control's own thread once the reader's call has returned, as a
      // click of the user would: a handler that shows a box must not hold the reader up.
      if (!g_defaultActionMessage) g_defaultActionMessage = RegisterWindowMessageA("ControlFramework.AccessibleDefaultAction");
      const WPARAM child = c == control_ ? 0 : static_cast<WPARAM>(id.lVal);
      return PostMessageA(control_->Handle(), g_defaultActionMessage, child, 0) ? S_OK : E_FAIL;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~TAccessibleObject() = default;

  // Runs a call for a control still there; a failure is reported as the window procedure's are
  // and the reader gets E_FAIL.
  template <class F>
  HRESULT Guard(F call) {
    if (!control_ || control_->Destroying()) return RPC_E_DISCONNECTED;
    try {
      return call();
    } catch (...) {
      if (Application) Application->HandleException(std::current_exception());
      return E_FAIL;
    }
  }

  static bool IsSelf(const VARIANT& id) { return id.vt == VT_I4 && id.lVal == CHILDID_SELF; }

  // The control (CHILDID_SELF) or child a child number names, or nullptr.
  TControl* Child(const VARIANT& id) const {
    if (id.vt != VT_I4) return nullptr;
    if (id.lVal == CHILDID_SELF) return control_;
    if (id.lVal < 1 || id.lVal > control_->ControlCount()) return nullptr;
    TControl* child = control_->Controls(id.lVal - 1);
    return child->Destroying() ? nullptr : child;
  }
  long IndexOf(TControl* child) const {
    for (int i = 0; i < control_->ControlCount(); ++i)
      if (control_->Controls(i) == child) return i + 1;
    return 0;
  }
  // A windowless child as its number, a windowed one as its window's object, 0 as the control.
  HRESULT ChildVariant(long number, VARIANT* out) const {
    TControl* c = number == CHILDID_SELF ? control_ : control_->Controls(number - 1);
    if (c != control_ && c->IsWindowed()) {
      out->vt = VT_DISPATCH;
      return WindowObject(static_cast<TWinControl*>(c), &out->pdispVal);
    }
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
  }
  static HRESULT WindowObject(TWinControl* window, IDispatch** out) {
    if (!window->HandleAllocated()) return E_INVALIDARG;
    return Ole()->AccessibleObjectFromWindow(window->Handle(), static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                             reinterpret_cast<void**>(out));
  }

  // A text property: from the description when the control says something, from the standard
  // object for the control itself when it does not.
  template <class Get>
  HRESULT Text(const VARIANT& id, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*), Get get) {
    return Guard([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      TControl* c = Child(id);
      if (!c || (c != control_ && c->IsWindowed())) return E_INVALIDARG;
      const TAccessibleInfo info = DescribeControl(*c);
      if (c == control_ && info.Role == arDefault) return (standard_->*standard)(id, out);
      const std::optional<std::string> text = get(info);
      if (!text) return DISP_E_MEMBERNOTFOUND;
      *out = ToBstr(*text);
      return *out ? S_OK : E_OUTOFMEMORY;
    });
  }
  // A property only the standard object knows, for the control itself.
  HRESULT Standard(const VARIANT& id, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
    return Guard([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      return IsSelf(id) ? (standard_->*standard)(id, out) : S_FALSE;
    });
  }

  LONG references_ = 1;
  TWinControl* control_;    // nullptr once its window went
  IAccessible* standard_;  // the system's object for the same client area; one reference
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

bool AnswerGetObject(TWinControl& control, TAccessibleObject*& object, TMessage& m) {
  // The object number comes as a 32-bit value, whatever the width of lParam.
  if (static_cast<DWORD>(m.LParam) != static_cast<DWORD>(OBJID_CLIENT)) return false;
  if (!object) {
    bool windowless = false;
    for (int i = 0; i < control.ControlCount(); ++i) windowless = windowless || !control.Controls(i)->IsWindowed();
    if (!windowless && DescribeControl(control).Role == arDefault) return false;
    if (!ComReady()) return false;
    IAccessible* standard = nullptr;
    if (FAILED(Ole()->CreateStdAccessibleObject(control.Handle(), static_cast<LONG>(OBJID_CLIENT),
                                                __uuidof(IAccessible), reinterpret_cast<void**>(&standard))))
      return false;
    try {
      object = new TAccessibleObject(&control, standard);
    } catch (...) {
      standard->Release();
      throw;
    }
  }
  const LRESULT result = Ole()->LresultFromObject(__uuidof(IAccessible), m.WParam, object);
  if (FAILED(static_cast<HRESULT>(result))) return false;
  m.Result = result;
  return true;
}

void Disconnect(TAccessibleObject*& object) {
  if (!object) return;
  object->Disconnect();
  object->Release();
  object = nullptr;
}

bool IsDefaultActionMessage(UINT msg) { return g_defaultActionMessage != 0 && msg == g_defaultActionMessage; }

void RunDefaultAction(TWinControl& control, WPARAM child) {
  // The number came through the system: it is checked against the children there are now.
  TControl* target = &control;
  if (child != 0) {
    if (child > static_cast<WPARAM>(control.ControlCount())) return;
    target = control.Controls(static_cast<int>(child) - 1);
    if (target->IsWindowed()) return;
  }
  if (target->IsShowing() && !DescribeControl(*target).DefaultAction.empty()) target->Click();
}

}  // namespace accessibility

TAccessibleInfo DescribeControl(TControl& control) {
  TAccessibleInfo info;
  control.DescribeAccessible(info);
  if (!control.AccessibleName().empty()) info.Name = control.AccessibleName();
  return info;
}

void DescribeTextBox(TAccessibleInfo& info, const std::string& text, bool readOnly) {
  info.Role = arEditableText;
  info.Value = text;
  info.States |= asFocusable;
  if (readOnly) info.States |= asReadOnly;
}

void NotifyAccessible(TControl& control, TAccessibleEvent event) {
  static constexpr DWORD kEvents[] = {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE};
  if (control.IsWindowed()) {
    auto& window = static_cast<TWinControl&>(control);
    if (window.HandleAllocated()) NotifyWinEvent(kEvents[event], window.Handle(), OBJID_CLIENT, CHILDID_SELF);
    return;
  }
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == &control) NotifyWinEvent(kEvents[event], parent->Handle(), OBJID_CLIENT, i + 1);
}
