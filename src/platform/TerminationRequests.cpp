#include "platform/TerminationRequests.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/Dialogs.h"

namespace vt {
namespace {

// The pipe's writing end, for the signal handler; -1 while no object listens.
std::atomic<int> requestPipe{-1};

void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char request = 1;
  // A full pipe already holds a request.
  [[maybe_unused]] const ssize_t written = ::write(requestPipe.load(), &request, 1);
  errno = savedErrno;
}

}  // namespace

TerminationRequests::TerminationRequests(Dialogs& dialogs) : dialogs_(dialogs) {
  // Without a pipe the signals keep ending the program at once.
  if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) return;
  requestPipe.store(pipe_[1]);
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationRequests::ReadRequests);

  struct sigaction handled = {};
  handled.sa_handler = OnTerminationSignal;
  sigemptyset(&handled.sa_mask);
  handled.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction former = {};
    if (::sigaction(signal, nullptr, &former) != 0) continue;
    if (signal != SIGTERM && former.sa_handler == SIG_IGN) continue;
    if (::sigaction(signal, &handled, nullptr) == 0) replaced_.emplace_back(signal, former);
  }
}

TerminationRequests::~TerminationRequests() {
  for (const auto& [signal, former] : replaced_) ::sigaction(signal, &former, nullptr);
  requestPipe.store(-1);
  notifier_.reset();
  for (const int end : pipe_) {
    if (end >= 0) ::close(end);
  }
}

void TerminationRequests::ReadRequests() {
  char requests[64];
  while (::read(pipe_[0], requests, sizeof requests) > 0) {
  }
  if (received_) return;
  received_ = true;
  dialogs_.EndShowingNow();
  emit Requested();
}

}  // namespace vt
