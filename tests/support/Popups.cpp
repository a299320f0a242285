#include "tests/support/Popups.h"

namespace testing_support {

namespace {
BOOL CALLBACK FindShownMenu(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU: the menu a menu window shows

BOOL CALLBACK FindShownTooltip(HWND window, LPARAM found) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "tooltips_class32" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}
}  // namespace

std::optional<std::string> ShownTooltip() {
  HWND shown = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownTooltip, reinterpret_cast<LPARAM>(&shown));
  if (!shown) return std::nullopt;
  char text[512] = {};
  GetWindowTextA(shown, text, sizeof text);
  return std::string(text);
}

MenuWatcher::MenuWatcher(std::initializer_list<Key> keys) : keys_(keys), timer_(nullptr) {
  timer_.SetInterval(20);
  timer_.SetOnTimer([this](TObject*) { Tick(); });
}

void MenuWatcher::Tick() {
  HWND shown = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&shown));
  if (!shown) {
    menu_ = nullptr;
    return;
  }
  if (menu_) {
    // Answered already (a submenu it opened counts as part of it).
    if (GetTickCount() - answeredAt_ > 5000) {
      forced_ = true;
      EndMenu();
    }
    return;
  }
  menu_ = shown;
  answeredAt_ = GetTickCount();
  ++seen_;
  items_.clear();
  GetWindowRect(shown, &rect_);
  if (HMENU menu = reinterpret_cast<HMENU>(SendMessageA(shown, kGetMenu, 0, 0))) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      Item item;
      item.state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      char text[256] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      item.caption = (item.state & MF_SEPARATOR) ? "-" : text;
      items_.push_back(item);
    }
  }
  // Real key presses, all at once: the menu's loop takes them in order. No messages are
  // handled here, or the keys would go to the window with the focus instead of the menu.
  std::vector<INPUT> input;
  auto key = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(in);
  };
  for (const Key& k : keys_) {
    if (k.shift) key(VK_SHIFT, false);
    key(k.vk, false);
    key(k.vk, true);
    if (k.shift) key(VK_SHIFT, true);
  }
  if (!input.empty()) SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

}  // namespace testing_support
