// Time of one poll tick that decodes an answer while a test runs, and so
// appends a sample and redraws a curve of 5000 samples at the main window's
// graph size. Reports the median and the 99th percentile of single ticks.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "link/Leds.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "station/MachinePanel.h"
#include "station/PollCycle.h"

namespace vt {
namespace {

// A force curve with measurement noise: the noise gives each pixel column of
// the graph its own lowest and highest sample, the costliest case to draw.
double Force(int sample) { return 1000 + 900 * std::sin(sample / 300.0) + (sample * 7919 % 61) - 30; }

// An indicator that has always just answered: break watch on, a live value
// that moves with every answer.
class AnsweringLink : public PollLink {
 public:
  explicit AnsweringLink(Communication& comm) : comm_(comm) {}
  bool PortUsable() const override { return true; }
  void SendRequest(int, const QString&, int) override { comm_.TxnBusy = true; }
  bool ParseResponse(std::span<std::int32_t> values) override {
    std::fill(values.begin(), values.begin() + 12, 0);
    values[3] = 0x0100;
    values[5] = 0x0100;
    values[6] = ++encoder_ & 0xFFFF;
    values[8] = static_cast<std::int32_t>(Force(encoder_));
    comm_.LinkOK = true;
    return true;
  }
  void AbandonRequest() override {}

 private:
  Communication& comm_;
  int encoder_ = 0;
};

struct Station {
  Station() {
    ledOn.fill(Qt::red);
    ledOff.fill(Qt::black);
    page.txtStepVal->setText(QStringLiteral("0.0138888"));
    machine.txtPreLoading->setText(QStringLiteral("5"));
    program.comm.PollEnabled = true;
    program.comm.DevAddress = QStringLiteral("1");
    leds.BlinkControl(false, true, page.HOLDRUN);
    leds.BlinkControl(false, false, page.holdOK);
    Graphic& graphic = program.graphic;
    graphic.RestartCurve();
    for (int i = 0; i < kLiveSampleLimit - 1; ++i) graphic.AppendSample(Force(i));
  }

  // An answer has come in; the next tick decodes it.
  void AnswerArrived() {
    program.comm.TxnBusy = true;
    program.comm.RespDone = true;
  }

  FakeClock clock;
  ScriptedDialogs dialogs;
  Program program{QStringLiteral("/tmp"), dialogs, clock};
  TestPage page{program};
  MachinePanel machine;
  QLabel labCommTestVal;
  QPixmap ledOn{8, 8};
  QPixmap ledOff{8, 8};
  Leds leds{ledOn, ledOff};
  AnsweringLink link{program.comm};
  TestCurve curve{program, page};
  PollCycle poll{program, page, leds, machine, &labCommTestVal, link, curve};
};

double Percentile99(const std::vector<double>& times) {
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  return sorted[static_cast<std::size_t>(std::ceil(0.99 * sorted.size())) - 1];
}

// One timed tick per repetition; before it the newest sample is held at
// `newestBeforeTick`, and the tick appends one more.
void TimeTicks(benchmark::State& state, int newestBeforeTick) {
  static auto station = std::make_unique<Station>();
  for (auto _ : state) {
    station->program.graphic.GraphSampleCount = newestBeforeTick;
    station->program.graphic.SamplesToSkip = 0;
    station->AnswerArrived();
    const auto start = std::chrono::steady_clock::now();
    station->poll.Timer1_Timer();
    const auto stop = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
}

// A tick that redraws 5000 samples.
void BM_PollTickDecodeAndRedraw5000(benchmark::State& state) { TimeTicks(state, kLiveSampleLimit - 1); }

// The rare tick that finds the live slots full and halves the curve first.
void BM_PollTickThinningFullBuffer(benchmark::State& state) { TimeTicks(state, kLiveSampleLimit); }

void Register(benchmark::internal::Benchmark* b) {
  b->UseManualTime()
      ->Iterations(1)
      ->Repetitions(2000)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics("p99", Percentile99)
      ->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PollTickDecodeAndRedraw5000)->Apply(Register);
BENCHMARK(BM_PollTickThinningFullBuffer)->Apply(Register);

}  // namespace
}  // namespace vt

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
