#include "framework/AppTitle.h"
#include "framework/Exception.h"
#include "framework/Geometry.h"

#include <gtest/gtest.h>

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(ErrorBoxText("Cannot open clipboard"), "Cannot open clipboard.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("What!"), "What!");          // '!' is below '.'
  EXPECT_EQ(ErrorBoxText("Path/"), "Path/.");         // '/' is just above '.'
  EXPECT_EQ(ErrorBoxText("\xCA\xA7\xB0\xDC"), "\xCA\xA7\xB0\xDC.");  // a double-byte character
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(FormatMessage1, PutsTheArgumentInPlaceOfPercentS) {
  EXPECT_EQ(FormatMessage1("Control '%s' has no parent window", "Label1"),
            "Control 'Label1' has no parent window");
  EXPECT_EQ(FormatMessage1("no placeholder", "x"), "no placeholder");
}

TEST(MulDivRound, RoundsHalvesAwayFromZeroLikeThePlatform) {
  EXPECT_EQ(MulDivRound(8, 7, 4), 14);
  EXPECT_EQ(MulDivRound(10, 13, 8), 16);   // 16.25
  EXPECT_EQ(MulDivRound(14, 13, 8), 23);   // 22.75
  EXPECT_EQ(MulDivRound(5, 1, 2), 3);      // 2.5 -> 3
  EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
  EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

TEST(DefaultApplicationTitle, IsTheProgramNameWithItsFirstCharacterKept) {
  EXPECT_EQ(DefaultApplicationTitle("C:\\Program Files\\Tools\\NameGen.exe"), "Namegen");
  EXPECT_EQ(DefaultApplicationTitle("/work/bin/ui_tests.exe"), "ui_tests");
  EXPECT_EQ(DefaultApplicationTitle("Z:\\a.b\\MY.APP.EXE"), "My.app");
  EXPECT_EQ(DefaultApplicationTitle("NOEXT"), "Noext");
}
