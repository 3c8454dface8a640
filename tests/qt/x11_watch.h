// A top-level window watched from an X connection of its own, as a window
// manager watches it, while the window's thread is busy elsewhere.
#pragma once

#include <atomic>

struct WindowWatch {
  int pings = 0;
  int unanswered = 0;     // not answered within 1 s
  bool repainted = false;  // an area uncovered was repainted within 1 s
};

// Sends the window a _NET_WM_PING every 250 ms until done is set; once,
// 1.5 s in, covers its middle with a magenta window for 200 ms and looks
// whether the magenta is gone from it within 1 s of the uncovering.
WindowWatch WatchWindow(unsigned long window, const std::atomic<bool>& done);
