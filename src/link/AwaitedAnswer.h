#pragma once

#include <QByteArray>
#include <QStringView>
#include <cstdint>
#include <span>

namespace vt {

// The answer that a request waits for, checked as a careful Modbus master
// checks it: it comes from the request's slave and carries the request's
// function code; a read's answer holds exactly the registers asked for (its
// byte count is twice their count); a write's answer echoes the register and
// value (06) or the start register and count (10h). The slave's exception
// answer to that function is told apart. Any other frame, such as another
// slave's answer, a late answer to an earlier request or the request's own
// echo, does not answer the request.
class AwaitedAnswer {
 public:
  enum class Fit { Answer, Exception, Other };

  // Awaits nothing: every frame is Other.
  AwaitedAnswer() = default;
  // `body`: the request as hex text from the function code on.
  AwaitedAnswer(int address, QStringView body);

  // `frame`: the slave address (over TCP the unit identifier) followed by
  // the function code and the data, without check bytes.
  Fit Check(const QByteArray& frame) const;

  // Writes the registers of a read's fitting answer into `values` from
  // element 0; words beyond its end are dropped. Writes nothing for a write.
  void Decode(const QByteArray& frame, std::span<std::int32_t> values) const;

 private:
  int address_ = -1;
  int function_ = -1;
  QByteArray fields_;  // the four bytes after the request's function code
};

}  // namespace vt
