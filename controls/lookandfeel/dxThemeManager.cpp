#include "controls/lookandfeel/dxThemeManager.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/CommonControls.h"
#include "framework/UtilWindow.h"

namespace {

const char* const kTypeNames[dxThemedObjectTypeCount] = {
    "Button", "Clock", "ComboBox", "Edit", "ExplorerBar", "Header", "ListView", "Menu",
    "Page", "Progress", "Rebar", "ScrollBar", "Spin", "StartPanel", "Status", "Tab",
    "TaskBand", "TaskBar", "ToolBar", "ToolTip", "TrackBar", "TrayNotify", "TreeView", "Window"};

struct CachedTheme {
  HTHEME Handle = nullptr;
  std::string Name;
  bool Failed = false;  // the class did not open: not asked again until the theme changes
};
CachedTheme g_themes[dxThemedObjectTypeCount];

bool g_themesActive = false;

bool SystemThemeActive() { return UxTheme().IsThemeActive && UxTheme().IsThemeActive(); }

using NotificatorList = std::vector<TdxThemeChangedNotificator*>;
std::unique_ptr<NotificatorList> g_notificators;

void NotifyThemeChanged() {
  if (!g_notificators) return;
  NotificatorList& list = *g_notificators;
  for (std::size_t i = 0; i < list.size();) {
    TdxThemeChangedNotificator* n = list[i];
    if (n->OnThemeChanged) n->OnThemeChanged(n);
    // One that went away during its event leaves its place to the next.
    if (i < list.size() && list[i] == n) ++i;
  }
}

// The hidden window that hears of theme changes (a top-level one: only those are told).
class TdxThemeChangeReceiver {
 public:
  TdxThemeChangeReceiver()
      : window_("TdxThemeChangeReceiver", [this](UINT msg, WPARAM w, LPARAM l) { return Handle(msg, w, l); },
                false) {}
  ~TdxThemeChangeReceiver() = default;
  HWND Window() const { return window_.Handle(); }

 private:
  LRESULT Handle(UINT msg, WPARAM w, LPARAM l) {
    if (msg != WM_THEMECHANGED) return DefWindowProcA(window_.Handle(), msg, w, l);
    CloseAllThemes();
    DefWindowProcA(window_.Handle(), msg, w, l);
    g_themesActive = SystemThemeActive();
    NotifyThemeChanged();
    return 0;
  }
  TUtilWindow window_;
};
std::unique_ptr<TdxThemeChangeReceiver> g_receiver;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

const char* dxThemedObjectTypeName(TdxThemedObjectType type) { return kTypeNames[type]; }

bool dxThemesActive() { return g_themesActive; }

bool ThemesAvailable(TdxThemedObjectTypes classes) {
  if (!g_themesActive || !UxThemeLibraryLoaded()) return false;
  for (int i = 0; i < dxThemedObjectTypeCount; ++i) {
    const auto type = static_cast<TdxThemedObjectType>(i);
    if (classes.Contains(type) && !OpenTheme(type)) return false;
  }
  return true;
}

HTHEME OpenTheme(TdxThemedObjectType type, const std::string& name) {
  if (!ThemesAvailable() || !UxTheme().OpenThemeData) return nullptr;
  const std::string className = name.empty() ? kTypeNames[type] : name;
  CachedTheme& cached = g_themes[type];
  if ((cached.Handle || cached.Failed) && cached.Name == className) return cached.Handle;
  CloseTheme(type);
  cached.Handle = UxTheme().OpenThemeData(nullptr, Wide(className).c_str());
  cached.Name = className;
  cached.Failed = !cached.Handle;
  return cached.Handle;
}

void CloseTheme(TdxThemedObjectType type) {
  CachedTheme& cached = g_themes[type];
  if (cached.Handle && UxTheme().CloseThemeData) UxTheme().CloseThemeData(cached.Handle);
  cached = CachedTheme{};
}

void CloseAllThemes() {
  for (int i = 0; i < dxThemedObjectTypeCount; ++i) CloseTheme(static_cast<TdxThemedObjectType>(i));
}

// ---------------------------------------------------------------------------------------------
// TdxThemeChangedNotificator

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (UxThemeLibraryLoaded() && g_notificators) g_notificators->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (!g_notificators) return;
  auto it = std::find(g_notificators->begin(), g_notificators->end(), this);
  if (it != g_notificators->end()) g_notificators->erase(it);
}

int dxThemeChangedNotificatorCount() { return g_notificators ? static_cast<int>(g_notificators->size()) : 0; }

// ---------------------------------------------------------------------------------------------
// Start and end

void dxThemeManagerInitialize(const TdxUxThemeSystem& system) {
  if (UxThemeLibraryLoaded()) return;
  const bool possible = dxVisualStylesPossible(system);
  commctrl::InitCommonControls();
  if (!possible || !LoadUxThemeLibrary(system)) return;
  g_themesActive = SystemThemeActive();
  g_receiver = std::make_unique<TdxThemeChangeReceiver>();
  g_notificators = std::make_unique<NotificatorList>();
}

void dxThemeManagerFinalize() {
  g_receiver.reset();
  g_themesActive = false;
  CloseAllThemes();
  g_notificators.reset();
  FreeUxThemeLibrary();
}

HWND dxThemeChangeReceiver() { return g_receiver ? g_receiver->Window() : nullptr; }
