#include "station/TestCurve.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "settings/Formats.h"
#include "settings/NumberText.h"
#include "station/DateText.h"

namespace vt {

TestCurve::TestCurve(Program& program, TestPage& testPage) : program_(program), page_(testPage) {
  connect(page_.Graph, &GraphBox::Resized, this, &TestCurve::DrawCurve);
}

void TestCurve::UpdateTestGraph() {
  Graphic& graphic = program_.graphic;
  const bool recordLoaded = program_.global.RecordLoaded;
  if (!recordLoaded && !program_.comm.LinkOK) return;

  if (graphic.NewTestPending && !recordLoaded) {
    graphic.RestartCurve();
    graphic.TestStart = program_.clock.Now();
    graphic.TestStartTick = static_cast<double>(program_.clock.TickMs());
    graphic.NewTestPending = false;
  }

  const double value = Val(page_.LabDispData->text());
  ShowTestReadOuts();
  graphic.AppendSample(value);

  const int newest = graphic.NewestIndex();
  if (newest < kFirstSampleSlot) return;
  const auto first = graphic.GraphSamples.begin() + kFirstSampleSlot;
  const auto last = graphic.GraphSamples.begin() + newest + 1;
  const auto [lowest, highest] = std::minmax_element(first, last);
  ShowRange(*lowest, *highest);
  shown_.samples.assign(first, last);
  shown_.lowest = *lowest;
  shown_.highest = *highest;
  DrawCurve();
}

void TestCurve::ShowTestReadOuts() {
  TestPage& p = page_;
  p.labTestDistance->setText(p.labEncoder->text());
  const double step = Val(p.txtStepVal->text());
  p.labDistance->setText(PlainNumber(step * (Val(p.labTestDistance->text()) - Val(p.labGap->text()))));
  // The speed uses the raw encoder count: the gap is not subtracted.
  const double seconds = Val(p.labResultTimePassSeconds->text());
  if (seconds != 0) {
    p.labDisplacementSpeed->setText(
        FormatNumber(Val(p.labEncoder->text()) * step / seconds * 60, QStringLiteral("#0.000")));
  }
  if (!program_.global.RecordLoaded) {
    p.labTestStart->setText(GeneralDateText(program_.graphic.TestStart));
    p.labTestStop->setText(GeneralDateText(program_.graphic.TestStop));
  }
}

void TestCurve::ShowRange(double lowest, double highest) {
  const Graphic& graphic = program_.graphic;
  const QString format =
      GetDecFormat(static_cast<int>(std::lround(program_.global.DispDP + graphic.GraphUnitDP)));
  page_.GraphMax->setText(FormatNumber(graphic.GraphUnitFactor * highest, format));
  page_.GraphMin->setText(FormatNumber(graphic.GraphUnitFactor * lowest, format));
}

void TestCurve::DrawCurve() {
  GraphBox& graph = *page_.Graph;
  graph.Clear();
  QPainter painter(&graph.Picture());
  drawing_.Draw(painter, graph.Picture().size(), shown_);
}

void TestCurve::DrawGraphGrid() {
  GraphBox& graph = *page_.Graph;
  QPainter painter(&graph.Picture());
  CurveDrawing::DrawGrid(painter, graph.Picture().size());
  graph.update();
}

}  // namespace vt
