#pragma once
#include <string>
#include <vector>

#include "framework/Geometry.h"

// Layout of the message box, computed from measured text extents in dialog units of its font.

// The text whose extent gives the dialog units: X is its width / 52, Y its height.
inline constexpr const char* kDialogUnitLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct TDialogUnits {
  int X = 0, Y = 0;
};
TDialogUnits DialogUnits(TSize lettersExtent);

// The width within which the message is word-wrapped.
constexpr int MessageWrapWidth(int screenWidth) { return screenWidth / 2; }

struct TMessageLayout {
  int HorzMargin = 0, VertMargin = 0, VertSpacing = 0;
  int ButtonWidth = 0, ButtonHeight = 0;
  int ClientWidth = 0, ClientHeight = 0;
  TRect MessageRect;  // the label, in client coordinates
  TRect ButtonRect;   // the OK button, in client coordinates
};

// units: of the box's font; captionWidth: the OK caption's width on one line; text: the extent of
// the wrapped message.
TMessageLayout LayoutMessageBox(TDialogUnits units, int captionWidth, TSize text);

// The window rectangle centred on the screen for a client area plus the frame's extra size.
TRect CenteredWindowRect(TSize screen, int clientWidth, int clientHeight, TSize frameExtra);

// The plain-text summary the copy key puts on the clipboard: dividers, caption, message and the
// button captions each followed by three spaces, without "&".
std::string MessageSummary(const std::string& caption, const std::string& message,
                           const std::vector<std::string>& buttonCaptions);
