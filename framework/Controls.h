#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "framework/Layout.h"
#include "framework/Messages.h"

class TControl;
class TWinControl;
class TForm;
class TBasicAction;
class TControlActionLink;
class TPopupMenu;
struct TAccessibleInfo;
namespace accessibility {
class TAccessibleObject;
}

// A message as controls see it: a window message or a framework notification.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held, as carried by mouse and key events.
enum TShiftFlag : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;
TShiftState ShiftStateFromKeys(WPARAM mouseKeys);  // MK_* flags of a mouse message
TShiftState KeyboardShiftState();                  // keys held now

using TMouseEvent = std::function<void(TObject* sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
// A context menu is asked for at a point of the control ((-1, -1) from the keyboard); a handler
// that sets `handled` keeps the control's menu from showing.
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;

// ---------------------------------------------------------------------------------------------
// Size constraints, cursors and drag and drop

// A control's size limits (0 = none); the control applies a change at once.
class TSizeConstraints : public TObject {
 public:
  int MinWidth() const { return limits_.MinWidth; }
  int MinHeight() const { return limits_.MinHeight; }
  int MaxWidth() const { return limits_.MaxWidth; }
  int MaxHeight() const { return limits_.MaxHeight; }
  // A minimum above the maximum raises the maximum with it, a maximum below the minimum lowers
  // the minimum; negative values are taken as 0.
  void SetMinWidth(int value);
  void SetMinHeight(int value);
  void SetMaxWidth(int value);
  void SetMaxHeight(int value);
  const TSizeLimits& Limits() const { return limits_; }

  std::function<void()> OnChange;

 private:
  void Change(const TSizeLimits& limits);
  TSizeLimits limits_;
};

using TCursor = int;
// The platform's standard cursors; crDrag is the framework's own (an arrow carrying a page).
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
                  crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What a drag carries when the source supplies its own in OnStartDrag: targets then see it as the
// source. Whoever made it owns it; it must outlive the drag (OnEndDrag is the last use).
class TDragObject : public TObject {};

using TCanResizeEvent = std::function<void(TObject* sender, int& newWidth, int& newHeight, bool& resize)>;
using TConstrainedResizeEvent =
    std::function<void(TObject* sender, int& minWidth, int& minHeight, int& maxWidth, int& maxHeight)>;
using TStartDragEvent = std::function<void(TObject* sender, TDragObject*& dragObject)>;
using TStartDockEvent = TStartDragEvent;
// Positions are in the client area of the sender (over, drop) or of the target (end).
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;

// ---------------------------------------------------------------------------------------------
enum TOperation { opInsert, opRemove };

// Components own other components and destroy them, last created first.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Component(int i) const { return components_[i]; }
  bool Destroying() const { return destroying_; }
  // True from SetLoading(true) to SetLoading(false) on this component or any of its owners (the
  // main window sets it while it makes and sets up its controls). The components that ask skip
  // the reactions meant for a finished control: setting ParentColor sends no parent-colour
  // notice, the editors raise no change events, apply no style and pass on no click.
  bool Loading() const { return loading_ || (owner_ && owner_->Loading()); }
  // Ending the reading in runs the after-loading step (Loaded) of this component and of the
  // components it owns, once none of them is loading any more.
  void SetLoading(bool value);

  // The name of the class, which windowed controls also use as their window class name.
  virtual const char* ClassName() const { return "TComponent"; }
  // An action offered to the component as its target (the application's hint, for one); true
  // when the component carried it out. None is taken by default.
  virtual bool ExecuteAction(TBasicAction& /*action*/) { return false; }

  // `component` is told (Notification, opRemove) when this one goes, whoever owns either; the
  // link works both ways, so whichever goes first unlinks the other.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

 protected:
  // Called first thing by the destructors of classes with windows, while virtual calls still work.
  void DestroyComponents();
  // A component is going: one owned by the same owner, or one this asked to be told about.
  // Passed on to the owned components.
  virtual void Notification(TComponent* component, TOperation operation);
  // Tells the components linked by FreeNotification that this one is going; the destructor does
  // it at the latest, a derived destructor may do it earlier while it is still whole.
  void RemoveFreeNotifications();
  // The settings have been read in: applies what was held back while loading.
  virtual void Loaded() {}
  bool destroying_ = false;

 private:
  void LoadedTree();
  TComponent* owner_;
  bool loading_ = false;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;  // borrowed
};

// ---------------------------------------------------------------------------------------------
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Reading order of a control's texts: right-to-left reading, and with bdRightToLeft also the
// alignment mirrored.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Control style flags.
enum : unsigned {
  csOpaque = 1,           // paints every pixel of its rectangle
  csAcceptsControls = 2,  // may be the parent of others
  csCaptureMouse = 4,     // takes the mouse capture while a button is down
  csClickEvents = 8,      // a left press and release inside is a click
  csSetCaption = 16,      // a new name becomes the text while the text is the old name (not while loading)
  csReplicatable = 32,    // may be painted onto another canvas (drawn as an image of itself)
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }

  // --- tree
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  virtual bool IsWindowed() const { return false; }

  // --- bounds, relative to the parent's client area
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  virtual TRect ClientRect();
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  // Multiplies position and size by m / d (layout scaling).
  virtual void ChangeScale(int m, int d);

  TPoint ClientToScreen(TPoint p);
  TPoint ScreenToClient(TPoint p);

  // --- state
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Visible and enabled, and so are all its parents.
  bool IsShowing() const;

  // --- appearance
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  // Caption and text are the same property.
  virtual std::string Text() const { return text_; }
  void SetText(const std::string& text);
  // With csSetCaption, a control whose text is its old name takes the new one as its text.
  void SetName(const std::string& name) override;
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  // The text of the tooltip shown while the pointer rests over the control (up to a "|", the
  // rest being a longer description); a control without one shows its parent's.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // Whether the control's hint shows. Setting it clears ParentShowHint; while ParentShowHint is
  // True the control follows its parent's ShowHint.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  // The reading order, taken from the parent (as the font is) while ParentBiDiMode is True;
  // setting it clears ParentBiDiMode.
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool value);
  bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
  // Text-drawing flags adjusted to the reading order: left and right alignment swapped when the
  // alignment is mirrored (centring stays), right-to-left reading added when in use.
  UINT DrawTextBiDiModeFlags(UINT flags) const;
  // The menu shown on a right click or the context-menu key; the menu going clears it.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) {
    if (cursor_ == cursor) return;
    cursor_ = cursor;
    Perform(CM_CURSORCHANGED);
  }
  unsigned ControlStyle() const { return controlStyle_; }
  void SetControlStyle(unsigned style) { controlStyle_ = style; }
  bool IsOpaque() const { return (controlStyle_ & csOpaque) != 0; }

  // --- events
  TNotifyEvent OnClick;
  // A double click of the left button (on a control with click events), before its mouse-down.
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TContextPopupEvent OnContextPopup;

  // --- messages
  // Delivers a message or notification to this control's handler synchronously.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The control's message handler; overrides handle what they need and call the base.
  virtual void WndProc(TMessage& message);

  // --- painting
  // Asks for a repaint (invalidates the rectangle on the parent).
  virtual void Invalidate();
  // Repaints now.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Processes pending paints of the parent window.
  virtual void Update();

  // Runs the OnClick handler, or the linked action when there is no handler.
  virtual void Click();
  // Runs the OnDblClick handler.
  virtual void DblClick();
  // The context menu is asked for at a point of the screen ((-1, -1): from the keyboard):
  // OnContextPopup, then the popup menu. False when neither took it, and the window's own
  // handling applies.
  bool ContextPopup(TPoint screen);

  // --- screen readers (framework/Accessible.h)
  // The name readers are told in place of the one the control would give (the form names its
  // boxes by what they are for); empty: the control's own.
  const std::string& AccessibleName() const { return accessibleName_; }
  void SetAccessibleName(const std::string& name);
  // Says what the control is; asked only while a reader reads it. The default says nothing.
  virtual void DescribeAccessible(TAccessibleInfo& /*info*/) {}

  // --- anchors and size constraints
  // When the parent's client area changes size the control keeps its distances to the anchored
  // sides, taken when it was last placed (see AnchoredBounds); aligned controls follow Align.
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  TSizeConstraints& Constraints() { return constraints_; }
  // Raised before every change of size: may refuse it or change the size wanted.
  TCanResizeEvent OnCanResize;
  // Raised before every change of size, after OnCanResize: may change the limits for this change.
  TConstrainedResizeEvent OnConstrainedResize;

  // --- drag and drop inside the program
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode mode) { dragMode_ = mode; }
  TDragKind DragKind() const { return dragKind_; }
  void SetDragKind(TDragKind kind) { dragKind_ = kind; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor cursor);
  // Starts dragging this control: at once, or once the pointer has moved `threshold` pixels with
  // the left button held (a negative threshold: the system's drag distance).
  void BeginDrag(bool immediate, int threshold = -1);
  // Ends this control's drag: dropped on the target under the pointer if it accepts, or cancelled.
  void EndDrag(bool drop);
  // Whether a drag of this control has begun (and may still wait for its threshold).
  bool Dragging() const;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TStartDockEvent OnStartDock;
  TEndDragEvent OnEndDock;

  // The linked action: its caption, enabled state, hint and visibility become the control's,
  // and a click executes it. The action going unlinks it.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* action);

 protected:
  // The linked action changed, or a new one was linked; `checkDefaults` takes only what the
  // control still has at its default.
  virtual void ActionChange(TObject* sender, bool checkDefaults);
  // Makes the link to a newly assigned action; a control that links more overrides it.
  virtual std::unique_ptr<TControlActionLink> CreateActionLink();
  TControlActionLink* ActionLink() const { return actionLink_.get(); }

  // Raises OnContextPopup with the point in client coordinates.
  virtual void DoContextPopup(TPoint mousePos, bool& handled);
  void Notification(TComponent* component, TOperation operation) override;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // The mouse entered or left this control, after the framework passed the notice on to the
  // parent (or, at the top of the tree, to the hint controller): raise OnMouseEnter and
  // OnMouseLeave. A family overrides them to update its own state as well.
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The mouse capture was taken away mid-press (an error box, a modal form): a press in
  // progress ends without a click.
  virtual void CaptureLost() {}
  // Window text storage: windowed controls keep it in their window.
  virtual void StoreText(const std::string& text) { text_ = text; }
  // Called with the previous bounds after they changed.
  virtual void BoundsChanged(const TRect& /*previous*/) {}
  // Default processing of a message: none for a windowless control; the window class's own
  // procedure for a windowed one.
  virtual void DefaultHandler(TMessage&) {}

  // Before every change of size, in this order: whether the control takes it (raises OnCanResize;
  // false refuses it), then the limits for it (raises OnConstrainedResize), which the size is
  // then kept within.
  virtual bool CanResize(int& newWidth, int& newHeight);
  virtual void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
  // Drag events, called by the drag controller. DragOver answers whether a drop here is accepted
  // (without a handler: refused); positions are in this control's client area.
  virtual void DoStartDrag(TDragObject*& dragObject);
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DoEndDrag(TObject* target, int x, int y);
  virtual void DoStartDock(TDragObject*& dragObject);
  virtual void DoEndDock(TObject* target, int x, int y);

  TFont font_;
  std::string text_;

 private:
  friend class TWinControl;
  friend class TControlActionLink;
  void FontChanged();
  void UpdateFromParentFont(TControl* parent);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  bool parentFont_ = true;
  bool updatingFromParent_ = false;
  bool settingText_ = false;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  TPopupMenu* popupMenu_ = nullptr;  // borrowed, linked by FreeNotification
  int cursor_ = 0;
  unsigned controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
  bool clickPending_ = false;
  std::unique_ptr<TControlActionLink> actionLink_;

  friend class TDragController;
  // The size a change of bounds may have: the current one when refused.
  void CheckNewSize(int& width, int& height);
  void ConstraintsChanged();
  // Takes the distances to the parent's sides from the current bounds (when the parent's area is
  // known: its window exists); a move made by the anchoring itself keeps the earlier ones.
  void AnchorsPlaced();
  // The parent's client area now measures `area`.
  void ApplyAnchors(TSize area);
  TAnchors anchors_{akLeft, akTop};
  TRect anchorPlaced_;
  TSize anchorArea_{-1, -1};  // the parent's area at placement; cx < 0: not taken yet
  bool anchoring_ = false;
  TSizeConstraints constraints_;
  TDragMode dragMode_ = dmManual;
  TDragKind dragKind_ = dkDrag;
  TCursor dragCursor_ = crDrag;
  std::string accessibleName_;
};

// ---------------------------------------------------------------------------------------------
// Window creation parameters a windowed control may adjust before its window is made.
// The window holding the keyboard focus in this thread, as ::GetFocus answers, without the round
// trip to the window server while the focus is in one of our windows or nowhere: every move of the
// focus to, from or between our windows reaches one of them as WM_SETFOCUS or WM_KILLFOCUS.
HWND FocusedWindow();

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  // Native window class to build on ("EDIT", "BUTTON"); empty for a class of our own.
  std::string BaseClass;
  // The icons of a class of our own (top-level windows): the system converts a class's icons
  // once, when a window is made, where every WM_SETICON converts both icons again.
  HICON ClassIcon = nullptr;
  HICON ClassSmallIcon = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  // The window, made on first use (with the windows of the parents it needs).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // The control owning a window of ours, or nullptr (also for any window of another process).
  static TWinControl* FindControl(HWND window);

  // --- children: windowless first (z-order), then windowed, in insertion order
  int ControlCount() const { return static_cast<int>(graphicChildren_.size() + winChildren_.size()); }
  TControl* Controls(int i) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // Sends a notification to every child in order, stopping at the first non-zero result.
  LRESULT Broadcast(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Sends a notification to every child in order, whatever they answer.
  void NotifyControls(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The topmost visible windowless child under a point of the client area.
  TControl* ControlAtPos(TPoint p, bool allowDisabled);

  // --- focus and tab order
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // Windowed controls below this one in tab order, depth first.
  std::vector<TWinControl*> TabOrderList();
  // Moves the focus to the next (or previous) control among this control's descendants.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() override;
  void SetVisible(bool visible) override;
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  // Lays out the aligned children (top alignment).
  void Realign();
  void ChangeScale(int m, int d) override;
  // Scales the children only.
  void ScaleControls(int m, int d);
  std::string Text() const override;

  void WndProc(TMessage& message) override;

  // The background brush, always in the control's Color.
  HBRUSH BackgroundBrush();

  // Key events of the window: a handler that sets the key to 0 keeps it from the window.
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  // The focus arrives in the control (or in a control inside it) from elsewhere on its form, or
  // leaves it for elsewhere on the form; the window losing and regaining activation is neither.
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  // The window's own content is painted off-screen first and reaches the screen in one copy.
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Makes the window, then the windows of the windowed children.
  virtual void CreateHandle();
  virtual void CreateWnd();
  virtual void DestroyHandle();
  // Called once the window exists.
  virtual void CreateWindowHandleDone() {}
  // Paints the window's own content (the windowless children come after).
  virtual void PaintWindow(HDC dc);
  // Paints the windowless children in order (with the exclusions made by the caller).
  void PaintControls(HDC dc, TControl* first = nullptr);
  // The area left for aligned children.
  virtual void AdjustClientRect(TRect& rect);
  void DefaultHandler(TMessage& message) override;
  void StoreText(const std::string& text) override;
  void BoundsChanged(const TRect& previous) override;
  virtual void WMPaint(TMessage& message);
  // Called after a child was added.
  virtual void ControlInserted(TControl*) {}
  // Key messages of the window (WM_KEYDOWN, WM_CHAR, WM_KEYUP and their system forms) before
  // the window processes them; the defaults raise the events. A key set to 0 goes no further.
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(WORD& key, TShiftState shift);
  // Run by the form when the focus enters or leaves the control; the defaults raise the events.
  virtual void DoEnter();
  virtual void DoExit();
  // Makes the window anew (after a change of a creation-only style), keeping its text.
  void RecreateWnd();

  bool realigning_ = false;
  bool scaling_ = false;  // while ChangeScale resizes this control, before its children

 private:
  friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend class TControl;
  friend class TForm;  // runs DoEnter and DoExit as the focus moves
  void RegisterWindowClass(const TCreateParams& params);
  void UpdateBoundsFromWindow();
  bool ForwardMouseToChild(TMessage& message);

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = nullptr;
  std::vector<TControl*> graphicChildren_;
  std::vector<TWinControl*> winChildren_;
  std::vector<TWinControl*> tabList_;  // windowed children by tab order
  std::vector<TControl*> children_;    // all children in insertion order (alignment)
  bool nativeClass_ = false;
  bool tabStop_ = false;
  bool doubleBuffered_ = false;
  gdi::Brush brush_;
  COLORREF brushColor_ = 0;
  // Made when a reader first asks for the window's object; one reference held until the window goes.
  accessibility::TAccessibleObject* accessible_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// A canvas over the window of a windowless control's parent (origin moved to the control's
// corner, clipped to its rectangle), or over a windowed control's own window. Outside a paint it
// takes the device context on demand; the framework gives it back once the current message is
// handled, or when Release() is called.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& control) : control_(control) {}
  ~TControlCanvas() override;
  void Release();
  // Gives back every context taken on demand (after each message).
  static void ReleaseAll();

 protected:
  void CreateHandle() override;

 private:
  TControl& control_;
  HWND window_ = nullptr;
  HDC ownDC_ = nullptr;
  int savedState_ = 0;
};

// A windowless control, painted by its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  const char* ClassName() const override { return "TGraphicControl"; }
  TCanvas& Canvas() { return canvas_; }
  void WndProc(TMessage& message) override;

 protected:
  // Draws the control with Canvas(); called by the parent's paint.
  virtual void Paint() {}

 private:
  TControlCanvas canvas_;
};

// A windowed control with its own canvas, painted in its own window's paint.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  const char* ClassName() const override { return "TCustomControl"; }
  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TControlCanvas canvas_;
  TBitmap buffer_;  // the off-screen copy while double-buffered
};

// The form a control sits on, or nullptr.
TForm* GetParentForm(TControl* control);

// The control under a point of the screen, as the hover detection finds it: the framework
// window under the point, then its topmost visible windowless child holding the point (disabled
// ones too when `allowDisabled`), else the windowed control itself; nullptr over other windows.
TControl* FindDragTarget(TPoint screen, bool allowDisabled);
// The same for the window already found under the point.
TControl* FindDragTarget(HWND window, TPoint screen, bool allowDisabled);
