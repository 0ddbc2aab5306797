#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vt {

// Indicator port choices.
namespace Port {
constexpr int Offline = 0;
constexpr int Tcp = 5;
}  // namespace Port

// The PLC's serial settings are fixed.
inline const QString kPlcSettings = QStringLiteral("9600,e,7,1");

// Modbus station numbers that a frame may carry: 0 would be the broadcast,
// which every station on the line obeys and none answers.
constexpr int kFirstStation = 1;
constexpr int kLastStation = 255;

// The station a text names: a number from 1 to 255 with "." as the decimal
// sign, rounded to the nearest whole number; nothing for any other text.
std::optional<int> StationAddress(const QString& text);

// The link module's program-wide variables: the link settings and the
// request/answer state shared by the link, the poll timer and the windows.
struct Communication {
  // Link settings.
  int IndPort = Port::Offline;  // 0 offline, 1..4 COM1..COM4, 5 TCP
  int RTUMode = 0;              // 1 Modbus RTU, 0 Modbus ASCII (serial only)
  QString PortSettings;         // "9600,e,7,1"
  std::array<std::uint8_t, 5> IPAddr{};  // the file carries elements 0 to 3
  QString DevAddress = QStringLiteral("1");  // slave address as typed, 1 to 255
  int PLCPort = 0;              // 0 no PLC, n = COMn
  QString PLCSettings;

  // Request/answer state.
  bool PollEnabled = false;  // the poll timer may send its poll
  int WaitLine = 0;          // -1 while a transaction waits for the line
  bool TxnBusy = false;      // a request is outstanding
  bool RespDone = false;     // a complete answer was received
  bool TimedOut = false;     // the answer did not come in time
  int TickCount = 0;         // poll ticks since the request went out
  bool LinkOK = false;       // the last answer passed its check
  int TxActive = 0;          // -1 while the sender transmits on the serial port
  int ExpectedLen = 0;       // expected answer length in hex characters
  QString RxBuf;             // the serial answer as hex text
  QByteArray TcpBuf;         // the TCP answer of the outstanding request
  int TcpCount = 0;
  double TxLampCount = 0;
  double RxLampCount = 0;
  int CmdTimer = 0;          // command countdown in poll ticks
  bool CommError = false;    // set by a failed parameter transfer

  // The slave address as a number, the one every frame carries: always a
  // station, station 1 for a text that names none.
  int DevAddressNumber() const;
};

}  // namespace vt
