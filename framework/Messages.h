#pragma once

// Framework notifications between controls, delivered synchronously (Perform).
enum : unsigned {
  CM_BASE = 0xB000,
  CM_DIALOGKEY = 0xB005,
  CM_DIALOGCHAR = 0xB006,
  CM_FOCUSCHANGED = 0xB007,
  CM_PARENTFONTCHANGED = 0xB008,
  CM_PARENTCOLORCHANGED = 0xB009,
  CM_HITTEST = 0xB00A,
  CM_ENABLEDCHANGED = 0xB00C,
  CM_COLORCHANGED = 0xB00D,
  CM_FONTCHANGED = 0xB00E,
  CM_CURSORCHANGED = 0xB00F,
  CM_TEXTCHANGED = 0xB012,
  CM_MOUSEENTER = 0xB013,
  CM_MOUSELEAVE = 0xB014,
  CM_SHOWHINTCHANGED = 0xB022,
  CM_PARENTSHOWHINTCHANGED = 0xB023,
  CM_SYSCOLORCHANGE = 0xB024,
  CM_BORDERCHANGED = 0xB03B,
  CM_BIDIMODECHANGED = 0xB03C,
  CM_PARENTBIDIMODECHANGED = 0xB03D,
  // Window messages reflected from a parent to the native child they concern: CN_BASE + message.
  CN_BASE = 0xBC00,
};

// The framework's notifications and reflected messages (0xB000 to 0xBFFF): delivered only by a
// direct call inside the process, never through a window procedure.
constexpr bool IsFrameworkMessage(unsigned msg) { return msg >= CM_BASE && msg < 0xC000; }
