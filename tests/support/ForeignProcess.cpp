#include "tests/support/ForeignProcess.h"

#include <string>

namespace testing_support {

ForeignWindow::ForeignWindow(const TRect& r, const void* property) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string exe = path;
  exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "foreign_window.exe";
  char args[160];
  wsprintfA(args, " %d %d %d %d %p", r.Left, r.Top, r.Width(), r.Height(), property);
  std::string command = "\"" + exe + "\"" + args;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_)) return;
  started_ = true;
  for (int i = 0; i < 400 && !window_; ++i) {
    window_ = FindWindowA("NameGenForeignWindow", nullptr);
    if (!window_ || !IsWindowVisible(window_)) window_ = nullptr, Sleep(25);
  }
}

ForeignWindow::~ForeignWindow() {
  if (!started_) return;
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

}  // namespace testing_support
