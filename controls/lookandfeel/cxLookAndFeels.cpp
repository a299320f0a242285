#include "controls/lookandfeel/cxLookAndFeels.h"

#include <algorithm>

#include "framework/Exception.h"

namespace {

TcxLookAndFeel* g_root = nullptr;
int g_controllerCount = 0;

bool IsController(ILookAndFeelListener* listener) {
  return dynamic_cast<TcxLookAndFeelController*>(listener->GetObject()) != nullptr;
}

// The module's start and end.
struct Module {
  Module() { cxLookAndFeelsInitialize(); }
  ~Module() { cxLookAndFeelsFinalize(); }
} g_module;

}  // namespace

TcxLookAndFeel* RootLookAndFeel() { return g_root; }
int LookAndFeelControllerCount() { return g_controllerCount; }

void cxLookAndFeelsInitialize() {
  if (!g_root) g_root = new TcxLookAndFeel(TcxLookAndFeel::RootTag{});
}

void cxLookAndFeelsFinalize() { delete g_root; }

// ---------------------------------------------------------------------------------------------
// TcxLookAndFeel

TcxLookAndFeel::TcxLookAndFeel(TObject* owner) : TcxInterfacedPersistent(owner) {
  if (g_root) {
    g_root->AddListener(this);
    kind_ = EffectiveKind();
    nativeStyle_ = EffectiveNativeStyle();
  }
}

TcxLookAndFeel::TcxLookAndFeel(RootTag) : TcxInterfacedPersistent(nullptr), isRoot_(true) {}

TcxLookAndFeel::~TcxLookAndFeel() {
  destroying_ = true;
  for (std::size_t i = 0; i < listeners_.size(); ++i) listeners_[i]->MasterDestroying(this);
  destroying_ = false;
  listeners_.clear();
  if (TcxLookAndFeel* source = Source()) source->RemoveListener(this);
  if (isRoot_ && g_root == this) {
    g_root = nullptr;
    // The controllers were registered with this root only.
    g_controllerCount = 0;
  }
}

TcxLookAndFeel* TcxLookAndFeel::Source() const {
  if (isRoot_) return nullptr;
  return master_ ? master_ : g_root;
}

TcxLookAndFeelKind TcxLookAndFeel::EffectiveKind() const {
  if (assignedValues_.Contains(lfvKind)) return ownKind_;
  if (isRoot_) return lfUltraFlat;
  const TcxLookAndFeel* source = Source();
  return source ? source->Kind() : lfUltraFlat;
}

bool TcxLookAndFeel::EffectiveNativeStyle() const {
  if (assignedValues_.Contains(lfvNativeStyle)) return ownNativeStyle_;
  if (isRoot_) return false;
  const TcxLookAndFeel* source = Source();
  return source ? source->NativeStyle() : false;
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind value) {
  const TcxLookAndFeelKind before = kind_;
  assignedValues_ += lfvKind;
  ownKind_ = value;
  if (EffectiveKind() != before) Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool value) {
  const bool before = nativeStyle_;
  assignedValues_ += lfvNativeStyle;
  ownNativeStyle_ = value;
  if (EffectiveNativeStyle() != before) Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues values) {
  if (assignedValues_ == values) return;
  SaveValues();
  assignedValues_ = values;
  CheckValues();
}

void TcxLookAndFeel::SetMaster(TcxLookAndFeel* value) {
  if (isRoot_ || value == this || value == master_) return;
  SaveValues();
  if (TcxLookAndFeel* source = Source()) source->RemoveListener(this);
  master_ = value;
  if (TcxLookAndFeel* source = Source()) source->AddListener(this);
  CheckValues();
}

void TcxLookAndFeel::Assign(const TObject* source) {
  const auto* other = dynamic_cast<const TcxLookAndFeel*>(source);
  if (!other) throw Exception("Cannot assign to a TcxLookAndFeel");
  if (other == this) return;
  SaveValues();
  ownKind_ = other->ownKind_;
  ownNativeStyle_ = other->ownNativeStyle_;
  assignedValues_ = other->assignedValues_;
  // Taking the master moves this object into the new master's listeners.
  TcxLookAndFeel* master = other->master_ == this ? nullptr : other->master_;
  if (!isRoot_ && master != master_) {
    if (TcxLookAndFeel* from = Source()) from->RemoveListener(this);
    master_ = master;
    if (TcxLookAndFeel* to = Source()) to->AddListener(this);
  }
  CheckValues();
}

void TcxLookAndFeel::MasterChanged(TcxLookAndFeel*, TcxLookAndFeelValues changedValues) {
  Changed(changedValues - assignedValues_);
}

void TcxLookAndFeel::MasterDestroying(TcxLookAndFeel* sender) {
  // The master goes: follow the root from now on. (When the root itself goes, there is
  // nothing left to follow and the values stay as they are.)
  if (sender == master_) SetMaster(nullptr);
}

void TcxLookAndFeel::AddListener(ILookAndFeelListener* listener) {
  if (!listener) return;
  const bool controller = IsController(listener);
  if (controller && !isRoot_) return;
  if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
  listeners_.push_back(listener);
  if (controller) ++g_controllerCount;
}

void TcxLookAndFeel::RemoveListener(ILookAndFeelListener* listener) {
  if (!listener) return;
  const auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  if (!destroying_) listeners_.erase(it);
  if (isRoot_ && IsController(listener) && --g_controllerCount == 0) SetAssignedValues({});
}

void TcxLookAndFeel::SaveValues() {
  savedKind_ = kind_;
  savedNativeStyle_ = nativeStyle_;
}

void TcxLookAndFeel::CheckValues() {
  TcxLookAndFeelValues changed;
  if (EffectiveKind() != savedKind_) changed += lfvKind;
  if (EffectiveNativeStyle() != savedNativeStyle_) changed += lfvNativeStyle;
  Changed(changed);
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues changedValues) {
  if (changedValues.Empty() || destroying_) return;
  kind_ = EffectiveKind();
  nativeStyle_ = EffectiveNativeStyle();
  for (std::size_t i = 0; i < listeners_.size();) {
    ILookAndFeelListener* listener = listeners_[i];
    listener->MasterChanged(this, changedValues);
    // A listener that removed itself leaves its place to the next one.
    if (i < listeners_.size() && listeners_[i] == listener) ++i;
  }
  if (OnChange) OnChange(this, changedValues);
}

// ---------------------------------------------------------------------------------------------
// TcxLookAndFeelController

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* owner) : TComponent(owner) {
  if (g_root) g_root->AddListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (g_root) g_root->RemoveListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const { return g_root ? g_root->Kind() : lfUltraFlat; }

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind value) {
  if (g_root) g_root->SetKind(value);
}

bool TcxLookAndFeelController::NativeStyle() const { return g_root ? g_root->NativeStyle() : false; }

void TcxLookAndFeelController::SetNativeStyle(bool value) {
  if (g_root) g_root->SetNativeStyle(value);
}
