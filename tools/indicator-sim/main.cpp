// indicator-sim: the simulated force indicator as a program of its own.
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTextStream>

#include "indicator-sim/CommandLine.h"
#include "indicator-sim/IndicatorSim.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// Ends the event loop on a termination request, Ctrl+C or a hang-up, so that
// the serial link is removed on the way out. Ctrl+C and the hang-up stay
// ignored where they were ignored at the start (in the background of a
// script, under nohup): whoever started the simulator so ends it itself.
void QuitOnSignals(QCoreApplication& application) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
  struct sigaction quit {};
  quit.sa_handler = OnSignal;
  sigemptyset(&quit.sa_mask);
  quit.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &quit, nullptr);
  for (const int interruption : {SIGINT, SIGHUP}) {
    struct sigaction inherited {};
    ::sigaction(interruption, nullptr, &inherited);
    if (inherited.sa_handler != SIG_IGN) ::sigaction(interruption, &quit, nullptr);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  // Before the link exists, so that no signal ends the simulator without
  // removing it.
  QuitOnSignals(application);
  QTextStream out(stdout);
  QTextStream err(stderr);

  vt::sim::CommandLine commandLine;
  if (!commandLine.Parse(application.arguments())) {
    err << "indicator-sim: " << commandLine.Error() << "\nTry --help." << Qt::endl;
    return 2;
  }
  if (commandLine.HelpWanted()) {
    out << commandLine.HelpText();
    return 0;
  }
  const vt::sim::SimConfig& config = commandLine.Config();

  vt::sim::IndicatorSim sim;
  vt::sim::Configure(sim, config);
  if (config.trace) sim.Server().SetTrace([&out](const QString& line) { out << line << Qt::endl; });

  if (config.tcpPort) {
    if (!sim.ListenTcp(*config.tcpPort, config.bind)) {
      err << "indicator-sim: " << sim.ErrorText() << Qt::endl;
      return 1;
    }
    out << "Modbus TCP on " << config.bind.toString() << " port " << sim.TcpPort() << Qt::endl;
  }
  if (config.serial) {
    if (!sim.OpenSerial(*config.serial)) {
      err << "indicator-sim: " << sim.ErrorText() << Qt::endl;
      return 1;
    }
    const char* mode = *config.serial == vt::sim::Transport::Rtu ? "RTU" : "ASCII";
    out << "Modbus " << mode << " slave " << config.address << " on " << sim.SerialPath() << Qt::endl;
    if (!config.linkFolder.isEmpty()) {
      const QString link = QDir(config.linkFolder).absoluteFilePath(config.linkName);
      if (!sim.LinkSerial(link)) {
        err << "indicator-sim: " << sim.ErrorText() << Qt::endl;
        return 1;
      }
      out << "Link " << link << " -> " << sim.SerialPath() << Qt::endl;
    }
  }

  sim.StartClock();
  return application.exec();
}
