// Start-up, idle cost and memory of the program against its floor (bench_floor: the same window
// tree from plain system controls), measured in one run and printed side by side:
//   1. start to idle: from process creation until the program has shown its window and waits for
//      input with nothing left to do; the median of alternating launches of the two;
//   2. working set and CPU time: both programs running side by side, idle, over a period
//      (default 60 seconds); the working set at its end.
// Usage: bench_startup [--runs N] [--seconds S]   (defaults 9 and 60)
// Both programs are taken from this program's folder.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

std::string Beside(const char* file) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1) + file;
}

// The process's visible top-level window with the largest area (its main window), or nullptr.
HWND MainWindowOf(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
    long area;
  } search{pid, nullptr, 0};
  EnumWindows(
      [](HWND h, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        RECT r;
        if (owner == s->pid && IsWindowVisible(h) && GetWindowRect(h, &r)) {
          const long area = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
          if (area > s->area) s->found = h, s->area = area;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Wine does not answer GetProcessTimes for another process (it gives the caller's own), so CPU time is read where the
// system keeps it: /proc/<pid>/stat of the Unix process that runs the program, found by its name
// and by the Wine prefix in its environment (other prefixes may run copies of the same program).
std::string ReadUnixFile(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

double UnixCpuSeconds(const std::string& exeName) {
  char prefix[MAX_PATH] = {};
  GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
  const std::string marker = std::string("WINEPREFIX=") + prefix + '\0';
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  double seconds = -1;
  do {
    const std::string pid = entry.cFileName;
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string comm = ReadUnixFile("/proc/" + pid + "/comm");
    while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r')) comm.pop_back();
    if (comm != exeName.substr(0, 15)) continue;
    if (ReadUnixFile("/proc/" + pid + "/environ").find(marker) == std::string::npos) continue;
    // Fields after the parenthesised name: state is field 3; utime and stime are 14 and 15.
    const std::string stat = ReadUnixFile("/proc/" + pid + "/stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::vector<std::string> fields;
    std::size_t at = close + 2;
    while (at < stat.size()) {
      const std::size_t end = stat.find(' ', at);
      fields.push_back(stat.substr(at, end - at));
      if (end == std::string::npos) break;
      at = end + 1;
    }
    if (fields.size() < 13) continue;
    seconds = (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) / 100.0;  // USER_HZ
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return seconds;
}

class Process {
 public:
  explicit Process(const std::string& path) : path_(path) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::string command = "\"" + path + "\"";
    start_ = NowMs();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
      throw std::runtime_error("cannot start " + path);
  }
  ~Process() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      if (HWND main = MainWindowOf(info_.dwProcessId)) PostMessageA(main, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Milliseconds from creation until the window is shown and the process waits for input.
  double WaitUntilIdle() {
    if (WaitForInputIdle(info_.hProcess, 30000) != 0) throw std::runtime_error(path_ + " did not become idle");
    const double idle = NowMs() - start_;
    for (int i = 0; i < 3000 && !MainWindowOf(info_.dwProcessId); ++i) Sleep(1);
    if (!MainWindowOf(info_.dwProcessId)) throw std::runtime_error(path_ + " showed no window");
    return idle;
  }
  double CpuSeconds() const { return UnixCpuSeconds(path_.substr(path_.find_last_of("\\/") + 1)); }
  double WorkingSetMb() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof(counters))) return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
  }
  double PeakWorkingSetMb() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof(counters))) return -1;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
  }

 private:
  std::string path_;
  PROCESS_INFORMATION info_{};
  double start_ = 0;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Row(const char* what, double program, double floor, const char* unit) {
  std::printf("%-28s %10.2f %10.2f %s   ratio %.2f\n", what, program, floor, unit, floor > 0 ? program / floor : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 9, seconds = 60;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--runs")) runs = std::max(1, std::atoi(argv[i + 1]));
    if (!std::strcmp(argv[i], "--seconds")) seconds = std::max(1, std::atoi(argv[i + 1]));
  }
  const std::string program = Beside("NameGen.exe"), floor = Beside("bench_floor.exe");
  try {
    // One launch of each first: Wine maps its libraries and fonts into the cache.
    for (const std::string& path : {program, floor}) Process(path).WaitUntilIdle();

    std::vector<double> programMs, floorMs;
    for (int i = 0; i < runs; ++i) {
      // Alternating, and in alternating order, so that neither always follows the other.
      const bool programFirst = i % 2 == 0;
      for (int k = 0; k < 2; ++k) {
        const bool isProgram = (k == 0) == programFirst;
        Process p(isProgram ? program : floor);
        (isProgram ? programMs : floorMs).push_back(p.WaitUntilIdle());
      }
    }

    Process p(program), f(floor);
    p.WaitUntilIdle();
    f.WaitUntilIdle();
    Sleep(2000);  // start-up work that trails the first idle moment
    const double pCpu = p.CpuSeconds(), fCpu = f.CpuSeconds();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double pIdle = p.CpuSeconds() - pCpu, fIdle = f.CpuSeconds() - fCpu;

    std::printf("%-28s %10s %10s\n", "", "NameGen", "floor");
    Row(("start to idle, median of " + std::to_string(runs)).c_str(), Median(programMs), Median(floorMs), "ms");
    Row("working set", p.WorkingSetMb(), f.WorkingSetMb(), "MB");
    Row("peak working set", p.PeakWorkingSetMb(), f.PeakWorkingSetMb(), "MB");
    Row(("CPU over " + std::to_string(seconds) + " s idle").c_str(), pIdle, fIdle, "s");
  } catch (const std::exception& e) {
    std::printf("benchmark failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
