#pragma once
#include <cstdint>

#include "framework/Sets.h"

// Look-and-feel settings of the editors library. Every control owns a TcxLookAndFeel; each takes
// the values it does not set itself from its master, and in the end from the process-wide root,
// which a TcxLookAndFeelController exposes. A change of an effective value runs down the chain to
// every dependant and to the owner, which repaints.

enum TcxLookAndFeelKind : std::uint8_t { lfFlat, lfStandard, lfUltraFlat };

enum TcxLookAndFeelValue : std::uint8_t { lfvKind, lfvNativeStyle };
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;

// The kinds and value sets above are plain data that platform-free layout code may use; the
// settings objects below stand on the control framework.
#ifdef _WIN32
#include <functional>
#include <vector>

#include "framework/Controls.h"

class TcxLookAndFeel;
class TcxCustomLookAndFeelPainter;

// Someone told about the changes and the end of a look-and-feel object it listens to.
class ILookAndFeelListener {
 public:
  // The object behind this listener.
  virtual TObject* GetObject() = 0;
  // The effective values `changedValues` of `sender` changed.
  virtual void MasterChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) = 0;
  // `sender` is being destroyed; it must not be used afterwards.
  virtual void MasterDestroying(TcxLookAndFeel* sender) = 0;

 protected:
  ~ILookAndFeelListener() = default;
};

// A persistent object that reports the object given to its constructor as its owner.
class TcxInterfacedPersistent : public TObject {
 public:
  explicit TcxInterfacedPersistent(TObject* owner) : owner_(owner) {}
  TObject* GetOwner() const { return owner_; }

 private:
  TObject* owner_;  // borrowed
};

using TcxLookAndFeelChangedEvent = std::function<void(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent, public ILookAndFeelListener {
 public:
  // Listens to the root (when there is one) from here on.
  explicit TcxLookAndFeel(TObject* owner = nullptr);
  ~TcxLookAndFeel() override;
  TcxLookAndFeel(const TcxLookAndFeel&) = delete;
  TcxLookAndFeel& operator=(const TcxLookAndFeel&) = delete;

  // The values this object sets itself; the others follow the master.
  TcxLookAndFeelValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxLookAndFeelValues values);
  // Effective values (cached). Setting one assigns it.
  TcxLookAndFeelKind Kind() const { return kind_; }
  void SetKind(TcxLookAndFeelKind value);
  bool NativeStyle() const { return nativeStyle_; }
  void SetNativeStyle(bool value);
  // Kind and NativeStyle are kept in the form file only while assigned.
  bool IsKindStored() const { return assignedValues_.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return assignedValues_.Contains(lfvNativeStyle); }

  // The look-and-feel this one follows; none means the root.
  TcxLookAndFeel* Master() const { return master_; }
  void SetMaster(TcxLookAndFeel* value);
  bool IsRoot() const { return isRoot_; }

  // Follows the master again in every value.
  void Reset() { SetAssignedValues({}); }
  // Takes the own values, the assigned set and the master of another look-and-feel.
  void Assign(const TObject* source);

  void AddListener(ILookAndFeelListener* listener);
  void RemoveListener(ILookAndFeelListener* listener);
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }

  // The painter that the effective values choose.
  const TcxCustomLookAndFeelPainter* Painter() const;

  // Computes the effective values from the own ones, the master's and the defaults.
  virtual TcxLookAndFeelKind EffectiveKind() const;
  virtual bool EffectiveNativeStyle() const;

  TObject* GetObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) override;
  void MasterDestroying(TcxLookAndFeel* sender) override;

  // Told after each change of an effective value, with the values that changed.
  TcxLookAndFeelChangedEvent OnChange;

 private:
  friend void cxLookAndFeelsInitialize();
  struct RootTag {};
  explicit TcxLookAndFeel(RootTag);

  // The look-and-feel whose listener this one is: the master, or the root without one.
  TcxLookAndFeel* Source() const;
  void SaveValues();
  void Changed(TcxLookAndFeelValues changedValues);
  void CheckValues();

  TcxLookAndFeelValues assignedValues_;
  std::vector<ILookAndFeelListener*> listeners_;  // borrowed
  TcxLookAndFeelKind kind_ = lfUltraFlat;
  bool nativeStyle_ = false;
  TcxLookAndFeelKind ownKind_ = lfUltraFlat;
  bool ownNativeStyle_ = false;
  bool destroying_ = false;
  bool isRoot_ = false;
  TcxLookAndFeel* master_ = nullptr;  // borrowed
  TcxLookAndFeelKind savedKind_ = lfUltraFlat;
  bool savedNativeStyle_ = false;
};

// The component that sets the root's values, so that every look-and-feel that does not set its
// own follows it. When the last controller goes, the root returns to its defaults.
class TcxLookAndFeelController : public TComponent, public ILookAndFeelListener {
 public:
  explicit TcxLookAndFeelController(TComponent* owner);
  ~TcxLookAndFeelController() override;
  const char* ClassName() const override { return "TcxLookAndFeelController"; }

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind value);
  bool NativeStyle() const;
  void SetNativeStyle(bool value);

  TObject* GetObject() override { return this; }
  void MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override {}
  // Only a form designer would care; nothing happens at run time.
  void MasterDestroying(TcxLookAndFeel*) override {}
};

// The process-wide root, or none before the module starts and after it ends.
TcxLookAndFeel* RootLookAndFeel();
// Controllers registered with the root.
int LookAndFeelControllerCount();

// The root's lifetime: made when the module starts and destroyed when it ends. Ending and
// starting it again is for tests.
void cxLookAndFeelsInitialize();
void cxLookAndFeelsFinalize();
#endif  // _WIN32
