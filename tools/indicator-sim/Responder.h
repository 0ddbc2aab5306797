#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "indicator-sim/FaultPlan.h"
#include "indicator-sim/Framing.h"

namespace vt::sim {

class IndicatorModel;

// What a front end does with one request: send these bytes (none: stay
// silent) after the delay, or close the connection.
struct Reply {
  QByteArray bytes;
  int delayMs = 0;
  bool closeConnection = false;
};

// Serves one decoded request on the model and frames the answer for its
// transport, with the fault that the plan draws for it. Faults that refuse
// the request (silence, closing, exception) leave the model untouched; the
// others spoil the answer of a request that was carried out.
class Responder {
 public:
  using Trace = std::function<void(const QString& line)>;

  Responder(IndicatorModel& model, FaultPlan& faults) : model_(model), faults_(faults) {}

  Reply Answer(Transport transport, const Adu& request);

  // Requests served so far (also those a fault refused).
  int Requests() const { return requests_; }
  // Receives one line per request and per answer, for the program's log.
  void SetTrace(Trace trace) { trace_ = std::move(trace); }

 private:
  Reply Shape(Transport transport, const Adu& request, Fault fault);

  IndicatorModel& model_;
  FaultPlan& faults_;
  Trace trace_;
  int requests_ = 0;
};

}  // namespace vt::sim
