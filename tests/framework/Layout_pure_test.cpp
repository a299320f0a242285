#include "framework/Layout.h"

#include <gtest/gtest.h>

namespace {
const TRect kPlaced = Bounds(10, 20, 30, 40);  // in a 200 x 100 area
const TSize kArea{200, 100};
}  // namespace

TEST(AnchoredBounds, KeepsTheDistancesToTheAnchoredSides) {
  const TSize grown{260, 150};
  EXPECT_EQ(AnchoredBounds({akLeft, akTop}, kPlaced, kArea, grown), kPlaced);
  EXPECT_EQ(AnchoredBounds({akRight, akBottom}, kPlaced, kArea, grown), Bounds(70, 70, 30, 40));
  EXPECT_EQ(AnchoredBounds({akLeft, akRight, akTop}, kPlaced, kArea, grown), Bounds(10, 20, 90, 40));
  EXPECT_EQ(AnchoredBounds({akLeft, akTop, akBottom}, kPlaced, kArea, grown), Bounds(10, 20, 30, 90));
  // Stretched below nothing it keeps no negative size.
  EXPECT_EQ(AnchoredBounds({akLeft, akRight, akTop}, kPlaced, kArea, {100, 100}), Bounds(10, 20, 0, 40));
}

TEST(AnchoredBounds, UnanchoredAxisKeepsTheCentresRelativePlace) {
  // Centre at 25 of 200 and 40 of 100: at 400 x 300 it is at 50 and 120.
  EXPECT_EQ(AnchoredBounds({}, kPlaced, kArea, {400, 300}), Bounds(35, 100, 30, 40));
  EXPECT_EQ(AnchoredBounds({akTop}, kPlaced, kArea, {400, 300}), Bounds(35, 20, 30, 40));
  // An area that had no size gives nothing to keep in proportion.
  EXPECT_EQ(AnchoredBounds({}, kPlaced, {0, 0}, {400, 300}), kPlaced);
}

TEST(ConstrainSize, LimitsEachSideAndZeroIsNoLimit) {
  int w = 5, h = 500;
  ConstrainSize({10, 20, 100, 200}, w, h);
  EXPECT_EQ(w, 10);
  EXPECT_EQ(h, 200);
  w = 5, h = 500;
  ConstrainSize({}, w, h);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 500);
  // A minimum above the maximum: the maximum wins.
  w = 50, h = 50;
  ConstrainSize({80, 0, 60, 0}, w, h);
  EXPECT_EQ(w, 60);
}
