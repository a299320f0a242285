#include "naming/CombineNames.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using naming::CombineNames;
using naming::Entries;

namespace {

// The names of row i, column j, straight from the definition.
std::string Expected(const Entries& e) {
  std::string out;
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 9; ++j) out += e[i] + e[j] + " ";
  return out;
}

std::size_t TotalLength(const Entries& e) {
  std::size_t n = 0;
  for (const auto& s : e) n += s.size();
  return n;
}

}  // namespace

TEST(CombineNames, InitialEntriesGiveTheWorkedExample) {
  // The boxes' opening texts, in code page 936.
  const Entries e = {"\xC7\xEB", "\xD4\xDA", "\xD5\xE2", "\xBE\xC5", "\xB8\xF6",
                     "\xBF\xF2", "\xCA\xE4", "\xC8\xEB", "\xD7\xD6"};
  const std::string r = CombineNames(e);
  EXPECT_EQ(r.size(), 81u * 5);  // 81 names of two double-byte characters and a space
  EXPECT_EQ(r.substr(0, 10), "\xC7\xEB\xC7\xEB \xC7\xEB\xD4\xDA ");               // 请请 请在
  EXPECT_EQ(r.substr(r.size() - 15), "\xD7\xD6\xCA\xE4 \xD7\xD6\xC8\xEB \xD7\xD6\xD7\xD6 ");  // 字输 字入 字字
  EXPECT_EQ(r.back(), ' ');
  EXPECT_EQ(r.find('\n'), std::string::npos);
}

TEST(CombineNames, EmptyAndPartlyEmptyEntries) {
  EXPECT_EQ(CombineNames(Entries{}), std::string(81, ' '));

  Entries e = {"a", "b", "c", "d", "", "f", "g", "h", "i"};
  const std::string r = CombineNames(e);
  EXPECT_EQ(r, Expected(e));
  // Row 5 holds the other entries alone; its fifth item is a single space.
  EXPECT_EQ(r.substr(4 * 26, 17), "a b c d  f g h i ");  // rows 1-4 are 26 bytes each
}

TEST(CombineNames, LongRepeatedAndSpacedEntriesAreUsedWhole) {
  Entries e = {" x", "yy ", "yy ", "long entry", "\xC7\xEB", "1", "2", "3", "4"};
  const std::string r = CombineNames(e);
  EXPECT_EQ(r, Expected(e));
  EXPECT_EQ(r.size(), 18 * TotalLength(e) + 81);
  EXPECT_NE(r.find("yy yy  "), std::string::npos);  // spaces inside entries stay
}

TEST(CombineNames, LargeEntriesKeepExactLengthAndContent) {
  Entries e;
  for (int k = 0; k < 9; ++k) e[k] = std::string(10000, static_cast<char>('A' + k));
  const std::string r = CombineNames(e);
  ASSERT_EQ(r.size(), 18u * 90000 + 81);
  EXPECT_EQ(r, Expected(e));
}

TEST(CombineNames, ArbitraryBytesIncludingNulPassThrough) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> byte(0, 255), len(0, 64);
  for (int round = 0; round < 200; ++round) {
    Entries e;
    for (auto& s : e) {
      s.resize(len(rng));
      for (auto& c : s) c = static_cast<char>(byte(rng));
    }
    e[round % 9].push_back('\0');
    const std::string r = CombineNames(e);
    ASSERT_EQ(r.size(), 18 * TotalLength(e) + 81);
    ASSERT_EQ(r, Expected(e));
  }
}
