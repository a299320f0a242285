#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/status/RzColor.h"
#include "controls/status/RzFrame.h"
#include "framework/Controls.h"
#include "framework/ExtCtrls.h"

// Colour arithmetic with system colours resolved by GetSysColor at the time of the call.
THslColor HslFromColor(TColor color);
TColor LowerLuminance(TColor color, std::uint8_t amount);
TColor RaiseLuminance(TColor color, std::uint8_t amount);
TColor ShiftLuminance(TColor color, std::int32_t amount);

// Frame drawing. Each routine returns the rectangle inside what it drew; a side that is not
// chosen is neither drawn nor inset.

// One-pixel lines in the canvas's current pen width; clNone skips a colour's lines but the
// rectangle still shrinks on its sides. The lower-right lines are drawn last and so own the
// top-right and bottom-left corner pixels.
TRect DrawEdgeLines(TCanvas& canvas, TRect rect, TColor upperLeft, TColor lowerRight, TSides sides);
// `count` nested rings of edge lines with a one-pixel pen.
TRect DrawEdgeRings(TCanvas& canvas, TRect rect, TColor upperLeft, TColor lowerRight, int count, TSides sides);
// Two-pixel two-tone edges.
TRect DrawSunkenRaisedEdge(TCanvas& canvas, TRect rect, bool sunken, TSides sides);
TRect DrawButtonEdge(TCanvas& canvas, TRect rect, bool pressed, TSides sides);
TRect DrawFrameStyleSides(TCanvas& canvas, TRect rect, TFrameStyle style, TSides sides);
TRect DrawFrameStyle(TCanvas& canvas, TRect rect, TFrameStyle style);

// ---------------------------------------------------------------------------------------------
// The blink timer shared by every status pane. The list exists while any pane exists; each
// tick flips the phase and sends every pane the blink query (0xB3E8) and, to those that answer
// 1, the new phase (0xB3E9).

enum : unsigned {
  CM_BLINKQUERY = 0xB3E8,  // result 1: the control blinks
  CM_BLINKPHASE = 0xB3E9,  // WParam: the new phase, 1 on, 0 off
};

class TRzBlinkingControlsList {
 public:
  // Starts the timer; fails with "Not enough timers available" when the system has none left.
  TRzBlinkingControlsList();
  ~TRzBlinkingControlsList();
  TRzBlinkingControlsList(const TRzBlinkingControlsList&) = delete;
  TRzBlinkingControlsList& operator=(const TRzBlinkingControlsList&) = delete;

  void Add(TControl* control) { controls_.push_back(control); }
  void Remove(TControl* control);
  int Count() const { return static_cast<int>(controls_.size()); }

  std::uint8_t Phase() const { return phase_; }
  // The intervals take effect when the next tick sets the timer.
  unsigned short IntervalOff() const { return intervalOff_; }
  void SetIntervalOff(unsigned short ms) { intervalOff_ = ms; }
  unsigned short IntervalOn() const { return intervalOn_; }
  void SetIntervalOn(unsigned short ms) { intervalOn_ = ms; }
  TTimer& Timer() { return *timer_; }

  // The timer's handler: the phase that begins lasts the interval of its name.
  void Tick();

 private:
  std::uint8_t phase_ = 1;
  std::vector<TControl*> controls_;  // borrowed: every pane in existence, in creation order
  unsigned short intervalOff_ = 500;
  unsigned short intervalOn_ = 500;
  std::unique_ptr<TTimer> timer_;
};

// The process's list; null while no pane exists.
extern TRzBlinkingControlsList* BlinkingControlsList;

// ---------------------------------------------------------------------------------------------
// Shared frame settings.

class TRzFrameController;

// A control that takes its frame settings from a frame controller itself.
class IFrameSettingsTarget {
 public:
  virtual void ApplyFrameController(TRzFrameController& controller) = 0;

 protected:
  ~IFrameSettingsTarget() = default;
};

enum TFramingPreference { fpCustomFraming, fpXPThemes };

class TRzFrameController : public TComponent {
 public:
  explicit TRzFrameController(TComponent* owner);
  ~TRzFrameController() override;
  const char* ClassName() const override { return "TRzFrameController"; }

  TColor Color() const { return color_; }
  void SetColor(TColor value);  // also moves FocusColor along when the two were equal
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor value) { Set(disabledColor_, value); }
  TColor FlatButtonColor() const { return flatButtonColor_; }
  void SetFlatButtonColor(TColor value) { Set(flatButtonColor_, value); }
  bool FlatButtons() const { return flatButtons_; }
  void SetFlatButtons(bool value) { Set(flatButtons_, value); }
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor value) { Set(focusColor_, value); }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value) { Set(frameColor_, value); }
  TColor FrameHotColor() const { return frameHotColor_; }
  void SetFrameHotColor(TColor value) { Set(frameHotColor_, value); }
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  void SetFrameHotStyle(TFrameStyle value) { Set(frameHotStyle_, value); }
  bool FrameHotTrack() const { return frameHotTrack_; }
  void SetFrameHotTrack(bool value);  // True also makes the frame visible, on all sides unless loading
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides value) { Set(frameSides_, value); }
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value) { Set(frameStyle_, value); }
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool value) { Set(frameVisible_, value); }
  TFramingPreference FramingPreference() const { return framingPreference_; }
  void SetFramingPreference(TFramingPreference value) { Set(framingPreference_, value); }
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value) { Set(parentColor_, value); }
  // A registry or ini settings component; none exists in this program, so it is only held (and,
  // as every setting, applied to the registered controls when it changes).
  TComponent* RegIniFile() const { return regIniFile_; }
  void SetRegIniFile(TComponent* value) { Set(regIniFile_, value); }

  // Copies every setting but RegIniFile, applying them once at the end.
  void Assign(const TRzFrameController& source);

  // Adds the control (once) and applies the settings to it at once.
  void RegisterFramedControl(TControl* control);
  void UnregisterFramedControl(TControl* control);
  int FramedControlCount() const { return static_cast<int>(controls_.size()); }
  void SuspendFrameUpdates() { ++updateCount_; }
  void ResumeFrameUpdates();

 protected:
  // Applies the settings read in to every registered control.
  void Loaded() override;

 private:
  template <class T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = value;
    UpdateControls();
  }
  void UpdateControls();
  void UpdateControl(TControl* control);

  TColor color_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  TColor flatButtonColor_ = clBtnFace;
  bool flatButtons_ = true;
  TColor focusColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TColor frameHotColor_ = clBtnShadow;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  bool frameHotTrack_ = false;
  TSides frameSides_ = sdAllSides;
  TFrameStyle frameStyle_ = fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = fpXPThemes;
  bool parentColor_ = false;
  TComponent* regIniFile_ = nullptr;  // borrowed

  int updateCount_ = 0;
  std::vector<TControl*> controls_;  // borrowed: the registered controls
};
