#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ActnList.h"
#include "framework/Exception.h"
#include "framework/ImgList.h"

namespace {

// Records the removals it is told about.
class Listener : public TComponent {
 public:
  Listener(TComponent* owner, std::vector<TComponent*>* log) : TComponent(owner), log_(log) {}
  using TComponent::FreeNotification;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) log_->push_back(component);
  }

 private:
  std::vector<TComponent*>* log_;
};

void Fill(TBitmap& b, int size, COLORREF color) {
  b.SetSize(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) b.SetPixel(x, y, color);
}

template <class F>
std::string FailureOf(F f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(Components, AreToldOfTheRemovalOfSiblingsAndOfComponentsTheyAskedAbout) {
  std::vector<TComponent*> log;
  TComponent owner(nullptr);
  auto* listener = new Listener(&owner, &log);
  auto* sibling = new TComponent(&owner);
  delete sibling;
  EXPECT_EQ(log, std::vector<TComponent*>{sibling});

  // Across owners only by asking; the link goes both ways.
  log.clear();
  auto* stranger = new TComponent(nullptr);
  listener->FreeNotification(stranger);
  delete stranger;
  EXPECT_EQ(log, std::vector<TComponent*>{stranger});
  log.clear();
  auto* survivor = new TComponent(nullptr);
  listener->FreeNotification(survivor);
  delete listener;  // survivor must not tell the deleted listener later
  delete survivor;
  EXPECT_TRUE(log.empty());
}

TEST(ImageList, KeepsCopiesOfImagesOfItsSize) {
  TImageList list(nullptr);
  EXPECT_EQ(list.Width(), 16);
  list.SetSize(4, 4);
  TBitmap red, wrong, out;
  Fill(red, 4, RGB(255, 0, 0));
  Fill(wrong, 5, 0);
  EXPECT_EQ(list.Add(red), 0);
  red.SetPixel(0, 0, 0);  // the list holds its own copy
  EXPECT_EQ(FailureOf([&] { list.Add(wrong); }), "Invalid image size");
  EXPECT_EQ(FailureOf([&] { list.GetBitmap(1, out); }), "Image index out of range");
  EXPECT_EQ(list.Count(), 1);
  list.GetBitmap(0, out);
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_TRUE(out.Transparent());
  list.Replace(0, red);
  list.GetBitmap(0, out);
  EXPECT_EQ(out.Pixel(0, 0), 0u);
  list.SetSize(8, 8);
  EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
}

TEST(ImageList, TellsItsChangeLinksUntilEitherGoes) {
  auto* list = new TImageList(nullptr);
  list->SetSize(2, 2);
  TBitmap image;
  Fill(image, 2, 0);
  std::vector<TObject*> heard;
  TChangeLink link;
  link.OnChange = [&](TObject* sender) { heard.push_back(sender); };
  list->RegisterChanges(&link);
  EXPECT_EQ(link.Sender(), list);
  list->Add(image);
  list->Delete(0);
  list->Clear();  // already empty: no change
  EXPECT_EQ(heard, (std::vector<TObject*>{list, list}));
  {
    TChangeLink shortLived;
    shortLived.OnChange = [&](TObject*) { heard.push_back(nullptr); };
    list->RegisterChanges(&shortLived);
  }
  list->Add(image);  // the gone link is not called
  EXPECT_EQ(heard.size(), 3u);
  list->UnRegisterChanges(&link);
  list->Add(image);
  EXPECT_EQ(heard.size(), 3u);
  list->RegisterChanges(&link);
  delete list;
  EXPECT_EQ(link.Sender(), nullptr);
}

TEST(Actions, ShareCaptionStateAndExecutionWithTheirControls) {
  TAction action(nullptr);
  action.SetCaption("Run");
  action.SetHint("Runs");
  int executed = 0, clicked = 0;
  action.OnExecute = [&](TObject* sender) {
    EXPECT_EQ(sender, &action);
    ++executed;
  };
  TControl control(nullptr);
  control.SetAction(&action);
  EXPECT_EQ(control.Action(), &action);
  EXPECT_EQ(control.Caption(), "Run");
  EXPECT_EQ(control.Hint(), "Runs");
  action.SetCaption("Go");
  action.SetVisible(false);
  EXPECT_EQ(control.Caption(), "Go");
  EXPECT_FALSE(control.Visible());
  control.Click();
  EXPECT_EQ(executed, 1);
  action.SetEnabled(false);
  EXPECT_FALSE(control.Enabled());
  control.Click();
  EXPECT_EQ(executed, 1) << "a disabled action does not run";
  control.OnClick = [&](TObject*) { ++clicked; };
  control.Click();
  EXPECT_EQ(clicked, 1) << "a handler of the control's own runs instead";

  TControl other(nullptr);
  {
    TAction shortLived(nullptr);
    other.SetAction(&shortLived);
  }
  EXPECT_EQ(other.Action(), nullptr);
  other.Click();
}

TEST(ActionList, GroupsActionsWithAnImageListItForgetsWhenItGoes) {
  auto* list = new TActionList(nullptr);
  auto* images = new TImageList(nullptr);
  list->SetImages(images);
  EXPECT_EQ(list->Images(), images);
  delete images;
  EXPECT_EQ(list->Images(), nullptr);

  auto* a = new TAction(nullptr);
  TAction b(nullptr);
  a->SetActionList(list);
  b.SetActionList(list);
  ASSERT_EQ(list->ActionCount(), 2);
  delete a;
  ASSERT_EQ(list->ActionCount(), 1);
  EXPECT_EQ(list->Actions(0), &b);
  delete list;
  EXPECT_EQ(b.ActionList(), nullptr);
}

TEST(Bitmap, DrawsTransparentlyKeyedOnItsBottomLeftPixel) {
  TBitmap glyph, target;
  Fill(glyph, 4, RGB(0, 255, 0));
  glyph.SetPixel(1, 1, RGB(255, 0, 0));
  Fill(target, 6, RGB(0, 0, 255));
  target.Canvas().Draw(1, 1, glyph);
  EXPECT_EQ(target.Pixel(1, 1), RGB(0, 255, 0)) << "drawn whole while not transparent";
  Fill(target, 6, RGB(0, 0, 255));
  glyph.SetTransparent(true);
  target.Canvas().Draw(1, 1, glyph);
  EXPECT_EQ(target.Pixel(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(target.Pixel(2, 2), RGB(255, 0, 0));
  TBitmap copy;
  copy.Assign(glyph);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.Pixel(1, 1), RGB(255, 0, 0));
}
