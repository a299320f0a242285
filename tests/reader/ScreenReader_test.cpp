#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "naming/CombineNames.h"
#include "tests/support/Input.h"
#include "tests/support/Program.h"
#include "tests/support/Reader.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

// This test program is a screen reader in a process of its own: it reads the running program's
// windows through their accessible objects, follows the focus through the events the program
// raises, and presses the start button through its default action.
namespace {

using testing_support::Accessible;
using testing_support::EventRecorder;
using testing_support::Program;
using testing_support::ProgramPath;
using testing_support::PumpUntil;
using testing_support::Wide;

std::vector<HWND> WindowsOfClass(HWND top, const char* windowClass) {
  struct Search {
    const char* cls;
    std::vector<HWND> found;
  } search{windowClass, {}};
  EnumChildWindows(
      top,
      [](HWND h, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char cls[64] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == s->cls) s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  // Left to right, then top to bottom: the order of the window's layout.
  std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return search.found;
}

HWND Only(HWND top, const char* windowClass) {
  const std::vector<HWND> found = WindowsOfClass(top, windowClass);
  return found.size() == 1 ? found[0] : nullptr;
}

std::wstring EntryName(int n) {
  return Wide(texts::kEntryNamePrefix + std::to_string(n) + texts::kEntryNameSuffix);
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class ScreenReader : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Started());
    main = program.MainWindow();
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override {
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    program.ExitCode();
  }

  testing_support::ComApartment com;
  Program program{SW_SHOWNORMAL};
  HWND main = nullptr;
};

TEST_F(ScreenReader, ReadsRoleNameValueAndStateOfEveryControl) {
  // The group box: its banner and hint are windowless children of its object, where a reader
  // finds them by number, by place and by hit test; its buttons are windows of their own.
  HWND groupBox = Only(main, "TGroupBox");
  ASSERT_NE(groupBox, nullptr);
  Accessible group = Accessible::FromWindow(groupBox);
  ASSERT_TRUE(group);
  EXPECT_EQ(group.Role(), ROLE_SYSTEM_GROUPING);
  EXPECT_EQ(group.Name(), Wide(texts::kGroupCaption));
  ASSERT_EQ(group.ChildCount(), 4);
  EXPECT_EQ(group.Role(1), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(group.Name(1), Wide(texts::kBannerCaption));
  EXPECT_EQ(group.State(1), STATE_SYSTEM_READONLY);
  EXPECT_EQ(group.Role(2), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(group.Name(2), Wide(std::string(texts::kUsageHint) + kMakerAddress + texts::kCreditSuffix));
  EXPECT_EQ(group.State(2), STATE_SYSTEM_READONLY);
  EXPECT_FALSE(group.Child(1));
  EXPECT_TRUE(group.Child(3));
  EXPECT_TRUE(group.Child(4));
  POINT bannerCorner{2, 15};
  ClientToScreen(groupBox, &bannerCorner);
  const RECT banner = group.Location(1);
  EXPECT_EQ(banner.left, bannerCorner.x);
  EXPECT_EQ(banner.top, bannerCorner.y);
  EXPECT_EQ(banner.bottom - banner.top, 40);
  EXPECT_EQ(group.HitTest(Centre(banner)), 1);
  EXPECT_EQ(group.HitTest(Centre(group.Location(2))), 2);
  Accessible hit;
  EXPECT_EQ(group.HitTest(Centre(group.Location(3)), &hit), -1);
  EXPECT_TRUE(hit);

  // The buttons, in layout order: visit us, close window, start naming.
  const std::vector<HWND> buttons = WindowsOfClass(main, "TdxButton");
  ASSERT_EQ(buttons.size(), 3u);
  const char* captions[] = {texts::kVisitUs, texts::kCloseWindow, texts::kStartNaming};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(i);
    Accessible button = Accessible::FromWindow(buttons[i]);
    ASSERT_TRUE(button);
    EXPECT_EQ(button.Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(button.Name(), Wide(captions[i]));
    EXPECT_EQ(button.State() & ~STATE_SYSTEM_FOCUSED, STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(button.DefaultAction(), L"Press");
    HRESULT valueResult = S_OK;
    EXPECT_EQ(button.Value(CHILDID_SELF, &valueResult), L"");
    EXPECT_EQ(valueResult, DISP_E_MEMBERNOTFOUND);
  }

  // The nine boxes are named for their place, not for the character they hold; the box and the
  // edit inside it, where the focus lands, say the same.
  const std::vector<HWND> boxes = WindowsOfClass(main, "TcxTextEdit");
  ASSERT_EQ(boxes.size(), 9u);
  for (int n = 1; n <= 9; ++n) {
    SCOPED_TRACE(n);
    HWND inner = FindWindowExA(boxes[n - 1], nullptr, "TcxCustomInnerTextEdit", nullptr);
    for (HWND window : {boxes[n - 1], inner}) {
      Accessible box = Accessible::FromWindow(window);
      ASSERT_TRUE(box);
      EXPECT_EQ(box.Role(), ROLE_SYSTEM_TEXT);
      EXPECT_EQ(box.Name(), EntryName(n));
      EXPECT_EQ(box.Value(), Wide(texts::kEntries[n - 1]));
      EXPECT_EQ(box.State(), STATE_SYSTEM_FOCUSABLE);
    }
  }

  HWND resultBox = Only(main, "TMemo");
  Accessible result = Accessible::FromWindow(resultBox);
  ASSERT_TRUE(result);
  EXPECT_EQ(result.Role(), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(result.Name(), Wide(texts::kResultBoxName));
  EXPECT_EQ(result.Value(), Wide(std::string(texts::kUsageLine1) + "\r\n" + texts::kUsageLine2 + "\r\n" +
                                 texts::kUsageLine3 + "\r\n" + texts::kUsageLine4));
  EXPECT_EQ(result.State(), STATE_SYSTEM_FOCUSABLE);
}

TEST_F(ScreenReader, FollowsTheFocusThroughTheTabOrder) {
  EventRecorder focus(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, program.Id());
  // The object the last focus event names, as the reader reads it out.
  auto focused = [&focus](long& role) {
    role = -1;
    if (focus.Events().empty()) return std::wstring();
    const EventRecorder::Event& e = focus.Events().back();
    long child = 0;
    Accessible object = Accessible::FromEvent(e.window, e.object, e.child, child);
    if (!object) return std::wstring();
    role = object.Role(child);
    return object.Name(child);
  };
  SetForegroundWindow(main);
  // The first focusable control has the focus once the window is active.
  HWND visitUs = WindowsOfClass(main, "TdxButton").front();
  ASSERT_TRUE(PumpUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) && info.hwndFocus == visitUs;
  }));
  std::vector<std::pair<std::wstring, long>> expected{{Wide(texts::kCloseWindow), ROLE_SYSTEM_PUSHBUTTON}};
  for (int n = 1; n <= 9; ++n) expected.emplace_back(EntryName(n), ROLE_SYSTEM_TEXT);
  expected.emplace_back(Wide(texts::kStartNaming), ROLE_SYSTEM_PUSHBUTTON);
  expected.emplace_back(Wide(texts::kResultBoxName), ROLE_SYSTEM_TEXT);
  expected.emplace_back(Wide(texts::kVisitUs), ROLE_SYSTEM_PUSHBUTTON);
  for (const auto& [name, role] : expected) {
    focus.Clear();
    testing_support::PressKey(VK_TAB);
    long heardRole = -1;
    std::wstring heard;
    EXPECT_TRUE(PumpUntil([&] {
      heard = focused(heardRole);
      return heard == name && heardRole == role;
    })) << "heard role " << heardRole << " after Tab";
  }
}

TEST_F(ScreenReader, StartButtonsDefaultActionFillsTheResultBox) {
  EventRecorder values(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, program.Id());
  HWND resultBox = Only(main, "TMemo");
  Accessible start = Accessible::FromWindow(WindowsOfClass(main, "TdxButton").back());
  Accessible result = Accessible::FromWindow(resultBox);
  ASSERT_TRUE(start);
  ASSERT_TRUE(result);
  ASSERT_EQ(start.Name(), Wide(texts::kStartNaming));
  EXPECT_EQ(start.DoDefaultAction(), S_OK);
  naming::Entries entries;
  std::copy(std::begin(texts::kEntries), std::end(texts::kEntries), entries.begin());
  const std::wstring names = Wide(naming::CombineNames(entries));
  EXPECT_TRUE(PumpUntil([&] { return result.Value() == names; }));
  EXPECT_TRUE(PumpUntil([&] { return values.Has(EVENT_OBJECT_VALUECHANGE, resultBox); }));

  // The program gone, the objects a reader still holds answer with a failure.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
  main = nullptr;
  BSTR name = nullptr;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  EXPECT_TRUE(FAILED(result.Get()->get_accName(self, &name)));
}

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The full paths of the libraries loaded in a process, and of its program.
std::vector<std::string> ModulesOf(DWORD process) {
  std::vector<std::string> paths;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) return paths;
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module))
    paths.push_back(module.szExePath);
  CloseHandle(snapshot);
  return paths;
}

bool Loaded(DWORD process, const char* library) {
  for (const std::string& path : ModulesOf(process))
    if (lstrcmpiA(path.substr(path.find_last_of('\\') + 1).c_str(), library) == 0) return true;
  return false;
}

// The libraries Wine was told to look for in a program's own folder first, as Windows does for
// every library it does not always take from the system folder: the names of the entry
// "<name>,<name>...=n,b" of WINEDLLOVERRIDES. Wine takes the setting from the environment it was
// started with; a Windows program cannot change it for the programs it starts.
std::vector<std::string> LibrariesLookedForInAProgramsFolderFirst() {
  char value[4096] = {};
  const DWORD length = GetEnvironmentVariableA("WINEDLLOVERRIDES", value, sizeof value);
  std::vector<std::string> libraries;
  if (length == 0 || length >= sizeof value) return libraries;
  std::string entries = std::string(value) + ";";
  for (std::size_t start = 0, end; (end = entries.find(';', start)) != std::string::npos; start = end + 1) {
    const std::string entry = entries.substr(start, end - start);
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos || entry.substr(equals + 1) != "n,b") continue;
    const std::string names = entry.substr(0, equals) + ",";
    for (std::size_t from = 0, comma; (comma = names.find(',', from)) != std::string::npos; from = comma + 1)
      if (comma > from) libraries.push_back(names.substr(from, comma - from) + ".dll");
  }
  return libraries;
}

// Uses the program started from `copy`: a character typed into a box, the start button clicked, a
// screen reader walking every control, the visit-us button clicked. Checks it still works and that
// every library in its process is the system folder's.
void UseEveryPath(const std::string& copy, const std::string& folder) {
  Program program(SW_SHOWNORMAL, copy, folder);
  ASSERT_TRUE(program.Started());
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(main);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
  auto click = [](HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    testing_support::ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  };

  // A character typed into the first box, after a click that empties it.
  const std::vector<HWND> boxes = WindowsOfClass(main, "TcxTextEdit");
  ASSERT_EQ(boxes.size(), 9u);
  HWND first = FindWindowExA(boxes[0], nullptr, "TcxCustomInnerTextEdit", nullptr);
  click(first);
  ASSERT_TRUE(PumpUntil([&] { return testing_support::WindowTextW(first).empty(); }));
  testing_support::TypeCharacters(L"\u6797");
  ASSERT_TRUE(PumpUntil([&] { return testing_support::WindowTextW(first) == L"\u6797"; }));

  // Start naming, clicked: the 81 names with the character typed.
  const std::vector<HWND> buttons = WindowsOfClass(main, "TdxButton");
  ASSERT_EQ(buttons.size(), 3u);
  click(buttons[2]);
  naming::Entries entries;
  std::copy(std::begin(texts::kEntries), std::end(texts::kEntries), entries.begin());
  entries[0] = "\xC1\xD6";  // the character typed, in the program's code page
  const std::wstring names = Wide(naming::CombineNames(entries));
  HWND resultBox = Only(main, "TMemo");
  EXPECT_TRUE(PumpUntil([&] { return testing_support::WindowTextW(resultBox) == names; }));

  // A screen reader walks every control.
  {
    testing_support::ComApartment com;
    Accessible group = Accessible::FromWindow(Only(main, "TGroupBox"));
    ASSERT_TRUE(group);
    EXPECT_EQ(group.Name(), Wide(texts::kGroupCaption));
    EXPECT_EQ(group.Name(1), Wide(texts::kBannerCaption));
    const char* captions[] = {texts::kVisitUs, texts::kCloseWindow, texts::kStartNaming};
    for (std::size_t i = 0; i < buttons.size(); ++i)
      EXPECT_EQ(Accessible::FromWindow(buttons[i]).Name(), Wide(captions[i]));
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(Accessible::FromWindow(boxes[n - 1]).Name(), EntryName(n));
    EXPECT_EQ(Accessible::FromWindow(boxes[0]).Value(), L"\u6797");
    EXPECT_EQ(Accessible::FromWindow(resultBox).Value(), names);
  }

  // Visit us, clicked: the shell is loaded and asked to open the address.
  click(buttons[0]);
  EXPECT_TRUE(PumpUntil([&] { return Loaded(program.Id(), "shell32.dll"); }));
  ASSERT_TRUE(program.Running());

  char system[MAX_PATH] = {};
  const std::string systemFolder = std::string(system, GetSystemDirectoryA(system, MAX_PATH)) + "\\";
  for (const std::string& path : ModulesOf(program.Id())) {
    if (lstrcmpiA(path.c_str(), copy.c_str()) == 0) continue;
    EXPECT_EQ(lstrcmpiA(path.substr(0, systemFolder.size()).c_str(), systemFolder.c_str()), 0)
        << path << " is loaded, from outside the system folder";
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

// Copied into a folder that holds a stand-in for every library it loads once it runs, and started
// there, the program loads none of them, at start-up or later, whatever it is asked to do; it
// takes every library from the system folder and still works.
TEST(ProgramAmongStandIns, LoadsEveryLibraryFromTheSystemFolderAndWorks) {
  const std::vector<std::string> libraries = LibrariesLookedForInAProgramsFolderFirst();
  if (libraries.empty()) GTEST_SKIP() << "run by program_among_stand_ins, with WINEDLLOVERRIDES=<libraries>=n,b";
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "NameGen among stand-in libraries";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const std::string& old : FilesIn(folder, "*")) DeleteFileA((folder + "\\" + old).c_str());
  const std::string copy = folder + "\\NameGen.exe";
  ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE));
  const std::string standIn = ProgramPath().substr(0, ProgramPath().find_last_of('\\') + 1) + "stand_in_library.dll";
  for (const std::string& library : libraries)
    ASSERT_TRUE(CopyFileA(standIn.c_str(), (folder + "\\" + library).c_str(), FALSE));

  UseEveryPath(copy, folder);

  std::string loaded;
  for (const std::string& marker : FilesIn(folder, "*.loaded")) loaded += " " + marker.substr(0, marker.size() - 7);
  EXPECT_EQ(loaded, "") << "stand-ins loaded";
  for (const std::string& file : FilesIn(folder, "*")) DeleteFileA((folder + "\\" + file).c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
