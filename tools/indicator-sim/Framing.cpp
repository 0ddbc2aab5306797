#include "indicator-sim/Framing.h"

#include <cctype>

namespace vt::sim {

namespace {

constexpr int kMbapHeaderSize = 7;  // transaction, protocol, length, unit
constexpr int kMaxTcpLength = 254;  // unit + the longest PDU (253 bytes)

QByteArray AddressAndPdu(const Adu& adu) { return QByteArray(1, char(adu.unit)) + adu.pdu; }

std::optional<Adu> SplitAddress(const QByteArray& bytes) {
  if (bytes.size() < 2) return std::nullopt;
  return Adu{quint8(bytes[0]), 0, bytes.mid(1)};
}

}  // namespace

quint8 Lrc(const QByteArray& bytes) {
  quint8 sum = 0;
  for (char byte : bytes) sum = quint8(sum + quint8(byte));
  return quint8(-sum);
}

quint16 Crc16(const QByteArray& bytes) {
  quint16 crc = 0xFFFF;
  for (char byte : bytes) {
    crc ^= quint8(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
  }
  return crc;
}

QByteArray EncodeFrame(Transport transport, const Adu& adu) {
  const QByteArray body = AddressAndPdu(adu);
  switch (transport) {
    case Transport::Ascii:
      return ':' + (body + char(Lrc(body))).toHex().toUpper() + "\r\n";
    case Transport::Rtu: {
      const quint16 crc = Crc16(body);
      return body + char(crc & 0xFF) + char(crc >> 8);
    }
    case Transport::Tcp: {
      QByteArray frame;
      frame.append(char(adu.transaction >> 8)).append(char(adu.transaction & 0xFF));
      frame.append(2, '\0');
      frame.append(char(body.size() >> 8)).append(char(body.size() & 0xFF));
      return frame + body;
    }
  }
  return {};
}

void SpoilCheck(Transport transport, QByteArray& frame) {
  switch (transport) {
    case Transport::Ascii: {
      // The LRC's two digits sit just before CR LF: change the last one.
      const int digit = frame.size() - 3;
      if (digit >= 1) frame[digit] = frame[digit] == '0' ? '1' : '0';
      break;
    }
    case Transport::Rtu:
      if (!frame.isEmpty()) frame[frame.size() - 1] = char(frame[frame.size() - 1] ^ 0xFF);
      break;
    case Transport::Tcp:
      if (frame.size() >= kMbapHeaderSize) frame[5] = char(quint8(frame[5]) + 1);
      break;
  }
}

std::optional<Adu> DecodeAscii(const QByteArray& text) {
  if (text.isEmpty() || text.size() % 2 != 0) return std::nullopt;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  const QByteArray bytes = QByteArray::fromHex(text);
  if (bytes.size() < 3 || Lrc(bytes) != 0) return std::nullopt;  // the sum with the LRC is 0
  return SplitAddress(bytes.left(bytes.size() - 1));
}

std::optional<Adu> DecodeRtu(const QByteArray& frame) {
  if (frame.size() < 4 || Crc16(frame) != 0) return std::nullopt;  // CRC over CRC is 0
  return SplitAddress(frame.left(frame.size() - 2));
}

std::optional<int> TcpFrameLength(const QByteArray& buffer) {
  if (buffer.size() < kMbapHeaderSize) return std::nullopt;
  const int protocol = quint8(buffer[2]) << 8 | quint8(buffer[3]);
  const int length = quint8(buffer[4]) << 8 | quint8(buffer[5]);
  if (protocol != 0 || length < 2 || length > kMaxTcpLength) return 0;
  return kMbapHeaderSize - 1 + length;
}

Adu DecodeTcp(const QByteArray& frame) {
  const quint16 transaction = quint16(quint8(frame[0]) << 8 | quint8(frame[1]));
  return Adu{quint8(frame[6]), transaction, frame.mid(kMbapHeaderSize)};
}

}  // namespace vt::sim
