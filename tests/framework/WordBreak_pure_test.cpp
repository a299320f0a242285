#include "framework/WordBreak.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {
// Names as the start button writes them: two characters and a space each.
const std::u32string kNames = U"请请 请在 请这 ";
}  // namespace

TEST(WordBreak, RowsAndTheCaretStopOnlyAtTheStartsOfWords) {
  // A row that must end inside or right after a name ends before that name.
  for (int i = 4; i <= 6; ++i) EXPECT_EQ(wordbreak::Left(kNames, i), 3) << i;
  EXPECT_EQ(wordbreak::Left(kNames, 7), 6);
  EXPECT_EQ(wordbreak::Left(kNames, 3), 0);
  EXPECT_EQ(wordbreak::Left(kNames, 1), 0);
  EXPECT_EQ(wordbreak::Left(kNames, 0), 0);
  // Ctrl+Right from anywhere in a name, or from the space after it, goes to the next name.
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(wordbreak::Right(kNames, i), 3) << i;
  EXPECT_EQ(wordbreak::Right(kNames, 0), 3);
  EXPECT_EQ(wordbreak::Right(kNames, 4), 6);
  EXPECT_EQ(wordbreak::Right(kNames, 7), 9);  // the end of the text after the last name
  EXPECT_EQ(wordbreak::Right(U"", 0), 0);
  // Line breaks and ideographic spaces separate words too.
  EXPECT_EQ(wordbreak::Left(U"ab\r\ncd\u3000ef", 8), 7);
  EXPECT_EQ(wordbreak::Left(U"ab\r\ncd", 6), 4);
}

TEST(WordBreak, ADoubleClickTakesTheWholeWordAndNoSpace) {
  EXPECT_EQ(wordbreak::WordAt(kNames, 3), std::make_pair(3, 5));
  EXPECT_EQ(wordbreak::WordAt(kNames, 4), std::make_pair(3, 5));
  EXPECT_EQ(wordbreak::WordAt(kNames, 0), std::make_pair(0, 2));
  EXPECT_EQ(wordbreak::WordAt(U"a Velmora b", 5), std::make_pair(2, 9));
  // On a space or past the end: nothing.
  EXPECT_EQ(wordbreak::WordAt(kNames, 2), std::make_pair(2, 2));
  EXPECT_EQ(wordbreak::WordAt(kNames, 9), std::make_pair(9, 9));
}

TEST(WordBreak, ARunTooLongForARowBreaksBetweenCharactersButNeverBeforeAClosingMark) {
  const std::u32string usage = U"使用方法：在上方的9个输入框中输入汉字(或英文)，Velmora将组合出81";
  // Inside the first run of a row, each place where East Asian text may break, from the right.
  EXPECT_EQ(wordbreak::Left(usage, 5), 3);  // not before "："
  EXPECT_EQ(wordbreak::Left(usage, 4), 3);
  EXPECT_EQ(wordbreak::Left(usage, 3), 2);
  const int close = static_cast<int>(usage.find(U')'));
  EXPECT_EQ(wordbreak::Left(usage, close + 2), close - 1);  // not before ")" nor "，"
  const int open = static_cast<int>(usage.find(U'('));
  EXPECT_EQ(wordbreak::Left(usage, open + 2), open);  // not after "("
  // A Latin word and a number stay whole; next to East Asian letters they may break.
  const int latin = static_cast<int>(usage.find(U'V'));
  EXPECT_EQ(wordbreak::Left(usage, latin + 5), latin);
  EXPECT_EQ(wordbreak::Left(usage, static_cast<int>(usage.size()) - 1), static_cast<int>(usage.size()) - 2);
  EXPECT_EQ(wordbreak::Left(U"abcdefgh", 5), 0);
  // A run that a row holds whole is a word like any other.
  EXPECT_EQ(wordbreak::Left(U"请请在在 这", 4), 0);
  EXPECT_EQ(wordbreak::Left(usage, static_cast<int>(usage.size())), 0);
}
