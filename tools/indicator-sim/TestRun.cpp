#include "indicator-sim/TestRun.h"

#include <algorithm>
#include <cmath>

namespace vt::sim {

namespace {

constexpr qint64 kStepMs = 10;          // the machine's own time resolution
constexpr double kReleaseTauMs = 40.0;  // how fast the force falls after a break or stop

}  // namespace

TestRun::TestRun(quint32 seed) : noise_(seed) {}

void TestRun::SetRestLoad(double load) {
  restLoad_ = load;
  if (!pulling_) cleanLoad_ = load_ = load;
}

void TestRun::Start() {
  pulling_ = watching_ = true;
  broken_ = false;
  elapsedMs_ = 0;
  encoder_ = 0;
  cleanLoad_ = load_ = peak_ = restLoad_;
}

void TestRun::Stop() { pulling_ = watching_ = false; }

qint64 TestRun::MsToBreak() const { return pulling_ ? std::max<qint64>(0, profile_.msToBreak - elapsedMs_) : 0; }

void TestRun::Advance(qint64 ms) {
  while (ms > 0) {
    // A step ends exactly at the break, so that the peak is seen even when
    // the owner moves time in large leaps.
    qint64 step = std::min(ms, kStepMs);
    if (pulling_ && MsToBreak() > 0) step = std::min(step, MsToBreak());
    Step(step);
    ms -= step;
  }
}

void TestRun::Step(qint64 ms) {
  if (pulling_) {
    elapsedMs_ += ms;
    encoder_ += profile_.encoderPerSecond * double(ms) / 1000.0;
    cleanLoad_ = PullForce();
    load_ = cleanLoad_ + Noise();
    peak_ = std::max(peak_, load_);
    if (elapsedMs_ >= profile_.msToBreak) {
      pulling_ = false;  // the specimen broke: the encoder stops, the force falls
      broken_ = true;
    }
    return;
  }
  cleanLoad_ = restLoad_ + (cleanLoad_ - restLoad_) * std::exp(-double(ms) / kReleaseTauMs);
  load_ = cleanLoad_ + Noise();
}

double TestRun::PullForce() const {
  // Slack taken up slowly at first, steepest in the middle, the peak at the
  // break (smoothstep).
  const double x = profile_.msToBreak > 0 ? std::min(1.0, double(elapsedMs_) / profile_.msToBreak) : 1.0;
  return restLoad_ + (profile_.breakForce - restLoad_) * x * x * (3.0 - 2.0 * x);
}

double TestRun::Noise() {
  if (profile_.noise <= 0) return 0;
  // Own mapping of the raw generator output: the same seed gives the same
  // noise with every standard library.
  const double unit = double(noise_()) / double(std::mt19937::max());
  return (2.0 * unit - 1.0) * profile_.noise;
}

}  // namespace vt::sim
