#include "platform/CommandQueue.h"

#include <utility>

namespace vt {

void CommandQueue::Enqueue(std::function<void()> command, bool stop) {
  waiting_.push_back({std::move(command), stop});
  if (stop) ++stopsWaiting_;
  RunWaiting();
}

void CommandQueue::RunWaiting() {
  // A command taken from the queue is no longer waiting, so a stop does not
  // cut its own wait short. Presses during its waits queue behind it and
  // are run by this loop once it has returned.
  while (!LineTaken() && !waiting_.empty()) {
    Queued next = std::move(waiting_.front());
    waiting_.pop_front();
    if (next.stop) {
      --stopsWaiting_;
      ++stopsRun_;
    }
    running_.push_back(stopsRun_);
    next.command();
    running_.pop_back();
  }
}

}  // namespace vt
