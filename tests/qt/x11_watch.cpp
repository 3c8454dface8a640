#include "x11_watch.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr unsigned long kMagenta = 0xFF00FF;

// Pings the window and waits at most 1 s for the answer, which comes to the
// root window; true when it came.
bool Ping(Display* display, Window window, long serial) {
  Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  XEvent event = {};
  event.xclient = {ClientMessage, 0, False, display, window, XInternAtom(display, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = static_cast<long>(ping);
  event.xclient.data.l[1] = serial;
  event.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  for (Clock::time_point deadline = Clock::now() + 1s; Clock::now() < deadline; std::this_thread::sleep_for(5ms)) {
    while (XPending(display)) {
      XNextEvent(display, &event);
      if (event.type == ClientMessage && event.xclient.data.l[0] == static_cast<long>(ping) &&
          event.xclient.data.l[1] == serial)
        return true;
    }
  }
  return false;
}

// Covers the middle of the window with a magenta window for 200 ms; true
// when, within 1 s of the uncovering, the middle shows no magenta.
bool RepaintsUncovered(Display* display, Window window) {
  XWindowAttributes shape = {};
  XGetWindowAttributes(display, window, &shape);
  int left, top;
  Window root = DefaultRootWindow(display), child;
  XTranslateCoordinates(display, window, root, shape.width / 4, shape.height / 4, &left, &top, &child);
  // Under Xvfb no window manager moves or frames the cover.
  Window over = XCreateSimpleWindow(display, root, left, top, shape.width / 2, shape.height / 2, 0, 0, kMagenta);
  XMapRaised(display, over);
  XSync(display, False);
  std::this_thread::sleep_for(200ms);
  XDestroyWindow(display, over);
  XSync(display, False);
  for (Clock::time_point deadline = Clock::now() + 1s; Clock::now() < deadline; std::this_thread::sleep_for(50ms)) {
    XImage* middle = XGetImage(display, window, shape.width / 2, shape.height / 2, 1, 1, AllPlanes, ZPixmap);
    bool repainted = middle && (XGetPixel(middle, 0, 0) & 0xFFFFFF) != kMagenta;
    if (middle) XDestroyImage(middle);
    if (repainted) return true;
  }
  return false;
}

}  // namespace

WindowWatch WatchWindow(unsigned long window, const std::atomic<bool>& done) {
  WindowWatch watch;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return watch;
  // The window may be gone by the last ping: errors are no concern here.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  // Answers come to the root window with the masks StructureNotify and
  // SubstructureRedirect (Qt's xcb plugin); the redirect belongs to the
  // window manager, so the watch takes the other.
  XSelectInput(display, DefaultRootWindow(display), StructureNotifyMask);
  Clock::time_point start = Clock::now();
  bool covered = false;
  while (!done) {
    Clock::time_point sent = Clock::now();
    if (!covered && sent - start >= 1500ms) {
      covered = true;
      watch.repainted = RepaintsUncovered(display, window);
    }
    ++watch.pings;
    // A ping whose wait the run's end cut short counts as answered.
    if (!Ping(display, window, watch.pings) && !done) ++watch.unanswered;
    std::this_thread::sleep_until(sent + 250ms);
  }
  XCloseDisplay(display);
  return watch;
}
