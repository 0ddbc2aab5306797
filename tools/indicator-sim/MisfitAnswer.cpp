#include "indicator-sim/MisfitAnswer.h"

namespace vt::sim {
namespace {

constexpr char kRead = 0x03;
constexpr char kWriteMany = 0x10;

// A byte of a request, 0 beyond its end.
quint8 ByteAt(const QByteArray& bytes, int at) { return at < bytes.size() ? quint8(bytes[at]) : 0; }

int Word(const QByteArray& bytes, int at) { return ByteAt(bytes, at) * 256 + ByteAt(bytes, at + 1); }

}  // namespace

Adu MisfitAnswer(const Adu& request, Fault fault) {
  if (fault == Fault::Echo) return request;
  const bool read = ByteAt(request.pdu, 0) == kRead;
  QByteArray pdu;
  if (read) {
    const int registers = Word(request.pdu, 3) + (fault == Fault::WrongContent ? 1 : 0);
    pdu.append(kRead).append(char(2 * registers)).append(QByteArray(2 * registers, '\0'));
  } else {
    // Function, register (or start register) and value (or count).
    pdu = request.pdu.left(5);
    if (fault == Fault::WrongContent) {
      const int next = (Word(pdu, 1) + 1) & 0xFFFF;
      pdu[1] = char(next >> 8);
      pdu[2] = char(next & 0xFF);
    }
  }
  if (fault == Fault::WrongFunction) pdu[0] = read ? kWriteMany : kRead;
  const quint8 unit = fault == Fault::ForeignAddress ? quint8(request.unit + 1) : request.unit;
  return {unit, request.transaction, pdu};
}

}  // namespace vt::sim
