// The container's style, which says how its frame and background look, and the style controller
// that several containers take the values they do not set themselves from.
#include "controls/editors/cxContainer.h"

#include <algorithm>

namespace {

constexpr const char* kStyleValueNames[] = {"BorderColor", "BorderStyle",      "Color",       "Edges",
                                            "Font",        "HotTrack",         "Shadow",      "TransparentBorder",
                                            "ButtonStyle", "ButtonTransparency", "PopupBorderStyle"};

TcxFrameKind FrameKind(TcxLookAndFeelKind kind) { return static_cast<TcxFrameKind>(kind); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxContainerStyle

TcxContainerStyle::TcxContainerStyle(TComponent* owner, bool directAccess)
    : directAccess_(directAccess), lookAndFeel_(std::make_unique<TcxLookAndFeel>(this)), owner_(owner) {
  lookAndFeel_->OnChange = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { NotifyChanged(); };
  if (!directAccess_) {
    font_ = std::make_unique<TFont>();
    font_->OnChange = [this] { FontChanged(); };
  }
}

TcxContainerStyle::~TcxContainerStyle() {
  OnChanged = nullptr;
  if (styleController_) styleController_->RemoveListener(this);
  if (font_) font_->OnChange = nullptr;
  lookAndFeel_->OnChange = nullptr;
}

TcxContainer* TcxContainerStyle::Container() const { return dynamic_cast<TcxContainer*>(owner_); }

TcxContainerStyle* TcxContainerStyle::ControllerStyle() const {
  return styleController_ ? &styleController_->Style() : nullptr;
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
  if (directAccess_) return (1u << ValueCount()) - 1;
  return assignedValues_;
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues values) {
  if (assignedValues_ == values) return;
  assignedValues_ = values;
  RefreshFontFromController();
}

TColor TcxContainerStyle::BorderColor() const {
  if (directAccess_) return clDefault;
  if (Assigned(svBorderColor)) return borderColor_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->BorderColor();
  return DefaultBorderColor();
}

void TcxContainerStyle::SetBorderColor(TColor value) { SetValue(svBorderColor, borderColor_, value); }

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() const {
  if (Assigned(svBorderStyle)) return borderStyle_;
  if (!directAccess_) {
    if (const TcxContainerStyle* s = ControllerStyle()) return s->BorderStyle();
  }
  return DefaultBorderStyle();
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle value) { SetValue(svBorderStyle, borderStyle_, value); }

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyle() const {
  return ::DefaultBorderStyle(FrameKind(lookAndFeel_->Kind()));
}

TColor TcxContainerStyle::Color() const {
  if (const TcxContainer* c = Container(); c && !directAccess_ && c->ParentColor() && c->Parent())
    return c->Parent()->Color();
  return InternalColor();
}

TColor TcxContainerStyle::InternalColor() const {
  if (directAccess_ || Assigned(svColor)) return color_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->InternalColor();
  return DefaultColor();
}

TColor TcxContainerStyle::DefaultColor() const {
  if (const TcxContainer* c = Container(); c && c->ParentColor() && c->Parent()) return c->Parent()->Color();
  return clWindow;
}

void TcxContainerStyle::SetColor(TColor value) { SetValue(svColor, color_, value); }

TcxEdgeSet TcxContainerStyle::Edges() const {
  if (directAccess_) return 0;
  if (Assigned(svEdges)) return edges_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->Edges();
  return DefaultEdges();
}

void TcxContainerStyle::SetEdges(TcxEdgeSet value) { SetValue(svEdges, edges_, static_cast<TcxEdgeSet>(value & kAllEdges)); }

TFont& TcxContainerStyle::Font() {
  if (!font_) {
    // A direct-access style has no font of its own: it reads the owner's.
    if (auto* control = dynamic_cast<TControl*>(owner_)) return control->Font();
    font_ = std::make_unique<TFont>();
  }
  return *font_;
}

void TcxContainerStyle::SetFont(const TFont& value) {
  if (!font_) return;
  // An equal font leaves the font as it is and tells nobody; the style still takes it as its own.
  if (font_->SameAs(value)) {
    if (!Assigned(svFont)) FontChanged();
    return;
  }
  font_->Assign(value);
}

void TcxContainerStyle::FontChanged() {
  if (!fontSyncing_) assignedValues_ |= 1u << svFont;
  NotifyChanged();
}

bool TcxContainerStyle::HotTrack() const {
  if (Assigned(svHotTrack)) return hotTrack_;
  if (!directAccess_) {
    if (const TcxContainerStyle* s = ControllerStyle()) return s->HotTrack();
  }
  return DefaultHotTrack();
}

void TcxContainerStyle::SetHotTrack(bool value) { SetValue(svHotTrack, hotTrack_, value); }

bool TcxContainerStyle::Shadow() const {
  if (directAccess_) return false;
  if (Assigned(svShadow)) return shadow_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->Shadow();
  return DefaultShadow();
}

void TcxContainerStyle::SetShadow(bool value) { SetValue(svShadow, shadow_, value); }

bool TcxContainerStyle::TransparentBorder() const {
  if (directAccess_) return true;
  if (Assigned(svTransparentBorder)) return transparentBorder_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->TransparentBorder();
  return DefaultTransparentBorder();
}

void TcxContainerStyle::SetTransparentBorder(bool value) { SetValue(svTransparentBorder, transparentBorder_, value); }

void TcxContainerStyle::SetLookAndFeel(const TcxLookAndFeel& value) { lookAndFeel_->Assign(&value); }

void TcxContainerStyle::SetStyleController(TcxStyleController* value) {
  if (styleController_ == value) return;
  // A controller may not serve a style that it (or a component above it) owns.
  for (TComponent* c = owner_; c && value; c = c->Owner())
    if (c == value) return;
  if (styleController_) styleController_->RemoveListener(this);
  styleController_ = value;
  if (styleController_) styleController_->AddListener(this);
  ControllerChanged();
}

void TcxContainerStyle::ReleaseChanges() {
  if (updateCount_ < 1) return;
  --updateCount_;
  if (updateCount_ == 0 && changePending_) NotifyChanged();
}

void TcxContainerStyle::NotifyChanged() {
  if (updateCount_ > 0) {
    changePending_ = true;
    return;
  }
  if (!directAccess_ && OnChanged) OnChanged(this);
  changePending_ = false;
}

void TcxContainerStyle::ControllerChanged() { RefreshFontFromController(); }

void TcxContainerStyle::ControllerFreeNotification(TcxStyleController* controller) {
  if (controller == styleController_) SetStyleController(nullptr);
}

void TcxContainerStyle::RefreshFontFromController() {
  if (!directAccess_ && !Assigned(svFont)) {
    for (TcxContainerStyle* s = ControllerStyle(); s; s = s->ControllerStyle()) {
      if (!s->Assigned(svFont)) continue;
      cxWithFlag(fontSyncing_, [&] { font_->Assign(s->Font()); });
      break;
    }
  }
  NotifyChanged();
}

bool TcxContainerStyle::IsValueAssigned(unsigned n) const {
  for (const TcxContainerStyle* s = this; s; s = s->ControllerStyle())
    if (s->Assigned(n)) return true;
  return false;
}

const char* TcxContainerStyle::ValueName(unsigned n) const {
  return n < static_cast<unsigned>(ValueCount()) ? kStyleValueNames[n] : "";
}

bool TcxContainerStyle::IsValueStored(unsigned n) const {
  const TcxContainer* c = Container();
  const TcxContainerStyleValues unstored = c ? c->StyleValuesNotStored() : 0;
  return Assigned(n) && !((unstored >> n) & 1u);
}

void TcxContainerStyle::TakeValuesFrom(TcxContainerStyle& source) {
  HoldChanges();
  try {
    SetStyleController(source.styleController_);
    SetLookAndFeel(*source.lookAndFeel_);
    borderColor_ = source.borderColor_;
    borderStyle_ = source.borderStyle_;
    edges_ = source.edges_;
    hotTrack_ = source.hotTrack_;
    shadow_ = source.shadow_;
    transparentBorder_ = source.transparentBorder_;
    color_ = source.color_;
    if (font_ && source.font_) font_->Assign(*source.font_);
    assignedValues_ = source.assignedValues_;
    NotifyChanged();
  } catch (...) {
    ReleaseChanges();
    throw;
  }
  ReleaseChanges();
}

void TcxContainerStyle::RestoreDefaults() {
  HoldChanges();
  try {
    if (TcxContainer* c = Container()) {
      c->SetParentColor(false);
      c->SetParentFont(true);
    }
    lookAndFeel_->Reset();
    SetAssignedValues(0);
    NotifyChanged();
  } catch (...) {
    ReleaseChanges();
    throw;
  }
  ReleaseChanges();
}

// ---------------------------------------------------------------------------------------------
// TcxStyleController

TcxStyleController::TcxStyleController(TComponent* owner) : TComponent(owner) {
  CreateStyle(std::make_unique<TcxContainerStyle>(this, false));
}

TcxStyleController::~TcxStyleController() {
  const auto listeners = listeners_;
  for (TcxContainerStyle* s : listeners) s->ControllerFreeNotification(this);
  style_->OnChanged = nullptr;
}

void TcxStyleController::CreateStyle(std::unique_ptr<TcxContainerStyle> style) {
  if (style_) style_->OnChanged = nullptr;
  style_ = std::move(style);
  style_->OnChanged = [this](TcxContainerStyle*) { StyleChanged(); };
}

void TcxStyleController::AddListener(TcxContainerStyle* listener) {
  if (!listener || std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
  listeners_.push_back(listener);
  listener->LookAndFeel().SetMaster(&style_->LookAndFeel());
}

void TcxStyleController::RemoveListener(TcxContainerStyle* listener) {
  const auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  listeners_.erase(it);
  listener->LookAndFeel().SetMaster(nullptr);
}

void TcxStyleController::StyleChanged() {
  if (OnStyleChanged) OnStyleChanged(this, style_.get());
  const auto listeners = listeners_;
  for (TcxContainerStyle* s : listeners) {
    s->ControllerChanged();
    if (OnStyleChanged) OnStyleChanged(this, s);
  }
}
