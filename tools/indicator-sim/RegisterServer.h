#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace vt::sim {

class IndicatorModel;

// Modbus exception codes.
namespace Exception {
constexpr quint8 IllegalFunction = 0x01;
constexpr quint8 IllegalAddress = 0x02;
constexpr quint8 IllegalValue = 0x03;
constexpr quint8 DeviceFailure = 0x04;
}  // namespace Exception

// The answer PDU to a request PDU: functions 03 (read holding registers),
// 06 (write single register) and 10h (write multiple registers) act on the
// model; any other function, a malformed request, a range outside the
// registers or a write to a read-only register gets an exception answer.
QByteArray AnswerRequest(IndicatorModel& model, const QByteArray& request);

// The exception answer PDU: the function code with bit 7 set, then the code.
QByteArray ExceptionAnswer(quint8 function, quint8 code);

}  // namespace vt::sim
