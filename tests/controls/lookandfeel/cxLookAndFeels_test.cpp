#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/lookandfeel/cxLookAndFeels.h"

namespace {

// Records every change an object announces through OnChange.
struct ChangeLog {
  explicit ChangeLog(TcxLookAndFeel& lf) {
    lf.OnChange = [this](TcxLookAndFeel* sender, TcxLookAndFeelValues values) {
      senders.push_back(sender);
      changes.push_back(values);
    };
  }
  std::vector<TcxLookAndFeel*> senders;
  std::vector<TcxLookAndFeelValues> changes;
};

// A listener that can take itself off the list while it is told.
struct Listener : TObject, ILookAndFeelListener {
  TObject* GetObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues values) override {
    changes.push_back(values);
    if (leaveWhenTold) sender->RemoveListener(this);
  }
  void MasterDestroying(TcxLookAndFeel* sender) override { destroyingSenders.push_back(sender); }
  bool leaveWhenTold = false;
  std::vector<TcxLookAndFeelValues> changes;
  std::vector<TcxLookAndFeel*> destroyingSenders;
};

const TcxLookAndFeelValues kKind{lfvKind};
const TcxLookAndFeelValues kNative{lfvNativeStyle};

}  // namespace

TEST(CxLookAndFeel, ANewObjectFollowsTheRootWithUltraFlatAndNoNativeStyle) {
  TcxLookAndFeel* root = RootLookAndFeel();
  ASSERT_NE(root, nullptr);
  EXPECT_TRUE(root->IsRoot());
  const int listeners = root->ListenerCount();
  {
    TObject owner;
    TcxLookAndFeel lf(&owner);
    EXPECT_EQ(lf.GetOwner(), &owner);
    EXPECT_EQ(lf.Kind(), lfUltraFlat);
    EXPECT_FALSE(lf.NativeStyle());
    EXPECT_TRUE(lf.AssignedValues().Empty());
    EXPECT_FALSE(lf.IsKindStored());
    EXPECT_FALSE(lf.IsNativeStyleStored());
    EXPECT_EQ(lf.Master(), nullptr);
    EXPECT_FALSE(lf.IsRoot());
    EXPECT_EQ(root->ListenerCount(), listeners + 1);
  }
  EXPECT_EQ(root->ListenerCount(), listeners);
}

TEST(CxLookAndFeel, SettingTheCurrentEffectiveValueAssignsItWithoutTellingAnyone) {
  TcxLookAndFeel master;
  master.SetKind(lfFlat);
  TcxLookAndFeel lf;
  lf.SetMaster(&master);
  ChangeLog log(lf);
  ASSERT_EQ(lf.Kind(), lfFlat);
  lf.SetKind(lfFlat);
  EXPECT_TRUE(lf.AssignedValues().Contains(lfvKind));
  EXPECT_TRUE(lf.IsKindStored());
  EXPECT_TRUE(log.changes.empty());
  lf.SetNativeStyle(false);
  EXPECT_EQ(lf.AssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
  EXPECT_TRUE(log.changes.empty());

  lf.SetKind(lfStandard);
  lf.SetNativeStyle(true);
  ASSERT_EQ(log.changes.size(), 2u);
  EXPECT_EQ(log.changes[0], kKind);
  EXPECT_EQ(log.changes[1], kNative);
  EXPECT_EQ(log.senders[0], &lf);
  EXPECT_EQ(lf.Kind(), lfStandard);
  EXPECT_TRUE(lf.NativeStyle());
}

TEST(CxLookAndFeel, AssignedValuesStopAMastersChangeAndUnassignedOnesPassDownTheChain) {
  TcxLookAndFeel master, middle, leaf;
  middle.SetMaster(&master);
  leaf.SetMaster(&middle);
  middle.SetKind(lfStandard);
  ChangeLog middleLog(middle), leafLog(leaf);
  ASSERT_EQ(leaf.Kind(), lfStandard);

  master.SetKind(lfFlat);
  EXPECT_EQ(middle.Kind(), lfStandard);
  EXPECT_TRUE(middleLog.changes.empty());
  EXPECT_TRUE(leafLog.changes.empty());

  master.SetNativeStyle(true);
  ASSERT_EQ(middleLog.changes.size(), 1u);
  EXPECT_EQ(middleLog.changes[0], kNative);
  ASSERT_EQ(leafLog.changes.size(), 1u);
  EXPECT_EQ(leafLog.changes[0], kNative);
  EXPECT_TRUE(leaf.NativeStyle());

  // Clearing the assigned set: the kind comes from the master again, and the change is told.
  middle.Reset();
  EXPECT_EQ(middle.Kind(), lfFlat);
  ASSERT_EQ(middleLog.changes.size(), 2u);
  EXPECT_EQ(middleLog.changes[1], kKind);
  EXPECT_EQ(leaf.Kind(), lfFlat);
  EXPECT_EQ(leafLog.changes.back(), kKind);
}

TEST(CxLookAndFeel, ClearingAssignedValuesTellsOnlyWhatChanged) {
  TcxLookAndFeel lf;
  lf.SetKind(lfFlat);
  lf.SetNativeStyle(false);  // assigned, but the same as the root's
  Listener listener;
  lf.AddListener(&listener);
  ChangeLog log(lf);
  lf.SetAssignedValues({});
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_EQ(listener.changes[0], kKind);
  EXPECT_EQ(log.changes, std::vector<TcxLookAndFeelValues>{kKind});
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  lf.SetAssignedValues({});  // the same set: nothing
  EXPECT_EQ(listener.changes.size(), 1u);
  lf.RemoveListener(&listener);
}

TEST(CxLookAndFeel, AListenerLeavingDuringTheWalkSkipsNobody) {
  TcxLookAndFeel lf;
  Listener a, b, c;
  a.leaveWhenTold = true;
  lf.AddListener(&a);
  lf.AddListener(&b);
  lf.AddListener(&b);  // once only
  lf.AddListener(nullptr);
  lf.AddListener(&c);
  EXPECT_EQ(lf.ListenerCount(), 3);
  lf.SetKind(lfStandard);
  EXPECT_EQ(a.changes.size(), 1u);
  EXPECT_EQ(b.changes.size(), 1u);
  EXPECT_EQ(c.changes.size(), 1u);
  EXPECT_EQ(lf.ListenerCount(), 2);
  lf.RemoveListener(&b);
  lf.RemoveListener(&c);
  lf.RemoveListener(&c);  // not there any more: nothing
  EXPECT_EQ(lf.ListenerCount(), 0);
}

TEST(CxLookAndFeel, ListenersAreToldBeforeOnChangeFires) {
  // A handler of OnChange reads what the listeners made of the change (a box repaints from it).
  TcxLookAndFeel master;
  TcxLookAndFeel dependant;
  dependant.SetMaster(&master);
  Listener listener;
  master.AddListener(&listener);
  std::vector<std::size_t> toldBefore;
  std::vector<TcxLookAndFeelKind> dependantKind;
  master.OnChange = [&](TcxLookAndFeel*, TcxLookAndFeelValues) {
    toldBefore.push_back(listener.changes.size());
    dependantKind.push_back(dependant.Kind());
  };
  master.SetKind(lfStandard);
  EXPECT_EQ(toldBefore, std::vector<std::size_t>{1});
  EXPECT_EQ(dependantKind, std::vector<TcxLookAndFeelKind>{lfStandard});
  master.RemoveListener(&listener);
  dependant.SetMaster(nullptr);
}

TEST(CxLookAndFeel, MasterMovesTheObjectBetweenListenerListsAndTellsTheDifference) {
  TcxLookAndFeel a, b, lf;
  a.SetKind(lfFlat);
  b.SetKind(lfFlat);
  b.SetNativeStyle(true);
  ChangeLog log(lf);
  const int rootListeners = RootLookAndFeel()->ListenerCount();
  lf.SetMaster(&a);
  EXPECT_EQ(a.ListenerCount(), 1);
  EXPECT_EQ(RootLookAndFeel()->ListenerCount(), rootListeners - 1);
  EXPECT_EQ(log.changes, std::vector<TcxLookAndFeelValues>{kKind});
  lf.SetMaster(&b);
  EXPECT_EQ(a.ListenerCount(), 0);
  EXPECT_EQ(b.ListenerCount(), 1);
  EXPECT_EQ(log.changes.back(), kNative);
  lf.SetMaster(&b);   // the current master
  lf.SetMaster(&lf);  // itself
  EXPECT_EQ(lf.Master(), &b);
  EXPECT_EQ(log.changes.size(), 2u);
  RootLookAndFeel()->SetMaster(&a);  // the root follows nobody
  EXPECT_EQ(RootLookAndFeel()->Master(), nullptr);
  lf.SetMaster(nullptr);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_EQ(RootLookAndFeel()->ListenerCount(), rootListeners);
}

TEST(CxLookAndFeel, AssignTakesOwnValuesAssignedSetAndMaster) {
  TcxLookAndFeel master, source, lf;
  master.SetNativeStyle(true);
  source.SetMaster(&master);
  source.SetKind(lfStandard);
  ChangeLog log(lf);
  lf.Assign(&source);
  EXPECT_EQ(lf.Master(), &master);
  EXPECT_EQ(lf.AssignedValues(), kKind);
  EXPECT_EQ(lf.Kind(), lfStandard);
  EXPECT_TRUE(lf.NativeStyle());
  EXPECT_EQ(master.ListenerCount(), 2);
  ASSERT_EQ(log.changes.size(), 1u);
  EXPECT_EQ(log.changes[0], (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));

  TObject other;
  EXPECT_THROW(lf.Assign(&other), std::exception);
  EXPECT_THROW(lf.Assign(nullptr), std::exception);
}

TEST(CxLookAndFeel, DestructionTellsListenersAndDependantsFallBackToTheRoot) {
  auto master = std::make_unique<TcxLookAndFeel>();
  master->SetKind(lfFlat);
  TcxLookAndFeel lf;
  lf.SetMaster(master.get());
  Listener listener;
  master->AddListener(&listener);
  ChangeLog log(lf);
  ASSERT_EQ(lf.Kind(), lfFlat);
  master.reset();
  EXPECT_EQ(listener.destroyingSenders.size(), 1u);
  EXPECT_EQ(lf.Master(), nullptr);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_EQ(log.changes, std::vector<TcxLookAndFeelValues>{kKind});
}

TEST(CxLookAndFeelController, SwitchesEveryUnassignedObjectAndItsDestructionSwitchesThemBack) {
  TcxLookAndFeel follower, own;
  own.SetKind(lfStandard);
  ChangeLog log(follower);
  ASSERT_EQ(LookAndFeelControllerCount(), 0);
  auto first = std::make_unique<TcxLookAndFeelController>(nullptr);
  auto second = std::make_unique<TcxLookAndFeelController>(nullptr);
  EXPECT_EQ(LookAndFeelControllerCount(), 2);
  EXPECT_EQ(first->Kind(), lfUltraFlat);
  first->SetKind(lfFlat);
  second->SetNativeStyle(true);
  EXPECT_EQ(follower.Kind(), lfFlat);
  EXPECT_TRUE(follower.NativeStyle());
  EXPECT_EQ(own.Kind(), lfStandard);
  EXPECT_EQ(second->Kind(), lfFlat);
  EXPECT_EQ(log.changes, (std::vector<TcxLookAndFeelValues>{kKind, kNative}));

  // Only the root takes a controller as a listener.
  follower.AddListener(first.get());
  EXPECT_EQ(follower.ListenerCount(), 0);

  first.reset();
  EXPECT_EQ(follower.Kind(), lfFlat);  // another controller is left
  second.reset();
  EXPECT_EQ(LookAndFeelControllerCount(), 0);
  EXPECT_EQ(follower.Kind(), lfUltraFlat);
  EXPECT_FALSE(follower.NativeStyle());
  EXPECT_EQ(log.changes.back(), (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
  EXPECT_TRUE(RootLookAndFeel()->AssignedValues().Empty());
}

TEST(CxLookAndFeelController, WithoutARootReadsTheDefaultsAndWritesNothing) {
  TcxLookAndFeel before;
  TcxLookAndFeelController controller(nullptr);
  controller.SetKind(lfStandard);
  ASSERT_EQ(before.Kind(), lfStandard);
  cxLookAndFeelsFinalize();
  EXPECT_EQ(RootLookAndFeel(), nullptr);
  EXPECT_EQ(LookAndFeelControllerCount(), 0);
  EXPECT_EQ(controller.Kind(), lfUltraFlat);
  controller.SetNativeStyle(true);
  EXPECT_FALSE(controller.NativeStyle());
  {
    TcxLookAndFeel lone;
    EXPECT_EQ(lone.Kind(), lfUltraFlat);
  }
  EXPECT_EQ(before.Kind(), lfStandard);  // kept what it had
  cxLookAndFeelsInitialize();
  ASSERT_NE(RootLookAndFeel(), nullptr);
  EXPECT_EQ(RootLookAndFeel()->Kind(), lfUltraFlat);
}
