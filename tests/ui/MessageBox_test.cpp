#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/Input.h"
#include "tests/support/Reader.h"
#include "ui/MessageBox.h"
#include "ui/MessageGeometry.h"

namespace {

// "\xE4\xAF..." is the box text of a failed web request, in code page 936.
const std::string kOneLine = "\xE4\xAF\xC0\xC0\xC6\xF7\xCE\xDE\xB7\xA8\xB6\xA8\xCE\xBB\xA1\xA3";

struct Shown {
  TMessageForm* form = nullptr;
  HWND window = nullptr;
  int tick = 0;
};

// Shows the text and calls step on every 20 ms tick while the box is up; the step closes it.
// A box still open after five seconds is closed and counts as a failure.
void ShowMessageWith(const std::string& text, const std::function<void(Shown&)>& step) {
  Shown shown;
  TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.SetOnTimer([&](TObject*) {
    HWND box = FindWindowA("TMessageForm", nullptr);
    if (!box || !IsWindowVisible(box)) return;
    if (shown.window != box) shown = Shown{static_cast<TMessageForm*>(TWinControl::FindControl(box)), box, 0};
    if (shown.tick == 250) {
      ADD_FAILURE() << "the box did not close";
      PostMessageA(box, WM_CLOSE, 0, 0);
    } else if (shown.tick < 250) {
      step(shown);
    }
    ++shown.tick;
  });
  const int owned = Application->ComponentCount();
  ShowMessage(text);
  timer.SetEnabled(false);
  ASSERT_NE(shown.window, nullptr) << "the box was never shown";
  EXPECT_FALSE(IsWindow(shown.window)) << "the box outlives its operation";
  EXPECT_EQ(Application->ComponentCount(), owned) << "the application still lists the box";
  EXPECT_EQ(FindWindowA("TMessageForm", nullptr), nullptr);
}

template <class T>
T* Child(TMessageForm& form, const std::string& name) {
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (form.Component(i)->Name() == name) return dynamic_cast<T*>(form.Component(i));
  return nullptr;
}

TRect ClientRectOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

TRect WindowRectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// A key press and release as hardware input, with Ctrl held when ctrl is set.
void PressKey(WORD key, bool ctrl) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    inputs.push_back(in);
  };
  if (ctrl) add(VK_CONTROL, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (ctrl) add(VK_CONTROL, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  std::string text = "<no text>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void PutOnClipboard(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

// The box's sizes as the layout rules give them for the box's font and its label's extent.
void ExpectLaidOutByDialogUnits(Shown& s) {
  TMessageForm& form = *s.form;
  auto* label = Child<TLabel>(form, "Message");
  auto* ok = Child<TButton>(form, "OK");
  ASSERT_NE(label, nullptr);
  ASSERT_NE(ok, nullptr);
  const TSize letters = MeasureText(form.Font(), kDialogUnitLetters);
  const int x = letters.cx / 52, y = letters.cy;
  const int hm = MulDiv(8, x, 4), vm = MulDiv(8, y, 8), vs = MulDiv(10, y, 8), bh = MulDiv(14, y, 8);
  const int bw = std::max(MulDiv(50, x, 4), MeasureText(form.Font(), "OK").cx + 8);
  const int tw = label->Width(), th = label->Height();
  const TRect client = ClientRectOf(s.window);
  EXPECT_EQ(client.Width(), std::max(tw, bw) + 2 * hm);
  EXPECT_EQ(client.Height(), th + bh + vs + 2 * vm);
  EXPECT_EQ(label->BoundsRect(), Bounds(hm, vm, tw, th));
  EXPECT_EQ(ok->BoundsRect(), Bounds((client.Width() - bw) / 2, th + vm + vs, bw, bh));
  const TRect window = WindowRectOf(s.window);
  EXPECT_EQ(window.Left, GetSystemMetrics(SM_CXSCREEN) / 2 - window.Width() / 2);
  EXPECT_EQ(window.Top, GetSystemMetrics(SM_CYSCREEN) / 2 - window.Height() / 2);
}

// The system's message font in another character set for the object's life, as a system of
// another language may have it; the setting is put back however the test ends. Not saved to the
// user's settings and announced to no window.
class MessageFontCharset {
 public:
  explicit MessageFontCharset(BYTE charset) {
    saved_.cbSize = sizeof saved_;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0)) return;
    NONCLIENTMETRICSA changed = saved_;
    changed.lfMessageFont.lfCharSet = charset;
    set_ = SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0) != FALSE;
  }
  ~MessageFontCharset() {
    if (set_) SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
  }
  MessageFontCharset(const MessageFontCharset&) = delete;
  MessageFontCharset& operator=(const MessageFontCharset&) = delete;
  bool Set() const { return set_; }

 private:
  NONCLIENTMETRICSA saved_{};
  bool set_ = false;
};

}  // namespace

// The box takes the system's message font, but always in the Chinese character set: the system
// turns its 8-bit text into characters by the code page of the font's set.
TEST(MessageForm, OneLineMessageIsSizedByDialogUnitsAndCentred) {
  const MessageFontCharset western(ANSI_CHARSET);
  ASSERT_TRUE(western.Set());
  int textHeight = 0, lineHeight = 0;
  ShowMessageWith(kOneLine, [&](Shown& s) {
    TMessageForm& form = *s.form;
    EXPECT_STREQ(form.ClassName(), "TMessageForm");
    EXPECT_EQ(form.Owner(), Application);
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    EXPECT_EQ(GetWindowLongPtrA(s.window, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
      EXPECT_EQ(metrics.lfMessageFont.lfCharSet, ANSI_CHARSET);
      EXPECT_EQ(form.Font().Name(), metrics.lfMessageFont.lfFaceName);
      EXPECT_EQ(form.Font().Height(), metrics.lfMessageFont.lfHeight);
    }
    EXPECT_EQ(form.Font().Charset(), GB2312_CHARSET);
    auto* label = Child<TLabel>(form, "Message");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), kOneLine);
    EXPECT_TRUE(label->WordWrap());
    EXPECT_EQ(label->Width(), MeasureText(form.Font(), kOneLine).cx);
    textHeight = label->Height();
    lineHeight = MeasureText(form.Font(), kDialogUnitLetters).cy;
    ExpectLaidOutByDialogUnits(s);
    PostMessageA(s.window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(textHeight, lineHeight);  // one text line
}

TEST(MessageForm, MessageWiderThanHalfTheScreenWrapsAndTheBoxGrows) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "wrapping words ";
  ShowMessageWith(text, [&](Shown& s) {
    auto* label = Child<TLabel>(*s.form, "Message");
    ASSERT_NE(label, nullptr);
    const int line = MeasureText(s.form->Font(), "Wg").cy;
    EXPECT_LE(label->Width(), GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(label->Width(), GetSystemMetrics(SM_CXSCREEN) / 2 - MeasureText(s.form->Font(), "wrapping ").cx);
    EXPECT_GE(label->Height(), 3 * line);
    EXPECT_EQ(label->Height() % line, 0);
    ExpectLaidOutByDialogUnits(s);
    PostMessageA(s.window, WM_CLOSE, 0, 0);
  });
}

TEST(MessageForm, EnterEscapeAndTheCloseButtonEachCloseIt) {
  struct Way {
    const char* name;
    std::function<void(Shown&)> close;
  };
  auto key = [](WORD vk) {
    return [vk](Shown& s) {
      auto* ok = Child<TButton>(*s.form, "OK");
      ASSERT_NE(ok, nullptr);
      EXPECT_TRUE(ok->Default());
      EXPECT_TRUE(ok->Cancel());
      EXPECT_EQ(GetFocus(), ok->Handle());
      PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
      PostMessageA(GetFocus(), WM_KEYUP, vk, 0xC0000001);
    };
  };
  const Way ways[] = {
      {"Enter", key(VK_RETURN)},
      {"Escape", key(VK_ESCAPE)},
      {"SC_CLOSE", [](Shown& s) { PostMessageA(s.window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"WM_CLOSE", [](Shown& s) { PostMessageA(s.window, WM_CLOSE, 0, 0); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    ShowMessageWith("Close me", [&](Shown& s) {
      if (s.tick == 0) way.close(s);
    });
  }
}

TEST(MessageForm, CaptionIsTheApplicationTitleAndTheMainWindowIsDisabled) {
  const std::string previous = Application->Title();
  // "...\xC3\xFB\xB3\xC6..." ends the title in code page 936 (name generator).
  const std::string title = "https://www.tessin.example/Tessin\xC3\xFB\xB3\xC6";
  Application->SetTitle(title);
  TForm mainWindow(nullptr);
  mainWindow.Show();
  bool disabledMeanwhile = false;
  std::string caption;
  ShowMessageWith("Hello", [&](Shown& s) {
    char text[256] = {};
    GetWindowTextA(s.window, text, sizeof text);
    caption = text;
    disabledMeanwhile = !IsWindowEnabled(mainWindow.Handle());
    PostMessageA(s.window, WM_CLOSE, 0, 0);
  });
  Application->SetTitle(previous);
  EXPECT_EQ(caption, title);
  EXPECT_TRUE(disabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(mainWindow.Handle()));
}

TEST(MessageForm, CtrlCCopiesTheSummary) {
  PutOnClipboard("before");
  const std::string divider = "---------------------------\r\n";
  const std::string expected =
      divider + Application->Title() + "\r\n" + divider + kOneLine + "\r\n" + divider + "OK   \r\n" + divider;
  ShowMessageWith(kOneLine, [&](Shown& s) {
    if (s.tick == 0) {
      // Drawn in the program's code page whatever the system's, with its title read as itself.
      EXPECT_EQ(s.form->Font().Charset(), GB2312_CHARSET);
      EXPECT_EQ(testing_support::WindowTextW(s.window), testing_support::Wide(Application->Title()));
      PressKey('C', true);
      PressKey(VK_ESCAPE, false);  // queued behind the copy key
    }
  });
  EXPECT_EQ(ClipboardText(), expected);
  // Another program reading it in UTF-16 gets the Chinese text in every system language.
  EXPECT_EQ(testing_support::ClipboardUnicode(), testing_support::Wide(expected));
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST(MessageForm, ShiftCtrlCCopiesNothing) {
  PutOnClipboard("before");
  ShowMessageWith("Hello", [&](Shown& s) {
    if (s.tick != 0) return;
    INPUT in[6] = {};
    const WORD keys[6] = {VK_SHIFT, VK_CONTROL, 'C', 'C', VK_CONTROL, VK_SHIFT};
    for (int i = 0; i < 6; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wVk = keys[i];
      in[i].ki.dwFlags = i < 3 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(6, in, sizeof(INPUT));
    PressKey(VK_ESCAPE, false);
  });
  EXPECT_EQ(ClipboardText(), "before");
}

TEST(MessageForm, BusyClipboardIsReportedAndTheBoxStaysOpen) {
  HWND other = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  std::vector<std::string> reported;
  Application->SetErrorBoxHandler(
      [&](HWND, const std::string& text, const std::string&) { reported.push_back(text); });
  bool openAfterReport = false;
  ShowMessageWith("Hello", [&](Shown& s) {
    if (s.tick == 0) {
      ASSERT_TRUE(OpenClipboard(other));
      PressKey('C', true);
    } else if (!reported.empty() && !openAfterReport) {
      openAfterReport = IsWindowVisible(s.window) && FindWindowA("TMessageForm", nullptr) == s.window;
      CloseClipboard();
      PressKey(VK_ESCAPE, false);
    }
  });
  Application->SetErrorBoxHandler(nullptr);
  DestroyWindow(other);
  EXPECT_EQ(reported, std::vector<std::string>{"Cannot open clipboard."});
  EXPECT_TRUE(openAfterReport);
}
