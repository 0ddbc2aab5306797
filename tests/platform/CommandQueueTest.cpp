#include "platform/CommandQueue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vt {
namespace {

// One walk through the queue: presses while the line is taken wait, in
// order; a stop takes effect at its press, overtaking the command on the
// line and those queued before it, not those pressed after it.
TEST(CommandQueue, RunsPressesInOrderAndTheStopOvertakesWhatWasPressedBeforeIt) {
  CommandQueue queue;
  std::string ran;
  std::optional<CommandQueue::OnLine> line;
  auto press = [&](char name) {
    queue.Run([&ran, &queue, name] { ran += queue.Overtaken() ? char(name - 'a' + 'A') : name; });
  };

  press('a');
  EXPECT_EQ(ran, "a");  // idle: at once

  // A command on the line: the stop's press part runs at once, not
  // overtaken; the command is overtaken from then on.
  std::optional<bool> onLineOvertaken;
  queue.Run([&] {
    line.emplace(queue);
    press('b');
    queue.RunStop([&] { ran += queue.Overtaken() ? 'x' : 'p'; }, [&] { ran += queue.Overtaken() ? 'X' : 's'; });
    press('c');
    onLineOvertaken = queue.Overtaken();
    queue.RunWaiting();  // the line is still taken
    line.reset();
  });
  // Queued before the stop: overtaken; the stop's own and later: not.
  EXPECT_EQ(ran, "apBsc");
  EXPECT_EQ(onLineOvertaken, true);
  EXPECT_FALSE(queue.Overtaken());  // nothing runs

  // A command set aside behind a box runs the presses behind it; a stop
  // among them overtakes it.
  std::optional<bool> setAsideOvertaken;
  queue.Run([&] {
    press('d');
    queue.RunStop([] {}, [&] { ran += 't'; });
    queue.RunWaiting();  // the hook before a box
    setAsideOvertaken = queue.Overtaken();
  });
  EXPECT_EQ(ran, "apBscdt");
  EXPECT_EQ(setAsideOvertaken, true);
}

// The close overtakes what was pressed before it, runs last and takes no
// press after it, not even a stop's.
TEST(CommandQueue, TheCloseRunsLastAndTakesNoLaterPress) {
  CommandQueue queue;
  std::string ran;
  std::optional<CommandQueue::OnLine> line(std::in_place, queue);
  queue.Run([&] { ran += queue.Overtaken() ? 'A' : 'a'; });
  queue.Close([&] { ran += queue.Overtaken() ? 'X' : 'c'; });
  EXPECT_TRUE(queue.Closing());
  queue.Run([&] { ran += 'b'; });
  queue.RunStop([&] { ran += 'p'; }, [&] { ran += 's'; });
  queue.Close([&] { ran += 'C'; });
  EXPECT_EQ(ran, "");
  line.reset();
  queue.RunWaiting();
  EXPECT_EQ(ran, "Ac");
}

}  // namespace
}  // namespace vt
