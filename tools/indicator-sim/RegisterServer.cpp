#include "indicator-sim/RegisterServer.h"

#include <vector>

#include "indicator-sim/IndicatorModel.h"

namespace vt::sim {

namespace {

constexpr quint8 kReadHolding = 0x03;
constexpr quint8 kWriteSingle = 0x06;
constexpr quint8 kWriteMultiple = 0x10;
constexpr int kMaxRead = 125;
constexpr int kMaxWrite = 123;

int Word(const QByteArray& pdu, int at) { return quint8(pdu[at]) << 8 | quint8(pdu[at + 1]); }

void AppendWord(QByteArray& pdu, int value) { pdu.append(char(value >> 8)).append(char(value & 0xFF)); }

bool InRange(int start, int count) { return start + count <= IndicatorModel::kRegisterCount; }

bool AllWritable(int start, int count) {
  for (int reg = start; reg < start + count; ++reg) {
    if (!IndicatorModel::IsWritable(reg)) return false;
  }
  return true;
}

QByteArray ReadHolding(IndicatorModel& model, const QByteArray& request) {
  if (request.size() != 5) return ExceptionAnswer(kReadHolding, Exception::IllegalValue);
  const int start = Word(request, 1);
  const int count = Word(request, 3);
  if (count < 1 || count > kMaxRead) return ExceptionAnswer(kReadHolding, Exception::IllegalValue);
  if (!InRange(start, count)) return ExceptionAnswer(kReadHolding, Exception::IllegalAddress);
  QByteArray answer;
  answer.append(char(kReadHolding)).append(char(2 * count));
  for (quint16 value : model.ReadRegisters(start, count)) AppendWord(answer, value);
  return answer;
}

QByteArray WriteSingle(IndicatorModel& model, const QByteArray& request) {
  if (request.size() != 5) return ExceptionAnswer(kWriteSingle, Exception::IllegalValue);
  const int reg = Word(request, 1);
  if (!InRange(reg, 1) || !AllWritable(reg, 1)) return ExceptionAnswer(kWriteSingle, Exception::IllegalAddress);
  if (!model.WriteRegisters(reg, {quint16(Word(request, 3))})) {
    return ExceptionAnswer(kWriteSingle, Exception::DeviceFailure);
  }
  return request;  // the answer echoes the request
}

QByteArray WriteMultiple(IndicatorModel& model, const QByteArray& request) {
  if (request.size() < 6) return ExceptionAnswer(kWriteMultiple, Exception::IllegalValue);
  const int start = Word(request, 1);
  const int count = Word(request, 3);
  const int byteCount = quint8(request[5]);
  if (count < 1 || count > kMaxWrite || byteCount != 2 * count || request.size() != 6 + byteCount) {
    return ExceptionAnswer(kWriteMultiple, Exception::IllegalValue);
  }
  if (!InRange(start, count) || !AllWritable(start, count)) {
    return ExceptionAnswer(kWriteMultiple, Exception::IllegalAddress);
  }
  std::vector<quint16> values;
  for (int i = 0; i < count; ++i) values.push_back(quint16(Word(request, 6 + 2 * i)));
  if (!model.WriteRegisters(start, values)) return ExceptionAnswer(kWriteMultiple, Exception::DeviceFailure);
  return request.left(5);  // function, start, count
}

}  // namespace

QByteArray ExceptionAnswer(quint8 function, quint8 code) {
  return QByteArray().append(char(function | 0x80)).append(char(code));
}

QByteArray AnswerRequest(IndicatorModel& model, const QByteArray& request) {
  if (request.isEmpty()) return ExceptionAnswer(0, Exception::IllegalFunction);
  switch (quint8(request[0])) {
    case kReadHolding:
      return ReadHolding(model, request);
    case kWriteSingle:
      return WriteSingle(model, request);
    case kWriteMultiple:
      return WriteMultiple(model, request);
    default:
      return ExceptionAnswer(quint8(request[0]), Exception::IllegalFunction);
  }
}

}  // namespace vt::sim
