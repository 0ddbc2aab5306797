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

// The close overtakes what was pressed before it but a stop's write, takes
// no press after it but a stop's, whose press part runs at once and whose
// write runs overtaken, and runs once every command has returned, after
// what a running command still reports.
TEST(CommandQueue, TheCloseRunsLastAndSparesOnlyTheStopsWrite) {
  CommandQueue queue;
  std::string ran;
  auto mark = [&](char name) { return [&ran, &queue, name] { ran += queue.Overtaken() ? char(name - 'a' + 'A') : name; }; };
  std::optional<CommandQueue::OnLine> line(std::in_place, queue);
  queue.Run(mark('a'));
  queue.RunStop(mark('p'), mark('s'));
  queue.Run(mark('b'));
  queue.Close(mark('c'));
  queue.Run(mark('d'));
  queue.RunStop(mark('q'), mark('t'));
  queue.Close(mark('e'));
  EXPECT_EQ(ran, "pq");
  line.reset();
  queue.RunWaiting();
  EXPECT_EQ(ran, "pqAsBTc");

  CommandQueue reporting;
  std::string order;
  reporting.Run([&] {
    reporting.Close([&] { order += 'c'; });
    reporting.RunWaiting();  // the hook before the running command's box
    order += reporting.Overtaken() ? 'R' : 'r';
  });
  EXPECT_EQ(order, "Rc");
}

}  // namespace
}  // namespace vt
