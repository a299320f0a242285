#include "controls/editors/cxIme.h"

#include <vector>

#include "framework/SystemLibrary.h"
namespace {

// The input method functions this module uses; each is null without the library.
struct ImmFunctions {
  decltype(&::ImmGetContext) GetContext = nullptr;
  decltype(&::ImmReleaseContext) ReleaseContext = nullptr;
  decltype(&::ImmAssociateContext) AssociateContext = nullptr;
  decltype(&::ImmGetOpenStatus) GetOpenStatus = nullptr;
  decltype(&::ImmSetOpenStatus) SetOpenStatus = nullptr;
  decltype(&::ImmGetDescriptionA) GetDescription = nullptr;
};

const ImmFunctions& Imm() {
  static const ImmFunctions functions = [] {
    ImmFunctions f;
    const HMODULE library = LoadSystemLibrary("imm32.dll");
    LoadLibraryFunction(library, "ImmGetContext", f.GetContext);
    LoadLibraryFunction(library, "ImmReleaseContext", f.ReleaseContext);
    LoadLibraryFunction(library, "ImmAssociateContext", f.AssociateContext);
    LoadLibraryFunction(library, "ImmGetOpenStatus", f.GetOpenStatus);
    LoadLibraryFunction(library, "ImmSetOpenStatus", f.SetOpenStatus);
    LoadLibraryFunction(library, "ImmGetDescriptionA", f.GetDescription);
    return f;
  }();
  return functions;
}

// A window's input context for the length of one request.
class WindowContext {
 public:
  explicit WindowContext(HWND window) : window_(window) {
    if (Imm().GetContext && Imm().ReleaseContext) context_ = Imm().GetContext(window);
  }
  ~WindowContext() {
    if (context_) Imm().ReleaseContext(window_, context_);
  }
  WindowContext(const WindowContext&) = delete;
  WindowContext& operator=(const WindowContext&) = delete;
  HIMC Get() const { return context_; }

 private:
  HWND window_;
  HIMC context_ = nullptr;
};

// The installed input method of that name, or none.
HKL InputMethodNamed(const std::string& name) {
  if (name.empty() || !Imm().GetDescription) return nullptr;
  const int count = GetKeyboardLayoutList(0, nullptr);
  std::vector<HKL> layouts(static_cast<std::size_t>(count > 0 ? count : 0));
  if (layouts.empty() || GetKeyboardLayoutList(count, layouts.data()) != count) return nullptr;
  for (HKL layout : layouts) {
    char description[256] = {};
    if (Imm().GetDescription(layout, description, sizeof description) > 0 && name == description) return layout;
  }
  return nullptr;
}

}  // namespace

void TcxImeSwitch::Enter(HWND window, TImeMode mode, const std::string& imeName) {
  if (entered_) Leave(window);
  if (mode == imDontCare && imeName.empty()) return;
  entered_ = true;
  if (HKL layout = InputMethodNamed(imeName)) {
    const HKL current = GetKeyboardLayout(0);
    if (layout != current && ActivateKeyboardLayout(layout, 0)) previousLayout_ = current;
  }
  if (mode == imDisable) {
    if (!Imm().AssociateContext) return;
    previousContext_ = Imm().AssociateContext(window, nullptr);
    disabled_ = true;
    return;
  }
  if (mode != imOpen && mode != imClose) return;
  WindowContext context(window);
  if (!context.Get() || !Imm().GetOpenStatus || !Imm().SetOpenStatus) return;
  previousOpen_ = Imm().GetOpenStatus(context.Get()) ? 1 : 0;
  Imm().SetOpenStatus(context.Get(), mode == imOpen);
}

void TcxImeSwitch::Leave(HWND window) {
  if (!entered_) return;
  entered_ = false;
  if (disabled_) {
    Imm().AssociateContext(window, previousContext_);
    disabled_ = false;
    previousContext_ = nullptr;
  }
  if (previousOpen_ >= 0) {
    WindowContext context(window);
    if (context.Get()) Imm().SetOpenStatus(context.Get(), previousOpen_ == 1);
    previousOpen_ = -1;
  }
  if (previousLayout_) {
    ActivateKeyboardLayout(previousLayout_, 0);
    previousLayout_ = nullptr;
  }
}
