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

namespace {
// Lead bytes of code page 936.
bool Cp936Lead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool NoLead(unsigned char) { return false; }
}  // namespace

TEST(DefaultApplicationTitle, IsTheProgramNameWithItsFirstCharacterKept) {
  EXPECT_EQ(DefaultApplicationTitle("C:\\Program Files\\Tools\\NameGen.exe", Cp936Lead), "Namegen");
  EXPECT_EQ(DefaultApplicationTitle("/work/bin/ui_tests.exe", Cp936Lead), "ui_tests");
  EXPECT_EQ(DefaultApplicationTitle("Z:\\a.b\\MY.APP.EXE", Cp936Lead), "My.app");
  EXPECT_EQ(DefaultApplicationTitle("NOEXT", NoLead), "Noext");
  EXPECT_EQ(DefaultApplicationTitle("", Cp936Lead), "");
}

TEST(DefaultApplicationTitle, LowerCasesCharactersNotBytes) {
  // Second bytes in A..Z stay as they are; single-byte letters around them are lowered.
  EXPECT_EQ(DefaultApplicationTitle("C:\\\xB9\xA4\xBE\xDF\\X\x81\x41Y\x95\x5A.EXE", Cp936Lead), "X\x81\x41y\x95\x5A");
  // A double-byte first character is kept whole.
  EXPECT_EQ(DefaultApplicationTitle("\x81\x41" "BC.exe", Cp936Lead), "\x81\x41" "bc");
  // A second byte that looks like a path separator separates nothing.
  EXPECT_EQ(DefaultApplicationTitle("D:\\A\x81\x5C" "B.EXE", Cp936Lead), "A\x81\x5C" "b");
  // Without double-byte characters every byte is a character.
  EXPECT_EQ(DefaultApplicationTitle("D:\\A\x81\x5C" "B.EXE", NoLead), "B");
}
