#include "indicator-sim/Responder.h"

#include "indicator-sim/IndicatorModel.h"
#include "indicator-sim/RegisterServer.h"

namespace vt::sim {

namespace {

QString FaultName(Fault fault) {
  switch (fault) {
    case Fault::None: return {};
    case Fault::Silence: return QStringLiteral("silence");
    case Fault::CloseConnection: return QStringLiteral("close");
    case Fault::Exception: return QStringLiteral("exception");
    case Fault::Drop: return QStringLiteral("drop");
    case Fault::CorruptCheck: return QStringLiteral("corrupt");
    case Fault::Late: return QStringLiteral("late");
    case Fault::Garbage: return QStringLiteral("garbage");
    case Fault::Truncate: return QStringLiteral("truncate");
  }
  return {};
}

}  // namespace

Reply Responder::Answer(Transport transport, const Adu& request) {
  ++requests_;
  Log(QStringLiteral("<- %1").arg(QString::fromLatin1(request.pdu.toHex(' '))));
  const Fault fault = faults_.Draw(transport == Transport::Tcp);
  const Reply reply = Shape(transport, request, fault);
  if (trace_) {
    const QString what = reply.closeConnection ? QStringLiteral("(connection closed)")
                                               : QString::fromLatin1(reply.bytes.toHex(' '));
    const QString name = FaultName(fault);
    Log(QStringLiteral("-> %1%2").arg(what, name.isEmpty() ? QString() : QStringLiteral("  [%1]").arg(name)));
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
      const Adu answer{request.unit, request.transaction, ExceptionAnswer(quint8(request.pdu[0]), faults_.exceptionCode)};
      return {EncodeFrame(transport, answer)};
    }
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

void Responder::Log(const QString& line) const {
  if (trace_) trace_(line);
}

}  // namespace vt::sim
