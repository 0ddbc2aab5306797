#pragma once

#include <QLabel>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <span>

#include "link/AwaitedAnswer.h"
#include "link/Communication.h"
#include "link/Leds.h"
#include "link/TcpAnswer.h"
#include "platform/Dialogs.h"
#include "platform/PortKeeper.h"
#include "platform/SerialControl.h"
#include "platform/TcpControl.h"

namespace vt {

// The main window's controls that the link drives; all must be given.
struct LinkControls {
  LedImage* IndComTx = nullptr;
  LedImage* IndComRx = nullptr;
  LedImage* IndComRxHome = nullptr;
  LedImage* IndTCPConOK = nullptr;
  QLabel* labTCPCOn = nullptr;
  QLabel* LabTracer = nullptr;
};

// The Modbus master's link to the force indicator: it frames one request at
// a time in Modbus ASCII or RTU on the serial port `Comm`, or in Modbus TCP
// on `Winsock1`, collects the answer in their receive events and checks and
// decodes it on request. The request/answer state lives in the shared
// `Communication` variables; the poll timer counts the time-out in them.
//
// A request's cycle: SendRequest; then the caller runs the event loop until
// RespDone or TimedOut (the poll timer instead looks again on its next
// tick); then, unless TimedOut, ParseResponse. A caller that gives up on a
// timed-out request calls AbandonRequest and clears TxnBusy itself.
//
// SendRequest never runs the event loop. The line counts as taken (TxnBusy)
// from its first statement; on a serial port the request goes out while
// the caller returns, TxActive stays set and input is thrown away until its
// last byte has left, and only then is the request armed (TickCount 0): the
// time-out runs from the request's last byte.
class IndicatorLink : public QObject {
  Q_OBJECT
 public:
  static constexpr quint16 kModbusTcpPort = 502;
  static constexpr int kRequestBufferBytes = 101;  // longest request: a write of 46 registers
  static constexpr int kAnswerBufferBytes = 201;   // longest serial answer that is decoded

  // `tcpPort` is the indicator's TCP port; `startTimers` starts the
  // watchdog and the activity timer (tests may call their handlers instead).
  IndicatorLink(Communication& comm, Dialogs& dialogs, Leds& leds, const LinkControls& controls,
                QTimer& pollTimer, QString programFolder, quint16 tcpPort = kModbusTcpPort,
                bool startTimers = true);

  SerialControl Comm;  // the indicator's serial port
  TcpControl Winsock1;  // the indicator's TCP connection
  QTimer Timer2;        // 20 ms watchdog: keeps the TCP connection up and reopens a lost serial port
  QTimer tmrCommAct;    // 25 ms activity lamps
  quint16 TcpTransId = 0;  // transaction identifier of the last TCP request

  // Requests and answers.

  // Frames and sends one request: the slave address, a body of hex text
  // starting at the function code, and the expected answer length in hex
  // characters of the ASCII answer without ":" and CR LF.
  void SendRequest(int address, const QString& body, int expectedLen);
  // Sends the binary request (its CRC included) over TCP with the header.
  void sendToTCP(const QByteArray& request);
  // Checks the answer received against the request; for function 03 writes
  // the registers into `values` from element 0 (words beyond its end are
  // dropped). True only for a good answer that fits the request.
  bool ParseResponse(std::span<std::int32_t> values);
  // Gives up the outstanding request after its time-out: part of a TCP
  // answer already received is dropped, and no late answer to it is taken.
  void AbandonRequest();
  // Requests sent since the link was made; a waiting caller tells by it
  // whether the answer now on hand can still be its own.
  quint64 RequestsSent() const { return requestsSent_; }

  // Receive events, and the collecting steps behind them (the events read
  // the controls; tests may hand the collecting steps bytes directly).
  void Comm_OnComm();
  // The serial port failed and the control closed it: the request on the
  // line ends unanswered and the link is not good; the watchdog reopens
  // the port.
  void Comm_PortLost();
  void CollectSerialInput(const QByteArray& chunk);
  void Winsock1_DataArrival(qint64 bytesTotal);
  void CollectTcpInput(const QByteArray& bytes);

  // Port opening and the TCP connection.

  // Opens port 0 (offline), 1 to 4 (COM1 to COM4) or 5 (TCP) and sets the
  // poll timer's interval for the link that is open afterwards; false when
  // a serial port could not be opened.
  bool OpenPort(int port);
  void ConnectTCP();
  void ReconnectTCP();
  void Winsock1_Connect();
  void Winsock1_Error();
  void Timer2_Timer();

  // The activity lamps.
  void tmrCommAct_Timer();

  // (IndPort <> 0 and the serial port open) or IndPort = 5.
  bool PortUsable() const;

 private:
  bool TcpLink() const { return comm_.IndPort == Port::Tcp; }
  bool AsciiMode() const { return !TcpLink() && comm_.RTUMode == 0; }
  bool OpenSerialPort(int port);
  void FollowSerialRate();
  void SerialRequestSent();
  void ArmRequest();
  void LightReceiveLamp();
  bool ParseSerialResponse(std::span<std::int32_t> values);
  bool ParseTcpResponse(std::span<std::int32_t> values);

  Communication& comm_;
  Dialogs& dialogs_;
  Leds& leds_;
  LinkControls controls_;
  QTimer& pollTimer_;
  quint16 tcpPort_;
  TcpAnswer tcpAnswer_;
  AwaitedAnswer awaited_;
  quint64 requestsSent_ = 0;
  int connectTicks_ = 0;  // watchdog ticks spent on the current connection attempt
  PortKeeper serialKeeper_{Comm};  // reopens a lost serial port on the watchdog's ticks
};

}  // namespace vt
