#include "x11_watch.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr unsigned long kMagenta = 0xFF00FF;

// The next event before the deadline; false at the deadline.
bool NextEvent(Display* display, XEvent& event, Clock::time_point deadline) {
  while (!XPending(display)) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left));
  }
  XNextEvent(display, &event);
  return true;
}

// Pings the window and waits at most 1 s for the answer, which comes to the
// root window; true when it came.
bool Ping(Display* display, Window window, long serial) {
  Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(ping);
  event.xclient.data.l[1] = serial;
  event.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  for (Clock::time_point deadline = Clock::now() + 1s; NextEvent(display, event, deadline);) {
    if (event.type == ClientMessage && event.xclient.data.l[0] == static_cast<long>(ping) &&
        event.xclient.data.l[1] == serial)
      return true;
  }
  return false;
}

bool ShowsMagenta(Display* display, Window window, int x, int y, int width, int height) {
  XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) return true;
  bool found = false;
  for (int row = 0; row < height && !found; row += 2)
    for (int column = 0; column < width && !found; column += 2)
      found = (XGetPixel(image, column, row) & 0xFFFFFF) == kMagenta;
  XDestroyImage(image);
  return found;
}

bool RepaintsUncovered(Display* display, Window window) {
  XWindowAttributes shape = {};
  XGetWindowAttributes(display, window, &shape);
  int x = shape.width / 4, y = shape.height / 4, width = shape.width / 2, height = shape.height / 2, left, top;
  Window root = DefaultRootWindow(display), child;
  XTranslateCoordinates(display, window, root, x, y, &left, &top, &child);
  XSetWindowAttributes cover = {};
  cover.override_redirect = True;
  cover.background_pixel = kMagenta;
  Window over = XCreateWindow(display, root, left, top, width, height, 0, CopyFromParent, InputOutput,
                              CopyFromParent, CWOverrideRedirect | CWBackPixel, &cover);
  XMapRaised(display, over);
  XSync(display, False);
  std::this_thread::sleep_for(200ms);
  XDestroyWindow(display, over);
  XSync(display, False);
  for (Clock::time_point deadline = Clock::now() + 1s; Clock::now() < deadline; std::this_thread::sleep_for(50ms))
    if (!ShowsMagenta(display, window, x, y, width, height)) return true;
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
