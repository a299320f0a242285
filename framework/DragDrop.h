#pragma once
#include <windows.h>

#include "framework/Controls.h"

namespace drag_detail {
inline bool waiting = false;  // a drag waits for its threshold
}  // namespace drag_detail

// The cursor shown for a cursor value (the arrow for an unknown one). The system's cursors are
// shared; the drag cursor is made once and lives as long as the program.
HCURSOR CursorHandle(TCursor cursor);

// Drag and drop inside the program, one drag at a time. A drag that waits for its threshold
// watches the mouse messages of the program's controls (the press that began it keeps its
// capture, so a release before the threshold still clicks); once it runs, a hidden window holds
// the mouse capture, the target is the control under the pointer (FindDragTarget), the cursor
// says whether it accepts, and while it runs Escape cancels it. Releasing the left button drops;
// another button, Escape or the capture taken away cancels.
class TDragController {
 public:
  static void Begin(TControl& source, bool immediate, int threshold);
  static void End(TControl& source, bool drop);
  static bool Dragging(const TControl& source);
  // A mouse message reached a control (before the control handles it).
  static void MouseMessage(UINT msg, WPARAM keys) {
    if (drag_detail::waiting) WatchWaiting(msg, keys);
  }
  // A control is going: a drag of it ends without events, a target forgets it.
  static void ControlDestroyed(TControl& control);
  // The drag's source changed its drag cursor.
  static void CursorChanged(TControl& source);

 private:
  friend class TDragTracker;
  static void WatchWaiting(UINT msg, WPARAM keys);
  // Past the threshold: raises the start event, takes the capture, finds the first target.
  static void Run();
  // The pointer moved while the drag runs: the target under it is asked whether it accepts.
  static void MoveTo(TPoint screen);
  // Dropped on the target when it accepts (and `drop`), else cancelled; the source hears last.
  static void Finish(bool drop);
};
