#include "platform/CommandQueue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vt {
namespace {

// One walk through the queue: presses while the line is taken wait, in
// order; a stop waiting cuts the running command short; once the stop has
// run, the command that was running when it ran is overtaken, and the
// commands pressed after it are not.
TEST(CommandQueue, RunsPressesInOrderAndTheStopOvertakesOnlyWhatRanBeforeIt) {
  CommandQueue queue;
  std::string ran;
  std::optional<CommandQueue::OnLine> line;

  queue.Run([&] { ran += 'a'; });
  EXPECT_EQ(ran, "a");  // idle: at once

  line.emplace(queue);
  queue.Run([&] { ran += 'b'; });
  queue.RunStop([&] { ran += 'S'; });
  EXPECT_EQ(ran, "a");
  EXPECT_TRUE(queue.StopWaiting());
  EXPECT_TRUE(queue.CutShort());
  queue.RunWaiting();  // the line is still taken
  EXPECT_EQ(ran, "a");
  line.reset();
  queue.RunWaiting();
  EXPECT_EQ(ran, "abS");
  EXPECT_FALSE(queue.CutShort());

  // A command waiting for the operator runs the presses behind it; the stop
  // among them overtakes it, not the press made after the stop.
  std::optional<bool> outerOvertaken;
  std::optional<bool> laterOvertaken;
  queue.Run([&] {
    line.emplace(queue);
    queue.Run([&] { ran += 'c'; });
    queue.RunStop([&] {
      ran += 'T';
      EXPECT_FALSE(queue.Overtaken());
    });
    queue.Run([&] {
      ran += 'd';
      laterOvertaken = queue.Overtaken();
    });
    EXPECT_TRUE(queue.CutShort());
    line.reset();
    EXPECT_FALSE(queue.Overtaken());
    queue.RunWaiting();  // the hook before a box
    outerOvertaken = queue.Overtaken();
  });
  EXPECT_EQ(ran, "abScTd");
  EXPECT_EQ(laterOvertaken, false);
  EXPECT_EQ(outerOvertaken, true);
  EXPECT_FALSE(queue.Overtaken());  // nothing runs
  EXPECT_FALSE(queue.StopWaiting());
}

}  // namespace
}  // namespace vt
