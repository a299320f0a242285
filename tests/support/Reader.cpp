#include "tests/support/Reader.h"

#include <map>

namespace testing_support {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(n));
  return wide;
}

namespace {
VARIANT ChildId(long child) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = child;
  return v;
}

std::wstring Take(BSTR text) {
  std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return result;
}

long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* object, long child) {
  VARIANT v;
  VariantInit(&v);
  if (FAILED((object->*get)(ChildId(child), &v)) || v.vt != VT_I4) {
    VariantClear(&v);
    return -1;
  }
  return v.lVal;
}
}  // namespace

Accessible::~Accessible() {
  if (object_) object_->Release();
}

Accessible& Accessible::operator=(Accessible&& other) noexcept {
  if (this != &other) {
    if (object_) object_->Release();
    object_ = other.object_;
    other.object_ = nullptr;
  }
  return *this;
}

Accessible Accessible::FromWindow(HWND window, LONG objectId) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(objectId), __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))))
    return {};
  return Accessible(object);
}

Accessible Accessible::FromEvent(HWND window, LONG objectId, LONG child, long& childOut) {
  IAccessible* object = nullptr;
  VARIANT v;
  VariantInit(&v);
  childOut = -1;
  if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(child), &object, &v)))
    return {};
  if (v.vt == VT_I4) childOut = v.lVal;
  VariantClear(&v);
  return Accessible(object);
}

long Accessible::Role(long child) const { return Number(&IAccessible::get_accRole, object_, child); }
long Accessible::State(long child) const { return Number(&IAccessible::get_accState, object_, child); }

std::wstring Accessible::Name(long child) const {
  BSTR text = nullptr;
  object_->get_accName(ChildId(child), &text);
  return Take(text);
}

std::wstring Accessible::Value(long child, HRESULT* result) const {
  BSTR text = nullptr;
  const HRESULT hr = object_->get_accValue(ChildId(child), &text);
  if (result) *result = hr;
  return Take(text);
}

std::wstring Accessible::DefaultAction(long child) const {
  BSTR text = nullptr;
  object_->get_accDefaultAction(ChildId(child), &text);
  return Take(text);
}

HRESULT Accessible::DoDefaultAction(long child) const { return object_->accDoDefaultAction(ChildId(child)); }

long Accessible::ChildCount() const {
  long count = -1;
  object_->get_accChildCount(&count);
  return count;
}

Accessible Accessible::Child(long child) const {
  IDispatch* dispatch = nullptr;
  if (object_->get_accChild(ChildId(child), &dispatch) != S_OK || !dispatch) return {};
  IAccessible* object = nullptr;
  dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
  dispatch->Release();
  return Accessible(object);
}

RECT Accessible::Location(long child) const {
  long left = 0, top = 0, width = 0, height = 0;
  if (FAILED(object_->accLocation(&left, &top, &width, &height, ChildId(child)))) return {};
  return {left, top, left + width, top + height};
}

long Accessible::HitTest(POINT screen, Accessible* window) const {
  VARIANT v;
  VariantInit(&v);
  if (FAILED(object_->accHitTest(screen.x, screen.y, &v))) return -2;
  if (v.vt == VT_I4) return v.lVal;
  if (v.vt == VT_DISPATCH && v.pdispVal) {
    if (window) {
      IAccessible* object = nullptr;
      v.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
      *window = Accessible(object);
    }
    VariantClear(&v);
    return -1;
  }
  VariantClear(&v);
  return -2;
}

namespace {
std::map<HWINEVENTHOOK, std::vector<EventRecorder::Event>*>& Recorders() {
  static std::map<HWINEVENTHOOK, std::vector<EventRecorder::Event>*> recorders;
  return recorders;
}
}  // namespace

EventRecorder::EventRecorder(DWORD first, DWORD last, DWORD process) {
  hook_ = SetWinEventHook(first, last, nullptr, Receive, process, 0, WINEVENT_OUTOFCONTEXT);
  if (hook_) Recorders()[hook_] = &events_;
}

EventRecorder::~EventRecorder() {
  if (!hook_) return;
  UnhookWinEvent(hook_);
  Recorders().erase(hook_);
}

bool EventRecorder::Has(DWORD event, HWND window, LONG child) const {
  for (const Event& e : events_)
    if (e.event == event && e.window == window && e.object == OBJID_CLIENT && e.child == child) return true;
  return false;
}

void CALLBACK EventRecorder::Receive(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                     DWORD) {
  const auto it = Recorders().find(hook);
  if (it != Recorders().end()) it->second->push_back({event, window, object, child});
}

}  // namespace testing_support
