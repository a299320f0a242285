#include "tests/support/GdiTrace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

// How the child is started, and why not simply with CreateProcessA and a pipe: Wine writes its
// trace to the Unix standard error of the process (fd 2), which a Windows child inherits from
// its parent whatever hStdError says, so a pipe given as hStdError stays empty. The child is
// therefore started through a Unix shell (Wine starts a non-PE file given to CreateProcessA as a
// Unix program) that points the child's fd 2, and its standard output, at a temporary file. Wine
// does not track Unix processes (no handle to wait on, no exit code), so the shell writes the
// child's exit status into a second file when it ends, and the parent waits for that file.
// Wine's helper processes started on the way inherit the trace channel too: lines carry the
// process id (+pid) and only the child's own lines count.

namespace {

constexpr char kChildVariable[] = "NAMEGEN_GDI_TRACE_CHILD";
constexpr char kMarkPrefix[] = "namegen-gdi-mark ";

// Quotes one argument for a command line as CommandLineToArgvW splits it.
std::string QuoteArgument(const std::string& arg) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

using UnixFileName = char*(CDECL*)(const WCHAR*);

std::string UnixPath(const std::wstring& windowsPath) {
  const auto toUnix = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) throw std::runtime_error("GDI tracing needs Wine (wine_get_unix_file_name)");
  char* unix = toUnix(windowsPath.c_str());
  if (!unix) throw std::runtime_error("no Unix path for a Windows file");
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

std::wstring TempFileName() {
  wchar_t dir[MAX_PATH], name[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, dir) || !GetTempFileNameW(dir, L"gdi", 0, name))
    throw std::runtime_error("cannot make a temporary file for the GDI trace");
  return name;
}

// "0123:0456:trace:gdi:alloc_gdi_handle allocated ... 17/65536" -> process 0x123, 17 live.
// Wine prints the count after counting an allocation but before counting a release, so a
// "freed" line's figure is one above what is left.
bool ParseTraceLine(const std::string& line, unsigned long& pid, long& count) {
  const size_t total = line.rfind("/65536");
  if (total == std::string::npos || line.find(":trace:gdi:") == std::string::npos) return false;
  const size_t start = line.find_last_of(' ', total);
  if (start == std::string::npos) return false;
  pid = std::strtoul(line.c_str(), nullptr, 16);
  count = std::strtol(line.c_str() + start + 1, nullptr, 10);
  if (line.find(" freed ") != std::string::npos) --count;
  return true;
}

}  // namespace

bool IsGdiTraceChild() { return GetEnvironmentVariableA(kChildVariable, nullptr, 0) != 0; }

void GdiMark(const char* label) {
  std::fprintf(stderr, "%s%lx %s\n", kMarkPrefix, GetCurrentProcessId(), label);
  std::fflush(stderr);
}

GdiTrace RunGdiTraced(const std::string& testName, unsigned long timeoutMs) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring log = TempFileName();
  const std::wstring status = log + L".status";
  const std::string logPath = UnixPath(log);

  // Positional parameters keep the paths out of the shell's parsing.
  const std::string script =
      "NAMEGEN_GDI_TRACE_CHILD=1 WINEDEBUG=+pid,+gdi \"${WINELOADER:-wine}\" \"$1\" "
      "--gtest_filter=\"$2\" >>\"$3\" 2>&1; echo $? >\"$3.status.tmp\"; "
      "mv \"$3.status.tmp\" \"$3.status\"";
  std::string command = "/bin/sh -c " + QuoteArgument(script) + " sh " +
                        QuoteArgument(UnixPath(self)) + " " + QuoteArgument(testName) + " " +
                        QuoteArgument(logPath);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    throw std::runtime_error("cannot start /bin/sh for the GDI trace");
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);

  const DWORD started = GetTickCount();
  while (GetFileAttributesW(status.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - started > timeoutMs) {
      DeleteFileW(log.c_str());
      throw std::runtime_error("the GDI-traced test " + testName + " did not end in time");
    }
    Sleep(20);
  }

  GdiTrace trace;
  std::map<unsigned long, long> live;  // per process: Wine's helpers trace too
  bool closed = false, failed = false;
  std::ifstream in(logPath, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    unsigned long pid = 0;
    long count = 0;
    if (ParseTraceLine(line, pid, count)) {
      live[pid] = count;
    } else if (line.rfind(kMarkPrefix, 0) == 0) {
      char* label = nullptr;
      pid = std::strtoul(line.c_str() + sizeof kMarkPrefix - 1, &label, 16);
      trace.marks[label + 1] = live.count(pid) ? live[pid] : -1;
    } else if (line.find(":trace:") == std::string::npos) {
      closed = closed || (line.rfind("[==========]", 0) == 0 && line.find(" ran.") != std::string::npos);
      failed = failed || line.rfind("[  FAILED  ]", 0) == 0;
      trace.output += line + "\n";
    }
  }
  in.close();
  std::ifstream statusFile(UnixPath(status));
  statusFile >> trace.exitCode;
  statusFile.close();
  DeleteFileW(log.c_str());
  DeleteFileW(status.c_str());
  trace.passed = closed && !failed && trace.exitCode == 0;
  return trace;
}
