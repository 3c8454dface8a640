// What both windows keep between the calls that keep them alive during a
// long run: the window does the system's work at most every 50 ms, and a
// stop the user asked for meanwhile (Escape, the close box) is told once.
#pragma once

#include <chrono>
#include <utility>

class RunPump {
 public:
  // Runs pump when its time has come; true when a stop was asked since the
  // last call.
  template <class Pump>
  bool KeepAlive(Pump pump) {
    auto now = std::chrono::steady_clock::now();
    if (now - last_ >= kEvery) {
      last_ = now;
      pumping_ = true;
      pump();
      pumping_ = false;
    }
    return std::exchange(stopAsked_, false);
  }
  void AskStop() { stopAsked_ = true; }
  // The close box while the window is kept alive asks to stop the run; true
  // when it was taken so, false outside a run.
  bool CloseStopsRun() {
    if (pumping_) stopAsked_ = true;
    return pumping_;
  }

 private:
  static constexpr std::chrono::milliseconds kEvery{50};
  std::chrono::steady_clock::time_point last_{};
  bool pumping_ = false;
  bool stopAsked_ = false;
};
