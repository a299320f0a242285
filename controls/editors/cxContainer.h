#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/editors/cxContainerLayout.h"
#include "controls/editors/cxControls.h"
#include "controls/lookandfeel/dxThemeManager.h"

class TcxContainer;
class TcxStyleController;

// Runs f with `flag` set, giving the flag its previous value back whatever happens.
template <class F>
void cxWithFlag(bool& flag, F f) {
  const bool previous = flag;
  flag = true;
  try {
    f();
  } catch (...) {
    flag = previous;
    throw;
  }
  flag = previous;
}

// The values a container style holds, one assigned bit each.
enum TcxContainerStyleValue : unsigned {
  svBorderColor, svBorderStyle, svColor, svEdges, svFont, svHotTrack, svShadow, svTransparentBorder,
  svButtonStyle, svButtonTransparency, svPopupBorderStyle
};
using TcxContainerStyleValues = std::uint32_t;

// How a container's frame and background look. A value that this style does not set itself
// comes from its style controller, and in the end from a default; the default border style
// follows the style's look-and-feel kind.
class TcxContainerStyle : public TObject {
 public:
  // owner: the container (or style controller) the style belongs to. A style in direct-access
  // mode (for painting on behalf of another control) has no font and never notifies.
  TcxContainerStyle(TComponent* owner, bool directAccess);
  ~TcxContainerStyle() override;
  TcxContainerStyle(const TcxContainerStyle&) = delete;
  TcxContainerStyle& operator=(const TcxContainerStyle&) = delete;

  TComponent* Owner() const { return owner_; }
  // The owning container, or nullptr.
  TcxContainer* Container() const;
  bool DirectAccess() const { return directAccess_; }

  TcxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TcxContainerStyleValues values);
  TColor BorderColor() const;
  void SetBorderColor(TColor value);
  TcxContainerBorderStyle BorderStyle() const;
  void SetBorderStyle(TcxContainerBorderStyle value);
  TColor Color() const;
  void SetColor(TColor value);
  TcxEdgeSet Edges() const;
  void SetEdges(TcxEdgeSet value);
  TFont& Font();
  void SetFont(const TFont& value);
  bool HotTrack() const;
  void SetHotTrack(bool value);
  TcxLookAndFeel& LookAndFeel() { return *lookAndFeel_; }
  void SetLookAndFeel(const TcxLookAndFeel& value);
  bool Shadow() const;
  void SetShadow(bool value);
  TcxStyleController* StyleController() const { return styleController_; }
  void SetStyleController(TcxStyleController* value);
  bool TransparentBorder() const;
  void SetTransparentBorder(bool value);
  // Text colour in direct-access mode.
  TColor DirectTextColor() const { return directTextColor_; }
  void SetDirectTextColor(TColor value) { directTextColor_ = value; }

  // The colour as the style itself resolves it: own value, controller, default (without the
  // owner's ParentColor shortcut of Color()).
  virtual TColor InternalColor() const;

  void HoldChanges() { ++updateCount_; }
  void ReleaseChanges();
  // Tells the owner (at once, or when the last hold is released).
  virtual void NotifyChanged();
  // Copies the settings of another style (controller, look-and-feel, values, font, assigned bits).
  virtual void TakeValuesFrom(TcxContainerStyle& source);
  // Value n is assigned on this style or along its controller chain.
  virtual bool IsValueAssigned(unsigned n) const;
  // Follows the owner's parent colour and font again and drops every assigned value.
  virtual void RestoreDefaults();
  virtual int ValueCount() const { return 8; }
  virtual const char* ValueName(unsigned n) const;
  // Written to the form file: assigned here and not declared unstored by the owner.
  bool IsValueStored(unsigned n) const;
  // Takes the controller's assigned font when this style sets none itself.
  virtual void RefreshFontFromController();

  // Set by the owner; called with the style after each change.
  std::function<void(TcxContainerStyle*)> OnChanged;

 protected:
  friend class TcxStyleController;
  friend class TcxContainer;
  // The controller's own style changed.
  virtual void ControllerChanged();
  // The controller is going.
  virtual void ControllerFreeNotification(TcxStyleController* controller);
  virtual TColor DefaultBorderColor() const { return clWindowFrame; }
  virtual TcxContainerBorderStyle DefaultBorderStyle() const;
  virtual TColor DefaultColor() const;
  virtual TcxEdgeSet DefaultEdges() const { return kAllEdges; }
  virtual bool DefaultHotTrack() const { return true; }
  virtual bool DefaultShadow() const { return false; }
  virtual bool DefaultTransparentBorder() const { return true; }
  virtual TcxStyleController* DefaultStyleController() const { return nullptr; }
  virtual void FontChanged();
  bool Assigned(unsigned n) const { return (assignedValues_ >> n) & 1u; }
  // Stores through `field`, sets bit n and notifies, unless bit n is set and the value is equal.
  template <class T>
  void SetValue(unsigned n, T& field, T value) {
    if (Assigned(n) && field == value) return;
    field = value;
    assignedValues_ |= 1u << n;
    NotifyChanged();
  }
  // The controller's style, or nullptr.
  TcxContainerStyle* ControllerStyle() const;

  TcxContainerStyleValues assignedValues_ = 0;

 private:
  TColor borderColor_ = clWindowFrame;
  TcxContainerBorderStyle borderStyle_ = cbsFlat;
  TcxEdgeSet edges_ = kAllEdges;
  bool hotTrack_ = true;
  bool shadow_ = false;
  bool transparentBorder_ = true;
  bool directAccess_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  bool changePending_ = false;
  TComponent* owner_;  // borrowed
  int updateCount_ = 0;
  bool fontSyncing_ = false;
  TcxStyleController* styleController_ = nullptr;  // borrowed
  TColor color_ = clWindow;
  std::unique_ptr<TFont> font_;
  TColor directTextColor_ = clWindowText;
};

using TcxStyleChangedEvent = std::function<void(TObject* sender, TcxContainerStyle* style)>;

// A component holding one style that other styles fall back to (its listeners).
class TcxStyleController : public TComponent {
 public:
  explicit TcxStyleController(TComponent* owner);
  ~TcxStyleController() override;
  const char* ClassName() const override { return "TcxStyleController"; }

  TcxContainerStyle& Style() { return *style_; }
  const std::vector<TcxContainerStyle*>& Listeners() const { return listeners_; }
  void AddListener(TcxContainerStyle* listener);
  void RemoveListener(TcxContainerStyle* listener);

  TcxStyleChangedEvent OnStyleChanged;

 protected:
  // Made once by the constructors of this and the derived controllers.
  void CreateStyle(std::unique_ptr<TcxContainerStyle> style);
  virtual void StyleChanged();

 private:
  std::unique_ptr<TcxContainerStyle> style_;
  std::vector<TcxContainerStyle*> listeners_;  // borrowed
};

// The record a container paints from.
class TcxContainerViewInfo : public TObject, public TcxContainerViewFields {
 public:
  TcxContainerViewInfo() = default;
  // Draws the frame and background.
  virtual void Paint(TcxCanvas& canvas);
  // Copies ContentRect only.
  virtual void TakeValuesFrom(const TcxContainerViewInfo& source) { ContentRect = source.ContentRect; }
  // The area that changes with the state (none here).
  virtual std::vector<TRect> UpdateRegion() const { return {}; }
  virtual void Offset(int dx, int dy);
  void PaintEx(TcxCanvas& canvas) { Paint(canvas); }

 protected:
  // The themed frame of ThemeClass, ThemePart and ThemeState with the background inside it.
  void PaintThemed(TcxCanvas& canvas);
};

// Tells its container that the hover watch saw the mouse leave.
class TcxContainerMouseTrackingHelper : public TObject, public IcxMouseTrackingCaller {
 public:
  explicit TcxContainerMouseTrackingHelper(TcxContainer* container) : container_(container) {}
  void MouseLeave() override;

 private:
  TcxContainer* container_;  // the owner
};

// A framed control hosting one native child window: paints its border and background from its
// style and state, keeps the child's position, colours, font, clip and focus in step, and lights
// the frame while the mouse is over it.
class TcxContainer : public TcxControl {
 public:
  using StyleFactory = std::function<std::unique_ptr<TcxContainerStyle>(TcxContainer*)>;
  using ViewInfoFactory = std::function<std::unique_ptr<TcxContainerViewInfo>()>;

  explicit TcxContainer(TComponent* owner);
  ~TcxContainer() override;
  const char* ClassName() const override { return "TcxContainer"; }

  TcxContainerStyle& Style() { return *style_; }
  TcxContainerViewInfo& ViewInfo() { return *viewInfo_; }
  TWinControl* HostedControl() const { return hostedControl_; }
  void SetHostedControl(TWinControl* control);
  // The container's window or the hosted control's has the focus.
  virtual bool IsFocused();
  // The frame is drawn hot.
  bool IsHot() const { return (viewInfo_->State & StateHot) != 0; }
  // Whether the last state update found the focus in this container.
  bool ShowsFocus() const { return showsFocus_; }
  bool Creating() const { return creating_; }
  bool IsBeingDestroyed() const { return beingDestroyed_; }

  // Recomputes the state from the cursor and keys now; with mouseTracking, a hot container
  // also starts its hover watch.
  void RefreshState(bool mouseTracking = false);
  virtual TRect GetBorderExtent();
  virtual TRect GetHotArea();

  TRect ClientRect() override;
  void SetFocus() override;
  void WndProc(TMessage& message) override;

 protected:
  // Derived containers choose their style and view-info classes.
  TcxContainer(TComponent* owner, const StyleFactory& makeStyle, const ViewInfoFactory& makeViewInfo);
  // The parameters the view info is computed from (editors add theirs).
  virtual TcxContainerViewParams ViewParams(TPoint point, bool hotTrackingAllowed);
  // ViewParams for the frame's extent and hot area, which do not depend on the focus.
  TcxContainerViewParams FrameParams();
  virtual void CalculateViewInfo(TPoint point, bool hotTrackingAllowed);
  virtual void SyncHostedControl();
  virtual void AdjustHostedControl();
  // Applies the clip of the hosted control when it changed.
  void AlignHostedControl(const TRect& client);
  virtual std::optional<TRect> ChildClip(TWinControl* child, const TRect& client);
  void ForgetClipRegion() { clipRegion_.reset(); clipApplied_ = false; }
  // The hosted control's window was just made: it has no region, which is what no clip asks for
  // (setting none again would cost the window system a move of the window).
  void HostedWindowMade() { clipRegion_.reset(); clipApplied_ = true; }
  virtual void StyleChanged();
  virtual void MouseLeaveReaction();
  // Recompute, place and sync the hosted control, update the region and repaint the frame band.
  virtual void UpdateState(TPoint point, TShiftState shift);
  // Themed drawing is possible for this container's themed class.
  virtual bool ThemesAvailable();
  virtual TdxThemedObjectType ThemedObjectType() const { return totEdit; }
  virtual int ThemedPart() const { return 1; }
  // The visual styles changed.
  virtual void ThemeChanged() { RefreshState(); }
  // The theme's fill colour for the disabled state.
  TColor ThemeDisabledColor();
  virtual bool HandlesTabKey() const { return false; }
  // Style values the owner never writes to the form file (bit set).
  virtual TcxContainerStyleValues StyleValuesNotStored() const { return 0; }
  // The focus came in from another control of the form, or left for one. Activating another
  // window and coming back is neither.
  virtual void FocusEntered() {}
  virtual void FocusLeft() {}
  // The focus moved in or out of the container or its hosted control.
  virtual void FocusMoved() {}
  // Asked before the form hears of the new focus: it was on another of its controls.
  bool EntersFromOtherControl();
  // The window taking the focus is another control of the same form.
  bool LeavesForOtherControl(HWND next);
  // Tells the form that the container has the focus (as its own WM_SETFOCUS would).
  void ReportFocusToForm();
  // The focus arrived other than by a mouse press and from another control (not by activating
  // the window again): decided when the container's window receives it.
  bool FocusCameFromOtherControl() const { return focusFromOther_; }
  bool HostedMouseDown() const { return hostedMouseDown_; }
  void SetHostedMouseDown(bool value) { hostedMouseDown_ = value; }
  bool MovingHosted() const { return movingHosted_; }
  void SetMovingHosted(bool value) { movingHosted_ = value; }
  bool ApplyingStyle() const { return applyingStyle_; }

  void Paint() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  // Tab, when the container does not handle it itself, moves the focus on (back with Shift).
  void KeyDown(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  // Hot tracking starts with the hover watch on entering; leaving is the mouse-leave reaction.
  void MouseEnter() override;
  void MouseLeave() override;
  void BoundsChanged(const TRect& previous) override;
  void LookAndFeelChanged() override;
  // Called once by the constructors when construction is complete.
  void EndCreating();
  // First thing in the destructors: the hover watch ends and every update is skipped from here.
  void BeginDestroy();
  // The current shift state including held mouse buttons.
  static TShiftState CurrentShiftState();
  // A window of this container or its hosted control.
  bool OwnsWindow(HWND window);

 private:
  friend class TcxContainerStyle;
  friend class TcxContainerMouseTrackingHelper;
  void UpdateWindowRegion();
  void FocusMessage(TMessage& m);

  TWinControl* hostedControl_ = nullptr;  // borrowed: a child of this container
  bool hostedMouseDown_ = false;
  std::optional<TRect> clipRegion_;
  bool clipApplied_ = false;
  std::optional<bool> focusDuringUpdate_;  // the focus as asked once for one state update
  bool showsFocus_ = false;
  bool movingHosted_ = false;
  bool creating_ = true;
  bool applyingStyle_ = false;
  bool beingDestroyed_ = false;
  bool focusFromOther_ = false;
  bool mousePressing_ = false;
  bool mouseInside_ = false;  // the mouse was seen over the container and has not left yet
  std::vector<TRect> region_;
  bool regionApplied_ = false;
  std::unique_ptr<TcxContainerMouseTrackingHelper> mouseTracking_;
  std::unique_ptr<TcxContainerStyle> style_;
  std::unique_ptr<TcxContainerViewInfo> viewInfo_;
  std::unique_ptr<TdxThemeChangedNotificator> themeChanged_;
};
