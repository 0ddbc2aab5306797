// Termination requests sent as signals to a process: each signal is read
// from the event loop instead of ending the process, and only the first is
// a request.
#include "platform/TerminationRequests.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <csignal>

#include "WaitFor.h"
#include "platform/ScriptedDialogs.h"
#include "support/ChildProcess.h"

namespace vt {
namespace {

struct Sent {
  const char* name;
  int signal;
  bool ignoredAtStart;  // the process was started with the signal ignored
};

void PrintTo(const Sent& row, std::ostream* out) { *out << row.name; }

class TerminationRequestsTest : public ::testing::TestWithParam<Sent> {};

// In a child process: the signal sent twice, then SIGTERM, which comes
// through even where a SIGINT or SIGHUP stays ignored, then SIGTERM again.
// One request is read; from then on nothing shows; once the object ends,
// the signal is handled as it was before.
TEST_P(TerminationRequestsTest, TheFirstSignalIsTheOneRequest) {
  const Sent row = GetParam();
  EXPECT_EQ(test::RunInChild([&row] {
              if (row.ignoredAtStart) std::signal(row.signal, SIG_IGN);
              struct sigaction before = {};
              sigaction(row.signal, nullptr, &before);
              ScriptedDialogs dialogs;
              int requests = 0;
              {
                TerminationRequests termination(dialogs);
                QObject::connect(&termination, &TerminationRequests::Requested, [&] { ++requests; });
                // A signal sent to the process itself is handled before kill returns.
                kill(getpid(), row.signal);
                kill(getpid(), row.signal);
                QCoreApplication::processEvents();
                if (termination.Received() == (row.ignoredAtStart && row.signal != SIGTERM)) return 1;
                kill(getpid(), SIGTERM);
                if (!test::WaitFor([&] { return termination.Received(); }, 20000)) return 2;
                kill(getpid(), SIGTERM);
                QCoreApplication::processEvents();
              }
              struct sigaction after = {};
              sigaction(row.signal, nullptr, &after);
              if (after.sa_handler != before.sa_handler) return 3;
              if (dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNo) != MsgAnswer::No || !dialogs.boxes.empty()) {
                return 4;
              }
              return requests == 1 ? 0 : 5;
            }),
            0);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationRequestsTest,
                         ::testing::Values(Sent{"SIGTERM", SIGTERM, false}, Sent{"SIGINT", SIGINT, false},
                                           Sent{"SIGHUP", SIGHUP, false}, Sent{"SIGTERM_ignored", SIGTERM, true},
                                           Sent{"SIGINT_ignored", SIGINT, true},
                                           Sent{"SIGHUP_ignored", SIGHUP, true}));

}  // namespace
}  // namespace vt
