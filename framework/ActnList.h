#pragma once
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/ImgList.h"

class TBasicActionLink;
class TCustomActionList;

// Something a user can do, shared by the controls linked to it.
class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;
  const char* ClassName() const override { return "TBasicAction"; }

  TNotifyEvent OnExecute;
  // Runs OnExecute; false when there is none to run.
  virtual bool Execute();

 protected:
  // Tells every linked client that the action changed.
  void Change();
  std::vector<TBasicActionLink*> clients_;  // borrowed

 private:
  friend class TBasicActionLink;
};

// The link from a client to its action: the action tells its clients of changes through it.
class TBasicActionLink {
 public:
  TBasicActionLink() = default;
  virtual ~TBasicActionLink();
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  // Runs the action for `target`; false when nothing ran.
  virtual bool Execute(TComponent* target);

 protected:
  friend class TBasicAction;
  // The action changed.
  virtual void Change() {}

 private:
  TBasicAction* action_ = nullptr;
};

// An action that may belong to an action list.
class TContainedAction : public TBasicAction {
 public:
  using TBasicAction::TBasicAction;
  ~TContainedAction() override;
  const char* ClassName() const override { return "TContainedAction"; }

  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* list);

 private:
  friend class TCustomActionList;
  TCustomActionList* actionList_ = nullptr;  // borrowed
};

// An action with what its controls show: caption, enabled state, hint, visibility and the index
// of its image in the action list's image list (-1: none).
class TCustomAction : public TContainedAction {
 public:
  using TContainedAction::TContainedAction;
  const char* ClassName() const override { return "TCustomAction"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);

  // A disabled action does not run.
  bool Execute() override;

 private:
  std::string caption_;
  bool enabled_ = true;
  std::string hint_;
  bool visible_ = true;
  int imageIndex_ = -1;
};

class TAction : public TCustomAction {
 public:
  using TCustomAction::TCustomAction;
  const char* ClassName() const override { return "TAction"; }
};

// The application's hint changed: offered to the forms' components with the new text as its
// Hint, for one that shows it (the application's idle step).
class THintAction : public TCustomAction {
 public:
  using TCustomAction::TCustomAction;
  const char* ClassName() const override { return "THintAction"; }
};

// The link of an action to something that shows it; the parts a client takes over are "linked".
class TActionLink : public TBasicActionLink {
 public:
  virtual bool IsImageIndexLinked() const { return false; }
  // The action's image index changed (before the action announces the change).
  virtual void SetImageIndex(int) {}
};

// Links a control to its action: every change of the action reaches the control's ActionChange.
class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TControl* client) : client_(client) {}

 protected:
  void Change() override;
  TControl* client_;  // the control holding this link
};

// The link of a windowed control: a windowed control links nothing more than any control.
using TWinControlActionLink = TControlActionLink;

// Actions grouped with the image list their controls draw images from.
class TCustomActionList : public TComponent {
 public:
  explicit TCustomActionList(TComponent* owner);
  ~TCustomActionList() override;
  const char* ClassName() const override { return "TCustomActionList"; }

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TContainedAction* Actions(int i) const { return actions_[static_cast<std::size_t>(i)]; }
  TCustomImageList* Images() const { return images_; }
  // The list is forgotten when it goes.
  void SetImages(TCustomImageList* images);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> actions_;  // borrowed: owned by their owners
  TCustomImageList* images_ = nullptr;     // borrowed
};

class TActionList : public TCustomActionList {
 public:
  using TCustomActionList::TCustomActionList;
  const char* ClassName() const override { return "TActionList"; }
};
