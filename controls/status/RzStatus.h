#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "controls/status/RzCommon.h"
#include "controls/status/RzStatusLayout.h"
#include "framework/ActnList.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

// A windowless one-line caption inside a thin frame, like a pane of a status bar: alignment
// with an offset, a width that can follow the caption, a caption colour that blinks on the
// shared blink timer, a fill colour that can follow Color, and frame settings that can come
// from a frame controller.
class TRzCustomStatusPane : public TGraphicControl, public IFrameSettingsTarget {
 public:
  explicit TRzCustomStatusPane(TComponent* owner);
  ~TRzCustomStatusPane() override;
  const char* ClassName() const override { return "TRzCustomStatusPane"; }

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value);
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool value) { autoHint_ = value; }
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool value);
  int DefaultWidth() const { return defaultWidth_; }
  virtual void SetDefaultWidth(int value);
  bool Blinking() const { return blinking_; }
  virtual void SetBlinking(bool value);
  TColor BlinkColor() const { return blinkColor_; }
  virtual void SetBlinkColor(TColor value);
  // Shared by every pane: they read and write the blink list.
  virtual unsigned short BlinkIntervalOff() const;
  virtual void SetBlinkIntervalOff(unsigned short value);
  virtual unsigned short BlinkIntervalOn() const;
  virtual void SetBlinkIntervalOn(unsigned short value);
  unsigned BorderWidth() const { return borderWidth_; }
  virtual void SetBorderWidth(unsigned value);
  int CaptionOffset() const { return captionOffset_; }
  virtual void SetCaptionOffset(int value);
  TColor FillColor() const { return fillColor_; }
  virtual void SetFillColor(TColor value);  // also clears ParentFillColor
  bool ParentFillColor() const { return parentFillColor_; }
  virtual void SetParentFillColor(bool value);
  TColor FlatColor() const { return flatColor_; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  virtual void SetFlatColorAdjustment(int value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle value);
  TRzFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TRzFrameController* value);

  // The colour the caption is painted in now: the font's, or the blink colour while on.
  TColor CurrentTextColor() const { return currentTextColor_; }

  // Width for AutoSize: DefaultWidth without a caption, else the caption's width and margins.
  virtual int CalcAutoWidth();
  // The client rectangle less the border and the frame.
  virtual TRect GetCaptionRect();

  // Takes the frame controller's settings, unless its frame is not visible.
  void ApplyFrameController(TRzFrameController& controller) override;
  // With AutoHint, a hint action (the application's hint changed) shows its text as the
  // caption and is handled.
  bool ExecuteAction(TBasicAction& action) override;
  // Whether the pane lies under the size grip of a status bar holding it: there is no such
  // container, so never.
  virtual bool InSizeGripArea(const TRect& /*rect*/) { return false; }

  void WndProc(TMessage& message) override;
  // Static text named by the whole caption, however much of it shows.
  void DescribeAccessible(TAccessibleInfo& info) override;

 protected:
  // Called by the parent's paint: the frame, then the caption.
  void Paint() override;
  // Takes the font's colour as the caption's and updates the automatic width.
  void Loaded() override;
  // Forgets the frame controller when it is destroyed.
  void Notification(TComponent* component, TOperation operation) override;
  // Draws the caption inside the frame in the current text colour.
  virtual void DrawCaption(const std::string& text);
  // Fills the pane with Color and draws the frame inside the border.
  virtual void DrawFrame();
  // Called on each blink tick while Blinking: phase 1 shows the blink colour, 0 the font's.
  virtual void BlinkPhaseChanged(std::uint8_t phase);
  // Called after a change that the automatic width depends on.
  virtual void UpdateAutoWidth();

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = false;
  bool autoHint_ = false;
  int defaultWidth_ = 40;
  TColor blinkColor_ = clHighlight;
  bool blinking_ = false;
  TColor savedFontColor_;
  unsigned borderWidth_ = 1;
  int captionOffset_ = 2;
  bool parentFillColor_ = true;
  TColor fillColor_;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TFrameStyle frameStyle_ = fsFlat;
  TRzFrameController* frameController_ = nullptr;  // borrowed
  TColor currentTextColor_;
};

// The status pane with its caption properties published.
class TRzStatusPane : public TRzCustomStatusPane {
 public:
  using TRzCustomStatusPane::TRzCustomStatusPane;
  const char* ClassName() const override { return "TRzStatusPane"; }
};

// A status pane whose caption scrolls through the caption area, driven by its own timer. Each
// tick composes the caption area in an off-screen buffer and copies it in one operation; the
// frame is not redrawn and no repaint is requested.
class TRzMarqueeStatus : public TRzStatusPane {
 public:
  explicit TRzMarqueeStatus(TComponent* owner);
  ~TRzMarqueeStatus() override;
  const char* ClassName() const override { return "TRzMarqueeStatus"; }

  TRzScrollType ScrollType() const { return scrollType_; }
  // Runs the timer for a direction, stops it for stNone, whatever Scrolling holds.
  void SetScrollType(TRzScrollType value);
  bool Scrolling() const { return scrolling_; }
  // False stops the timer and returns the caption to position 0.
  virtual void SetScrolling(bool value);
  unsigned short ScrollSize() const { return scrollSize_; }
  virtual void SetScrollSize(unsigned short value);  // 0 is stored as 1
  unsigned short ScrollDelay() const { return scrollDelay_; }
  void SetScrollDelay(unsigned short value);  // the timer's interval; 0 stops the ticks

  int ScrollPosition() const { return scrollPosition_; }
  // The scroll position at which the text starts over: the caption's width plus the pane's,
  // measured when first asked for after the caption, the font or the size changed.
  int WrapLimit();
  TTimer& ScrollTimer() { return *scrollTimer_; }

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& message) override;

  // The scroll timer's handler: advance, draw the caption area, start over past the limit.
  void Tick();

 protected:
  void DrawCaption(const std::string& text) override;

 private:
  TRzScrollType scrollType_ = stRightToLeft;
  bool scrolling_ = true;
  int wrapLimit_ = 0;
  bool wrapLimitValid_ = false;
  unsigned short scrollDelay_ = 100;
  unsigned short scrollSize_ = 1;
  std::unique_ptr<TBitmap> captionBuffer_;
  std::unique_ptr<TTimer> scrollTimer_;
  int scrollPosition_ = 0;
  // Text metrics of the last caption drawn, kept until the caption or the font changes: a tick
  // then measures nothing.
  bool metricsValid_ = false;
  std::string measuredText_;
  int measuredWidth_ = 0;
  int measuredLineHeight_ = 0;
};
