#include <gtest/gtest.h>

#include "framework/Forms.h"

// Windows tests run with the application object in place, as the program does.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  TApplication application;
  return RUN_ALL_TESTS();
}
