#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/lookandfeel/cxLookAndFeelPainters.h"
#include "controls/lookandfeel/dxThemeManager.h"
#include "framework/Application.h"
#include "tests/controls/lookandfeel/UxThemeStandIn.h"
#include "tests/support/TestMain.h"

namespace {

// A notificator that destroys itself when told (its handler captures nothing).
std::unique_ptr<TdxThemeChangedNotificator> g_selfDestroying;
std::vector<int> g_told;

// Runs the service on the stand-in system and gives the real one back afterwards.
struct ThemeServiceFixture : testing::Test {
  void Start() { standIn.Start(); }
  HTHEME Handle(int n) { return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(n)); }
  uxtheme_tests::UxThemeStandIn standIn;
  uxtheme_tests::FakeUxTheme& fake = standIn.fake;
};

}  // namespace

using ThemeService = ThemeServiceFixture;

TEST_F(ThemeService, BeforeVersionFivePointOneTheLibraryIsNotEvenLookedFor) {
  fake.major = 5;
  fake.minor = 0;
  Start();
  EXPECT_TRUE(fake.loaded.empty());
  EXPECT_FALSE(UxThemeLibraryLoaded());
  EXPECT_FALSE(ThemesAvailable());
  EXPECT_EQ(OpenTheme(totButton), nullptr);
  EXPECT_EQ(dxThemeChangeReceiver(), nullptr);
  TdxThemeChangedNotificator notificator;
  EXPECT_EQ(dxThemeChangedNotificatorCount(), 0);
  EXPECT_TRUE(dxVisualStylesPossible(5, 1));
  EXPECT_TRUE(dxVisualStylesPossible(6, 0));
  EXPECT_FALSE(dxVisualStylesPossible(4, 90));
}

TEST_F(ThemeService, WithoutTheLibraryThemesAreNeverAvailable) {
  fake.hasLibrary = false;
  Start();
  EXPECT_EQ(fake.loaded, std::vector<std::string>{"UxTheme.dll"});
  EXPECT_TRUE(fake.lookedUp.empty());
  EXPECT_FALSE(ThemesAvailable());
  EXPECT_EQ(OpenTheme(totEdit), nullptr);
  EXPECT_EQ(dxThemeChangeReceiver(), nullptr);
  dxThemeManagerFinalize();
  EXPECT_EQ(fake.freed, 0);
}

TEST_F(ThemeService, LoadsTheLibraryAndLooksUpEveryFunctionByName) {
  Start();
  ASSERT_TRUE(UxThemeLibraryLoaded());
  ASSERT_EQ(fake.lookedUp.size(), 46u);
  EXPECT_EQ(fake.lookedUp.front(), "CloseThemeData");
  EXPECT_EQ(fake.lookedUp[13], "GetThemeColor");
  EXPECT_EQ(fake.lookedUp.back(), "SetWindowTheme");
  EXPECT_NE(UxTheme().OpenThemeData, nullptr);
  EXPECT_EQ(UxTheme().DrawThemeBackground, nullptr);  // this library lacks it
  EXPECT_TRUE(dxThemesActive());
  EXPECT_TRUE(ThemesAvailable());
  HWND receiver = dxThemeChangeReceiver();
  ASSERT_TRUE(IsWindow(receiver));
  EXPECT_EQ(GetParent(receiver), nullptr);  // top level: only those hear of theme changes
  EXPECT_FALSE(IsWindowVisible(receiver));

  dxThemeManagerFinalize();
  EXPECT_FALSE(IsWindow(receiver));
  EXPECT_EQ(fake.freed, 1);
  EXPECT_FALSE(UxThemeLibraryLoaded());
  EXPECT_FALSE(dxThemesActive());
  EXPECT_EQ(UxTheme().OpenThemeData, nullptr);
}

TEST_F(ThemeService, ThemesAreOpenedOncePerClassAndNameAndClosedOnRequest) {
  Start();
  EXPECT_EQ(OpenTheme(totButton), Handle(1));
  EXPECT_EQ(OpenTheme(totButton), Handle(1));
  EXPECT_EQ(OpenTheme(totListView), Handle(2));
  EXPECT_EQ(fake.opened, (std::vector<std::wstring>{L"Button", L"ListView"}));
  EXPECT_EQ(dxThemedObjectTypeName(totTrayNotify), std::string("TrayNotify"));
  EXPECT_EQ(dxThemedObjectTypeName(totWindow), std::string("Window"));

  // Another name for the class closes its handle and opens anew.
  EXPECT_EQ(OpenTheme(totButton, "Edit"), Handle(3));
  EXPECT_EQ(fake.closed, std::vector<HTHEME>{Handle(1)});
  EXPECT_EQ(OpenTheme(totButton, "Edit"), Handle(3));
  EXPECT_EQ(OpenTheme(totButton), Handle(4));

  // A class that does not open makes the set unavailable, and its failure is remembered: the
  // library is not asked again at every paint.
  EXPECT_EQ(OpenTheme(totClock), nullptr);
  EXPECT_TRUE(ThemesAvailable({totButton, totListView}));
  EXPECT_FALSE(ThemesAvailable({totButton, totClock}));
  EXPECT_EQ(OpenTheme(totClock), nullptr);
  EXPECT_EQ(std::count(fake.opened.begin(), fake.opened.end(), std::wstring(L"Clock")), 1);
  // Closed (as on a theme change), it is asked once more.
  CloseTheme(totClock);
  EXPECT_EQ(OpenTheme(totClock), nullptr);
  EXPECT_EQ(std::count(fake.opened.begin(), fake.opened.end(), std::wstring(L"Clock")), 2);

  fake.closed.clear();
  CloseTheme(totListView);
  EXPECT_EQ(fake.closed, std::vector<HTHEME>{Handle(2)});
  CloseAllThemes();
  EXPECT_EQ(fake.closed, (std::vector<HTHEME>{Handle(2), Handle(4)}));
  CloseAllThemes();
  EXPECT_EQ(fake.closed.size(), 2u);

  fake.themeActive = FALSE;
  dxThemeManagerFinalize();
  Start();
  EXPECT_FALSE(ThemesAvailable());
  EXPECT_EQ(OpenTheme(totButton), nullptr);
}

TEST_F(ThemeService, TheNativePainterTakesItsSidesAndSmallSizesFromTheTheme) {
  const TcxCustomLookAndFeelPainter& native = TcxWinXPLookAndFeelPainter::Instance();
  const TcxCustomLookAndFeelPainter& standard = TcxStandardLookAndFeelPainter::Instance();
  Start();
  // The themed header item frames the left, right and bottom: 2, 3 and 1 pixels.
  EXPECT_EQ(native.BorderSides(), (TcxBorders{bLeft, bRight, bBottom}));
  EXPECT_EQ(native.BorderSize(), 3);
  EXPECT_EQ(native.ContentInset(), 2);
  EXPECT_EQ(native.SeparatorSize(), 1);
  // Without visual styles, the standard painter's.
  fake.themeActive = FALSE;
  dxThemeManagerFinalize();
  Start();
  EXPECT_EQ(native.BorderSides(), standard.BorderSides());
  EXPECT_EQ(native.BorderSize(), standard.BorderSize());
  EXPECT_EQ(native.ContentInset(), standard.ContentInset());
  EXPECT_EQ(native.SeparatorSize(), standard.SeparatorSize());
}

TEST_F(ThemeService, AThemeChangeClosesHandlesRereadsTheFlagAndTellsEveryNotificatorInOrder) {
  Start();
  std::vector<int>& told = g_told;
  told.clear();
  g_selfDestroying = std::make_unique<TdxThemeChangedNotificator>();
  TdxThemeChangedNotificator second, third;
  g_selfDestroying->OnThemeChanged = [](TObject*) {
    g_told.push_back(1);
    g_selfDestroying.reset();  // goes away while told: the next one is still told
  };
  second.OnThemeChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, &second);
    told.push_back(2);
  };
  third.OnThemeChanged = [&](TObject*) { told.push_back(3); };
  EXPECT_EQ(dxThemeChangedNotificatorCount(), 3);
  ASSERT_EQ(OpenTheme(totHeader), Handle(1));

  fake.themeActive = FALSE;
  EXPECT_EQ(SendMessageA(dxThemeChangeReceiver(), WM_THEMECHANGED, 0, 0), 0);
  EXPECT_EQ(told, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(fake.closed, std::vector<HTHEME>{Handle(1)});
  EXPECT_FALSE(ThemesAvailable());
  EXPECT_EQ(dxThemeChangedNotificatorCount(), 2);

  fake.themeActive = TRUE;
  SendMessageA(dxThemeChangeReceiver(), WM_THEMECHANGED, 0, 0);
  EXPECT_TRUE(ThemesAvailable());
  EXPECT_EQ(OpenTheme(totHeader), Handle(2));
  EXPECT_EQ(told.size(), 5u);

  // A failure in a notificator goes to the application's handler.
  std::string reported;
  Application->SetErrorBoxHandler([&](HWND, const std::string& text, const std::string&) { reported = text; });
  third.OnThemeChanged = [](TObject*) { throw std::runtime_error("theme failure"); };
  SendMessageA(dxThemeChangeReceiver(), WM_THEMECHANGED, 0, 0);
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_NE(reported.find("theme failure"), std::string::npos);

  // Without the library the list is gone; notificators outliving it go quietly.
  dxThemeManagerFinalize();
  EXPECT_EQ(dxThemeChangedNotificatorCount(), 0);
}

TEST(ThemeServiceOfThisSystem, IsLoadedWithEveryFunction) {
  uxtheme_tests::SystemThemeService started;
  ASSERT_TRUE(UxThemeLibraryLoaded());
  const TdxUxThemeFunctions& f = UxTheme();
  EXPECT_NE(f.OpenThemeData, nullptr);
  EXPECT_NE(f.DrawThemeBackground, nullptr);
  EXPECT_NE(f.GetThemeBackgroundContentRect, nullptr);
  EXPECT_NE(f.IsThemeActive, nullptr);
  EXPECT_TRUE(IsWindow(dxThemeChangeReceiver()));
  EXPECT_EQ(dxThemesActive(), f.IsThemeActive() != FALSE);
  EXPECT_EQ(ThemesAvailable(), dxThemesActive());
}

// The theme service and the painters start when the program, or a test, starts them: no object of
// the editors makes a window before the program starts.
TEST(EditorsStart, NoWindowIsMadeBeforeTheProgramStarts) { EXPECT_EQ(testing_support::WindowsBeforeMain(), 0); }
