#pragma once

#include <QtGlobal>
#include <random>

namespace vt::sim {

// The machine pulling a specimen as the indicator sees it: the force on the
// load cell and the encoder count. A test starts, the force rises along a
// smooth curve to the break force, the specimen breaks and the force falls
// back to the rest load. Time moves only through Advance.
class TestRun {
 public:
  struct Profile {
    double breakForce = 250.0;  // in the indicator's display unit
    int msToBreak = 8000;       // from the start to the break
    double encoderPerSecond = 600;
    double noise = 0.05;  // amplitude of the load cell noise, display unit
  };

  explicit TestRun(quint32 seed = 1);

  Profile& Settings() { return profile_; }
  const Profile& Settings() const { return profile_; }
  void Seed(quint32 seed) { noise_.seed(seed); }

  // The force on the load cell when no test pulls; applied at once.
  void SetRestLoad(double load);

  void Start();
  void Stop();
  void Advance(qint64 ms);

  double Load() const { return load_; }
  // The highest force of the running or last test (valid once Started).
  double PeakLoad() const { return peak_; }
  quint16 Encoder() const { return quint16(qint64(encoder_) & 0xFFFF); }
  bool Pulling() const { return pulling_; }
  bool Watching() const { return watching_; }
  bool Broken() const { return broken_; }
  // The time the running test still needs to break; 0 when none runs.
  qint64 MsToBreak() const;

 private:
  void Step(qint64 ms);
  double PullForce() const;
  double Noise();

  Profile profile_;
  std::mt19937 noise_;
  double restLoad_ = 0;
  double cleanLoad_ = 0;  // the load without noise
  double load_ = 0;
  double peak_ = 0;
  double encoder_ = 0;
  qint64 elapsedMs_ = 0;
  bool pulling_ = false;
  bool watching_ = false;
  bool broken_ = false;
};

}  // namespace vt::sim
