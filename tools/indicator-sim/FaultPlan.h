#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QtGlobal>
#include <array>
#include <random>

namespace vt::sim {

// The ways the simulated indicator can misbehave on a request.
enum class Fault {
  None,
  Silence,          // the request is ignored and so is every other one for a while
  CloseConnection,  // TCP only: the connection is closed instead of answering
  Exception,        // the request is not carried out; an exception answer comes back
  Drop,             // the request is carried out; its answer is lost
  CorruptCheck,     // the answer's LRC/CRC (TCP: header length) is wrong
  Late,             // the answer comes after a delay
  Garbage,          // random bytes come back instead of the answer
  Truncate,         // only the first half of the answer comes back
  // Frames that do not answer the request; the request is not carried out.
  ForeignAddress,  // an answer from another slave address (TCP: unit identifier)
  WrongFunction,   // a read answered as a write of 10h, a write as a read
  WrongContent,    // a read answered with one register too many, a write's echo of the next register
  Echo,            // the request's own frame comes back
};
constexpr int kFaultKinds = int(Fault::Echo) + 1;

// Probability per request of each fault, 0 to 1. A request suffers at most
// one fault: the rates are bands of one draw, taken in the order of the
// Fault enumeration, so keep their sum at or below 1.
struct FaultRates {
  double silence = 0;
  double closeConnection = 0;
  double exception = 0;
  double drop = 0;
  double corruptCheck = 0;
  double late = 0;
  double garbage = 0;
  double truncate = 0;
  double foreignAddress = 0;
  double wrongFunction = 0;
  double wrongContent = 0;
  double echo = 0;
};

// Decides, request by request, which fault strikes, with a seedable
// generator so that a run can be repeated.
class FaultPlan {
 public:
  explicit FaultPlan(quint32 seed = 1) : random_(seed) {}

  void Seed(quint32 seed) { random_.seed(seed); }
  FaultRates& Rates() { return rates_; }
  void SetRates(const FaultRates& rates) { rates_ = rates; }

  int lateMs = 1000;            // delay of a late answer
  int silenceMs = 2000;         // length of a silence window
  quint8 exceptionCode = 0x04;  // code of an injected exception answer
  quint8 onlyFunction = 0;      // faults strike only requests of this function code; 0: every request

  bool Strikes(quint8 function) const { return onlyFunction == 0 || function == onlyFunction; }

  // Opens a silence window at once.
  void StartSilence(int ms) { silence_.setRemainingTime(ms); }
  bool Silent() const { return !silence_.hasExpired(); }

  // The fault for the next request; CloseConnection is drawn only when the
  // transport has a connection to close. A drawn silence opens its window.
  Fault Draw(bool canClose);
  // A few random bytes to send instead of an answer.
  QByteArray Garbage();
  // How often each fault has struck.
  int Count(Fault fault) const { return counts_[int(fault)]; }

 private:
  double Uniform();

  FaultRates rates_;
  std::mt19937 random_;
  QDeadlineTimer silence_{0};
  std::array<int, kFaultKinds> counts_{};
};

}  // namespace vt::sim
