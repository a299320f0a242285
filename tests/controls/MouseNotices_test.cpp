// The mouse-entered and mouse-left notices take one framework path in every family: the parent
// hears of them first (at the top of a tree, the hint controller), then the family's hook runs,
// which raises the event.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/buttons/dxButtons.h"
#include "controls/editors/cxTextEdit.h"
#include "controls/status/RzStatus.h"
#include "framework/Forms.h"
#include "framework/Hints.h"

namespace {

// A form that records the mouse notices its children pass on.
class NoticeForm : public TForm {
 public:
  explicit NoticeForm(std::vector<std::string>* log) : TForm(nullptr), log_(log) {}
  void WndProc(TMessage& m) override {
    if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && m.LParam != 0)
      log_->push_back(m.Msg == CM_MOUSEENTER ? "parent:entered" : "parent:left");
    TForm::WndProc(m);
  }

 private:
  std::vector<std::string>* log_;
};

// Overrides the hooks without calling them: the events are theirs to raise.
class QuietPane : public TRzStatusPane {
 public:
  using TRzStatusPane::TRzStatusPane;
  int hooks = 0;

 protected:
  void MouseEnter() override { ++hooks; }
  void MouseLeave() override { ++hooks; }
};

// Records the events of `control`.
void Record(TControl* control, std::vector<std::string>& log) {
  control->OnMouseEnter = [&log, control](TObject* sender) {
    EXPECT_EQ(sender, control);
    log.push_back("OnMouseEnter");
  };
  control->OnMouseLeave = [&log](TObject*) { log.push_back("OnMouseLeave"); };
}

}  // namespace

TEST(MouseNotices, TheParentHearsFirstThenTheFamilysHookRaisesTheEvent) {
  std::vector<std::string> log;
  NoticeForm form(&log);
  auto* pane = new TRzStatusPane(&form);
  auto* button = new TdxButton(&form);
  auto* box = new TcxTextEdit(&form);
  TControl* controls[] = {pane, button, box};
  for (TControl* c : controls) {
    c->SetParent(&form);
    Record(c, log);
  }
  const std::vector<std::string> expected{"parent:entered", "OnMouseEnter", "parent:left", "OnMouseLeave"};
  for (TControl* c : controls) {
    SCOPED_TRACE(c->ClassName());
    log.clear();
    c->Perform(CM_MOUSEENTER);
    c->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(log, expected);
  }
  // The families' own state is there when the event fires.
  button->OnMouseEnter = [&](TObject*) { EXPECT_TRUE(button->VisualState() & vsHot); };
  button->Perform(CM_MOUSEENTER);
  button->Perform(CM_MOUSELEAVE);

  log.clear();
  auto* quiet = new QuietPane(&form);
  quiet->SetParent(&form);
  Record(quiet, log);
  quiet->Perform(CM_MOUSEENTER);
  quiet->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(quiet->hooks, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"parent:entered", "parent:left"}));
}

// A control without a parent is the top of its tree: its notices reach the hint controller, which
// waits to show its hint by the time the event fires.
TEST(MouseNotices, AControlWithoutAParentReachesTheHintController) {
  TRzStatusPane pane(nullptr);
  TdxButton button(nullptr);
  TControl* controls[] = {&pane, &button};
  for (TControl* c : controls) {
    SCOPED_TRACE(c->ClassName());
    c->SetHint("Hint");
    c->SetShowHint(true);
    bool waiting = false;
    c->OnMouseEnter = [&](TObject*) { waiting = HintController() && HintController()->Waiting(); };
    c->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(waiting);
    c->Perform(CM_MOUSELEAVE);
    ASSERT_NE(HintController(), nullptr);
    EXPECT_FALSE(HintController()->Waiting());
  }
}
