// The program's options.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "indicator-sim/CommandLine.h"
#include "indicator-sim/IndicatorSim.h"

namespace vt::sim {
namespace {

bool Parse(CommandLine& line, QStringList arguments) {
  arguments.prepend(QStringLiteral("indicator-sim"));
  return line.Parse(arguments);
}

TEST(CommandLine, TakesEveryOption) {
  CommandLine line;
  const QString arguments = QStringLiteral(
      "--tcp 1502 --bind 0.0.0.0 --serial ASCII --link-folder /tmp/x --link-name COM2 --address 9 --decimals 3 "
      "--inputs 0x5 --break-force 99.5 --time-to-break 1500 --encoder-rate 250 --noise 0 --reads-until-done 4 "
      "--result 6=0xFFFE --result 5=65535 --never-complete 12 --device-type 1700 --version 25 --seed 77 "
      "--drop 0.1 --corrupt 0.2 --late 0.05 --exception 0.01 --garbage 0.02 --truncate 0.03 --close 0.04 "
      "--silence 0.06 --late-ms 900 --silence-ms 3000 --gap-ms 30 --line-rate 9600 --trace");
  ASSERT_TRUE(Parse(line, arguments.split(' '))) << line.Error().toStdString();
  const SimConfig& config = line.Config();
  EXPECT_EQ(config.tcpPort, 1502);
  EXPECT_EQ(config.bind, QHostAddress(QStringLiteral("0.0.0.0")));
  EXPECT_EQ(config.serial, Transport::Ascii);
  EXPECT_EQ(config.linkFolder, QStringLiteral("/tmp/x"));
  EXPECT_EQ(config.linkName, QStringLiteral("COM2"));
  EXPECT_EQ(config.address, 9);
  EXPECT_EQ(config.decimals, 3);
  EXPECT_EQ(config.inputs, 5);
  EXPECT_EQ(config.profile.breakForce, 99.5);
  EXPECT_EQ(config.profile.msToBreak, 1500);
  EXPECT_EQ(config.profile.encoderPerSecond, 250);
  EXPECT_EQ(config.profile.noise, 0);
  EXPECT_EQ(config.readsUntilDone, 4);
  ASSERT_EQ(config.forcedResults.size(), 2u);
  EXPECT_EQ(config.forcedResults[0], std::make_pair(quint16(6), quint16(0xFFFE)));
  EXPECT_EQ(config.forcedResults[1], std::make_pair(quint16(5), quint16(0xFFFF)));
  EXPECT_EQ(config.neverComplete, std::vector<quint16>{12});
  EXPECT_EQ(config.deviceType, 1700);
  EXPECT_EQ(config.version, 25);
  EXPECT_EQ(config.seed, 77u);
  EXPECT_EQ(config.rates.drop, 0.1);
  EXPECT_EQ(config.rates.corruptCheck, 0.2);
  EXPECT_EQ(config.rates.late, 0.05);
  EXPECT_EQ(config.rates.exception, 0.01);
  EXPECT_EQ(config.rates.garbage, 0.02);
  EXPECT_EQ(config.rates.truncate, 0.03);
  EXPECT_EQ(config.rates.closeConnection, 0.04);
  EXPECT_EQ(config.rates.silence, 0.06);
  EXPECT_EQ(config.lateMs, 900);
  EXPECT_EQ(config.silenceMs, 3000);
  EXPECT_EQ(config.gapMs, 30);
  EXPECT_EQ(config.lineRate, 9600);
  EXPECT_TRUE(config.trace);
}

TEST(CommandLine, DefaultsNeedOnlyAFrontEnd) {
  CommandLine line;
  ASSERT_TRUE(Parse(line, {"--serial", "rtu"}));
  const SimConfig& config = line.Config();
  EXPECT_FALSE(config.tcpPort);
  EXPECT_EQ(config.bind, QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(config.address, 1);
  EXPECT_EQ(config.decimals, 1);
  EXPECT_EQ(config.readsUntilDone, 2);
  EXPECT_EQ(config.linkName, QStringLiteral("COM1"));
}

TEST(CommandLine, RefusesBadValues) {
  const QStringList bad[] = {
      {},                  // nothing to serve
      {"--tcp", "70000"},  // port out of range
      {"--tcp", "x"},
      {"--serial", "tcp"},
      {"--tcp", "0", "--link-folder", "/tmp"},  // a link needs the serial side
      {"--tcp", "0", "--drop", "1.5"},
      {"--tcp", "0", "--late", "-0.1"},
      {"--tcp", "0", "--decimals", "8"},
      {"--tcp", "0", "--address", "0"},
      {"--tcp", "0", "--result", "6"},
      {"--tcp", "0", "--result", "6=70000"},
      {"--tcp", "0", "--never-complete", "x"},
      {"--tcp", "0", "--bind", "nowhere"},
      {"--tcp", "0", "--unknown"},
      {"--tcp", "0", "stray"},
      {"--tcp", "0", "--parameter", "256=1"},
      {"--tcp", "0", "--parameter", "5=256"},
      {"--tcp", "0", "--parameters", "/nonexistent/file.mem"},
      {"--tcp", "0", "--fail-parameter-commands", "-1"},
  };
  for (const QStringList& arguments : bad) {
    CommandLine line;
    EXPECT_FALSE(Parse(line, arguments)) << arguments.join(' ').toStdString();
    EXPECT_FALSE(line.Error().isEmpty());
  }
}

TEST(CommandLine, HelpNeedsNothingElse) {
  CommandLine line;
  ASSERT_TRUE(Parse(line, {"--help"}));
  EXPECT_TRUE(line.HelpWanted());
  EXPECT_TRUE(line.HelpText().contains(QStringLiteral("--break-force")));
}

TEST(CommandLine, ConfigureSetsTheIndicatorAndTheFaults) {
  CommandLine line;
  const QString arguments = QStringLiteral(
      "--tcp 0 --decimals 2 --inputs 3 --break-force 80 --time-to-break 1000 --encoder-rate 100 --noise 0 "
      "--reads-until-done 0 --result 6=0xFFFE --never-complete 10 --device-type 1700 --drop 1 --late-ms 123 "
      "--address 4");
  ASSERT_TRUE(Parse(line, arguments.split(' ')));
  IndicatorSim sim;
  Configure(sim, line.Config());
  IndicatorModel& model = sim.Model();
  EXPECT_EQ(model.Register(3), 0x0200 | 0x3000);
  model.WriteRegisters(0, {Cmd::TestStart});
  model.AdvanceToBreak();
  EXPECT_EQ(model.HoldCounts(), 8000);
  EXPECT_EQ(model.Encoder(), 100);
  model.SetLoad(5.0);
  model.WriteRegisters(0, {Cmd::Tare});
  EXPECT_EQ(model.ReadRegisters(0, 1)[0], 0xFFFE);
  model.WriteRegisters(0, {Cmd::StoreToRam});
  EXPECT_EQ(model.ReadRegisters(0, 1)[0], Cmd::StoreToRam);
  model.WriteRegisters(0, {Cmd::DeviceType, 0, 0});
  EXPECT_EQ(model.ReadRegisters(0, 2)[1], 1700);
  EXPECT_EQ(sim.Faults().Draw(false), Fault::Drop);
  EXPECT_EQ(sim.Faults().lateMs, 123);
  EXPECT_EQ(sim.Address(), 4);
}

TEST(CommandLine, PresetsTheParameterMemoryAndTheParameterFault) {
  QTemporaryDir folder;
  const QString good = folder.filePath(QStringLiteral("good.mem"));
  const QString bad = folder.filePath(QStringLiteral("bad.mem"));
  {
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("186\r\n7\r\n9\r\n");
    QFile other(bad);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("1\r\nabc\r\n");
  }
  CommandLine line;
  ASSERT_TRUE(Parse(line, {"--tcp", "0", "--parameters", good, "--parameter", "1=12", "--parameter", "0x20=33",
                           "--fail-parameter-commands", "2"}))
      << line.Error().toStdString();
  IndicatorSim sim;
  Configure(sim, line.Config());
  const IndicatorModel& model = sim.Model();
  EXPECT_EQ(model.Parameter(0), 186);
  EXPECT_EQ(model.Parameter(1), 12);  // the single cell comes after the file
  EXPECT_EQ(model.Parameter(2), 9);
  EXPECT_EQ(model.Parameter(32), 33);
  EXPECT_EQ(model.Parameter(3), 40);  // beyond the file: the factory value
  EXPECT_EQ(model.ParameterFailuresLeft(), 2);

  CommandLine refused;
  EXPECT_FALSE(Parse(refused, {"--tcp", "0", "--parameters", bad}));
  EXPECT_TRUE(refused.Error().contains(QStringLiteral("line 2")));
}

}  // namespace
}  // namespace vt::sim
