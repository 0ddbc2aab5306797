#include "platform/CommandQueue.h"

#include <utility>

namespace vt {

void CommandQueue::Run(std::function<void()> command) {
  if (closing_) return;
  waiting_.push_back({std::move(command), stops_});
  RunWaiting();
}

void CommandQueue::RunStop(const std::function<void()>& atPress, std::function<void()> onLine) {
  if (closing_) return;
  ++stops_;
  RunPressed({atPress, stops_});
  Run(std::move(onLine));
}

void CommandQueue::Close(std::function<void()> onLine) {
  if (closing_) return;
  ++stops_;
  waiting_.push_back({std::move(onLine), stops_});
  closing_ = true;
  RunWaiting();
}

void CommandQueue::RunPressed(Pressed pressed) {
  running_.push_back(pressed.stopsBefore);
  pressed.command();
  running_.pop_back();
}

void CommandQueue::RunWaiting() {
  // Presses during a command's waits queue behind it and are run by this
  // loop once it has returned.
  while (!LineTaken() && !waiting_.empty()) {
    Pressed next = std::move(waiting_.front());
    waiting_.pop_front();
    RunPressed(std::move(next));
  }
}

}  // namespace vt
