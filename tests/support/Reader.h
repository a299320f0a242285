#pragma once
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <string>
#include <vector>

// What a screen reader does, for the tests: it takes the accessible objects of windows, reads
// their properties in UTF-16 and listens to the events programs raise.
namespace testing_support {

// COM on this thread, as a reader needs it, for the life of the object.
class ComApartment {
 public:
  ComApartment() { initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_ = false;
};

// A text of the program's code page (936) as readers get it.
std::wstring Wide(const std::string& text);

// One accessible object, held until this goes; every getter reads one property of the object
// itself (child 0) or of one of its children.
class Accessible {
 public:
  Accessible() = default;
  explicit Accessible(IAccessible* object) : object_(object) {}  // takes the reference
  ~Accessible();
  Accessible(Accessible&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  Accessible& operator=(Accessible&& other) noexcept;
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  // The object of a window's client area (or another part of it); empty when there is none.
  static Accessible FromWindow(HWND window, LONG objectId = OBJID_CLIENT);
  // The object an event names (the object itself; `child` says which of its children).
  static Accessible FromEvent(HWND window, LONG objectId, LONG child, long& childOut);

  explicit operator bool() const { return object_ != nullptr; }
  IAccessible* Get() const { return object_; }

  long Role(long child = CHILDID_SELF) const;
  long State(long child = CHILDID_SELF) const;
  std::wstring Name(long child = CHILDID_SELF) const;
  // `result` is set to the call's result: DISP_E_MEMBERNOTFOUND when the object has no value.
  std::wstring Value(long child = CHILDID_SELF, HRESULT* result = nullptr) const;
  std::wstring DefaultAction(long child = CHILDID_SELF) const;
  HRESULT DoDefaultAction(long child = CHILDID_SELF) const;
  long ChildCount() const;
  // The child's own object, for a windowed child; empty for a windowless one.
  Accessible Child(long child) const;
  RECT Location(long child = CHILDID_SELF) const;
  // The child number under a screen point, 0 for the object itself, -1 for a windowed child
  // (then `window` holds its object), -2 for none.
  long HitTest(POINT screen, Accessible* window = nullptr) const;

 private:
  IAccessible* object_ = nullptr;
};

// The events of one kind range raised by a process, as an out-of-context hook gets them: they
// arrive while this thread handles its messages.
class EventRecorder {
 public:
  struct Event {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
  };
  EventRecorder(DWORD first, DWORD last, DWORD process = 0);
  ~EventRecorder();
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  const std::vector<Event>& Events() const { return events_; }
  void Clear() { events_.clear(); }
  // Whether an event of the kind for the window (and child) was recorded.
  bool Has(DWORD event, HWND window, LONG child = CHILDID_SELF) const;

 private:
  static void CALLBACK Receive(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);
  HWINEVENTHOOK hook_ = nullptr;
  std::vector<Event> events_;
};

}  // namespace testing_support
