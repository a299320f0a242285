// Start-up, idle cost and memory of the program against its floor (bench_floor: the same window
// tree from plain system controls with the program's platform start-up and hidden windows, showing
// what the window must show: its icon, the design's fonts, the focus on the first button), the bare
// floor (bench_floor_bare: the start-up, one font, no icon, no focus, no colour listener) and the
// plain floor (bench_floor_plain: the bare floor without the start-up), measured in one run side
// by side:
//   1. start to idle: from process creation until the program has shown its window and waits for
//      input with nothing left to do, and the CPU time it had used by then; the medians of
//      launches of the three in turn;
//   2. working set and CPU time: the three running side by side, idle, over a period (default 60
//      seconds); the working set at its end, and where it is (kinds of mapping and the files
//      whose share differs most).
// Usage: bench_startup [--runs N] [--seconds S]   (defaults 61 and 60)
// All four programs are taken from this program's folder.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>
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

// The Unix process id of a program of this Wine prefix, found by its name; empty when none runs.
std::string UnixPid(const std::string& exeName) {
  char prefix[MAX_PATH] = {};
  GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
  const std::string marker = std::string("WINEPREFIX=") + prefix + '\0';
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::string found;
  do {
    const std::string pid = entry.cFileName;
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string comm = ReadUnixFile("/proc/" + pid + "/comm");
    while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r')) comm.pop_back();
    if (comm != exeName.substr(0, 15)) continue;
    if (ReadUnixFile("/proc/" + pid + "/environ").find(marker) == std::string::npos) continue;
    found = pid;
  } while (found.empty() && FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

double UnixCpuSeconds(const std::string& exeName) {
  const std::string pid = UnixPid(exeName);
  if (pid.empty()) return -1;
  // Fields after the parenthesised name: state is field 3; utime and stime are 14 and 15.
  const std::string stat = ReadUnixFile("/proc/" + pid + "/stat");
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::vector<std::string> fields;
  std::size_t at = close + 2;
  while (at < stat.size()) {
    const std::size_t end = stat.find(' ', at);
    fields.push_back(stat.substr(at, end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  if (fields.size() < 13) return -1;
  return (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) / 100.0;  // USER_HZ
}

// Where a process's resident memory is: the kilobytes of each kind of mapping, from the Unix
// process's /proc/<pid>/smaps, with the anonymous memory that the Windows side committed privately
// (heaps, stacks, bitmaps: VirtualQueryEx) told apart from Wine's own.
struct Breakdown {
  std::map<std::string, double> kinds;  // kind -> kB
  std::map<std::string, double> files;  // file name -> kB
  double total = 0;
};

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// A region of the Windows side's address space (VirtualQueryEx): committed private memory, an
// image (with its module's file name) or a mapped section.
struct Region {
  std::uintptr_t begin, end;
  DWORD type;
  std::string module;
};

std::string KindOfFile(const std::string& path, const std::string& exeName) {
  auto has = [&](const char* s) { return path.find(s) != std::string::npos; };
  if (BaseName(path) == exeName) return "program image";
  if (has("comctl32")) return "comctl32 (common controls)";
  if (has(".dll") || has(".drv") || has(".exe")) return "other system DLLs";
  if (has(".so")) return "Unix libraries";
  if (has(".ttf") || has(".ttc") || has(".otf") || has(".fon")) return "fonts";
  if (path == "[heap]") return "Unix heap (windows, GDI objects, glyphs)";
  if (path[0] == '[') return "stacks and kernel";
  return "other files and shared memory";
}

Breakdown MemoryBreakdown(HANDLE process, const std::string& exeName) {
  Breakdown b;
  const std::string pid = UnixPid(exeName);
  if (pid.empty()) return b;
  std::vector<Region> regions;
  MEMORY_BASIC_INFORMATION info;
  for (std::uintptr_t at = 0; VirtualQueryEx(process, reinterpret_cast<void*>(at), &info, sizeof info) == sizeof info;) {
    const auto base = reinterpret_cast<std::uintptr_t>(info.BaseAddress);
    if (info.State == MEM_COMMIT) {
      std::string module;
      if (info.Type == MEM_IMAGE) {
        char name[MAX_PATH] = {};
        GetModuleFileNameExA(process, static_cast<HMODULE>(info.AllocationBase), name, MAX_PATH);
        module = name;
        module = module.substr(module.find_last_of("\\/") + 1);
      }
      regions.push_back({base, base + info.RegionSize, info.Type, module});
    }
    if (base + info.RegionSize <= at) break;
    at = base + info.RegionSize;
  }
  // Anonymous memory: what the Windows side holds there, or Wine's own Unix side.
  auto anonymous = [&](std::uintptr_t start, std::string& module) -> std::string {
    for (const Region& r : regions) {
      if (start < r.begin || start >= r.end) continue;
      module = r.module;
      if (r.type == MEM_IMAGE) {
        for (char& c : module) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string exe = exeName;
        for (char& c : exe) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return module == exe ? "program image" : KindOfFile(module, exeName);
      }
      return r.type == MEM_PRIVATE ? "Windows private (heaps, stacks, bitmaps)" : "Windows mapped sections";
    }
    module.clear();
    return "Unix-side anonymous";
  };
  const std::string smaps = ReadUnixFile("/proc/" + pid + "/smaps");
  std::size_t at = 0;
  std::string path;
  std::uintptr_t start = 0;
  while (at < smaps.size()) {
    std::size_t end = smaps.find('\n', at);
    if (end == std::string::npos) end = smaps.size();
    const std::string line = smaps.substr(at, end - at);
    at = end + 1;
    if (line.compare(0, 4, "Rss:") == 0) {
      const double kb = std::atof(line.c_str() + 4);
      std::string module;
      if (path.empty()) {
        b.kinds[anonymous(start, module)] += kb;
        if (!module.empty()) b.files[module] += kb;
      } else {
        b.kinds[KindOfFile(path, exeName)] += kb;
        b.files[BaseName(path)] += kb;
      }
      b.total += kb;
    } else {
      // A mapping's header: "start-end perms offset dev inode [path]"; the attribute lines' first
      // word ends with a colon.
      const std::string first = line.substr(0, line.find(' '));
      unsigned long long from = 0, to = 0;
      int pathAt = 0;
      if (first.empty() || first.back() == ':' ||
          std::sscanf(line.c_str(), "%llx-%llx %*s %*s %*s %*s %n", &from, &to, &pathAt) < 2)
        continue;
      start = static_cast<std::uintptr_t>(from);
      path = pathAt > 0 ? line.substr(static_cast<std::size_t>(pathAt)) : "";
    }
  }
  return b;
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
    cpuAtIdle_ = CpuSeconds();
    for (int i = 0; i < 3000 && !MainWindowOf(info_.dwProcessId); ++i) Sleep(1);
    if (!MainWindowOf(info_.dwProcessId)) throw std::runtime_error(path_ + " showed no window");
    return idle;
  }
  std::string ExeName() const { return path_.substr(path_.find_last_of("\\/") + 1); }
  double CpuSeconds() const { return UnixCpuSeconds(ExeName()); }
  // The CPU time the process had used when it first became idle (in the system's 10 ms steps):
  // less disturbed than the elapsed time by other work on the machine.
  double CpuAtIdleMs() const { return cpuAtIdle_ * 1000.0; }
  Breakdown Memory() const { return MemoryBreakdown(info_.hProcess, ExeName()); }
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
  double cpuAtIdle_ = 0;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

void Row(const std::string& what, const std::array<double, 4>& v, const char* unit) {
  std::printf("%-30s %9.2f %9.2f %9.2f %9.2f %-3s %6.2f %6.2f %6.2f\n", what.c_str(), v[0], v[1], v[2], v[3], unit,
              Ratio(v[0], v[1]), Ratio(v[0], v[2]), Ratio(v[0], v[3]));
}

// The kinds of resident memory side by side, and the files whose share differs most.
void PrintBreakdown(const Breakdown& program, const Breakdown& floor, const Breakdown& plain) {
  std::printf("\nwhere the working set is (MB)         NameGen     floor     plain  NameGen-floor\n");
  std::map<std::string, int> kinds;
  for (const Breakdown* b : {&program, &floor, &plain})
    for (const auto& k : b->kinds) kinds[k.first];
  auto mb = [](const std::map<std::string, double>& m, const std::string& key) {
    auto it = m.find(key);
    return it == m.end() ? 0.0 : it->second / 1024.0;
  };
  for (const auto& k : kinds)
    std::printf("  %-40s %7.2f %9.2f %9.2f %+9.2f\n", k.first.c_str(), mb(program.kinds, k.first),
                mb(floor.kinds, k.first), mb(plain.kinds, k.first),
                mb(program.kinds, k.first) - mb(floor.kinds, k.first));
  std::printf("  %-40s %7.2f %9.2f %9.2f %+9.2f\n", "total (smaps)", program.total / 1024.0, floor.total / 1024.0,
              plain.total / 1024.0, (program.total - floor.total) / 1024.0);
  std::vector<std::pair<double, std::string>> files;
  std::map<std::string, int> names;
  for (const Breakdown* b : {&program, &floor})
    for (const auto& f : b->files) names[f.first];
  for (const auto& n : names) files.emplace_back(mb(program.files, n.first) - mb(floor.files, n.first), n.first);
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return std::abs(a.first) > std::abs(b.first); });
  std::printf("files whose resident share differs most (NameGen - floor, MB):");
  for (std::size_t i = 0; i < files.size() && i < 6; ++i)
    std::printf("%s %s %+.2f", i ? "," : "", files[i].second.c_str(), files[i].first);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 61, seconds = 60;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--runs")) runs = std::max(1, std::atoi(argv[i + 1]));
    if (!std::strcmp(argv[i], "--seconds")) seconds = std::max(1, std::atoi(argv[i + 1]));
  }
  constexpr int kPrograms = 4;
  const std::string paths[kPrograms] = {Beside("NameGen.exe"), Beside("bench_floor.exe"),
                                        Beside("bench_floor_bare.exe"), Beside("bench_floor_plain.exe")};
  try {
    // One launch of each first: Wine maps its libraries and fonts into the cache.
    for (const std::string& path : paths) Process(path).WaitUntilIdle();

    std::vector<double> ms[kPrograms], cpu[kPrograms];
    for (int i = 0; i < runs; ++i) {
      // In turn, starting with a different one each round, so that none always follows another.
      for (int k = 0; k < kPrograms; ++k) {
        const int which = (i + k) % kPrograms;
        Process p(paths[which]);
        ms[which].push_back(p.WaitUntilIdle());
        cpu[which].push_back(p.CpuAtIdleMs());
      }
    }

    Process p(paths[0]), f(paths[1]), b(paths[2]), q(paths[3]);
    Process* all[kPrograms] = {&p, &f, &b, &q};
    for (Process* program : all) program->WaitUntilIdle();
    Sleep(2000);  // start-up work that trails the first idle moment
    double before[kPrograms], idle[kPrograms];
    for (int k = 0; k < kPrograms; ++k) before[k] = all[k]->CpuSeconds();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    for (int k = 0; k < kPrograms; ++k) idle[k] = all[k]->CpuSeconds() - before[k];

    // A figure of each program, in the order of the columns.
    auto each = [&](auto value) {
      std::array<double, kPrograms> v{};
      for (int k = 0; k < kPrograms; ++k) v[k] = value(k);
      return v;
    };
    std::printf("%-30s %9s %9s %9s %9s %-3s %6s %6s %6s\n", "", "NameGen", "floor", "bare", "plain", "", "ratio",
                "bare", "plain");
    Row("start to idle, median of " + std::to_string(runs), each([&](int k) { return Median(ms[k]); }), "ms");
    Row("CPU time to idle, median", each([&](int k) { return Median(cpu[k]); }), "ms");
    // The machine's speed drifts over seconds (other work on a shared host): the programs of one
    // round, started within a second or two, are compared with each other, and the median of
    // those ratios is taken.
    auto roundRatio = [&](int k) {
      std::vector<double> ratios;
      for (int i = 0; i < runs; ++i) ratios.push_back(Ratio(ms[0][i], ms[k][i]));
      return Median(ratios);
    };
    std::printf("%-30s %9s %9s %9s %9s %-3s %6.2f %6.2f %6.2f\n", "start to idle, round by round", "", "", "", "",
                "", roundRatio(1), roundRatio(2), roundRatio(3));
    Row("working set", each([&](int k) { return all[k]->WorkingSetMb(); }), "MB");
    Row("peak working set", each([&](int k) { return all[k]->PeakWorkingSetMb(); }), "MB");
    Row("CPU over " + std::to_string(seconds) + " s idle", each([&](int k) { return idle[k]; }), "s");
    PrintBreakdown(p.Memory(), f.Memory(), q.Memory());
  } catch (const std::exception& e) {
    std::printf("benchmark failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
