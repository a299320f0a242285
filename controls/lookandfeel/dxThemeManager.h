#pragma once
#include <windows.h>
#include <uxtheme.h>

#include <cstdint>
#include <string>

#include "controls/lookandfeel/dxUxTheme.h"
#include "framework/Controls.h"
#include "framework/Sets.h"

// The visual-styles service: whether themes are active, the theme handles of the classes the
// library draws (opened once and cached), and the notice of a theme change.

enum TdxThemedObjectType : std::uint8_t {
  totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListView, totMenu, totPage, totProgress,
  totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab, totTaskBand, totTaskBar, totToolBar,
  totToolTip, totTrackBar, totTrayNotify, totTreeView, totWindow
};
constexpr int dxThemedObjectTypeCount = totWindow + 1;
using TdxThemedObjectTypes = TSet<TdxThemedObjectType>;

// The theme class name of a type ("Button", "ListView", ...).
const char* dxThemedObjectTypeName(TdxThemedObjectType type);

// Themes are active and the library is loaded; with classes given, each of them also opens.
bool ThemesAvailable(TdxThemedObjectTypes classes = {});
// The theme handle of a class, opened with `name` (the class's own name when empty) and cached;
// 0 when themes are not available or the class does not open.
HTHEME OpenTheme(TdxThemedObjectType type, const std::string& name = "");
void CloseTheme(TdxThemedObjectType type);
void CloseAllThemes();
// The flag that themes are active, as the system last reported it.
bool dxThemesActive();

// Tells of each theme change while it exists (and the theme library is loaded).
class TdxThemeChangedNotificator : public TObject {
 public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;
  TdxThemeChangedNotificator(const TdxThemeChangedNotificator&) = delete;
  TdxThemeChangedNotificator& operator=(const TdxThemeChangedNotificator&) = delete;

  TNotifyEvent OnThemeChanged;
};
// Notificators in the process-wide list.
int dxThemeChangedNotificatorCount();

// The service's start and end: load the library, read the themes-active flag and make the hidden
// window that receives the theme-change notice; at the end, the reverse. The program starts the
// service before its first window and ends it after its last; a test that needs it starts and
// ends it itself, also on a stand-in system.
void dxThemeManagerInitialize(const TdxUxThemeSystem& system = dxSystemUxTheme());
void dxThemeManagerFinalize();
// The hidden window that receives WM_THEMECHANGED; none without the library.
HWND dxThemeChangeReceiver();
