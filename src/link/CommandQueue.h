#pragma once

#include <deque>
#include <functional>

namespace vt {

// The operator's commands to the indicator and the PLC, each run whole and
// one at a time, in the order they were asked for.
//
// The link's waits run the event loop, so a button may be pressed while a
// command waits on the line. Such a press is queued and its command runs
// when the one on the line has finished: the indicator and the PLC receive
// the commands in the order pressed, and no command ever reads another's
// result from the command register. A press while the running command is
// off the line (it shows a box or a window of its own) runs at once.
//
// The stop is never held back by a wait: while a stop is queued, the
// commands ahead of it still send what they write, but no longer wait for
// the indicator's results (they end as failed), and a box is shown only
// after the queued commands have gone out.
class CommandQueue {
 public:
  // Runs `command` now when no command is on the line and none is queued;
  // otherwise queues it behind them.
  void Run(std::function<void()> command) { Enqueue(std::move(command), false); }
  // The same, for a stop.
  void RunStop(std::function<void()> command) { Enqueue(std::move(command), true); }

  // True while a stop is queued behind the command on the line.
  bool StopWaiting() const { return stopsWaiting_ > 0; }
  // True while a transaction waits on the line.
  bool LineTaken() const { return onLine_ > 0; }

  // Runs the queued commands, in order, unless the line is taken. Called
  // before a box is shown, so that no box holds a press back.
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
  int onLine_ = 0;
};

}  // namespace vt
