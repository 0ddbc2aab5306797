// Times the parameter transfers of the real main window against the simulated
// indicator (a separate process), over TCP and over RTU on a pseudo-terminal
// at 9600 bit/s: a whole-memory read (256 addresses) and WriteAllParameters
// (163 addresses). In the same run a plain libmodbus client sends the same
// command-register sequence to the same simulator; for RTU the wire-time
// floor of that sequence is given too.
#include <modbus.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/MainForm.h"
#include "link/CommandRegister.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"
#include "setup/ParameterGroups.h"

namespace {

constexpr int kBitRate = 9600;
constexpr double kBitsPerCharacter = 11;  // start, 8 data, parity or stop, stop

enum class Link { Tcp, Rtu };

struct Figures {
  double seconds = 0;
  long wireBytes = 0;  // RTU frame bytes of requests and answers
};

double Seconds(const std::function<void()>& work) {
  QElapsedTimer elapsed;
  elapsed.start();
  work();
  return elapsed.nsecsElapsed() / 1e9;
}

void RunEventLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The simulated indicator as a process of its own.
class Simulator {
 public:
  Simulator(Link link, const QString& folder) {
    QStringList arguments = {QStringLiteral("--tcp"), QStringLiteral("0")};
    if (link == Link::Rtu) {
      // The simulator paces its answers by the bit rate the client sets on the
      // terminal, as a real line would let them come.
      arguments = {QStringLiteral("--serial"), QStringLiteral("rtu"), QStringLiteral("--link-folder"), folder};
    }
    process_.start(QCoreApplication::applicationDirPath() + QStringLiteral("/indicator-sim"), arguments);
    QString printed;
    const QRegularExpression pattern(link == Link::Tcp ? QStringLiteral("port (\\d+)")
                                                       : QStringLiteral("Link .* -> (\\S+)"));
    QElapsedTimer waited;
    waited.start();
    while (!pattern.match(printed).hasMatch() && waited.elapsed() < 5000) {
      process_.waitForReadyRead(500);
      printed += QString::fromLocal8Bit(process_.readAll());
    }
    const auto match = pattern.match(printed);
    if (match.hasMatch()) where_ = match.captured(1);
  }
  ~Simulator() {
    process_.terminate();
    process_.waitForFinished(2000);
  }
  // The TCP port or the pseudo-terminal's path; empty when it did not start.
  const QString& Where() const { return where_; }

 private:
  QProcess process_;
  QString where_;
};

// The sequence through libmodbus, counting the RTU bytes it would put on a wire.
class PlainClient {
 public:
  PlainClient(Link link, const QString& where) {
    ctx_ = link == Link::Tcp ? modbus_new_tcp("127.0.0.1", where.toInt())
                             : modbus_new_rtu(where.toLocal8Bit().constData(), kBitRate, 'N', 8, 1);
    if (ctx_ && (modbus_set_slave(ctx_, 1) != 0 || modbus_connect(ctx_) != 0)) {
      modbus_free(ctx_);
      ctx_ = nullptr;
    }
  }
  ~PlainClient() {
    if (!ctx_) return;
    modbus_close(ctx_);
    modbus_free(ctx_);
  }
  bool Usable() const { return ctx_ != nullptr; }
  long WireBytes() const { return bytes_; }

  // Writes the code and its arguments, then reads `readCount` registers from
  // 0 until register 0 holds something else.
  bool Command(std::vector<std::uint16_t> registers, int readCount) {
    const int code = registers[0];
    if (registers.size() == 1) {
      if (modbus_write_register(ctx_, 0, registers[0]) != 1) return false;
      bytes_ += 8 + 8;
    } else {
      const int n = static_cast<int>(registers.size());
      if (modbus_write_registers(ctx_, 0, n, registers.data()) != n) return false;
      bytes_ += 9 + 2 * n + 8;
    }
    if (readCount == 0) return true;
    std::array<std::uint16_t, 3> read{};
    do {
      if (modbus_read_registers(ctx_, 0, readCount, read.data()) != readCount) return false;
      bytes_ += 8 + 5 + 2 * readCount;
    } while (read[0] == code);
    return read[0] == 0;
  }

 private:
  modbus_t* ctx_ = nullptr;
  long bytes_ = 0;
};

// The program's command-register sequence: the device type, then each address.
bool ReadSequence(PlainClient& client, const std::vector<int>& addresses) {
  if (!client.Command({vt::IndCmd::DeviceType, 0, 0}, 3)) return false;
  for (int address : addresses) {
    if (!client.Command({vt::IndCmd::ReadPar, std::uint16_t(address)}, 3)) return false;
  }
  return true;
}

bool WriteSequence(PlainClient& client, const std::vector<int>& addresses, const std::vector<int>& values) {
  if (!client.Command({vt::IndCmd::DeviceType, 0, 0}, 3)) return false;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    const auto code = vt::kParameterAccessCode;
    if (!client.Command({vt::IndCmd::Unlock, std::uint16_t(code[0]), std::uint16_t(code[1])}, 3) ||
        !client.Command({vt::IndCmd::WritePar, std::uint16_t(addresses[i]), std::uint16_t(values[i])}, 3)) {
      return false;
    }
  }
  return client.Command({vt::IndCmd::ToEEprom}, 1) && client.Command({vt::IndCmd::SerialLinkApply}, 0);
}

QStringList ConfigLines(Link link) {
  QStringList config(36);
  config[1] = link == Link::Tcp ? QStringLiteral(" 5 ") : QStringLiteral(" 1 ");  // TCP or COM1
  config[2] = QStringLiteral("1");
  config[3] = QStringLiteral(" 1 ");  // RTU
  config[4] = QStringLiteral("9600,n,8,1");
  config[32] = QStringLiteral(" 127 ");
  config[33] = config[34] = QStringLiteral(" 0 ");
  config[35] = QStringLiteral(" 1 ");
  return config;
}

struct Run {
  Figures programRead, programWrite, plainRead, plainWrite;
  std::size_t readCount = 0;
  std::size_t writeCount = 0;
  bool ok = false;
};

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

Run Measure(Link link) {
  Run run;
  QTemporaryDir folder;
  Simulator simulator(link, folder.path());
  if (simulator.Where().isEmpty()) {
    std::fprintf(stderr, "the simulator did not start\n");
    return run;
  }
  vt::WriteTextLines(folder.filePath(QStringLiteral("kelbrin.cfg")), ConfigLines(link));
  vt::ScriptedDialogs dialogs;
  vt::SystemClock clock;
  const quint16 tcpPort = link == Link::Tcp ? simulator.Where().toUShort() : 502;
  auto form = std::make_unique<vt::MainForm>(folder.path(), dialogs, clock, vt::MainForm::Options{tcpPort, true});
  form->show();
  RunEventLoopFor(1500);  // connect and settle
  vt::Program& program = form->program;
  if (!program.comm.LinkOK) {
    std::fprintf(stderr, "no answer from the simulator\n");
    return run;
  }

  std::array<bool, vt::kParFlagCount> wholeMemory{};
  wholeMemory[6] = true;
  const std::vector<int> readList = vt::ReadAddresses(wholeMemory);
  std::vector<int> writeList;
  std::vector<int> writeValues;
  bool ok = true;
  std::array<std::vector<double>, 4> times;  // program read, program write, libmodbus read, libmodbus write
  auto programRuns = [&] {
    times[0].push_back(Seconds([&] {
      program.comm.CommError = false;
      form->transfers->ClearParFlags();
      program.global.ParFlags = wholeMemory;
      form->transfers->ShowReadSetUp(form.get());
      form->transactions->ResumePolling();
    }));
    ok = ok && !program.comm.CommError;
    times[1].push_back(Seconds([&] { form->WriteAllParameters(); }));
    ok = ok && dialogs.boxes.empty();
    writeList = vt::WriteAddresses(program.global.ParFlags, false, 0);
    writeValues.clear();
    for (int address : writeList) writeValues.push_back(program.global.ParImage[address]);
  };
  std::unique_ptr<PlainClient> client;
  auto plainRuns = [&] {
    const long before = client->WireBytes();
    times[2].push_back(Seconds([&] { ok = ok && ReadSequence(*client, readList); }));
    run.plainRead.wireBytes = client->WireBytes() - before;
    times[3].push_back(Seconds([&] { ok = ok && WriteSequence(*client, writeList, writeValues); }));
    run.plainWrite.wireBytes = client->WireBytes() - before - run.plainRead.wireBytes;
  };

  if (link == Link::Tcp) {
    // Both clients stay connected and take turns, so that both meet the
    // same load of the machine; a loopback run takes tens of milliseconds,
    // so the median of many counts.
    client = std::make_unique<PlainClient>(link, simulator.Where());
    for (int repetition = 0; repetition < 15 && ok && client->Usable(); ++repetition) {
      programRuns();
      plainRuns();
    }
  } else {
    // One master at a time on the serial line; half a minute a run.
    programRuns();
    form.reset();
    RunEventLoopFor(200);  // the port closes
    client = std::make_unique<PlainClient>(link, simulator.Where());
    if (client->Usable()) plainRuns();
  }
  if (!client->Usable() || !ok) {
    std::fprintf(stderr, "a transfer failed (libmodbus connected: %d)\n", client->Usable());
    return run;
  }
  run.programRead.seconds = Median(times[0]);
  run.programWrite.seconds = Median(times[1]);
  run.plainRead.seconds = Median(times[2]);
  run.plainWrite.seconds = Median(times[3]);
  run.readCount = readList.size();
  run.writeCount = writeList.size();
  run.ok = true;
  return run;
}

void Report(const char* what, std::size_t addresses, const Figures& program, const Figures& plain, Link link) {
  std::printf("  %-22s %3zu addresses: program %7.3f s, libmodbus %7.3f s, ratio %.2f", what, addresses,
              program.seconds, plain.seconds, program.seconds / plain.seconds);
  if (link == Link::Rtu) {
    const double floor = plain.wireBytes * kBitsPerCharacter / kBitRate;
    std::printf("; wire floor %.3f s (%ld bytes), program / floor %.2f", floor, plain.wireBytes,
                program.seconds / floor);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  int status = 0;
  for (const auto& [link, name] : {std::pair{Link::Tcp, "Modbus TCP on loopback"},
                                   std::pair{Link::Rtu, "Modbus RTU on a pseudo-terminal, 9600 bit/s"}}) {
    const Run run = Measure(link);
    if (!run.ok) {
      status = 1;
      continue;
    }
    std::printf("%s\n", name);
    Report("whole-memory read", run.readCount, run.programRead, run.plainRead, link);
    Report("WriteAllParameters", run.writeCount, run.programWrite, run.plainWrite, link);
  }
  return status;
}
