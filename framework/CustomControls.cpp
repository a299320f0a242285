// Canvases of controls, and the two bases that paint through one: TGraphicControl (windowless)
// and TCustomControl (windowed).
#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "framework/ActnList.h"
#include "framework/DragDrop.h"
#include "framework/Exception.h"
#include "framework/Forms.h"
#include "framework/Hints.h"
#include "framework/Menus.h"


namespace {
std::vector<TControlCanvas*>& OnDemandCanvases() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

TControlCanvas::~TControlCanvas() { Release(); }

void TControlCanvas::CreateHandle() {
  TWinControl* window;
  if (control_.IsWindowed()) {
    window = static_cast<TWinControl*>(&control_);
  } else {
    window = control_.Parent();
    if (!window) throw Exception(FormatMessage1("Control '%s' has no parent window", control_.Name()));
  }
  window_ = window->Handle();
  ownDC_ = GetDC(window_);
  if (!ownDC_) throw Exception("Out of system resources");
  savedState_ = SaveDC(ownDC_);
  if (!control_.IsWindowed()) {
    SetViewportOrgEx(ownDC_, control_.Left(), control_.Top(), nullptr);
    IntersectClipRect(ownDC_, 0, 0, control_.Width(), control_.Height());
  }
  SetHandle(ownDC_);
  OnDemandCanvases().push_back(this);
}

void TControlCanvas::Release() {
  if (!ownDC_) return;
  SetHandle(nullptr);
  RestoreDC(ownDC_, savedState_);
  ReleaseDC(window_, ownDC_);
  ownDC_ = nullptr;
  window_ = nullptr;
  std::erase(OnDemandCanvases(), this);
}

void TControlCanvas::ReleaseAll() {
  auto& list = OnDemandCanvases();
  while (!list.empty()) list.back()->Release();
}

namespace {
// Lends a device context to a canvas for the length of a paint.
class PaintAttachment {
 public:
  PaintAttachment(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas_.Release();
    canvas_.SetHandle(dc);
  }
  ~PaintAttachment() { canvas_.SetHandle(nullptr); }
  PaintAttachment(const PaintAttachment&) = delete;
  PaintAttachment& operator=(const PaintAttachment&) = delete;

 private:
  TControlCanvas& canvas_;
};
}  // namespace

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(*this) {}

TGraphicControl::~TGraphicControl() { canvas_.Release(); }

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    PaintAttachment attach(canvas_, reinterpret_cast<HDC>(m.WParam));
    canvas_.Font().Assign(Font());
    Paint();
    return;
  }
  TControl::WndProc(m);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(*this) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
}

TCustomControl::~TCustomControl() { canvas_.Release(); }

void TCustomControl::PaintWindow(HDC dc) {
  if (!DoubleBuffered() || Width() <= 0 || Height() <= 0) {
    PaintAttachment attach(canvas_, dc);
    canvas_.Font().Assign(Font());
    Paint();
    return;
  }
  buffer_.SetSize(Width(), Height());
  {
    PaintAttachment attach(canvas_, buffer_.Canvas().Handle());
    canvas_.Font().Assign(Font());
    Paint();
  }
  BitBlt(dc, 0, 0, Width(), Height(), buffer_.Canvas().Handle(), 0, 0, SRCCOPY);
}

TForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(control);
}

TControl* FindDragTarget(TPoint screen, bool allowDisabled) {
  return FindDragTarget(WindowFromPoint(POINT{screen.X, screen.Y}), screen, allowDisabled);
}

TControl* FindDragTarget(HWND window, TPoint screen, bool allowDisabled) {
  TWinControl* control = TWinControl::FindControl(window);
  if (!control) return nullptr;
  POINT p{screen.X, screen.Y};
  ScreenToClient(window, &p);
  TControl* child = control->ControlAtPos({p.x, p.y}, allowDisabled);
  return child ? child : control;
}
