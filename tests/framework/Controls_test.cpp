#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/ExtCtrls.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/ForeignProcess.h"
#include "tests/support/FormTest.h"
#include "tests/support/GdiTrace.h"
#include "tests/support/Input.h"

namespace {

// Records the notifications it gets; answers the ones listed in `answer`.
class Probe : public TGraphicControl {
 public:
  Probe(TComponent* owner, std::vector<std::string>* log, const std::string& name)
      : TGraphicControl(owner), log_(log) {
    SetName(name);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100 && m.Msg != CM_HITTEST)
      log_->push_back(Name() + ":" + std::to_string(m.Msg - CM_BASE));
    if (m.Msg == answer) {
      m.Result = 1;
      return;
    }
    TGraphicControl::WndProc(m);
  }
  // Fills its top half with `fill`; the rest is left alone.
  void Paint() override {
    Canvas().Brush().SetColor(fill);
    Canvas().FillRect(TRect{0, 0, Width(), Height() / 2});
  }
  UINT answer = 0;
  TColor fill = 0xFF0000;

 private:
  std::vector<std::string>* log_;
};

// A windowed control that paints itself green everywhere it is allowed to.
class GreenPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const char* ClassName() const override { return "TGreenPanel"; }
  void Paint() override {
    Canvas().Brush().SetColor(0x00FF00);
    Canvas().FillRect(ClientRect());
  }
};

struct FormFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 300, 200);
  }
  // A green panel at the form's top left.
  GreenPanel* AddPanel(int width, int height) {
    auto* panel = testing_support::PlaceOn<GreenPanel>(*form, 0, 0, width, height);
    return panel;
  }
  // Shows the form and waits until it is on the screen.
  void ShowForm() {
    form->Show();
    testing_support::PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; });
  }
  // A probe on `parent`, owned by the form, logging into probeLog.
  Probe* AddProbe(TWinControl* parent, const char* name, int left, int top, int width, int height) {
    auto* probe = new Probe(form, &probeLog, name);
    probe->SetParent(parent);
    probe->SetBounds(left, top, width, height);
    return probe;
  }
  std::vector<std::string> probeLog;
};

COLORREF PaintedPixel(TWinControl& control, int x, int y) {
  TBitmap bitmap;
  bitmap.SetSize(control.Width(), control.Height());
  bitmap.Canvas().Brush().SetColor(0xFF00FF);
  bitmap.Canvas().FillRect(TRect{0, 0, control.Width(), control.Height()});
  control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  return bitmap.Pixel(x, y);
}

}  // namespace

using ControlTree = FormFixture;

TEST_F(ControlTree, ColorSetterAnnouncesOnlyRealChanges) {
  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(form);
  EXPECT_TRUE(probe->ParentColor());
  EXPECT_EQ(probe->Color(), clBtnFace);  // taken from the form
  log.clear();

  probe->SetColor(clBtnFace);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(probe->ParentColor());

  probe->SetColor(clWhite);
  EXPECT_EQ(log, std::vector<std::string>{"P:13"});  // colour changed
  EXPECT_FALSE(probe->ParentColor());

  form->SetColor(0x123456);  // no longer followed
  EXPECT_EQ(probe->Color(), clWhite);
  probe->SetParentColor(true);
  EXPECT_EQ(probe->Color(), 0x123456);
  EXPECT_TRUE(probe->ParentColor());
}

TEST_F(ControlTree, ParentColourTakenBackWhileLoadingSendsNothing) {
  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(form);
  probe->SetColor(clWhite);
  form->SetLoading(true);
  log.clear();
  probe->SetParentColor(true);
  form->SetLoading(false);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(probe->ParentColor());
  probe->SetParentColor(false);
  probe->SetParentColor(true);  // not loading: taken from the parent at once
  EXPECT_EQ(log, (std::vector<std::string>{"P:9", "P:13"}));
  EXPECT_EQ(probe->Color(), clBtnFace);
}

namespace {
// A windowed control that records every framework notification reaching its handler, and its
// text at each text-changed notification.
class NoticeLog : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const char* ClassName() const override { return "TNoticeLog"; }
  void WndProc(TMessage& m) override {
    if (IsFrameworkMessage(m.Msg)) notices.push_back(m.Msg);
    if (m.Msg == CM_TEXTCHANGED) texts.push_back(Text());
    TCustomControl::WndProc(m);
  }
  std::vector<UINT> notices;
  std::vector<std::string> texts;
};
}  // namespace

// Any thread or process may post or send any number to our windows; the framework's own
// notifications come only through Perform, so those arriving through the system are dropped,
// whatever they carry (some carry a control).
TEST_F(ControlTree, NotificationsArrivingThroughTheSystemAreDropped) {
  auto* box = new TGroupBox(form);
  box->SetParent(form);
  auto* inner = new NoticeLog(form);
  inner->SetParent(box);
  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(box);
  form->Show();
  Application->ProcessMessages();
  log.clear();
  inner->notices.clear();
  const LPARAM garbage = static_cast<LPARAM>(0x5EEDBEEF);
  for (HWND window : {form->Handle(), box->Handle(), inner->Handle()}) {
    for (UINT msg = CM_BASE; msg < CM_BASE + 0x80; ++msg) {
      PostMessageA(window, msg, 1, garbage);
      SendMessageA(window, msg, 1, garbage);
    }
    PostMessageA(window, CN_BASE + WM_COMMAND, 1, garbage);
  }
  struct Sender {
    static DWORD WINAPI Run(LPVOID window) {
      SendMessageA(static_cast<HWND>(window), CM_PARENTFONTCHANGED, 1, 0x5EEDBEEF);
      return 0;
    }
  };
  HANDLE thread = CreateThread(nullptr, 0, Sender::Run, inner->Handle(), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  testing_support::PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
  CloseHandle(thread);
  Application->ProcessMessages();
  EXPECT_TRUE(inner->notices.empty());
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  // Inside the process they work as before.
  form->Font().SetHeight(-20);
  EXPECT_EQ(inner->notices, (std::vector<UINT>{CM_PARENTFONTCHANGED, CM_FONTCHANGED}));
  EXPECT_EQ(log, (std::vector<std::string>{"P:8", "P:14"}));
}

TEST_F(ControlTree, ParentFontChildrenFollowUntilGivenTheirOwn) {
  std::vector<std::string> log;
  auto* box = new TGroupBox(form);
  box->SetParent(form);
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(box);

  form->Font().SetHeight(-20);
  EXPECT_EQ(box->Font().Height(), -20);
  EXPECT_EQ(probe->Font().Height(), -20);
  EXPECT_TRUE(probe->ParentFont());

  probe->Font().SetStyle(fsBold);
  EXPECT_FALSE(probe->ParentFont());
  form->Font().SetHeight(-16);
  EXPECT_EQ(probe->Font().Height(), -20);
  EXPECT_EQ(box->Font().Height(), -16);
}

namespace {
// Probes A, B and C on the form, in this order.
std::vector<Probe*> ThreeProbes(TForm* form, std::vector<std::string>& log) {
  std::vector<Probe*> probes;
  for (const char* name : {"A", "B", "C"}) {
    probes.push_back(new Probe(form, &log, name));
    probes.back()->SetParent(form);
  }
  return probes;
}
}  // namespace

TEST_F(ControlTree, BroadcastStopsAtTheFirstAnswer) {
  std::vector<std::string> log;
  ThreeProbes(form, log)[1]->answer = CM_DIALOGCHAR;
  log.clear();
  EXPECT_EQ(form->Broadcast(CM_DIALOGCHAR, 'x', 0), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"A:6", "B:6"}));
}

TEST_F(ControlTree, ParentColourAndFontReachEveryChildWhateverTheyAnswer) {
  std::vector<std::string> log;
  const std::vector<Probe*> probes = ThreeProbes(form, log);
  Probe* b = probes[1];
  Probe* c = probes[2];
  b->answer = CM_PARENTCOLORCHANGED;
  log.clear();
  form->SetColor(0x123456);
  // B answered and so kept its colour; C still heard of it.
  EXPECT_EQ(log, (std::vector<std::string>{"A:9", "A:13", "B:9", "C:9", "C:13"}));
  EXPECT_EQ(c->Color(), 0x123456);
  b->answer = CM_PARENTFONTCHANGED;
  log.clear();
  form->Font().SetHeight(-20);
  EXPECT_EQ(log, (std::vector<std::string>{"A:8", "A:14", "B:8", "C:8", "C:14"}));
  EXPECT_EQ(c->Font().Height(), -20);
}

TEST_F(ControlTree, TextChangedFollowsEveryChangeOfTheWindowText) {
  auto* counter = new NoticeLog(form);
  counter->SetParent(form);
  counter->SetText("before the window");
  counter->HandleNeeded();
  counter->texts.clear();
  counter->SetText("a");
  counter->SetText("a");
  EXPECT_EQ(counter->texts, std::vector<std::string>{"a"});  // once, and not for the same text
  // Set from outside the framework, as automation and accessibility tools do.
  SendMessageA(counter->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("b"));
  SetWindowTextA(counter->Handle(), "c");
  EXPECT_EQ(counter->texts, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(counter->Text(), "c");
}

TEST_F(ControlTree, TextSetterSkipsEqualTextAndWindowClassesCarryClassNames) {
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetText("abc");
  char name[64] = {};
  GetClassNameA(memo->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TMemo");
  GetClassNameA(form->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TForm");
  EXPECT_EQ(memo->Text(), "abc");
  // The memo shares the single-line box's read-only state and length limit.
  memo->SetMaxLength(-3);
  EXPECT_EQ(memo->MaxLength(), 0);
  memo->SetMaxLength(7);
  EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETLIMITTEXT, 0, 0), 7);
  memo->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongPtrA(memo->Handle(), GWL_STYLE) & ES_READONLY);

  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(form);
  probe->SetText("x");
  log.clear();
  probe->SetText("x");
  EXPECT_TRUE(log.empty());
  probe->SetText("y");
  EXPECT_EQ(log, std::vector<std::string>{"P:18"});
}

TEST_F(ControlTree, ANewNameBecomesTheTextWhileTheTextIsTheOldNameButNotWhileLoading) {
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetName("memo1");
  EXPECT_EQ(memo->Text(), "memo1");
  memo->SetName("memo2");
  EXPECT_EQ(memo->Text(), "memo2");
  memo->SetText("typed");
  memo->SetName("memo3");
  EXPECT_EQ(memo->Text(), "typed");
  memo->SetText("memo3");
  form->SetLoading(true);
  memo->SetName("memo4");
  form->SetLoading(false);
  EXPECT_EQ(memo->Text(), "memo3");
  memo->SetControlStyle(memo->ControlStyle() & ~csSetCaption);
  memo->SetText("memo4");
  memo->SetName("memo5");
  EXPECT_EQ(memo->Text(), "memo4");
}

TEST_F(ControlTree, WindowlessCanvasNeedsAParent) {
  std::vector<std::string> log;
  Probe orphan(nullptr, &log, "Orphan");
  try {
    orphan.Canvas().Handle();
    FAIL() << "drawing without a parent must fail";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Control 'Orphan' has no parent window");
  }
}

namespace {
// A group box 89 high at the top of the form.
TGroupBox* AddTopAlignedBox(TForm* form) {
  auto* box = testing_support::PlaceOn<TGroupBox>(*form, 0, 0, 100, 89);
  box->SetAlign(alTop);
  return box;
}
}  // namespace

TEST_F(ControlTree, TopAlignedChildrenSpanTheClientWidth) {
  TGroupBox* box = AddTopAlignedBox(form);
  const TRect client = form->ClientRect();
  EXPECT_EQ(box->Width(), client.Width());
  form->SetBounds(100, 100, 400, 200);
  form->HandleNeeded();
  EXPECT_EQ(box->Width(), form->ClientRect().Width());
}

TEST_F(ControlTree, DeletedWindowedChildLeavesItsParentAndTheFocus) {
  auto* box = new TGroupBox(form);
  box->SetParent(form);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  auto* inner = new TMemo(form);
  inner->SetParent(box);
  inner->SetFocus();  // the form is hidden: it becomes the active control, to be focused on showing
  ASSERT_EQ(form->ActiveControl(), inner);

  delete inner;
  delete memo;
  EXPECT_EQ(box->ControlCount(), 0);
  ASSERT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(form->Controls(0), box);
  EXPECT_EQ(form->TabOrderList(), std::vector<TWinControl*>{box});
  EXPECT_EQ(form->ActiveControl(), nullptr);
  form->SetColor(clWhite);  // reaches every child left
  EXPECT_EQ(box->Color(), clWhite);
  form->Show();
  SetForegroundWindow(form->Handle());
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), form->Handle());
}

namespace {
// A windowless control that fails once when its bounds change after it was armed.
class FailsOnceWhenMoved : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool armed = false;

 protected:
  void BoundsChanged(const TRect&) override {
    if (!armed) return;
    armed = false;
    throw Exception("Moved");
  }
};
}  // namespace

TEST_F(ControlTree, AlignmentGoesOnAfterAChildFailedToMove) {
  auto* child = testing_support::PlaceOn<FailsOnceWhenMoved>(*form, 0, 0, 50, 20);
  child->armed = true;
  EXPECT_THROW(child->SetAlign(alTop), Exception);
  ASSERT_FALSE(child->armed);
  form->SetBounds(100, 100, 400, 200);
  form->Realign();
  EXPECT_EQ(child->Width(), form->ClientRect().Width());
}

TEST_F(ControlTree, ScrollingMovesTopAlignedChildrenWithTheOthers) {
  TGroupBox* box = AddTopAlignedBox(form);
  auto* memo = testing_support::PlaceOn<TMemo>(*form, 16, 136, 250, 129);
  form->HandleNeeded();
  form->SetAutoScroll(true);  // the client area is smaller than the children

  form->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(memo->Top(), 128);
  EXPECT_EQ(box->Top(), -8);
  form->Realign();  // as after any resize
  EXPECT_EQ(box->Top(), -8);
  form->Perform(WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(memo->Top(), 136);
  EXPECT_EQ(box->Top(), 0);
}

TEST_F(ControlTree, WindowlessClickNeedsPressAndReleaseInsideWithTheCaptureHeld) {
  GreenPanel* panel = AddPanel(100, 100);
  Probe* probe = AddProbe(panel, "P", 20, 20, 30, 30);
  int clicks = 0;
  probe->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  HWND window = panel->Handle();

  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  EXPECT_EQ(GetCapture(), window);  // held for the windowless child
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(45, 45));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetCapture(), nullptr);

  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(80, 80));  // released outside
  EXPECT_EQ(clicks, 1);

  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  ReleaseCapture();  // taken away mid-press, as an error box or a modal form does
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
  EXPECT_EQ(clicks, 1);
}

using Painting = FormFixture;

TEST_F(Painting, OpaqueChildrenAreExcludedFromTheParentsPaint) {
  GreenPanel* panel = AddPanel(100, 100);
  auto* opaque = AddProbe(panel, "O", 10, 10, 20, 20);
  opaque->SetControlStyle(opaque->ControlStyle() | csOpaque);
  AddProbe(panel, "C", 50, 10, 20, 20);
  panel->HandleNeeded();

  // Top halves are the children's own colour; bottom halves show what lies beneath.
  EXPECT_EQ(PaintedPixel(*panel, 15, 12), RGB(0, 0, 255));
  EXPECT_EQ(PaintedPixel(*panel, 15, 25), RGB(255, 0, 255));  // untouched: excluded
  EXPECT_EQ(PaintedPixel(*panel, 55, 25), RGB(0, 255, 0));    // parent painted beneath
  EXPECT_EQ(PaintedPixel(*panel, 90, 90), RGB(0, 255, 0));
}

TEST_F(Painting, HiddenOpaqueChildLeavesItsPlaceToTheParent) {
  GreenPanel* panel = AddPanel(100, 100);
  auto* opaque = AddProbe(panel, "O", 10, 10, 20, 20);
  opaque->SetControlStyle(opaque->ControlStyle() | csOpaque);
  opaque->SetVisible(false);
  panel->HandleNeeded();
  EXPECT_EQ(PaintedPixel(*panel, 15, 12), RGB(0, 255, 0));
  EXPECT_EQ(PaintedPixel(*panel, 15, 25), RGB(0, 255, 0));
}

TEST_F(Painting, LaterWindowlessChildrenPaintOverEarlierOnes) {
  GreenPanel* panel = AddPanel(100, 100);
  AddProbe(panel, "1", 0, 0, 40, 40)->fill = 0x0000FF;
  auto* second = AddProbe(panel, "2", 10, 0, 40, 40);
  second->fill = 0xFFFF00;
  panel->HandleNeeded();
  EXPECT_EQ(PaintedPixel(*panel, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(PaintedPixel(*panel, 20, 5), RGB(0, 255, 255));
  second->SetVisible(false);
  EXPECT_EQ(PaintedPixel(*panel, 20, 5), RGB(255, 0, 0));
}

namespace {
// A panel that counts the erasing of its background.
class ErasePanel : public GreenPanel {
 public:
  using GreenPanel::GreenPanel;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_ERASEBKGND) ++erases;
    GreenPanel::WndProc(m);
  }
  int erases = 0;
};
}  // namespace

// A repaint request erases the background unless the control or its parent is opaque, or visible
// opaque windowless siblings, one or several together, cover the control entirely.
TEST_F(Painting, RepaintRequestErasesOnlyWhereTheBackgroundWouldShow) {
  auto* panel = new ErasePanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 200, 100);
  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(panel);
  probe->SetBounds(20, 20, 30, 30);
  auto* cover = new Probe(form, &log, "C");
  cover->SetParent(panel);
  cover->SetBounds(10, 10, 50, 50);
  cover->SetVisible(false);
  form->Show();
  auto erased = [&] {
    UpdateWindow(panel->Handle());
    ValidateRect(panel->Handle(), nullptr);
    panel->erases = 0;
    probe->Invalidate();
    UpdateWindow(panel->Handle());
    return panel->erases > 0;
  };
  EXPECT_TRUE(erased());
  probe->SetControlStyle(probe->ControlStyle() | csOpaque);
  EXPECT_FALSE(erased()) << "opaque control";
  probe->SetControlStyle(probe->ControlStyle() & ~csOpaque);
  panel->SetControlStyle(panel->ControlStyle() | csOpaque);
  EXPECT_FALSE(erased()) << "opaque parent";
  panel->SetControlStyle(panel->ControlStyle() & ~csOpaque);

  cover->SetControlStyle(cover->ControlStyle() | csOpaque);
  EXPECT_TRUE(erased()) << "a hidden sibling covers nothing";
  cover->SetVisible(true);
  EXPECT_FALSE(erased()) << "covered by an opaque sibling";
  cover->SetBounds(25, 10, 50, 50);
  EXPECT_TRUE(erased()) << "covered in part only";
  auto* rest = new Probe(form, &log, "R");
  rest->SetParent(panel);
  rest->SetBounds(10, 10, 20, 50);
  rest->SetControlStyle(rest->ControlStyle() | csOpaque);
  EXPECT_FALSE(erased()) << "covered by two opaque siblings together";
  delete rest;
  cover->SetBounds(10, 10, 50, 50);
  cover->SetControlStyle(cover->ControlStyle() & ~csOpaque);
  EXPECT_TRUE(erased()) << "covered by a sibling that is not opaque";
}

TEST_F(Painting, OnDemandCanvasDrawsAtTheControlsPlaceAndIsGivenBack) {
  GreenPanel* panel = AddPanel(100, 100);
  auto* probe = AddProbe(panel, "P", 30, 40, 10, 10);
  form->Show();
  Application->ProcessMessages();
  probe->Canvas().SetPixel(0, 0, 0x0000FF);
  probe->Canvas().SetPixel(20, 0, 0x0000FF);  // outside the control: clipped away
  EXPECT_EQ(probe->Canvas().Pixel(0, 0) & 0xFFFFFF, 0x0000FF);
  TControlCanvas::ReleaseAll();
  EXPECT_FALSE(probe->Canvas().HandleAllocated());
  gdi::WindowDC dc(panel->Handle());
  EXPECT_EQ(GetPixel(dc.Get(), 30, 40), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 50, 40), RGB(0, 255, 0));
}

using Hover = FormFixture;

TEST_F(Hover, MovingBetweenControlsAtIdleLeavesBeforeEntering) {
  std::vector<std::string>& log = probeLog;
  Probe* a = AddProbe(form, "A", 10, 10, 40, 40);
  Probe* b = AddProbe(form, "B", 50, 10, 40, 40);
  ShowForm();

  auto moveTo = [](TControl* c) { return testing_support::HoverAt(*c, {5, 5}); };
  ASSERT_TRUE(moveTo(a));
  log.clear();
  ASSERT_TRUE(moveTo(b));
  EXPECT_EQ(log, (std::vector<std::string>{"A:20", "B:19"}));  // left, then entered
  log.clear();
  Application->Idle();
  EXPECT_TRUE(log.empty()) << "no second mouse-entered in a row";
  EXPECT_EQ(Application->MouseControl(), b);
  delete b;
  EXPECT_EQ(Application->MouseControl(), nullptr);
}

// Under another control's capture (a press on an entry box's text takes it at once) the notices
// wait; the idle step after the capture ends delivers those still due, and only those.
TEST_F(Hover, NoticesHeldBackByACaptureComeWhenItEnds) {
  std::vector<std::string> log;
  auto* a = new Probe(form, &log, "A");
  auto* b = new Probe(form, &log, "B");
  a->SetParent(form);
  b->SetParent(form);
  a->SetBounds(10, 10, 40, 40);
  b->SetBounds(50, 10, 40, 40);
  form->Show();
  testing_support::PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; });
  auto moveTo = [](TControl* c) { return testing_support::HoverAt(*c, {5, 5}); };
  ASSERT_TRUE(moveTo(a));
  log.clear();
  SetCapture(form->Handle());
  ASSERT_TRUE(moveTo(b));
  EXPECT_TRUE(log.empty());
  ReleaseCapture();
  // The window system may still report a pointer position from before the last move for a moment.
  testing_support::PumpUntil([&] {
    Application->Idle();
    return log.size() >= 2;
  });
  EXPECT_EQ(log, (std::vector<std::string>{"A:20", "B:19"}));

  // Out and back again under the capture: nothing is due.
  log.clear();
  SetCapture(form->Handle());
  ASSERT_TRUE(moveTo(a));
  ASSERT_TRUE(moveTo(b));
  ReleaseCapture();
  // Nothing, unless the window system reports the pointer's way back over A late: then A was
  // really visited, and B hears of it whole once the pointer is reported over B again.
  const std::vector<std::string> visit{"B:20", "A:19", "A:20", "B:19"};
  testing_support::PumpUntil([&] {
    Application->Idle();
    return Application->MouseControl() == b && (log.empty() || log.size() >= visit.size());
  });
  EXPECT_TRUE(log.empty() || log == visit) << testing::PrintToString(log);

  // The control holding the capture itself (held down, as a pressed button is) hears at once that
  // the mouse left it; the control the mouse went to hears of it when the capture ends.
  log.clear();
  Application->SetCaptureControl(b);
  ASSERT_TRUE(moveTo(a));
  EXPECT_EQ(log, std::vector<std::string>{"B:20"});
  Application->SetCaptureControl(nullptr);
  // A hears of it, after a visit to B should the window system report the pointer there late.
  const std::vector<std::string> direct{"B:20", "A:19"}, late{"B:20", "B:19", "B:20", "A:19"};
  testing_support::PumpUntil([&] {
    Application->Idle();
    return Application->MouseControl() == a && log.back() == "A:19";
  });
  EXPECT_TRUE(log == direct || log == late) << testing::PrintToString(log);
}

// The pointer shows the Cursor of the windowless child under it, else the window's own; a
// control left at crDefault keeps the window class's cursor.
TEST_F(Hover, PointerTakesTheCursorOfTheControlUnderIt) {
  GreenPanel* panel = AddPanel(200, 100);
  Probe* child = AddProbe(panel, "C", 100, 10, 40, 40);
  ShowForm();
  const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  const HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
  const HCURSOR cross = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));
  // The cursor is set when a pointer message arrives; a pointer position that the window system
  // reports late can take the pointer back for a moment, so the pointer is moved again (by a
  // pixel within the same control) until the cursor shows.
  auto shows = [](TControl& c, TPoint p, HCURSOR cursor) {
    int tries = 0;
    return testing_support::PumpUntil([&] {
      if (GetCursor() == cursor) return true;
      if (tries++ % 20 == 0) testing_support::MovePointer(c.ClientToScreen({p.X + (tries / 20) % 2, p.Y}));
      return false;
    }, 10000);
  };
  EXPECT_TRUE(shows(*panel, {20, 60}, arrow));
  panel->SetCursor(crHandPoint);
  child->SetCursor(crCross);
  EXPECT_TRUE(shows(*panel, {20, 70}, hand));
  EXPECT_TRUE(shows(*child, {5, 5}, cross));
  EXPECT_TRUE(shows(*panel, {30, 60}, hand));
  panel->SetCursor(crDefault);
  EXPECT_TRUE(shows(*panel, {20, 60}, arrow));
}

using testing_support::ForeignWindow;

// A second copy of the program keeps its control pointers in the same window property; read in
// this process such a pointer is garbage (a crash) or, with the same layout, one of our own
// controls (which then lights up). Windows of other processes are never controls.
TEST_F(Hover, WindowOfAnotherProcessIsNoControl) {
  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(form);
  probe->SetBounds(0, 0, 300, 200);
  form->SetBounds(20, 20, 200, 150);
  form->Show();
  // The other process's window claims to be this form. It covers the screen: a pointer position
  // of an earlier move reported late is under it as well.
  ForeignWindow foreign(Bounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), form);
  ASSERT_NE(foreign.Window(), nullptr);
  EXPECT_EQ(TWinControl::FindControl(foreign.Window()), nullptr);

  // Placed directly: input injected over another process's window may not move the pointer here.
  SetCursorPos(700, 475);
  ASSERT_TRUE(testing_support::PumpUntil([] {
    POINT p;
    return GetCursorPos(&p) && p.x == 700 && p.y == 475;
  }, 1000));
  ASSERT_EQ(WindowFromPoint(POINT{700, 475}), foreign.Window());
  log.clear();
  for (int i = 0; i < 5; ++i) {
    // Again each time: a pointer move of an earlier test reported late must not intervene.
    SetCursorPos(700, 475);
    Application->Idle();
    testing_support::Pump(10);
  }
  EXPECT_EQ(Application->MouseControl(), nullptr);
  EXPECT_TRUE(log.empty());
}

TEST_F(Hover, FailingMouseLeftHandlerLeavesTheNextControlItsMouseEntered) {
  std::vector<std::string>& log = probeLog;
  std::vector<std::string> reported;
  Application->SetErrorBoxHandler([&](HWND, const std::string& text, const std::string&) { reported.push_back(text); });
  Probe* a = AddProbe(form, "A", 10, 10, 40, 40);
  Probe* b = AddProbe(form, "B", 50, 10, 40, 40);
  bool stillRemembered = false;
  a->OnMouseLeave = [&](TObject*) {
    stillRemembered = Application->MouseControl() == a;  // the new control is remembered after
    throw Exception("Leaving failed");
  };
  ShowForm();
  auto moveTo = [](TControl* c) { return testing_support::HoverAt(*c, {5, 5}); };
  ASSERT_TRUE(moveTo(a));
  log.clear();
  EXPECT_TRUE(moveTo(b));
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"A:20", "B:19"}));
  EXPECT_EQ(reported, std::vector<std::string>{"Leaving failed."});
  EXPECT_TRUE(stillRemembered);
}

TEST_F(Hover, MessageLoopLooksWhenItsQueueRunsEmpty) {
  std::vector<std::string>& log = probeLog;
  Probe* a = AddProbe(form, "A", 10, 10, 40, 40);
  ShowForm();
  const TPoint rest = a->ClientToScreen({5, 5});
  testing_support::MovePointer(rest);
  TTimer waker(nullptr);  // the loop waits for messages when idle: these keep it going
  waker.SetInterval(10);
  waker.SetOnTimer([](TObject*) {});
  // Found there, with the pointer at rest (a pointer event reported late may move it once more).
  EXPECT_TRUE(testing_support::PumpUntil([&] {
    Application->HandleMessage();
    POINT p;
    return Application->MouseControl() == a && GetCursorPos(&p) && p.x == rest.X && p.y == rest.Y;
  }));
  testing_support::Pump(50);
  Application->HandleMessage();
  // Ticks alone at a resting pointer: no second notice.
  log.clear();
  const DWORD quiet = GetTickCount() + 600;
  while (GetTickCount() < quiet) Application->HandleMessage();
  std::string notices;
  for (const std::string& notice : log) notices += notice + " ";
  EXPECT_TRUE(log.empty()) << notices;
  EXPECT_EQ(Application->MouseControl(), a);
}

// Another program's window coming over a resting pointer sends us no message: the loop still
// notices it at its next empty queue, not only when a later look is due.
TEST_F(Hover, WindowOfAnotherProgramComingUnderTheRestingPointerIsNoticedAtOnce) {
  std::vector<std::string> log;
  auto* probe = new Probe(form, &log, "P");
  probe->SetParent(form);
  probe->SetBounds(0, 0, 300, 200);
  form->Show();
  ForeignWindow foreign(Bounds(600, 400, 100, 80), nullptr);
  ASSERT_NE(foreign.Window(), nullptr);
  TTimer waker(nullptr);  // ticks only: the loop otherwise waits
  waker.SetInterval(10);
  waker.SetOnTimer([](TObject*) {});
  const TPoint rest = probe->ClientToScreen({40, 40});
  ASSERT_TRUE(testing_support::HoverAt(*probe, {40, 40}));
  // The pointer at rest, the queue drained and looked at once more; then the other window comes
  // over the whole form.
  ASSERT_TRUE(testing_support::PumpUntil([&] {
    POINT p;
    return GetCursorPos(&p) && p.x == rest.X && p.y == rest.Y;
  }));
  testing_support::Pump(50);
  Application->Idle();
  ASSERT_EQ(Application->MouseControl(), probe);
  // The whole screen: a pointer position of an earlier move reported late is under it as well.
  SetWindowPos(foreign.Window(), HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOACTIVATE);
  ASSERT_EQ(WindowFromPoint(POINT{rest.X, rest.Y}), foreign.Window());
  // Looked at every empty queue it is noticed at one of the first few (a message slipping in
  // between the check here and the loop's own look counts too); looked at only twice a second it
  // takes some fifty at this timer's pace.
  int idleSteps = 0;
  EXPECT_TRUE(testing_support::PumpUntil([&] {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) ++idleSteps;
    Application->HandleMessage();
    return Application->MouseControl() == nullptr;
  }));
  EXPECT_LE(idleSteps, 10) << "noticed only at a later look";
  // Gone again: the control under the pointer is entered again.
  SetWindowPos(foreign.Window(), nullptr, 600, 400, 100, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(testing_support::PumpUntil([&] {
    Application->HandleMessage();
    return Application->MouseControl() == probe;
  }));
}

TEST(Timer, RunsOnlyWithIntervalEnabledAndHandler) {
  TTimer timer(nullptr);
  EXPECT_FALSE(timer.Running());  // no handler: no operating-system timer
  EXPECT_FALSE(KillTimer(timer.WindowHandle(), 1));
  int ticks = 0;
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(timer.Running());
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
  EXPECT_FALSE(KillTimer(timer.WindowHandle(), 1));
  const DWORD until = GetTickCount() + 150;
  while (GetTickCount() < until) Application->ProcessMessages();
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(10);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
}

namespace {
int g_ticks = 0;
void CountTick(TObject*) { ++g_ticks; }
void OtherTick(TObject*) {}
}  // namespace

TEST(Timer, SettersGivenTheCurrentValueRestartNothing) {
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.SetOnTimer(CountTick);
  ASSERT_TRUE(timer.Running());
  // The system timer is taken away behind the timer's back: a restart would make a new one.
  auto restarted = [&] { return KillTimer(timer.WindowHandle(), 1) != FALSE; };
  ASSERT_TRUE(restarted());
  timer.SetOnTimer(CountTick);
  timer.SetInterval(50);
  timer.SetEnabled(true);
  EXPECT_FALSE(restarted());
  timer.SetOnTimer(OtherTick);  // a change restarts it
  EXPECT_TRUE(restarted());
  timer.SetInterval(60);
  EXPECT_TRUE(restarted());

  TTimer idle(nullptr);
  idle.SetOnTimer(nullptr);  // still none: no system timer
  EXPECT_FALSE(idle.Running());
}

TEST(Timer, FailingHandlerIsReportedAndTheTimerKeepsRunning) {
  std::vector<std::string> reported;
  Application->SetErrorBoxHandler(
      [&](HWND, const std::string& text, const std::string&) { reported.push_back(text); });
  TTimer timer(nullptr);
  timer.SetInterval(10);
  int ticks = 0;
  timer.SetOnTimer([&](TObject*) {
    ++ticks;
    throw Exception("Tick failed");
  });
  const DWORD until = GetTickCount() + 10000;
  while (ticks < 3 && GetTickCount() < until) {
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  }
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_GE(ticks, 3);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported[0], "Tick failed.");
  EXPECT_TRUE(timer.Running());
}

TEST(FailureReport, ReleasesTheCaptureAndUsesTheTitleAsCaption) {
  TForm form(nullptr);
  form.Show();
  SetCapture(form.Handle());
  std::string caption, text;
  Application->SetErrorBoxHandler([&](HWND owner, const std::string& t, const std::string& c) {
    EXPECT_EQ(owner, Application->Handle());
    text = t;
    caption = c;
  });
  Application->SetTitle("Title");
  Application->HandleException(Exception("Broken"));
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(caption, "Title");
  EXPECT_EQ(text, "Broken.");
}

namespace {
// The count an error box's text gives: 1 unless it says how many times.
int TimesIn(const std::string& text) {
  const auto open = text.rfind("\r\n(");
  return open == std::string::npos ? 1 : std::stoi(text.substr(open + 3));
}
}  // namespace

// An error box runs its own message loop, in which a handler failing at every tick fails again:
// with a box for each failure the boxes nest until the stack runs out.
TEST(FailureReport, OneBoxAtATimeWithLaterFailuresCountedAfterIt) {
  int open = 0, mostOpen = 0, ticks = 0;
  std::vector<std::string> shown;
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer([&](TObject*) {
    ++ticks;
    throw Exception("Tick failed");
  });
  Application->SetErrorBoxHandler([&](HWND, const std::string& text, const std::string&) {
    mostOpen = std::max(mostOpen, ++open);
    shown.push_back(text);
    if (shown.size() == 1) {
      Application->HandleException(Exception("Other"));
      Application->HandleException(Exception("Other"));
    }
    if (shown.size() < 3) {
      const int before = ticks;
      testing_support::PumpUntil([&] { return ticks >= before + 5; }, 10000);
    } else {
      timer.SetEnabled(false);
    }
    --open;
  });
  testing_support::PumpUntil([&] { return shown.size() >= 3; }, 20000);
  testing_support::Pump(50);
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_EQ(mostOpen, 1);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "Tick failed.");
  EXPECT_EQ(shown[1], "Other.\r\n(2 times)");
  EXPECT_EQ(shown[2].rfind("Tick failed.\r\n(", 0), 0u) << shown[2];
  EXPECT_GE(ticks, 11);
  EXPECT_EQ(TimesIn(shown[0]) + TimesIn(shown[2]), ticks) << "every failure is counted once";
}

// Thrown values that are no standard exception, from a key handler the loop itself calls and
// from a mouse-entered handler of the idle step.
TEST(FailureReport, FailuresOfAnyTypeAreReported) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 300, 200);
  form.SetKeyPreview(true);
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(0, 0, 100, 50);
  std::vector<std::string> log;
  auto* probe = new Probe(&form, &log, "P");
  probe->SetParent(&form);
  probe->SetBounds(150, 0, 100, 100);
  form.OnKeyDown = [](TObject*, WORD&, TShiftState) { throw 42; };
  probe->OnMouseEnter = [](TObject*) { throw 'x'; };
  std::vector<std::string> reported;
  Application->SetErrorBoxHandler([&](HWND, const std::string& text, const std::string&) { reported.push_back(text); });
  form.Show();
  testing_support::Post(memo->Handle(), WM_KEYDOWN, 'A', 1);
  testing_support::MovePointer(probe->ClientToScreen({50, 50}));
  testing_support::PumpUntil([&] {
    Application->Idle();
    return Application->MouseControl() == probe;
  });
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_EQ(reported, (std::vector<std::string>{"Unknown failure.", "Unknown failure."}));
}

TEST(Closing, CloseQueryMayKeepTheFormOpen) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 200, 150);
  form.Show();
  bool canClose = false;
  int queries = 0, closes = 0;
  form.OnCloseQuery = [&](TObject* sender, bool& answer) {
    EXPECT_EQ(sender, &form);
    EXPECT_TRUE(answer);  // yes unless the handler says otherwise
    ++queries;
    answer = canClose;
  };
  form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  form.Close();
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(closes, 0);
  EXPECT_TRUE(form.Visible());
  canClose = true;
  form.Close();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(form.Visible());
}

TEST(Focus, TabCyclesThroughTabStopsInTabOrderAcrossContainers) {
  TForm form(nullptr);
  auto* box = new TGroupBox(&form);
  box->SetParent(&form);
  auto* inner1 = new TButton(&form);
  inner1->SetParent(box);
  auto* inner2 = new TButton(&form);
  inner2->SetParent(box);
  auto* outer = new TMemo(&form);
  outer->SetParent(&form);
  outer->SetTabOrder(0);  // before the group box
  form.Show();
  SetForegroundWindow(form.Handle());
  Application->ProcessMessages();
  ASSERT_NE(form.ActiveControl(), nullptr);
  EXPECT_EQ(form.ActiveControl(), outer);  // the first in tab order gets the first focus
  form.Perform(CM_DIALOGKEY, VK_TAB, 0);
  EXPECT_EQ(form.ActiveControl(), inner1);
  form.Perform(CM_DIALOGKEY, VK_TAB, 0);
  EXPECT_EQ(form.ActiveControl(), inner2);
  form.Perform(CM_DIALOGKEY, VK_TAB, 0);
  EXPECT_EQ(form.ActiveControl(), outer);
  form.Perform(CM_DIALOGKEY, VK_TAB, 0);
  EXPECT_EQ(form.ActiveControl(), inner1);
  form.Perform(CM_DIALOGKEY, VK_RIGHT, 0);  // arrows move among the siblings only, wrapping
  EXPECT_EQ(form.ActiveControl(), inner2);
  form.Perform(CM_DIALOGKEY, VK_DOWN, 0);
  EXPECT_EQ(form.ActiveControl(), inner1);
  form.Perform(CM_DIALOGKEY, VK_UP, 0);
  EXPECT_EQ(form.ActiveControl(), inner2);
}

TEST(Modal, OtherWindowsTakeNoInputWhileAModalFormIsShown) {
  TForm owner(nullptr);
  owner.Show();
  TForm dialog(nullptr);
  dialog.SetBorderStyle(bsDialog);
  auto* ok = new TButton(&dialog);
  ok->SetParent(&dialog);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  bool ownerDisabledMeanwhile = false;
  TTimer closer(nullptr);
  closer.SetInterval(20);
  closer.SetOnTimer([&](TObject*) {
    ownerDisabledMeanwhile = !IsWindowEnabled(owner.Handle());
    closer.SetEnabled(false);
    dialog.Perform(CM_DIALOGKEY, VK_RETURN, 0);  // Enter presses the default button
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_TRUE(ownerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

namespace {
// Paints with a fresh font, pen, brush and bitmap content on every cycle.
class BusyPainter : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const char* ClassName() const override { return "TBusyPainter"; }
  void Paint() override {
    ++cycle_;
    TCanvas& c = Canvas();
    c.Font().SetHeight(-10 - cycle_ % 7);
    c.Font().SetStyle(cycle_ % 2 ? static_cast<TFontStyles>(fsBold) : 0u);
    c.Pen().SetColor(static_cast<TColor>(cycle_ * 4099 % 0xFFFFFF));
    c.Brush().SetColor(static_cast<TColor>(cycle_ * 7919 % 0xFFFFFF));
    c.Rectangle(TRect{0, 0, 40, 20});
    TRect r{2, 2, 38, 18};
    c.DrawText("Soak", r, DT_SINGLELINE | DT_CENTER);
    bitmap_.SetSize(8 + cycle_ % 3, 8);
    bitmap_.Canvas().Brush().SetColor(clBtnFace);
    bitmap_.Canvas().FillRect(TRect{0, 0, bitmap_.Width(), 8});
    c.Draw(44, 2, bitmap_);
  }
  int cycle_ = 0;

 private:
  TBitmap bitmap_;
};
}  // namespace

TEST(HandlesBody, TenThousandPaintCycles) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside Handles.TenThousandPaintCyclesLeaveNoObjectBehind";
  TForm form(nullptr);
  auto* painter = new BusyPainter(&form);
  painter->SetParent(&form);
  painter->SetBounds(0, 0, 80, 30);
  form.Show();
  Application->ProcessMessages();
  painter->Repaint();
  const long before = gdi::LiveObjects();
  GdiMark("begin");
  for (int i = 0; i < 10000; ++i) painter->Repaint();
  GdiMark("end");
  EXPECT_GE(painter->cycle_, 10000);
  EXPECT_EQ(gdi::LiveObjects(), before);
}

// Counted by the operating system (Wine's trace of live GDI objects), not only by our owners.
TEST(Handles, TenThousandPaintCyclesLeaveNoObjectBehind) {
  const GdiTrace trace = RunGdiTraced("HandlesBody.TenThousandPaintCycles");
  ASSERT_TRUE(trace.passed) << trace.output;
  EXPECT_EQ(trace.marks.at("end"), trace.marks.at("begin"));
}

namespace {
// The icon a window shows: its own, else its class's.
HICON ShownIcon(HWND window, WPARAM which) {
  if (auto own = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0))) return own;
  return reinterpret_cast<HICON>(GetClassLongPtrA(window, which == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
}
}  // namespace

TEST(FormIcons, WindowsShowTheApplicationIconUnlessTheFormHasItsOwn) {
  ASSERT_NE(Application, nullptr);
  ASSERT_NE(Application->Icon(), nullptr);
  EXPECT_EQ(ShownIcon(Application->Handle(), ICON_BIG), Application->Icon());
  EXPECT_EQ(ShownIcon(Application->Handle(), ICON_SMALL), Application->SmallIcon());

  for (int copy = 0; copy < 2; ++copy) {  // the second window of the class as well
    TForm form(nullptr);
    form.HandleNeeded();
    EXPECT_EQ(ShownIcon(form.Handle(), ICON_BIG), Application->Icon());
    EXPECT_EQ(ShownIcon(form.Handle(), ICON_SMALL), Application->SmallIcon());
  }

  const HICON own = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING));
  ASSERT_NE(own, Application->Icon());
  TForm form(nullptr);
  form.SetIcon(own);
  form.HandleNeeded();
  EXPECT_EQ(ShownIcon(form.Handle(), ICON_BIG), own);
  EXPECT_EQ(ShownIcon(form.Handle(), ICON_SMALL), own);
}

TEST(ApplicationStart, InitializeRunsTheInstalledStartUpHook) {
  static int runs;
  runs = 0;
  Application->Initialize();  // none installed
  InitProc = [] { ++runs; };
  Application->Initialize();
  InitProc = nullptr;
  EXPECT_EQ(runs, 1);
}

TEST(ApplicationWindow, LiesAtTheScreenCentreWithoutSizeWithTheTitleAndATrimmedSystemMenu) {
  ASSERT_NE(Application, nullptr);
  HWND h = Application->Handle();
  RECT r{};
  ASSERT_TRUE(GetWindowRect(h, &r));
  EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2);
  EXPECT_TRUE(IsRectEmpty(&r));
  char text[512] = {};
  GetWindowTextA(h, text, sizeof text);
  EXPECT_EQ(text, Application->Title());
  HMENU menu = GetSystemMenu(h, FALSE);
  for (UINT gone : {SC_MAXIMIZE, SC_SIZE, SC_MOVE})
    EXPECT_EQ(GetMenuState(menu, gone, MF_BYCOMMAND), static_cast<UINT>(-1)) << gone;
  for (UINT kept : {SC_MINIMIZE, SC_RESTORE, SC_CLOSE})
    EXPECT_NE(GetMenuState(menu, kept, MF_BYCOMMAND), static_cast<UINT>(-1)) << kept;
}
