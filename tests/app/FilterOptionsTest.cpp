// The digital filter window against the simulated indicator.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "SimulatedStation.h"
#include "setup/FilterOptions.h"
#include "support/QStringPrinter.h"
#include "support/ShowWatch.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;

class FilterWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(station.WaitForLink());
    SetFilterCells(0, 5, 250, 5);
  }

  void SetFilterCells(int mode, int size, int span, int ignoreTime) {
    sim::IndicatorModel& indicator = station.indicator();
    indicator.SetParameter(206, mode);
    indicator.SetParameter(5, size);
    for (int i = 0; i < 3; ++i) indicator.SetParameter(201 + i, (span >> (8 * i)) & 0xFF);
    indicator.SetParameter(7, ignoreTime);
  }
  // The window as ShowFilterOptions makes it, after its opening read.
  std::unique_ptr<FilterOptions> Open() {
    MainForm& form = *station.form;
    auto window = std::make_unique<FilterOptions>(form.program, *form.transfers, *form.transactions, &form);
    window->Form_Load();
    return window;
  }
  std::size_t ParameterWrites() {
    std::size_t writes = 0;
    for (const auto& command : station.indicator().Commands()) writes += command.code == Cmd::WriteParam;
    return writes;
  }

  test::SimulatedStation station;
};

TEST_F(FilterWindow, OpeningShowsTheGroupAsRead) {
  struct Case {
    int mode, size, span, ignoreTime;
    int modeIndex, sizeIndex;
    const char* spanText;
    const char* ignoreText;
    bool fieldsShown;
  };
  const Case cases[] = {
      {0, 5, 250, 5, 0, 5, "250", "0.5", true},
      {7, 9, 250, 0, 3, 7, "250", "0.0", false},  // out of range: "(3) Fast" and "---"
      {1, 6, 8000000, 255, 1, 6, "8000000", "25.5", false},
  };
  for (const Case& c : cases) {
    SetFilterCells(c.mode, c.size, c.span, c.ignoreTime);
    const auto window = Open();
    EXPECT_EQ(window->FiltMode->currentIndex(), c.modeIndex);
    EXPECT_EQ(window->FilterSize->currentIndex(), c.sizeIndex);
    EXPECT_EQ(window->FilterSpan->text(), QString::fromLatin1(c.spanText));
    EXPECT_EQ(window->IgnoreTime->text(), QString::fromLatin1(c.ignoreText));
    EXPECT_EQ(window->FilterSize->isHidden(), !c.fieldsShown);
    EXPECT_EQ(window->Fixed->isHidden(), c.fieldsShown);
    EXPECT_TRUE(window->Fixed->text().isEmpty());
    EXPECT_TRUE(window->cmdOK->isEnabled());
    EXPECT_TRUE(window->cmdApply->isEnabled());
    EXPECT_TRUE(station.program().comm.PollEnabled);
  }
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

TEST_F(FilterWindow, EntriesAreCheckedInOrderAndEncoded) {
  struct Case {
    int sizeIndex;
    const char* span;
    const char* ignoreTime;
    const char* refusal;  // nullptr: written
    std::array<int, 4> cells;  // 201, 202, 203 and 7
    int mode = 0;
  };
  const Case cases[] = {
      {7, "250", "0.5", "Filter Size must be selected properly!", {}},
      {4, "8000001", "0.5", "Filter Span must be entered properly!", {}},
      {4, "250", "25,6", "Ignore Time must be entered properly!", {}},
      {4, "250", "-0,1", "Ignore Time must be entered properly!", {}},
      {4, "1e400", "0.5", "Filter Span must be entered properly!", {}},  // beyond a double: never 0
      {4, "-1e400", "0.5", "Filter Span must be entered properly!", {}},
      {4, "250", "1e400", "Ignore Time must be entered properly!", {}},
      {4, "250", "-1e400", "Ignore Time must be entered properly!", {}},
      {4, "&H100000000", "0.5", "Filter Span must be entered properly!", {}},  // beyond 32 bits: never 0
      {4, "250", "&H100000000", "Ignore Time must be entered properly!", {}},
      {4, "250", "25.5", nullptr, {250, 0, 0, 255}},
      {4, "8000000", "0.5", nullptr, {0, 18, 122, 5}},
      {4, "250,5", "1,5", nullptr, {250, 0, 0, 15}},  // 250.5 rounds to even
      {4, "250", "0.25", nullptr, {250, 0, 0, 2}},     // 2.5 tenths round to even
      {4, "250", "0.5", nullptr, {250, 0, 0, 5}, 2},   // the mode chosen goes with them
      {4, "250", "0.5", "Filter Mode must be selected properly!", {}, 4},  // "---"
      {4, "250", "0.5", nullptr, {250, 0, 0, 5}, 3},                       // the last mode
  };
  const auto window = Open();
  // The write keeps the poll off from its start: while a refusal shows and
  // when the write window appears.
  bool pollSeenOn = false;
  station.dialogs.whileOpen = [&] { pollSeenOn |= station.program().comm.PollEnabled; };
  const test::ShowWatch watch(QStringLiteral("WriteSetUp"), [&] { pollSeenOn |= station.program().comm.PollEnabled; });
  for (const Case& c : cases) {
    station.dialogs.boxes.clear();
    const std::size_t writes = ParameterWrites();
    window->FiltMode->setCurrentIndex(c.mode);
    window->FiltMode_Click();
    window->FilterSize->setCurrentIndex(c.sizeIndex);
    window->FilterSpan->setText(QString::fromLatin1(c.span));
    window->IgnoreTime->setText(QString::fromLatin1(c.ignoreTime));
    EXPECT_EQ(window->WriteFilterPars(), c.refusal == nullptr) << c.span;
    EXPECT_TRUE(station.program().comm.PollEnabled);
    if (c.refusal) {
      EXPECT_EQ(station.dialogs.texts(), QStringList{QString::fromLatin1(c.refusal)});
      EXPECT_EQ(station.dialogs.boxes.back().title, QStringLiteral("Error in entry"));
      EXPECT_EQ(ParameterWrites(), writes);
      continue;
    }
    EXPECT_TRUE(station.dialogs.boxes.empty());
    const std::array<int, 4> cells = {station.indicator().Parameter(201), station.indicator().Parameter(202),
                                      station.indicator().Parameter(203), station.indicator().Parameter(7)};
    EXPECT_EQ(cells, c.cells) << c.span;
    EXPECT_EQ(station.indicator().Parameter(206), c.mode) << c.span;
    EXPECT_EQ(station.indicator().Parameter(5), 4);
  }
  EXPECT_EQ(station.indicator().RamStores(), 6);
  EXPECT_FALSE(pollSeenOn);
}

TEST_F(FilterWindow, ModesApplyTheirPresetsAndSetDefaultsChoosesMedium) {
  const auto window = Open();
  window->CmdSetDef_Click();
  EXPECT_EQ(window->FiltMode->currentIndex(), 2);
  EXPECT_TRUE(window->FilterSpan->isHidden());
  EXPECT_TRUE(window->IgnoreTime->isHidden());
  EXPECT_EQ(window->FilterSize->currentIndex(), 4);
  EXPECT_EQ(window->FilterSpan->text(), QStringLiteral("250"));
  EXPECT_EQ(window->IgnoreTime->text(), QStringLiteral("0.5"));
  for (auto [mode, size, ignoreTime] : {std::tuple{1, 6, "1.5"}, std::tuple{3, 2, "0"}, std::tuple{4, 6, "1.5"}}) {
    window->FiltMode->setCurrentIndex(mode);
    window->FiltMode_Click();
    EXPECT_EQ(window->FilterSize->currentIndex(), size);
    EXPECT_EQ(window->IgnoreTime->text(), QString::fromLatin1(ignoreTime));
  }
  window->FiltMode->setCurrentIndex(0);
  window->FiltMode_Click();
  EXPECT_FALSE(window->FilterSpan->isHidden());
  EXPECT_EQ(window->FilterSize->currentIndex(), 6);  // custom keeps what the fields hold
}

TEST_F(FilterWindow, ApplyStaysOkClosesCancelNeverWrites) {
  const auto window = Open();
  window->show();
  window->cmdApply_Click();
  EXPECT_TRUE(window->isVisible());
  station.indicator().FailParameterCommands(4);  // a failed write keeps the window open
  window->cmdOK_Click();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
  window->cmdOK_Click();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_EQ(station.indicator().RamStores(), 2);

  const std::size_t writes = ParameterWrites();
  const auto other = Open();
  other->show();
  other->FilterSpan->setText(QStringLiteral("999"));
  other->cmdCancel_Click();
  EXPECT_FALSE(other->isVisible());
  EXPECT_EQ(ParameterWrites(), writes);
}

TEST_F(FilterWindow, TheWindowAppearsOnlyAfterASuccessfulRead) {
  // Closes the filter window whenever it is up, as the operator would.
  bool appeared = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* window = qobject_cast<FilterOptions*>(QApplication::activeModalWidget())) {
      appeared = true;
      window->cmdCancel_Click();
    }
  });
  closer.start(20);
  for (auto [failures, shown] : {std::pair{0, true}, std::pair{4, false}}) {
    appeared = false;
    station.dialogs.boxes.clear();
    station.indicator().FailParameterCommands(failures);
    station.form->ShowFilterOptions();
    EXPECT_EQ(appeared, shown);
    EXPECT_EQ(station.dialogs.texts(), shown ? QStringList() : QStringList{QStringLiteral("Communication Failed")});
    EXPECT_TRUE(station.program().comm.PollEnabled);
  }
}

}  // namespace
}  // namespace vt
