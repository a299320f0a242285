#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/Input.h"
#include "ui/Uname.h"

// The main window, shown in front with the focus in it; Prepare runs before it is shown.
struct MainWindowTest : testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm1>(nullptr);
    Prepare(*form);
    form->Show();
    SetForegroundWindow(form->Handle());
    testing_support::PumpUntil([&] {
      return GetForegroundWindow() == form->Handle() && testing_support::FocusedControl() != nullptr;
    });
  }
  virtual void Prepare(TForm1&) {}
  std::unique_ptr<TForm1> form;
};
