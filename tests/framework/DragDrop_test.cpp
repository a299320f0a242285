#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/DragDrop.h"
#include "framework/Forms.h"
#include "tests/support/Input.h"

using testing_support::MouseButtonAt;
using testing_support::MovePointer;
using testing_support::PumpUntil;

namespace {

class Panel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const char* ClassName() const override { return "TDragPanel"; }
};

const char* StateName(TDragState s) { return s == dsDragEnter ? "enter" : s == dsDragLeave ? "leave" : "move"; }

// A form with a source on the left, a windowed target in the middle and a windowless one on the
// right; every drag event is logged.
struct Drag : testing::Test {
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 400, 200);
    source = new Panel(form);
    source->SetName("source");
    source->SetParent(form);
    source->SetBounds(10, 10, 80, 80);
    target = new Panel(form);
    target->SetName("target");
    target->SetParent(form);
    target->SetBounds(150, 10, 80, 80);
    label = new TGraphicControl(form);
    label->SetName("label");
    label->SetParent(form);
    label->SetBounds(280, 10, 80, 80);
    source->OnStartDrag = [this](TObject* s, TDragObject*& object) {
      log.push_back(Name(s) + " start");
      object = carried;
    };
    source->OnEndDrag = [this](TObject* s, TObject* t, int x, int y) {
      log.push_back(Name(s) + " end " + Name(t) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    for (TControl* c : std::vector<TControl*>{target, label}) {
      c->OnDragOver = [this](TObject* s, TObject* from, int, int, TDragState state, bool& accept) {
        log.push_back(Name(s) + " " + StateName(state));
        EXPECT_EQ(from, carried ? static_cast<TObject*>(carried) : source);
        EXPECT_TRUE(accept);  // offered, for the handler to take back
        accept = accepting;
      };
      c->OnDragDrop = [this](TObject* s, TObject* from, int x, int y) {
        EXPECT_EQ(from, carried ? static_cast<TObject*>(carried) : source);
        log.push_back(Name(s) + " drop " + std::to_string(x) + "," + std::to_string(y));
      };
    }
    testing_support::ShowInFront(*form);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) && GetForegroundWindow() == form->Handle(); }));
  }
  void TearDown() override {
    MouseButtonAt(Centre(*form), false);
    delete form;
  }

  std::string Name(TObject* o) { return o ? static_cast<TComponent*>(o)->Name() : std::string("none"); }
  static TPoint Centre(TControl& c) { return c.ClientToScreen({c.Width() / 2, c.Height() / 2}); }
  static TPoint At(TControl& c, int x, int y) { return c.ClientToScreen({x, y}); }
  bool Logged(const std::string& entry) {
    return PumpUntil([&] { return !log.empty() && log.back() == entry; });
  }
  // Moves the pointer until the condition holds: the window system here may report an earlier
  // pointer position late, which takes the drag back for a moment.
  bool MoveUntil(TPoint screen, const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      MovePointer(screen);
      if (PumpUntil(condition, 1000)) return true;
    }
    return false;
  }
  bool MoveUntilLogged(TPoint screen, const std::string& entry) {
    return MoveUntil(screen, [&] { return !log.empty() && log.back() == entry; });
  }
  // Moves the pointer until the drag is over the target (entered, perhaps again after a late
  // position, and moved over since).
  bool MoveUntilOver(TPoint screen, TControl& onto) {
    return MoveUntil(screen, [&] {
      return !log.empty() && (log.back() == onto.Name() + " enter" || log.back() == onto.Name() + " move");
    });
  }
  // Presses on the source's centre and moves past the threshold onto `onto`.
  void DragOnto(TControl& onto, TPoint point) {
    MovePointer(Centre(*source));
    MouseButtonAt(Centre(*source), true);
    ASSERT_TRUE(MoveUntilOver(At(onto, point.X, point.Y), onto)) << Joined();
  }
  std::string Joined() {
    std::string s;
    for (const auto& e : log) s += e + "; ";
    return s;
  }

  TForm* form = nullptr;
  Panel* source = nullptr;
  Panel* target = nullptr;
  TGraphicControl* label = nullptr;
  TDragObject* carried = nullptr;
  bool accepting = true;
  std::vector<std::string> log;
};

}  // namespace

TEST_F(Drag, AutomaticDragWaitsForTheThresholdThenDropsOnAnAcceptingTarget) {
  source->SetDragMode(dmAutomatic);
  int clicks = 0;
  source->OnClick = [&](TObject*) { ++clicks; };

  // A press and release without moving is still a click.
  testing_support::Click(*source);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(source->Dragging());

  MovePointer(Centre(*source));
  MouseButtonAt(Centre(*source), true);
  EXPECT_TRUE(source->Dragging());  // waiting for the threshold
  const TPoint c = Centre(*source);
  MovePointer({c.X + GetSystemMetrics(SM_CXDRAG) - 1, c.Y});
  EXPECT_TRUE(log.empty()) << Joined();
  ASSERT_TRUE(MoveUntilOver(At(*target, 20, 30), *target)) << Joined();
  EXPECT_EQ(log.front(), "source start");
  EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
  ASSERT_TRUE(MoveUntilLogged(At(*target, 25, 30), "target move"));
  source->SetDragCursor(crHandPoint);  // shown at once
  EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));

  MouseButtonAt(At(*target, 25, 30), false);
  ASSERT_TRUE(Logged("source end target 25,30")) << Joined();
  EXPECT_EQ(log[log.size() - 2], "target drop 25,30");
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(clicks, 1);  // the press that became a drag is no click
}

TEST_F(Drag, RefusingTargetShowsNoDropAndTheDragEndsWithoutOne) {
  source->SetDragMode(dmAutomatic);
  accepting = false;
  TDragObject object;
  carried = &object;  // supplied by OnStartDrag: the targets see it as the source
  DragOnto(*label, {10, 10});
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));

  // Onto another target: the first hears it left; the form itself has no handler and refuses.
  ASSERT_TRUE(MoveUntilOver(At(*target, 10, 10), *target)) << Joined();
  const auto leave = std::find(log.begin(), log.end(), "label leave");
  EXPECT_LT(leave - log.begin(), std::find(log.begin(), log.end(), "target enter") - log.begin()) << Joined();
  accepting = true;
  ASSERT_TRUE(MoveUntil(At(*target, 12, 10), [&] { return GetCursor() == CursorHandle(crDrag); }));
  ASSERT_TRUE(MoveUntilLogged(At(*form, 120, 150), "target leave"));
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));

  MouseButtonAt(At(*form, 120, 150), false);
  ASSERT_TRUE(Logged("source end none 0,0")) << Joined();
  for (const auto& e : log) EXPECT_EQ(e.find("drop"), std::string::npos) << e;
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Drag, EscapeCancelsBeforeTheFormSeesIt) {
  source->SetDragMode(dmAutomatic);
  form->SetKeyPreview(true);
  std::vector<WORD> keys;
  form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
  DragOnto(*target, {10, 10});

  testing_support::PressKey(VK_ESCAPE);
  ASSERT_TRUE(Logged("source end none 0,0")) << Joined();
  EXPECT_EQ(log[log.size() - 2], "target leave");
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(keys.empty());

  // The release that follows drops nothing; the next Escape is the form's again.
  const size_t events = log.size();
  MouseButtonAt(At(*target, 10, 10), false);
  testing_support::Pump(100);
  EXPECT_EQ(log.size(), events) << Joined();
  testing_support::PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return keys == std::vector<WORD>{VK_ESCAPE}; }));
}

TEST_F(Drag, ManualDragsStartOnlyFromBeginDrag) {
  EXPECT_EQ(source->DragMode(), dmManual);
  EXPECT_EQ(source->DragKind(), dkDrag);
  EXPECT_EQ(source->DragCursor(), crDrag);
  MovePointer(Centre(*source));
  MouseButtonAt(Centre(*source), true);
  MovePointer(Centre(*target));
  MouseButtonAt(Centre(*target), false);
  testing_support::Pump(100);
  EXPECT_TRUE(log.empty()) << Joined();

  // Begun from a press with a threshold: a release before it is still a click.
  int clicks = 0;
  source->OnClick = [&](TObject*) { ++clicks; };
  source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { source->BeginDrag(false, 20); };
  testing_support::Click(*source);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
  EXPECT_FALSE(source->Dragging());
  MovePointer(Centre(*source));
  MouseButtonAt(Centre(*source), true);
  MovePointer(At(*source, 50, 40));  // 10 pixels: not yet
  testing_support::Pump(50);
  EXPECT_TRUE(log.empty()) << Joined();
  ASSERT_TRUE(MoveUntilOver(At(*target, 30, 30), *target)) << Joined();
  MouseButtonAt(At(*target, 30, 30), false);
  ASSERT_TRUE(Logged("source end target 30,30")) << Joined();
  EXPECT_EQ(clicks, 1);

  // Begun at once from the program, and ended from it: cancelled, then dropped.
  source->OnMouseDown = nullptr;
  MovePointer(At(*target, 5, 5));
  log.clear();
  source->BeginDrag(true);
  EXPECT_EQ(log, (std::vector<std::string>{"source start", "target enter"}));
  EXPECT_NE(GetCapture(), nullptr);
  source->EndDrag(false);
  EXPECT_EQ(log.back(), "source end none 0,0");
  EXPECT_EQ(GetCapture(), nullptr);
  // Dropped where the pointer is (read now: a late pointer position may have moved it).
  POINT p;
  GetCursorPos(&p);
  const TPoint at = target->ScreenToClient({p.x, p.y});
  ASSERT_EQ(FindDragTarget({p.x, p.y}, false), target);
  const std::string where = std::to_string(at.X) + "," + std::to_string(at.Y);
  log.clear();
  source->BeginDrag(true);
  source->EndDrag(true);
  EXPECT_EQ(log, (std::vector<std::string>{"source start", "target enter", "target drop " + where,
                                           "source end target " + where}));
}

TEST_F(Drag, DockingDragIsInertBetweenItsStartAndEndEvents) {
  source->SetDragMode(dmAutomatic);
  source->SetDragKind(dkDock);
  source->OnStartDock = [this](TObject* s, TDragObject*&) { log.push_back(Name(s) + " start dock"); };
  source->OnEndDock = [this](TObject* s, TObject* t, int, int) { log.push_back(Name(s) + " end dock " + Name(t)); };
  MovePointer(Centre(*source));
  MouseButtonAt(Centre(*source), true);
  ASSERT_TRUE(MoveUntilLogged(Centre(*target), "source start dock")) << Joined();
  MouseButtonAt(Centre(*target), false);
  ASSERT_TRUE(Logged("source end dock none")) << Joined();
  EXPECT_EQ(log.size(), 2u) << Joined();
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Drag, SourceGoingMidDragEndsItQuietly) {
  MovePointer(At(*target, 5, 5));
  source->BeginDrag(true);
  ASSERT_NE(GetCapture(), nullptr);
  log.clear();
  delete source;
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(log.empty()) << Joined();
  source = nullptr;
  MouseButtonAt(At(*target, 5, 5), false);
  testing_support::Pump(50);
  EXPECT_TRUE(log.empty()) << Joined();
}
