#pragma once

#include <QByteArray>
#include <optional>

namespace vt {

// Collects the bytes of TCP arrivals into whole Modbus TCP answers (a 6-byte
// header whose length field counts the bytes after it) and hands out only
// the answer to the request outstanding: one with that request's
// transaction identifier, protocol 0 and unit. Other whole answers, such as
// a late answer to an earlier request, are dropped, and so is part of an
// answer still waiting when a new request is sent. At most one answer's
// worth of bytes is ever kept waiting.
class TcpAnswer {
 public:
  static constexpr int kHeaderBytes = 6;
  static constexpr int kMaxLengthField = 254;  // unit identifier and the longest Modbus PDU
  static constexpr int kMaxFrameBytes = kHeaderBytes + kMaxLengthField;

  // The request just sent: its answer is the one to hand out; bytes still
  // waiting belong to earlier requests and are thrown away.
  void Expect(quint16 transactionId, quint8 unit);
  // A new connection, or a request given up: the bytes waiting are thrown
  // away and no answer is awaited.
  void Reset();

  // Adds the bytes of one arrival. Returns the awaited answer once it is
  // whole; it is handed out once only.
  std::optional<QByteArray> Add(const QByteArray& bytes);

  qsizetype Waiting() const { return pending_.size(); }

 private:
  struct Awaited {
    quint16 transactionId;
    quint8 unit;
  };
  bool IsAwaited(const QByteArray& frame) const;

  QByteArray pending_;
  std::optional<Awaited> awaited_;
};

}  // namespace vt
