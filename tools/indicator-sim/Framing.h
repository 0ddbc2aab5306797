#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace vt::sim {

// The three ways a Modbus message travels between the master and the
// indicator.
enum class Transport { Rtu, Ascii, Tcp };

// One Modbus message without its framing: the slave address (the unit
// identifier over TCP), the TCP transaction identifier (0 on a serial line)
// and the protocol data unit, which starts at the function code.
struct Adu {
  quint8 unit = 0;
  quint16 transaction = 0;
  QByteArray pdu;
};

// Modbus ASCII longitudinal redundancy check: the two's complement of the
// 8-bit sum of the bytes.
quint8 Lrc(const QByteArray& bytes);

// Modbus RTU CRC-16 (reflected polynomial A001h, initial value FFFFh).
quint16 Crc16(const QByteArray& bytes);

// The message as it goes on the wire: ":" + hex + LRC + CR LF, address +
// PDU + CRC low byte first, or the 7-byte MBAP header + PDU.
QByteArray EncodeFrame(Transport transport, const Adu& adu);

// Spoils a framed message so that the receiver can tell it is damaged: the
// LRC or CRC no longer fits, or over TCP the header's length field no longer
// matches the bytes that follow.
void SpoilCheck(Transport transport, QByteArray& frame);

// Decodes the text between ":" and CR LF of an ASCII frame; nothing when the
// text is not hex pairs or the LRC does not fit.
std::optional<Adu> DecodeAscii(const QByteArray& text);

// Decodes a whole RTU frame; nothing when it is too short or the CRC does
// not fit.
std::optional<Adu> DecodeRtu(const QByteArray& frame);

// The length of the MBAP frame that starts the buffer, once its header is
// complete; nothing while the header is incomplete; 0 when the header is not
// Modbus TCP (protocol identifier not 0, impossible length).
std::optional<int> TcpFrameLength(const QByteArray& buffer);

// Decodes one whole MBAP frame (as measured by TcpFrameLength).
Adu DecodeTcp(const QByteArray& frame);

}  // namespace vt::sim
