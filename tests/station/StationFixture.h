#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/Leds.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "station/MachinePanel.h"
#include "station/PollLink.h"
#include "station/Program.h"
#include "station/TestCurve.h"
#include "station/TestPage.h"
#include "support/ProgramFolder.h"

namespace vt::test {

// A link that behaves like the indicator link's request/answer layer on the
// shared flags: a send arms the request, an answer completes it as a receive
// event would, and the check copies the registers and ends the request.
class FakePollLink : public PollLink {
 public:
  struct Request {
    int address;
    QString body;
    int expectedLen;
  };

  explicit FakePollLink(Communication& comm) : comm_(comm) {}

  bool usable = true;
  bool answersGood = true;
  std::vector<Request> requests;
  int abandoned = 0;

  bool PortUsable() const override { return usable; }

  void SendRequest(int address, const QString& body, int expectedLen) override {
    requests.push_back({address, body, expectedLen});
    comm_.ExpectedLen = expectedLen;
    comm_.TickCount = 0;
    comm_.TimedOut = false;
    comm_.RespDone = false;
    comm_.TxnBusy = true;
  }

  bool ParseResponse(std::span<std::int32_t> values) override {
    comm_.TxnBusy = false;
    comm_.LinkOK = answersGood;
    if (!answersGood) return false;
    std::copy(pending_.begin(), pending_.end(), values.begin());
    return true;
  }

  void AbandonRequest() override { ++abandoned; }

  // The indicator's answer arrives completely between two ticks.
  void Answer(const std::array<std::int32_t, 12>& registers) {
    pending_ = registers;
    comm_.RespDone = true;
  }

 private:
  Communication& comm_;
  std::array<std::int32_t, 12> pending_{};
};

// The station's pieces as the main window puts them together, with a
// scripted clock and scripted dialogs.
struct StationFixture : ::testing::Test {
  StationFixture() {
    ledOn.fill(Qt::red);
    ledOff.fill(Qt::black);
    testPage.txtStepVal->setText(QStringLiteral("0.0138888"));
    program.graphic.GraphSampleCount = 2;
  }

  // Shows the LEDs as a running test shows them: break watch on, no break.
  void ShowTestRunning() {
    leds.BlinkControl(false, true, testPage.HOLDRUN);
    leds.BlinkControl(false, false, testPage.holdOK);
  }

  int RedPixels(int column) const {
    const QImage& picture = testPage.Graph->Picture();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) count += picture.pixel(column, y) == qRgb(255, 0, 0);
    return count;
  }

  // Rows holding a red pixel anywhere in the picture.
  std::optional<std::pair<int, int>> RedRows() const {
    const QImage& picture = testPage.Graph->Picture();
    std::optional<std::pair<int, int>> rows;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixel(x, y) != qRgb(255, 0, 0)) continue;
        if (!rows) rows = std::pair{y, y};
        rows->first = std::min(rows->first, y);
        rows->second = std::max(rows->second, y);
      }
    }
    return rows;
  }

  // Whether a red pixel lies within `radius` of (x, y).
  bool RedNear(int x, int y, int radius = 2) const {
    const QImage& picture = testPage.Graph->Picture();
    for (int dy = -radius; dy <= radius; ++dy) {
      for (int dx = -radius; dx <= radius; ++dx) {
        const QPoint p(x + dx, y + dy);
        if (picture.valid(p) && picture.pixel(p) == qRgb(255, 0, 0)) return true;
      }
    }
    return false;
  }

  ProgramFolder folder;
  FakeClock clock;
  ScriptedDialogs dialogs;
  Program program{folder.Path(), dialogs, clock};
  TestPage testPage{program};
  MachinePanel machinePanel;
  QLabel labCommTestVal;
  QPixmap ledOn{8, 8};
  QPixmap ledOff{8, 8};
  Leds leds{ledOn, ledOff};
  FakePollLink link{program.comm};
  TestCurve curve{program, testPage};
};

}  // namespace vt::test
