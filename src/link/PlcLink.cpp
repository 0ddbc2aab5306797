#include "link/PlcLink.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "link/FrameText.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

// A value as the low and the high word of its 32-bit two's complement,
// rounded to the nearest whole number (so 2.3 mm x 100, which is
// 229.99999999999997 as a double, goes as 230). A value beyond 32 bits, up
// to an infinity, goes as the nearer end of that range, never as 0.
QString LowHighWords(double value) {
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  const double rounded = std::clamp(std::round(value), kLowest, kHighest);
  const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded));
  return Hex4(static_cast<int>(bits & 0xFFFF)) + Hex4(static_cast<int>(bits >> 16));
}

const QString kPortOk = QStringLiteral("Haberleşme OK");
const QString kPortFailed = QStringLiteral("Haberleşme Portu Hatalı");

// The box that tells what the PLC did not get.
constexpr int kFailureStyle = MsgStyle::OkOnly + MsgStyle::Critical;
const QString kFailureTitle = QStringLiteral("Communication Failure");

}  // namespace

PlcLink::PlcLink(Communication& comm, const CommandQueue& queue, Dialogs& dialogs, const PlcControls& controls,
                 const QString& programFolder)
    : PLCComm(programFolder), comm_(comm), queue_(queue), dialogs_(dialogs), controls_(controls) {
  QObject::connect(&PLCComm, &SerialControl::PortLost, &PLCComm,
                   [this] { controls_.labPLCComm->setText(kPortFailed); });
  QObject::connect(&PLCComm, &SerialControl::Opened, &PLCComm, [this] { controls_.labPLCComm->setText(kPortOk); });
}

QString PlcLink::PLCRequestBody(int command) const {
  const double height = Val(controls_.txtDimensionH->text()) * 100;
  const double speed = Val(controls_.txtPLCSpeed->text()) * 10;
  return QStringLiteral("10") + QStringLiteral("1000") + QStringLiteral("0005") + QStringLiteral("0A") +
         LowHighWords(height) + LowHighWords(speed) + Hex4(command);
}

bool PlcLink::PLCCommand(int command) { return DoPLCOut(PLCRequestBody(command)); }

bool PlcLink::DoPLCOut(const QString& body) {
  if (queue_.Overtaken()) return true;
  const QString frame = QStringLiteral(":") + AppendLRC(Hex2(comm_.DevAddressNumber()) + body) + QStringLiteral("\r\n");
  // On its way before anything else is written, the indicator's next
  // request included; and a port given up later keeps nothing back.
  const bool sent = PLCComm.Output(frame) && PLCComm.Flush();
  return sent || chosenPort_ == 0;
}

void PlcLink::ReportNotSent(int command) {
  QString text = NotAvailable() + QStringLiteral("the machine did not get the command");
  if (command == PlcCmd::Stop) text += QStringLiteral(". Stop the machine with its emergency stop button");
  dialogs_.MsgBox(text, kFailureStyle, kFailureTitle);
}

bool PlcLink::PortLost() const { return chosenPort_ != 0 && !PLCComm.IsOpen(); }

void PlcLink::ReportTestNotStarted() {
  dialogs_.LinkFailureBox(NotAvailable() + QStringLiteral("the test was not started"), kFailureStyle, kFailureTitle);
}

QString PlcLink::NotAvailable() const { return QStringLiteral("COM%1 Not Available: ").arg(chosenPort_); }

void PlcLink::OpenPLCPort(int port) {
  if (PLCComm.IsOpen()) PLCComm.Close();
  chosenPort_ = port;
  if (port == 0) {
    controls_.labPLCComm->setText(QStringLiteral("Haberleşme KAPALI"));
    return;
  }
  PLCComm.SetSettings(comm_.PLCSettings);
  PLCComm.SetCommPort(port);
  controls_.labPLCComm->setText(kPortOk);
  if (PLCComm.Open()) return;
  dialogs_.MsgBox(QStringLiteral("COM%1 Not Available or specified port is being used by another device").arg(port),
                  MsgStyle::OkOnly, kFailureTitle);
  controls_.labPLCComm->setText(kPortFailed);
  PLCComm.SetCommPort(port);
  PLCComm.Open();
}

void PlcLink::WatchPLCPort() {
  // The PLC never answers: a port whose name has come to stand for another
  // device follows it.
  keeper_.Tick(chosenPort_, false);
}

}  // namespace vt
