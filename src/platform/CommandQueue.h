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
// A stop (the stop button, and the program's close) takes effect at its
// press: every command pressed before it, running or queued, is overtaken
// from then on. An overtaken command sends nothing more to the indicator or
// the PLC, and the one on the line ends with its current transaction. What
// the stop itself writes on the line is queued, behind nothing but the
// overtaken commands, which send nothing.
class CommandQueue {
 public:
  // Runs `command` now when no command is on the line and none is queued;
  // otherwise queues it behind them. Once the program is closing, a press
  // is not taken.
  void Run(std::function<void()> command);
  // A stop: `atPress` runs at once, wherever the press lands, so it must
  // neither wait on the line nor show anything; then every command pressed
  // before it is overtaken, and `onLine` is run as a press. A stop pressed
  // once the program is closing still runs `atPress`, and its `onLine`
  // runs before the close, overtaken by it: it sends nothing, but reports
  // what failed.
  void RunStop(const std::function<void()>& atPress, std::function<void()> onLine);
  // The program's close: a stop that sends nothing at its press, after which
  // no press is taken but a stop's. It overtakes every command pressed
  // before it but the writes of the stops, which still go out. `closing`
  // runs last, once every command has returned.
  void Close(std::function<void()> closing);

  // True when a stop or the close was pressed after the innermost running
  // command.
  bool Overtaken() const;
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
  // When a command was pressed, which tells what overtakes it.
  struct PressedAt {
    int stopsBefore;     // the stops pressed before it
    bool outlivesClose;  // a stop's own work pressed before the close, or the close's
  };
  struct Pressed {
    std::function<void()> command;
    PressedAt at;
  };

  void RunPressed(Pressed pressed);

  std::deque<Pressed> waiting_;
  int stops_ = 0;  // the stops pressed so far
  bool closing_ = false;
  std::function<void()> close_;  // the close's own work, until it runs
  // For each command running (a command runs others while it waits for the
  // operator), when it was pressed.
  std::vector<PressedAt> running_;
  int onLine_ = 0;
};

}  // namespace vt
