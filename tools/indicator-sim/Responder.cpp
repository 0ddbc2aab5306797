#include "indicator-sim/Responder.h"

#include "indicator-sim/IndicatorModel.h"
#include "indicator-sim/MisfitAnswer.h"
#include "indicator-sim/RegisterServer.h"

namespace vt::sim {

namespace {

// Names of the faults in the order of the enumeration, for the trace.
constexpr const char* kFaultNames[kFaultKinds] = {
    "",        "silence",  "close",   "exception",      "drop",          "corrupt",
    "late",    "garbage",  "truncate", "foreign",       "wrong-function", "wrong-content",
    "echo"};

}  // namespace

Reply Responder::Answer(Transport transport, const Adu& request) {
  ++requests_;
  if (trace_) trace_(QStringLiteral("<- %1").arg(QString::fromLatin1(request.pdu.toHex(' '))));
  const Fault fault =
      faults_.Strikes(request.pdu.isEmpty() ? 0 : quint8(request.pdu[0])) ? faults_.Draw(transport == Transport::Tcp) : Fault::None;
  const Reply reply = Shape(transport, request, fault);
  if (trace_) {
    const QString what =
        reply.closeConnection ? QStringLiteral("(connection closed)") : QString::fromLatin1(reply.bytes.toHex(' '));
    const QString name = QString::fromLatin1(kFaultNames[int(fault)]);
    trace_(QStringLiteral("-> %1%2").arg(what, name.isEmpty() ? QString() : QStringLiteral("  [%1]").arg(name)));
  }
  return reply;
}

Reply Responder::Shape(Transport transport, const Adu& request, Fault fault) {
  switch (fault) {
    case Fault::Silence:
      return {};
    case Fault::CloseConnection:
      return {{}, 0, true};
    case Fault::Exception: {
      const Adu answer{request.unit, request.transaction,
                       ExceptionAnswer(quint8(request.pdu[0]), faults_.exceptionCode)};
      return {EncodeFrame(transport, answer)};
    }
    case Fault::ForeignAddress:
    case Fault::WrongFunction:
    case Fault::WrongContent:
    case Fault::Echo:
      return {EncodeFrame(transport, MisfitAnswer(request, fault))};
    default:
      break;
  }
  const Adu answer{request.unit, request.transaction, AnswerRequest(model_, request.pdu)};
  QByteArray frame = EncodeFrame(transport, answer);
  switch (fault) {
    case Fault::Drop:
      return {};
    case Fault::CorruptCheck:
      SpoilCheck(transport, frame);
      return {frame};
    case Fault::Late:
      return {frame, faults_.lateMs};
    case Fault::Garbage:
      return {faults_.Garbage()};
    case Fault::Truncate:
      return {frame.left(frame.size() / 2)};
    default:
      return {frame};
  }
}

}  // namespace vt::sim
