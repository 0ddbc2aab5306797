#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <memory>
#include <utility>
#include <vector>

namespace vt {

class Dialogs;

// The requests to end the program that come as signals: SIGTERM (a logout,
// a shutdown, `kill`), SIGINT (Ctrl+C in its terminal) and SIGHUP (its
// terminal closed). From its making on, none of them ends the process at
// once: the signal only writes a byte into a pipe, which the event loop
// reads, wherever it runs (the main loop, a box's, a wait on the line).
// The first request ends everything that waits for the operator
// (`Dialogs::EndShowingNow`) and then emits `Requested`, once; later ones
// are read and ignored, so that none cuts the close short. A SIGINT or
// SIGHUP that the program was started ignoring (as a script's background
// job is) stays ignored; SIGTERM is always taken.
//
// One object per process, since a signal's handler is the process's own.
class TerminationRequests : public QObject {
  Q_OBJECT

 public:
  explicit TerminationRequests(Dialogs& dialogs);
  // The signals are handled as they were before.
  ~TerminationRequests() override;
  TerminationRequests(const TerminationRequests&) = delete;
  TerminationRequests& operator=(const TerminationRequests&) = delete;

  // True once a request has been read.
  bool Received() const { return received_; }

 signals:
  void Requested();

 private:
  void ReadRequests();

  Dialogs& dialogs_;
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::vector<std::pair<int, struct sigaction>> replaced_;  // each signal taken, with its former action
  bool received_ = false;
};

}  // namespace vt
