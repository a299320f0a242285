#pragma once
#include <windows.h>

#include <string>

// The real program, started as its own process next to the test program.
namespace testing_support {

inline std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1) + "NameGen.exe";
}

class Program {
 public:
  // Started from `path`, in the current folder `folder` (by default this process's).
  explicit Program(int showCommand, const std::string& path = ProgramPath(), const std::string& folder = {}) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
    std::string command = "\"" + path + "\"";
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &si, &info_);
    if (started_) WaitForInputIdle(info_.hProcess, 5000);
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }

  // The process's top-level window of a class, waiting for it to appear.
  HWND Window(const char* windowClass) {
    struct Search {
      DWORD pid;
      const char* cls;
      HWND found;
    } search{info_.dwProcessId, windowClass, nullptr};
    for (int i = 0; i < 400 && !search.found; ++i) {
      EnumWindows(
          [](HWND h, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            char cls[64] = {};
            GetClassNameA(h, cls, sizeof cls);
            if (pid == s->pid && std::string(cls) == s->cls) {
              s->found = h;
              return FALSE;
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&search));
      if (!search.found) Sleep(25);
    }
    return search.found;
  }
  HWND MainWindow() {
    HWND h = Window("TForm1");
    for (int i = 0; i < 400 && h && !IsWindowVisible(h) && !IsIconic(Window("TApplication")); ++i) Sleep(25);
    return h;
  }

  DWORD Id() const { return info_.dwProcessId; }
  bool Running() { return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

  // Exit code once the process has ended, or -1 if it is still running after the wait.
  long ExitCode(DWORD waitMs = 10000) {
    if (WaitForSingleObject(info_.hProcess, waitMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

}  // namespace testing_support
