#pragma once

#include <QCommandLineParser>
#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "indicator-sim/FaultPlan.h"
#include "indicator-sim/Framing.h"
#include "indicator-sim/TestRun.h"

namespace vt::sim {

class IndicatorSim;

// Everything the program's command line can set.
struct SimConfig {
  std::optional<quint16> tcpPort;
  QHostAddress bind = QHostAddress::LocalHost;
  std::optional<Transport> serial;
  QString linkFolder;
  QString linkName = QStringLiteral("COM1");
  int address = 1;
  int decimals = 1;
  int inputs = 0;
  TestRun::Profile profile;
  int readsUntilDone = 2;
  std::vector<std::pair<quint16, quint16>> forcedResults;  // code, register 0
  std::vector<quint16> neverComplete;
  quint16 deviceType = 1901;
  quint16 version = 12;
  // Parameter cells set before serving: address, value (later ones win).
  std::vector<std::pair<int, quint8>> parameters;
  int failParameterCommands = 0;
  quint32 seed = 1;
  FaultRates rates;
  int lateMs = 1000;
  int silenceMs = 2000;
  int gapMs = 20;
  int lineRate = 0;
  bool trace = false;
};

// The program's options, parsed into a SimConfig.
class CommandLine {
 public:
  CommandLine();

  // False with Error() on an unknown option or a bad value.
  bool Parse(const QStringList& arguments);
  bool HelpWanted() const { return parser_.isSet(QStringLiteral("help")); }
  QString HelpText() const { return parser_.helpText(); }
  QString Error() const { return error_; }
  const SimConfig& Config() const { return config_; }

 private:
  bool Read();
  bool ReadParameters();
  bool ReadParameterFile(const QString& path);
  bool Number(const QString& name, double low, double high, double& into);
  template <typename Int>
  bool Whole(const QString& name, qint64 low, qint64 high, Int& into);

  QCommandLineParser parser_;
  SimConfig config_;
  QString error_;
};

// Applies the indicator's and the faults' settings of a configuration (not
// the front ends, which the caller opens).
void Configure(IndicatorSim& sim, const SimConfig& config);

}  // namespace vt::sim
