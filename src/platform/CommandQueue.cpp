#include "platform/CommandQueue.h"

#include <utility>

namespace vt {

void CommandQueue::Run(std::function<void()> command) {
  if (closing_) return;
  waiting_.push_back({std::move(command), {stops_, false}});
  RunWaiting();
}

void CommandQueue::RunStop(const std::function<void()>& atPress, std::function<void()> onLine) {
  // Once closing, nothing is left to overtake but the writes of earlier
  // stops, which go out before the close.
  if (!closing_) ++stops_;
  RunPressed({atPress, {stops_, true}});
  waiting_.push_back({std::move(onLine), {stops_, !closing_}});
  RunWaiting();
}

void CommandQueue::Close(std::function<void()> closing) {
  if (closing_) return;
  closing_ = true;
  close_ = std::move(closing);
  RunWaiting();
}

bool CommandQueue::Overtaken() const {
  if (running_.empty()) return false;
  const PressedAt& innermost = running_.back();
  return innermost.stopsBefore < stops_ || (closing_ && !innermost.outlivesClose);
}

void CommandQueue::RunPressed(Pressed pressed) {
  running_.push_back(pressed.at);
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
  // The close waits for every running command, so that what they report
  // still shows before the window goes.
  if (close_ && !LineTaken() && running_.empty()) RunPressed({std::exchange(close_, nullptr), {stops_, true}});
}

}  // namespace vt
