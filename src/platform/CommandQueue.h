#pragma once

#include <deque>
#include <functional>
#include <vector>

namespace vt {

// The operator's presses, each run whole and one at a time, in the order
// they were made. Every control whose handler can talk to the indicator or
// the PLC, or show a box, a question, a window or a file dialog, reaches its
// handler through this queue (see Presses.h).
//
// The link's waits run the event loop, so a control may be pressed while a
// command waits on the line. Such a press is queued, and its command runs
// when the one on the line has returned: commands never run inside each
// other's waits, and no box or window ever opens inside a wait. A command
// that waits for the operator (a box, a question, a window) is set aside
// meanwhile: the presses queued behind it run first, in order, before its
// box or window shows.
//
// A stop (the stop button, and the program's exit) is never held back:
// - while it is queued, the commands ahead of it still send their writes,
//   but wait for no more results (they end as failed);
// - once it has run, every command that was already running when it ran is
//   overtaken: it sends nothing more to the indicator or the PLC.
class CommandQueue {
 public:
  // Runs `command` now when no command is on the line and none is queued;
  // otherwise queues it behind them.
  void Run(std::function<void()> command) { Enqueue(std::move(command), false); }
  // The same, for a stop.
  void RunStop(std::function<void()> command) { Enqueue(std::move(command), true); }

  // True while a stop is queued behind the command on the line.
  bool StopWaiting() const { return stopsWaiting_ > 0; }
  // True when a stop has run since the innermost running command started.
  bool Overtaken() const { return !running_.empty() && running_.back() < stopsRun_; }
  // The running command is to end now: a stop waits behind it or overtook it.
  bool CutShort() const { return StopWaiting() || Overtaken(); }
  // True while a transaction waits on the line.
  bool LineTaken() const { return onLine_ > 0; }

  // Runs the queued commands, in order, unless the line is taken. Called
  // before any box or window shows, so that none holds a press back.
  void RunWaiting();

  // Marks the line as taken for as long as it lives.
  class OnLine {
   public:
    explicit OnLine(CommandQueue& queue) : queue_(queue) { ++queue_.onLine_; }
    ~OnLine() { --queue_.onLine_; }
    OnLine(const OnLine&) = delete;
    OnLine& operator=(const OnLine&) = delete;

   private:
    CommandQueue& queue_;
  };

 private:
  struct Queued {
    std::function<void()> command;
    bool stop = false;
  };

  void Enqueue(std::function<void()> command, bool stop);

  std::deque<Queued> waiting_;
  int stopsWaiting_ = 0;
  int stopsRun_ = 0;
  // For each command running (a command runs others while it waits for the
  // operator), the number of stops that had run when it started.
  std::vector<int> running_;
  int onLine_ = 0;
};

}  // namespace vt
