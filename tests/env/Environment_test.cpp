// The program's texts and layout assume code page 936 and a 13-pixel 宋体 at 96 DPI. A Wine
// prefix set up without them shows a wrongly scaled window instead of failing, so these checks
// run first and say what is wrong with the set-up. A crashing test program must end at once
// rather than leave the run waiting for its time limit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// 宋体 (SimSun) in code page 936.
constexpr char kSongTi[] = "\xCB\xCE\xCC\xE5";

class ScreenDc {
 public:
  ScreenDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~ScreenDc() { DeleteDC(dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

TEST(Environment, AnsiCodePageIsSimplifiedChinese) {
  EXPECT_EQ(GetACP(), 936u)
      << "The ANSI code page must be 936: run under LANG=zh_CN.UTF-8 with the zh_CN.UTF-8 "
         "locale generated (scripts/setup.sh does both; see `locale -a`).";
}

TEST(Environment, ScreenIs96Dpi) {
  ScreenDc dc;
  EXPECT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSY), 96)
      << "The layout is drawn for 96 DPI; the Wine prefix's LogPixels setting differs.";
}

TEST(Environment, SongTiAtMinus13Measures13Pixels) {
  ScreenDc dc;
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, kSongTi);
  ASSERT_NE(font, nullptr);
  HGDIOBJ old = SelectObject(dc.get(), font);
  SIZE size{};
  const BOOL measured = GetTextExtentPoint32A(dc.get(), "0", 1, &size);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc.get(), sizeof face, face);
  SelectObject(dc.get(), old);
  DeleteObject(font);

  ASSERT_TRUE(measured);
  EXPECT_EQ(size.cy, 13)
      << "SimSun at height -13 measures " << size.cy << " pixels high (face chosen: \"" << face
      << "\"); the layout needs 13. The Wine prefix needs the font replacements "
         "HKCU\\Software\\Wine\\Fonts\\Replacements: SimSun and its Chinese name -> "
         "\"AR PL SungtiL GB\" (package fonts-arphic-gbsn00lp), as scripts/setup.sh makes them; "
         "if the face is right, the code page is probably not 936.";
}

TEST(Environment, ACrashingProgramEndsAtOnce) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string command = path;
  command = "\"" + command.substr(0, command.find_last_of("\\/") + 1) + "crashing_program.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &child));
  // Ending takes about a second; the bound leaves room for a busy machine. A crash debugger
  // would keep the process well past it.
  const DWORD waited = WaitForSingleObject(child.hProcess, 30000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  EXPECT_EQ(waited, WAIT_OBJECT_0)
      << "A crashing program did not end: the Wine prefix's crash debugger waits. scripts/setup.sh "
         "sets HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug Debugger to a "
         "program that does not exist.";
  EXPECT_NE(code, 0u);
}

}  // namespace
