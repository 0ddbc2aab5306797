// Runs the real main window against the simulated indicator (a separate
// process) over TCP on loopback and reports how many polls a second the
// program loop achieves, against the cadence the poll timer allows, and the
// CPU time this process spends per second.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/MainForm.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunEventLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;

  QProcess simulator;
  simulator.start(QCoreApplication::applicationDirPath() + QStringLiteral("/indicator-sim"),
                  {QStringLiteral("--tcp"), QStringLiteral("0")});
  if (!simulator.waitForReadyRead(5000)) {
    std::fprintf(stderr, "the simulator did not start\n");
    return 1;
  }
  const auto match = QRegularExpression(QStringLiteral("port (\\d+)")).match(QString::fromLocal8Bit(simulator.readAll()));
  if (!match.hasMatch()) {
    std::fprintf(stderr, "the simulator printed no port\n");
    return 1;
  }
  const quint16 port = match.captured(1).toUShort();

  QTemporaryDir folder;
  QStringList config(36);
  config[1] = QStringLiteral(" 5 ");
  config[2] = QStringLiteral("1");
  config[32] = QStringLiteral(" 127 ");
  config[33] = config[34] = QStringLiteral(" 0 ");
  config[35] = QStringLiteral(" 1 ");
  vt::WriteTextLines(folder.filePath(QStringLiteral("kelbrin.cfg")), config);

  vt::ScriptedDialogs dialogs;
  vt::SystemClock clock;
  vt::MainForm form(folder.path(), dialogs, clock, vt::MainForm::Options{port, true});
  form.show();
  RunEventLoopFor(2000);  // connect and settle
  if (!form.program.comm.LinkOK) {
    std::fprintf(stderr, "no answer from the simulator\n");
    return 1;
  }

  const quint16 firstId = form.link->TcpTransId;
  const double firstCpu = CpuSeconds();
  QElapsedTimer elapsed;
  elapsed.start();
  RunEventLoopFor(seconds * 1000);
  const double wall = elapsed.elapsed() / 1000.0;
  const double cpu = CpuSeconds() - firstCpu;
  const int polls = static_cast<quint16>(form.link->TcpTransId - firstId);

  const double cadence = 1000.0 / (2 * form.Timer1.interval());
  const double rate = polls / wall;
  std::printf("poll timer interval  %d ms (cadence %.1f polls/s)\n", form.Timer1.interval(), cadence);
  std::printf("polls                %d in %.1f s = %.2f polls/s (%.1f %% of the cadence)\n", polls, wall, rate,
              100.0 * rate / cadence);
  std::printf("CPU time             %.3f s = %.2f %% of one core\n", cpu, 100.0 * cpu / wall);
  simulator.terminate();
  simulator.waitForFinished(2000);
  return 0;
}
