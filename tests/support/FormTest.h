#pragma once
#include <gtest/gtest.h>

#include "framework/Forms.h"

namespace testing_support {

// A test with a form of its own, made by the fixture's SetUp and deleted after the test with
// every control on it.
struct FormTest : testing::Test {
  void MakeForm(int left, int top, int width, int height) {
    form = new TForm(nullptr);
    form->SetBounds(left, top, width, height);
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
};

}  // namespace testing_support
