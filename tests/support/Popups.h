#pragma once
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"

namespace testing_support {

// Watches, while alive, for a context menu of this thread to show (a window of the system's menu
// class "#32768"), reads its items and answers it with real key presses. A menu shows inside its
// own modal loop, so the watch runs on a timer that the loop dispatches. A menu still open five
// seconds after the keys went is closed, so that a failing test cannot hang. One watcher for each
// menu: a menu that opens between two looks of the timer counts as the one before.
class MenuWatcher {
 public:
  // A key to press: the virtual key and whether Shift is held.
  struct Key {
    WORD vk;
    bool shift = false;
  };
  MenuWatcher(std::initializer_list<Key> keys);

  // An item of the menu as the system shows it.
  struct Item {
    std::string caption;  // "-" for a separator
    UINT state = 0;       // MF_GRAYED, MF_CHECKED, MF_POPUP ...
  };
  int MenusSeen() const { return seen_; }
  const std::vector<Item>& Items() const { return items_; }  // of the last menu seen
  RECT MenuRect() const { return rect_; }                     // of the last menu seen, on the screen
  bool ClosedByForce() const { return forced_; }

 private:
  void Tick();
  std::vector<Key> keys_;
  TTimer timer_;
  HWND menu_ = nullptr;  // the menu window answered, while a menu shows
  DWORD answeredAt_ = 0;
  int seen_ = 0;
  std::vector<Item> items_;
  RECT rect_{};
  bool forced_ = false;
};

// The text of the tooltip window of this thread that shows now (the platform's tooltip class),
// or nothing while none shows.
std::optional<std::string> ShownTooltip();

}  // namespace testing_support
