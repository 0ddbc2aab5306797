#include "indicator-sim/CommandLine.h"

#include <QFile>

#include "indicator-sim/IndicatorSim.h"
#include "indicator-sim/ParameterMemory.h"

namespace vt::sim {

namespace {

struct RateOption {
  const char* name;
  double FaultRates::*rate;
  const char* what;
};

const RateOption kRateOptions[] = {
    {"drop", &FaultRates::drop, "Rate of answers lost after the request was carried out."},
    {"corrupt", &FaultRates::corruptCheck, "Rate of answers with a wrong LRC/CRC (TCP: wrong header length)."},
    {"late", &FaultRates::late, "Rate of answers sent late (see --late-ms)."},
    {"exception", &FaultRates::exception, "Rate of requests refused with exception 04."},
    {"garbage", &FaultRates::garbage, "Rate of answers replaced by random bytes."},
    {"truncate", &FaultRates::truncate, "Rate of answers cut to their first half."},
    {"close", &FaultRates::closeConnection, "Rate of requests answered by closing the TCP connection."},
    {"silence", &FaultRates::silence, "Rate of requests that start a silence window (see --silence-ms)."},
};

// A parameter file is a few kilobytes; more is not one.
constexpr qint64 kParameterFileLimit = 64 * 1024;

// A whole number from 0 to 255, as a parameter cell holds.
std::optional<quint8> CellValue(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < 0 || value > 255) return std::nullopt;
  return quint8(value);
}

QCommandLineOption Valued(const QString& name, const QString& description, const QString& valueName) {
  return QCommandLineOption(name, description, valueName);
}

}  // namespace

CommandLine::CommandLine() {
  parser_.setApplicationDescription(
      QStringLiteral("Simulated force indicator: a Modbus slave over TCP and/or a pseudo-terminal (RTU or ASCII)."));
  parser_.addHelpOption();
  parser_.addOptions({
      Valued("tcp", "Serve Modbus TCP on this port (0: any free port).", "port"),
      Valued("bind", "Address the TCP server listens on (default 127.0.0.1; 0.0.0.0 for all).", "address"),
      Valued("serial", "Serve Modbus on a new pseudo-terminal in this mode.", "rtu|ascii"),
      Valued("link-folder", "Create a link to the pseudo-terminal in this folder (e.g. VorTEST's program folder).",
             "folder"),
      Valued("link-name", "Name of that link (default COM1).", "name"),
      Valued("address", "Slave address on the serial line (default 1).", "1-247"),
      Valued("decimals", "Decimal count of the shown value (default 1).", "0-7"),
      Valued("inputs", "Digital inputs 1 to 4 as a bit mask (default 0).", "0-15"),
      Valued("break-force", "Force at which the specimen breaks, display unit (default 250).", "force"),
      Valued("time-to-break", "Time from the test start to the break (default 8000).", "ms"),
      Valued("encoder-rate", "Encoder counts per second while the test pulls (default 600).", "counts"),
      Valued("noise", "Load cell noise amplitude, display unit (default 0.05).", "force"),
      Valued("reads-until-done", "Reads of register 0 that still show an awaited command (default 2).", "n"),
      Valued("result", "End the command with this value in register 0 (repeatable), e.g. 6=0xFFFE.", "code=value"),
      Valued("never-complete", "The command never ends (repeatable).", "code"),
      Valued("device-type", "Device type reported by command 8 (default 1901).", "n"),
      Valued("version", "Firmware version x10 reported by command 9 (default 12).", "n"),
      Valued("parameters",
             "Parameter memory from a file: line k holds the value of address k (up to 256 lines, 0 to 255).",
             "file"),
      Valued("parameter", "Set one parameter cell (repeatable; after --parameters).", "address=value"),
      Valued("fail-parameter-commands", "The next n parameter reads and writes fail with FFFDh.", "n"),
      Valued("seed", "Seed of the fault and noise generators (default 1).", "n"),
      Valued("late-ms", "Delay of a late answer (default 1000).", "ms"),
      Valued("silence-ms", "Length of a silence window (default 2000).", "ms"),
      Valued("line-rate",
             "Serial side: answer only after the request and the answer would have crossed a line at this bit "
             "rate, 11 bits a character (default 0: at once).",
             "bit/s"),
      Valued("gap-ms", "Quiet time that ends an RTU frame of unknown length (default 20).", "ms"),
      QCommandLineOption("trace", "Print every request and answer."),
  });
  for (const RateOption& option : kRateOptions) {
    parser_.addOption(Valued(option.name, QString::fromLatin1(option.what) + " 0 to 1.", "rate"));
  }
}

bool CommandLine::Parse(const QStringList& arguments) {
  config_ = SimConfig{};
  if (!parser_.parse(arguments)) {
    error_ = parser_.errorText();
    return false;
  }
  return HelpWanted() || Read();
}

bool CommandLine::Number(const QString& name, double low, double high, double& into) {
  if (!parser_.isSet(name)) return true;
  bool ok = false;
  const double value = parser_.value(name).toDouble(&ok);
  if (!ok || value < low || value > high) {
    error_ = QStringLiteral("--%1 takes a number from %2 to %3").arg(name).arg(low).arg(high);
    return false;
  }
  into = value;
  return true;
}

template <typename Int>
bool CommandLine::Whole(const QString& name, qint64 low, qint64 high, Int& into) {
  if (!parser_.isSet(name)) return true;
  bool ok = false;
  const qint64 value = parser_.value(name).toLongLong(&ok, 0);
  if (!ok || value < low || value > high) {
    error_ = QStringLiteral("--%1 takes a whole number from %2 to %3").arg(name).arg(low).arg(high);
    return false;
  }
  into = Int(value);
  return true;
}

bool CommandLine::Read() {
  if (!parser_.positionalArguments().isEmpty()) {
    error_ = QStringLiteral("unexpected argument %1").arg(parser_.positionalArguments().first());
    return false;
  }
  if (parser_.isSet("tcp")) {
    quint16 port = 0;
    if (!Whole("tcp", 0, 65535, port)) return false;
    config_.tcpPort = port;
  }
  if (parser_.isSet("bind") && !config_.bind.setAddress(parser_.value("bind"))) {
    error_ = QStringLiteral("--bind takes an IP address");
    return false;
  }
  if (parser_.isSet("serial")) {
    const QString mode = parser_.value("serial").toLower();
    if (mode != "rtu" && mode != "ascii") {
      error_ = QStringLiteral("--serial takes rtu or ascii");
      return false;
    }
    config_.serial = mode == "rtu" ? Transport::Rtu : Transport::Ascii;
  }
  config_.linkFolder = parser_.value("link-folder");
  if (parser_.isSet("link-name")) config_.linkName = parser_.value("link-name");
  if (!config_.linkFolder.isEmpty() && !config_.serial) {
    error_ = QStringLiteral("--link-folder needs --serial");
    return false;
  }
  if (!config_.tcpPort && !config_.serial) {
    error_ = QStringLiteral("nothing to serve: give --tcp and/or --serial");
    return false;
  }
  TestRun::Profile& profile = config_.profile;
  double msToBreak = profile.msToBreak;
  if (!Whole("address", 1, 247, config_.address) || !Whole("decimals", 0, 7, config_.decimals) ||
      !Whole("inputs", 0, 15, config_.inputs) || !Number("break-force", -1e7, 1e7, profile.breakForce) ||
      !Number("time-to-break", 0, 3.6e6, msToBreak) || !Number("encoder-rate", 0, 1e6, profile.encoderPerSecond) ||
      !Number("noise", 0, 1e6, profile.noise) || !Whole("reads-until-done", 0, 1000000, config_.readsUntilDone) ||
      !Whole("device-type", 0, 65535, config_.deviceType) || !Whole("version", 0, 65535, config_.version) ||
      !Whole("seed", 0, 0xFFFFFFFFLL, config_.seed) || !Whole("late-ms", 0, 3600000, config_.lateMs) ||
      !Whole("silence-ms", 0, 3600000, config_.silenceMs) || !Whole("gap-ms", 1, 10000, config_.gapMs) ||
      !Whole("line-rate", 0, 10000000, config_.lineRate)) {
    return false;
  }
  profile.msToBreak = int(msToBreak);
  for (const RateOption& option : kRateOptions) {
    if (!Number(option.name, 0, 1, config_.rates.*option.rate)) return false;
  }
  for (const QString& result : parser_.values("result")) {
    const QStringList parts = result.split('=');
    bool codeOk = false;
    bool valueOk = false;
    const uint code = parts.size() == 2 ? parts[0].toUInt(&codeOk, 0) : 0;
    const uint value = parts.size() == 2 ? parts[1].toUInt(&valueOk, 0) : 0;
    if (!codeOk || !valueOk || code > 0xFFFF || value > 0xFFFF) {
      error_ = QStringLiteral("--result takes code=value, e.g. 6=0xFFFE");
      return false;
    }
    config_.forcedResults.emplace_back(quint16(code), quint16(value));
  }
  for (const QString& code : parser_.values("never-complete")) {
    bool ok = false;
    const uint value = code.toUInt(&ok, 0);
    if (!ok || value > 0xFFFF) {
      error_ = QStringLiteral("--never-complete takes a command code");
      return false;
    }
    config_.neverComplete.push_back(quint16(value));
  }
  config_.trace = parser_.isSet("trace");
  return ReadParameters() && Whole("fail-parameter-commands", 0, 1000000, config_.failParameterCommands);
}

bool CommandLine::ReadParameters() {
  if (parser_.isSet("parameters") && !ReadParameterFile(parser_.value("parameters"))) return false;
  for (const QString& cell : parser_.values("parameter")) {
    const QStringList parts = cell.split('=');
    bool addressOk = false;
    const int address = parts.size() == 2 ? parts[0].toInt(&addressOk, 0) : -1;
    const auto value = parts.size() == 2 ? CellValue(parts[1]) : std::nullopt;
    if (!addressOk || address < 0 || address >= ParameterMemory::kSize || !value) {
      error_ = QStringLiteral("--parameter takes address=value, address 0 to 255, value 0 to 255");
      return false;
    }
    config_.parameters.emplace_back(address, *value);
  }
  return true;
}

bool CommandLine::ReadParameterFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error_ = QStringLiteral("--parameters: cannot read %1").arg(path);
    return false;
  }
  const QByteArray text = file.read(kParameterFileLimit + 1);
  QList<QByteArray> lines = text.split('\n');
  if (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  if (text.size() > kParameterFileLimit || lines.size() > ParameterMemory::kSize) {
    error_ = QStringLiteral("--parameters: %1 holds more than 256 lines").arg(path);
    return false;
  }
  for (int address = 0; address < lines.size(); ++address) {
    const auto value = CellValue(QString::fromLatin1(lines[address]));
    if (!value) {
      error_ = QStringLiteral("--parameters: line %1 of %2 is not a value from 0 to 255").arg(address + 1).arg(path);
      return false;
    }
    config_.parameters.emplace_back(address, *value);
  }
  return true;
}

void Configure(IndicatorSim& sim, const SimConfig& config) {
  IndicatorModel& model = sim.Model();
  model.SetDecimals(config.decimals);
  model.SetInputs(config.inputs);
  model.SetBreakForce(config.profile.breakForce);
  model.SetTimeToBreak(config.profile.msToBreak);
  model.SetEncoderRate(config.profile.encoderPerSecond);
  model.SetNoise(config.profile.noise);
  model.SeedNoise(config.seed);
  model.SetReadsUntilDone(config.readsUntilDone);
  for (const auto& [code, value] : config.forcedResults) model.ForceResult(code, value);
  for (quint16 code : config.neverComplete) model.ForceNeverCompletes(code);
  model.SetDeviceType(config.deviceType);
  model.SetFirmwareVersion(config.version);
  for (const auto& [address, value] : config.parameters) model.SetParameter(address, value);
  model.FailParameterCommands(config.failParameterCommands);
  FaultPlan& faults = sim.Faults();
  faults.Seed(config.seed);
  faults.SetRates(config.rates);
  faults.lateMs = config.lateMs;
  faults.silenceMs = config.silenceMs;
  sim.SetAddress(config.address);
  sim.SetGapMs(config.gapMs);
  sim.SetLineRate(config.lineRate);
}

}  // namespace vt::sim
