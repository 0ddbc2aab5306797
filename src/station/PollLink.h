#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace vt {

// What the poll cycle needs of the indicator link: whether the port can carry
// a request, the sender, and the answer check that fills the poll registers.
// The link keeps the request/answer flags of Communication up to date.
class PollLink {
 public:
  virtual ~PollLink() = default;

  // (IndPort <> 0 and the serial port open) or IndPort = 5 (TCP).
  virtual bool PortUsable() const = 0;

  // Frames and sends one request: the slave address, the body as hex text
  // from the function code on, and the expected answer length in hex
  // characters of the ASCII answer.
  virtual void SendRequest(int address, const QString& body, int expectedLen) = 0;

  // Checks the received answer and, for a read, writes its registers into
  // values from element 0. True for a good answer.
  virtual bool ParseResponse(std::span<std::int32_t> values) = 0;

  // Gives up the outstanding request after its time-out.
  virtual void AbandonRequest() = 0;
};

}  // namespace vt
