// The program's texts are code page 936, which it declares its own whatever the system's language
// (the test programs carry the same declaration). These run in the project's prefix, whose system
// code page is 936, and again under system languages of another code page (tests/CMakeLists.txt):
// what a person sees and another program gets is the Chinese text, and the window is drawn pixel
// for pixel as in the Chinese system.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Application.h"
#include "naming/CombineNames.h"
#include "tests/support/Input.h"
#include "tests/support/Reader.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

using namespace testing_support;

namespace {

// The system language of the run; empty in the project's own prefix.
std::string RunLanguage() {
  char value[64] = {};
  return GetEnvironmentVariableA("NAMEGEN_LANG", value, sizeof value) ? value : "";
}

// The window's pixels as the run in the project's prefix saw them, kept beside the test program.
std::string ReferencePixelsPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1) + "main-window-936.pixels";
}

struct Language : MainWindowTest {};

}  // namespace

// Nine characters typed by an input method give the 81 names, and one more typed into the result
// box stays itself; a character another program put on the clipboard is pasted as itself.
TEST_F(Language, TypedAndPastedCharactersGiveTheNamesInUnicode) {
  const std::wstring typed = L"\u5F20\u738B\u674E\u8D75\u5218\u9648\u6768\u9EC4\u5434";  // 张王李赵刘陈杨黄吴
  naming::Entries entries;
  for (int i = 0; i < 9; ++i) {
    Click(*form->cxTextEdit[i]);
    TypeCharacters(typed.substr(static_cast<std::size_t>(i), 1));
    char bytes[3] = {};
    WideCharToMultiByte(936, 0, &typed[static_cast<std::size_t>(i)], 1, bytes, 2, nullptr, nullptr);
    entries[static_cast<std::size_t>(i)] = bytes;
  }
  Click(*form->dxButton3);
  const std::wstring names = Wide(naming::CombineNames(entries));
  EXPECT_EQ(WindowTextW(form->na->Handle()), names);
  // Typed into the result box, a character goes in whole, not as two bytes of its own.
  Click(*form->na);
  PressKeyWith(VK_CONTROL, VK_END);
  TypeCharacters(L"\u5B59");  // 孙
  const std::wstring shown = WindowTextW(form->na->Handle());
  EXPECT_EQ(shown.substr(0, names.size()), names);
  EXPECT_EQ(shown.substr(std::min(shown.size(), names.size())), L"\u5B59");

  // Placed as a program of an English system places it: in UTF-16, with its language.
  const std::wstring pasted = L"\u5468";  // 周
  const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  for (const auto& [format, bytes, size] : {std::tuple<UINT, const void*, std::size_t>{CF_UNICODETEXT, pasted.c_str(),
                                                                                         (pasted.size() + 1) * 2},
                                            {CF_LOCALE, &english, sizeof english}}) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
  }
  CloseClipboard();
  Click(*form->cxTextEdit[0]);
  PressCtrlKey('V');
  EXPECT_EQ(Wide(form->cxTextEdit[0]->Text()), pasted);
}

// Every font asks for the Chinese character set, by which the system turns the drawn 8-bit texts
// into characters; the window's pixels (the scrolling hint aside) are those of the run in the
// project's prefix, which keeps them for the other languages' runs.
TEST_F(Language, TheWindowIsDrawnAsInTheChineseSystem) {
  EXPECT_EQ(form->Font().Charset(), GB2312_CHARSET);
  for (int i = 0; i < form->ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<TControl*>(form->Component(i))) {
      EXPECT_EQ(control->Font().Charset(), GB2312_CHARSET) << control->Name();
    }
  }

  MovePointer({2, 2});
  PumpUntil([] {
    Application->Idle();
    return Application->MouseControl() == nullptr;
  });
  RECT client;
  GetClientRect(form->Handle(), &client);
  const TRect bounds = form->RzMarqueeStatus1->BoundsRect();
  RECT marquee{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
  MapWindowPoints(form->GroupBox1->Handle(), form->Handle(), reinterpret_cast<POINT*>(&marquee), 2);
  auto shot = [&] {
    UpdateWindow(form->Handle());
    std::vector<COLORREF> pixels = ClientPixels(form->Handle());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      const POINT p{static_cast<int>(i) % client.right, static_cast<int>(i) / client.right};
      if (PtInRect(&marquee, p)) pixels[i] = 0;
    }
    return pixels;
  };
  // Painted to the end: two shots alike.
  std::vector<COLORREF> pixels = shot();
  ASSERT_TRUE(PumpUntil([&] {
    std::vector<COLORREF> again = shot();
    std::swap(again, pixels);
    return again == pixels;
  }));

  const std::string path = ReferencePixelsPath();
  if (RunLanguage().empty() || RunLanguage() == "zh_CN.UTF-8") {
    ASSERT_EQ(GetACP(), 936u);
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(pixels.data(), sizeof(COLORREF), pixels.size(), file);
    std::fclose(file);
    return;
  }
  std::vector<COLORREF> reference(pixels.size() + 1);
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr) << "no pixels of the run in the project's prefix: run ui_tests there first";
  reference.resize(std::fread(reference.data(), sizeof(COLORREF), reference.size(), file));
  std::fclose(file);
  ASSERT_EQ(reference.size(), pixels.size()) << "the window has another size than in the Chinese system";
  int differ = 0;
  for (std::size_t i = 0; i < pixels.size(); ++i) differ += pixels[i] != reference[i];
  EXPECT_EQ(differ, 0) << "pixels drawn otherwise than in the Chinese system";
}
