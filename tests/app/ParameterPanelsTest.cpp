// The parameter panels of the settings tab against the simulated indicator.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "SimulatedStation.h"
#include "support/AddressRuns.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;

class ParameterPanelsOnTheWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    // A valid scale set-up, so every panel reads back as writable.
    for (auto [address, value] : {std::pair{34, 0}, {35, 3}, {36, 3}, {200, 0}}) Preset(address, value);
    ASSERT_TRUE(station.WaitForLink());
    station.dialogs.inputs.push_back(QStringLiteral("8061"));
    station.form->SSTab1->setCurrentIndex(1);
    station.form->show();
    station.form->activateWindow();
    ASSERT_TRUE(station.WaitFor([&] { return QApplication::activeWindow() == station.form.get(); }));
  }

  void Preset(int address, int value) { station.indicator().SetParameter(address, quint8(value)); }
  SettingsPage& page() { return *station.form->settingsPage; }
  ParameterPanels& panels() { return *station.form->parameterPanels; }
  const ParameterImage& image() { return station.program().global.ParImage; }
  std::vector<quint16> CodesSince(std::size_t first) {
    std::vector<quint16> codes;
    const auto& commands = station.indicator().Commands();
    for (std::size_t i = first; i < commands.size(); ++i) codes.push_back(commands[i].code);
    return codes;
  }

  test::SimulatedStation station;
};

TEST_F(ParameterPanelsOnTheWindow, EachReadFillsItsPanelByTheMap) {
  for (auto [address, value] : {std::pair{0, 186}, {1, 7}, {2, 5}, {3, 40}, {8, 21}, {9, 10}, {10, 227}, {11, 7},
                                {34, 1}, {35, 3}, {36, 4}, {37, 0xB8}, {38, 0x0B}, {39, 0}, {44, 1}, {45, 0x70},
                                {46, 0x17}, {47, 0}, {48, 6}, {204, 255}, {205, 3}, {207, 1}, {62, 15}, {84, 255}}) {
    Preset(address, value);
  }
  for (QPushButton* read : page().ReadPar) read->click();
  EXPECT_TRUE(station.dialogs.boxes.empty()) << station.dialogs.texts().join(" | ").toStdString();
  EXPECT_TRUE(station.program().comm.PollEnabled);

  const ProductionPanel& production = *page().productionPanel;
  EXPECT_EQ(production.PDDay->currentText(), QStringLiteral("21"));
  EXPECT_EQ(production.PDMon->currentText(), QStringLiteral("Oct"));
  EXPECT_EQ(production.PDYear->currentText(), QStringLiteral("2019"));
  EXPECT_EQ(production.FWare->text(), QStringLiteral("V 1.2"));

  const ScalePanel& scale = *page().scalePanel;
  EXPECT_EQ(scale.ScaleType->currentText(), QStringLiteral("(1) Multi Interval"));
  EXPECT_EQ(scale.OptSteps2->currentText(), QStringLiteral("(4) 20"));
  EXPECT_EQ(scale.OptRange1->text(), QStringLiteral("300.0"));
  EXPECT_EQ(scale.OptRange2->text(), QStringLiteral("600.0"));
  EXPECT_EQ(scale.N1->text(), QStringLiteral("300"));
  EXPECT_EQ(scale.N2->text(), QStringLiteral("300"));
  EXPECT_EQ(scale.Max2Unit->text(), QStringLiteral("kN"));
  EXPECT_EQ(scale.OptCertified->currentText(), QStringLiteral("(0) Not Certified"));
  EXPECT_EQ(scale.OptDrift->currentText(), QStringLiteral("(3) 3e"));
  EXPECT_EQ(scale.OptInitialZero->currentText(), QStringLiteral("(1) Yes"));
  EXPECT_EQ(scale.OptAutoTare->currentText(), QStringLiteral("(1) Yes"));

  const OutputsPanel& outputs = *page().outputsPanel;
  EXPECT_EQ(outputs.SetPoint1->text(), QStringLiteral("5000"));
  EXPECT_EQ(outputs.SP1gross->currentText(), QStringLiteral("(1) gross"));
  EXPECT_EQ(outputs.RLDelay->text(), QStringLiteral("1.5"));
  EXPECT_EQ(outputs.AnaFrom->text(), QStringLiteral("4.000"));
  EXPECT_EQ(outputs.AnaTo->text(), QStringLiteral("20.000"));
  EXPECT_EQ(outputs.AnaMax->text(), QStringLiteral("10000"));

  const SerialLinkPanel& serial = *page().serialLinkPanel;
  EXPECT_EQ(serial.SelProt->currentText(), QStringLiteral("(1) ASCII"));
  EXPECT_EQ(serial.SelBaud->currentText(), QStringLiteral("(3) 9600"));
  EXPECT_EQ(serial.SelParity->currentText(), QStringLiteral("(0) None"));
  EXPECT_EQ(serial.SelBits->currentText(), QStringLiteral("(1) 8 Bit"));
  EXPECT_EQ(serial.SelStops->currentText(), QStringLiteral("(0) 1 Bit"));
  EXPECT_EQ(serial.SelDelay->text(), QStringLiteral("0.625"));
  EXPECT_EQ(serial.SelTout->text(), QStringLiteral("5"));
  EXPECT_EQ(serial.SelMBid->text(), QStringLiteral("7"));
}

// A panel read asks for its own groups only, whatever groups an earlier
// transfer left raised.
TEST_F(ParameterPanelsOnTheWindow, EachReadAsksForItsOwnGroupsWhateverWasRaisedBefore) {
  auto addressesRead = [&](int panel) {
    const std::size_t first = station.indicator().Commands().size();
    page().ReadPar[panel]->click();
    std::vector<int> read;
    const auto& commands = station.indicator().Commands();
    for (std::size_t i = first; i < commands.size(); ++i) {
      if (commands[i].code == Cmd::ReadParam) read.push_back(commands[i].arg1);
    }
    return read;
  };
  Global& global = station.program().global;
  for (int panel = 0; panel < 4; ++panel) {
    global.ParFlags.fill(false);
    const std::vector<int> own = addressesRead(panel);
    EXPECT_FALSE(own.empty()) << panel;
    global.ParFlags.fill(true);
    EXPECT_EQ(addressesRead(panel), own) << panel;
  }
  EXPECT_TRUE(station.dialogs.boxes.empty()) << station.dialogs.texts().join(" | ").toStdString();
}

TEST_F(ParameterPanelsOnTheWindow, AFailedReadShowsOneBoxAndLeavesThePanelAsItWas) {
  panels().ReadPar_Click(1);
  panels().ReadPar_Click(0);
  ASSERT_TRUE(station.dialogs.boxes.empty());
  Preset(34, 2);
  Preset(37, 77);
  Preset(8, 3);

  station.indicator().FailParameterCommands(4);  // the first address fails four times
  panels().ReadPar_Click(1);
  station.indicator().ForceResult(Cmd::Version, sim::Result::Refused);
  panels().ReadPar_Click(0);
  EXPECT_EQ(station.dialogs.texts(), QStringList({"Communication Failed", "Communication Failed"}));
  EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Cannot Proceed"));
  EXPECT_TRUE(station.program().comm.PollEnabled);
  EXPECT_EQ(page().scalePanel->ScaleType->currentIndex(), 0);
  EXPECT_EQ(page().scalePanel->OptRange1->text(), QStringLiteral("1000.0"));
  EXPECT_EQ(page().productionPanel->PDDay->currentText(), QStringLiteral("15"));
  EXPECT_EQ(image()[8], 3);  // the image keeps what was read
}

TEST_F(ParameterPanelsOnTheWindow, WritesSendTheEncodedCellsUnlockedAndStoredAndLeaveTheProgramsLinkAlone) {
  ScalePanel& scale = *page().scalePanel;
  for (auto [list, index] : {std::pair{scale.ScaleType, 2}, {scale.OptSteps1, 2}, {scale.OptSteps2, 4},
                             {scale.OptDP, 2}, {scale.OptUnit, 5}, {scale.OptCertified, 0}, {scale.OptInitialZero, 1},
                             {scale.OptDrift, 2}, {scale.OptAutoTare, 0}}) {
    list->setCurrentIndex(index);
  }
  scale.OptRange1->setText(QStringLiteral("100.5"));
  scale.OptRange2->setText(QStringLiteral("250"));
  OutputsPanel& outputs = *page().outputsPanel;
  for (auto [list, index] : {std::pair{outputs.Relay1Fn, 1}, {outputs.Relay2Fn, 0}, {outputs.SP1gross, 0},
                             {outputs.SP2gross, 1}, {outputs.Gross420, 1}}) {
    list->setCurrentIndex(index);
  }
  for (auto [box, text] : {std::pair{outputs.SetPoint1, "1234"}, {outputs.SetPoint2, "70000"}, {outputs.RLDelay, "2,5"},
                           {outputs.AnaFrom, "0"}, {outputs.AnaTo, "31.999"}, {outputs.AnaMax, "8388607"}}) {
    box->setText(QString::fromLatin1(text));
  }
  const Communication link = station.program().comm;
  const std::size_t start = station.indicator().Commands().size();
  page().SetPar[1]->click();
  page().SetPar[2]->click();
  const std::vector<quint16> sentByPanels12 = CodesSince(start);
  panels().ReadPar_Click(3);
  const std::size_t afterRead = station.indicator().Commands().size();
  page().serialLinkPanel->SelDelay->setText(QStringLiteral("2"));
  page().SetPar[3]->click();
  EXPECT_TRUE(station.dialogs.boxes.empty()) << station.dialogs.texts().join(" | ").toStdString();

  const std::pair<int, int> cells[] = {
      {34, 2},   {35, 2},   {36, 4},    {37, 0x42}, {38, 0x27}, {39, 0},   {44, 2},    {45, 0xA8}, {46, 0x61},
      {47, 0},   {48, 5},   {200, 0},   {204, 255}, {205, 2},   {207, 0},  {52, 0xD2}, {53, 4},    {54, 0},
      {55, 112}, {56, 17},  {57, 1},    {58, 0},    {59, 0},    {60, 254}, {61, 255},  {62, 25},   {82, 255},
      {84, 0},   {85, 255}, {86, 255},  {87, 0},    {90, 255},  {91, 255}, {92, 127},  {0, 176},   {1, 1},
      {2, 16},   {3, 40}};
  for (auto [address, value] : cells) EXPECT_EQ(station.indicator().Parameter(address), value) << address;

  // Each group: the device type, every address unlocked and written, the
  // store to RAM; command 4 after the serial link.
  auto writes = [](const std::vector<int>& addresses, bool serialLink) {
    std::vector<quint16> codes{Cmd::DeviceType};
    for (std::size_t i = 0; i < addresses.size(); ++i) codes.insert(codes.end(), {Cmd::Unlock, Cmd::WriteParam});
    codes.push_back(Cmd::StoreToRam);
    if (serialLink) codes.push_back(Cmd::ApplySerialLink);
    return codes;
  };
  using test::Range;
  const std::vector<int> scaleAddresses = test::Join({Range(34, 39), Range(44, 48), {200, 204, 205, 207}});
  const std::vector<int> outputAddresses = test::Join({Range(52, 62), Range(84, 87), {82, 90, 91, 92}});
  std::vector<quint16> expected = writes(scaleAddresses, false);
  const std::vector<quint16> second = writes(outputAddresses, false);
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(sentByPanels12, expected);
  EXPECT_EQ(CodesSince(afterRead), writes(Range(0, 3), true));
  std::vector<int> serialWrites;
  for (std::size_t i = afterRead; i < station.indicator().Commands().size(); ++i) {
    const auto& command = station.indicator().Commands()[i];
    if (command.code == Cmd::WriteParam) serialWrites.push_back(command.arg1);
  }
  EXPECT_EQ(serialWrites, Range(0, 3));

  const Communication& now = station.program().comm;
  EXPECT_EQ(now.PortSettings, link.PortSettings);
  EXPECT_EQ(now.RTUMode, link.RTUMode);
  EXPECT_EQ(now.IndPort, link.IndPort);
  EXPECT_EQ(now.DevAddress, link.DevAddress);
  EXPECT_TRUE(now.PollEnabled);

  station.indicator().FailParameterCommands(4);
  page().SetPar[3]->click();
  EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
  EXPECT_TRUE(now.PollEnabled);
}

// A panel read and written back leaves the indicator's memory byte for byte
// as it was, also where the panel's texts cannot hold a count or the entry
// checks would refuse it; an edit changes only its own cells.
TEST_F(ParameterPanelsOnTheWindow, APanelWrittenBackChangesOnlyWhatWasEdited) {
  using Cells = std::vector<std::pair<int, int>>;
  struct Row {
    int panel;
    Cells memory;
    std::function<void(SettingsPage&)> edit = {};
    Cells changed = {};
  };
  // Set points and the analog maximum as 24-bit counts at 52, 55 and 90; the
  // analog currents as 16-bit counts at 58 and 60.
  auto outputs = [](int setPoint1, int setPoint2, int from, int to, int max) {
    Cells cells{{62, 255}, {82, 255}, {84, 0}, {85, 255}, {86, 255}, {87, 0}};
    for (auto [address, count] : {std::pair{52, setPoint1}, {55, setPoint2}, {90, max}}) {
      for (int i = 0; i < 3; ++i) cells.emplace_back(address + i, (count >> (8 * i)) & 255);
    }
    for (auto [address, count] : {std::pair{58, from}, {60, to}}) {
      cells.insert(cells.end(), {{address, count & 255}, {address + 1, count >> 8}});
    }
    return cells;
  };
  // The serial-link byte, the raw delay and time-out, and the address.
  auto serial = [](int b, int delay, int timeOut) { return Cells{{0, b}, {1, 247}, {2, delay}, {3, timeOut}}; };
  const Row rows[] = {
      {0, {{8, 21}, {9, 10}, {10, 227}, {11, 7}, {4, 17}, {12, 99}}},
      // Years the list does not hold, and none set, go back as read.
      {0, {{8, 21}, {9, 10}, {10, 231}, {11, 7}}},
      {0, {{8, 1}, {9, 1}, {10, 207}, {11, 7}}},
      {0, {{10, 255}, {11, 255}}},
      {0, {{10, 231}, {11, 7}}, [](SettingsPage& p) { p.productionPanel->PDYear->setCurrentIndex(0); },
       {{10, 208}, {11, 7}}},  // 2000 chosen
      {0, {{10, 227}, {11, 7}}, [](SettingsPage& p) { p.productionPanel->PDYear->setCurrentIndex(20); },
       {{10, 255}, {11, 255}}},
      {1, {{34, 1}, {35, 8}, {36, 0}, {37, 255}, {38, 255}, {39, 255}, {44, 6}, {45, 1}, {46, 0}, {47, 0},
           {48, 8}, {200, 255}, {204, 255}, {205, 9}, {207, 1}}},
      {1, {{34, 0}, {35, 2}, {36, 2}, {37, 11}, {38, 12}, {39, 13}, {44, 0}, {45, 11}, {46, 12}, {47, 13},
           {48, 0}, {200, 0}, {204, 0}, {205, 0}, {207, 0}}},
      {2, outputs(16777215, 0, 0, 65535, 8388608)},
      {2, outputs(8388607, 1, 1, 1, 0)},  // currents too close, as the indicator holds them
      {2, outputs(1, 2, 32767, 12345, 16777215), [](SettingsPage& p) { p.outputsPanel->SetPoint2->setText("5"); },
       {{55, 5}, {56, 0}, {57, 0}}},
      {3, serial(128, 255, 0)},        // RTU, 1200 bit/s, 8 bits, no parity, 1 stop bit
      {3, serial(2 + 16 + 12 + 64, 0, 255)},  // ASCII, 2400, 7 bits, odd, 2 stop bits
      {3, serial(32 + 4 + 128, 253, 11)},     // RTU, 4800, 8 bits, even parity
      {3, serial(2 + 48 + 128 + 64, 249, 1)},  // ASCII, 9600, 8 bits, no parity, 2 stop bits
      // The same text at another baud rate is another count.
      {3, serial(176, 16, 40),
       [](SettingsPage& p) {
         p.serialLinkPanel->SelBaud->setCurrentIndex(0);
         p.serialLinkPanel->SelDelay->setText("2");
         p.serialLinkPanel->SelTout->setText("15");
       },
       {{0, 128}, {2, 2}, {3, 15}}},
  };
  for (QWidget* control : page().FactoryControls()) control->setEnabled(true);  // service mode
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << &row - rows);
    for (auto [address, value] : row.memory) Preset(address, value);
    std::array<int, 256> expected{};
    for (int address = 0; address < 256; ++address) expected[address] = station.indicator().Parameter(address);
    for (auto [address, value] : row.changed) expected[address] = value;
    const int stores = station.indicator().RamStores();
    panels().ReadPar_Click(row.panel);
    if (row.edit) row.edit(page());
    station.dialogs.boxes.clear();
    station.dialogs.answers = {MsgAnswer::Yes};  // the protection question of panel 0
    panels().SetPar_Click(row.panel);
    EXPECT_EQ(station.dialogs.boxes.size(), row.panel == 0 ? 1u : 0u)
        << station.dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(station.indicator().RamStores(), stores + 1);
    for (int address = 0; address < 256; ++address) {
      EXPECT_EQ(station.indicator().Parameter(address), expected[address]) << "address " << address;
    }
  }
}

TEST_F(ParameterPanelsOnTheWindow, EveryPanelFitsTheTabOfA1280By800ScreenWithoutOverlaps) {
  const QSize screen(1280, 800 - 40);  // less a title bar and a task bar
  const QSize least = station.form->minimumSizeHint();
  EXPECT_LE(least.width(), screen.width());
  EXPECT_LE(least.height(), screen.height());
  station.form->resize(screen);
  for (int panel = 0; panel < 4; ++panel) {
    page().parameterTabs->setCurrentIndex(panel);
    panels().ReadPar_Click(panel);
    QApplication::processEvents();
    std::vector<std::pair<QWidget*, QRect>> controls;
    for (QWidget* w : page().findChildren<QWidget*>()) {
      const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QAbstractButton*>(w);
      if (!control || !w->isVisible() || qobject_cast<QLineEdit*>(w->parentWidget())) continue;
      const QRect rect(w->mapTo(&page(), QPoint(0, 0)), w->size());
      EXPECT_TRUE(page().rect().contains(rect)) << w->objectName().toStdString() << " on panel " << panel;
      for (const auto& [other, otherRect] : controls) {
        EXPECT_FALSE(rect.intersects(otherRect))
            << w->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
      }
      controls.emplace_back(w, rect);
    }
    EXPECT_GT(controls.size(), 20u);
  }
}

// One write of a panel: the edits made after reading the panel back from the
// indicator, the operator's answers, and what follows. A refused entry shows
// `message` with the focus on `focus` (the write button keeps it for none),
// leaves `cells` in the image and sends nothing; an accepted one writes
// `cells` into the indicator.
struct WriteCase {
  int panel;
  std::function<void(SettingsPage&)> edit;
  QString message;
  QString focus;
  std::vector<std::pair<int, int>> cells;
  std::deque<int> answers = {};
};

class PanelWrites : public ParameterPanelsOnTheWindow {
 protected:
  void Check(const WriteCase& c) {
    const QString row = c.message.isEmpty() ? QStringLiteral("accepted row") : c.message;
    SCOPED_TRACE(row.toStdString());
    page().parameterTabs->setCurrentIndex(c.panel);
    panels().ReadPar_Click(c.panel);
    c.edit(page());
    station.dialogs.boxes.clear();
    station.dialogs.answers = c.answers;
    QPushButton* button = page().SetPar[c.panel];
    button->setFocus();
    const std::size_t commandsBefore = station.indicator().Commands().size();

    panels().SetPar_Click(c.panel);
    EXPECT_TRUE(station.program().comm.PollEnabled);
    if (c.message.isEmpty()) {
      EXPECT_TRUE(station.dialogs.texts().filter(QStringLiteral("Error")).isEmpty());
      EXPECT_FALSE(station.program().comm.CommError);
      for (auto [address, value] : c.cells) EXPECT_EQ(station.indicator().Parameter(address), value) << address;
      return;
    }
    const bool question = c.message.startsWith(QStringLiteral("Entering zero")) ||
                          c.message.startsWith(QStringLiteral("Protection key"));
    ASSERT_EQ(station.dialogs.boxes.size(), 1u);
    EXPECT_EQ(station.dialogs.boxes[0].text, c.message);
    if (!question) {
      EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Error in entry"));
      EXPECT_EQ(station.dialogs.boxes[0].style, 48);
    }
    QWidget* focused = station.form->focusWidget();
    EXPECT_EQ(focused ? focused->objectName() : QString(), c.focus.isEmpty() ? button->objectName() : c.focus);
    EXPECT_EQ(station.indicator().Commands().size(), commandsBefore);  // nothing sent
    EXPECT_FALSE(station.program().global.ParFlags[PanelFlags(c.panel).front()]);
    for (auto [address, value] : c.cells) EXPECT_EQ(image()[address], value) << address;
  }
};

void Type(QLineEdit* box, const char* text) { box->setText(QString::fromLatin1(text)); }

TEST_F(PanelWrites, ProductionDateAndTheProtectionQuestion) {
  auto date = [](int day, int month, int year) {
    return [=](SettingsPage& p) {
      p.productionPanel->PDDay->setCurrentIndex(day);
      p.productionPanel->PDMon->setCurrentIndex(month);
      p.productionPanel->PDYear->setCurrentIndex(year);
    };
  };
  for (QWidget* control : page().FactoryControls()) control->setEnabled(true);  // service mode
  const QString question =
      QStringLiteral("Protection key is in OFF state, only Customer Code can be updated, proceed anyway?");
  const WriteCase cases[] = {
      {0, date(-1, 0, 0), "The production date must be selected properly!", "PDDay", {}},
      {0, date(0, -1, 0), "The production date must be selected properly!", "PDDay", {}},
      {0, date(0, 0, -1), "The production date must be selected properly!", "PDDay", {}},
      {0, date(31, 12, 20), question, "SetPar(0)", {{8, 255}, {9, 255}, {10, 255}, {11, 255}}, {MsgAnswer::No}},
      {0, date(4, 2, 19), "", "", {{8, 5}, {9, 3}, {10, 227}, {11, 7}}, {MsgAnswer::Yes}},
  };
  for (const WriteCase& c : cases) Check(c);
  EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Confirmation"));
  EXPECT_EQ(station.dialogs.boxes[0].style, 36);
}

TEST_F(PanelWrites, ScaleEntriesInTheirOrder) {
  auto single = [](int decimals, const char* max) {
    return [=](SettingsPage& p) {
      p.scalePanel->ScaleType->setCurrentIndex(0);
      p.scalePanel->OptDP->setCurrentIndex(decimals);
      Type(p.scalePanel->OptRange2, max);
    };
  };
  // Two ranges, whole counts, steps 1 and 2.
  auto multi = [](const char* max1, const char* max2) {
    return [=](SettingsPage& p) {
      p.scalePanel->ScaleType->setCurrentIndex(1);
      p.scalePanel->ScaleType_Click();
      p.scalePanel->OptDP->setCurrentIndex(0);
      Type(p.scalePanel->OptRange1, max1);
      Type(p.scalePanel->OptRange2, max2);
    };
  };
  auto capacity = [](int count) {
    return std::vector<std::pair<int, int>>{{37, count & 255}, {38, (count >> 8) & 255}, {39, count >> 16},
                                            {45, count & 255}, {46, (count >> 8) & 255}, {47, count >> 16}};
  };
  const WriteCase cases[] = {
      {1, single(3, "16777.215"), "", "", capacity(16777215)},
      {1, single(3, "16777.216"), "Max is too large!", "OptRange2", {}},
      {1, single(3, "-1"), "Max should be a positive number!", "OptRange2", {}},
      {1, single(1, "1,5"), "", "", capacity(15)},
      {1, single(0, "0"), "", "", capacity(0)},
      {1, single(1, "1.5E3"), "", "", capacity(15000)},
      {1, single(1, "1,000.5"), "Max must be a valid number!", "OptRange2", {}},
      {1,
       [](SettingsPage& p) {
         p.scalePanel->ScaleType->setCurrentIndex(1);
         p.scalePanel->OptDP->setCurrentIndex(0);
         Type(p.scalePanel->OptRange1, "300");
         Type(p.scalePanel->OptRange2, "abc");
       },
       "Max2 must be a valid number!", "OptRange2", {{37, 44}, {38, 1}, {39, 0}}},
      {1, multi("x", "200"), "Max1 must be a valid number!", "OptRange1", {}},
      {1, multi("-1", "200"), "Max1 should be a positive number!", "OptRange1", {}},
      {1, multi("16777216", "200"), "Max1 is too large!", "OptRange1", {}},
      {1, multi("100", "-1"), "Max2 should be a positive number!", "OptRange2", {{37, 100}, {38, 0}, {39, 0}}},
      {1, multi("100", "16777216"), "Max2 is too large!", "OptRange2", {}},
      {1, [](SettingsPage& p) { p.scalePanel->OptSteps1->setCurrentIndex(9); }, "'E' must be selected properly!",
       "OptSteps1", {}},
      {1, [](SettingsPage& p) { p.scalePanel->OptSteps1->setCurrentIndex(5); }, "", "", {{35, 5}, {36, 5}}},
      {1,
       [](SettingsPage& p) {
         p.scalePanel->ScaleType->setCurrentIndex(1);
         p.scalePanel->ScaleType_Click();
         p.scalePanel->OptSteps1->setCurrentIndex(2);
         p.scalePanel->OptSteps2->setCurrentIndex(9);
       },
       "E2 must be selected properly!", "OptSteps2", {{34, 1}, {35, 2}}},
      {1,
       [](SettingsPage& p) {
         p.scalePanel->ScaleType->setCurrentIndex(2);
         p.scalePanel->OptSteps1->setCurrentIndex(9);
       },
       "E1 must be selected properly!", "OptSteps1", {{34, 2}}},
      {1, [](SettingsPage& p) { p.scalePanel->OptDP->setCurrentIndex(7); }, "Decimal point must be selected properly!",
       "OptDP", {}},
      {1, [](SettingsPage& p) { p.scalePanel->OptUnit->setCurrentIndex(-1); },
       "Display unit must be selected properly!", "OptUnit", {}},
      {1,
       [](SettingsPage& p) {
         p.scalePanel->OptDrift->setCurrentIndex(10);
         p.scalePanel->OptCertified->setCurrentIndex(2);
       },
       "", "", {{205, 0}, {200, 255}}},
  };
  for (const WriteCase& c : cases) Check(c);
}

TEST_F(PanelWrites, RelayAndAnalogOutputEntries) {
  auto text = [](QLineEdit* OutputsPanel::*box, const char* typed) {
    return [=](SettingsPage& p) { Type(p.outputsPanel->*box, typed); };
  };
  auto analog = [](const char* from, const char* to) {
    return [=](SettingsPage& p) {
      Type(p.outputsPanel->AnaFrom, from);
      Type(p.outputsPanel->AnaTo, to);
    };
  };
  const WriteCase cases[] = {
      {2, text(&OutputsPanel::RLDelay, "25.5"), "", "", {{62, 255}}},
      {2, text(&OutputsPanel::RLDelay, "25.6"), "Delay must be between 0 to 25.5 seconds!", "RLDelay", {}},
      {2, text(&OutputsPanel::RLDelay, "0"), "", "", {{62, 0}}},
      {2, text(&OutputsPanel::SetPoint1, "1e9"), "Setpoint 1 is too large!", "SetPoint1", {}},
      {2, text(&OutputsPanel::SetPoint2, "-3"), "Setpoint 2 should be a positive number!", "SetPoint2", {}},
      {2, analog("4", "20"), "", "", {{58, 0}, {59, 32}, {60, 0}, {61, 160}}},
      {2, analog("20", "4"), "", "", {{58, 0}, {59, 160}, {60, 0}, {61, 32}}},
      // One current typed, the other left as read (20 and 4 mA): still 3 mA apart.
      {2, text(&OutputsPanel::AnaTo, "18"),
       "Analog outputs 'from' and 'to' values are too close! The difference is limited to 3mA's", "AnaFrom", {}},
      {2, text(&OutputsPanel::AnaFrom, "6"),
       "Analog outputs 'from' and 'to' values are too close! The difference is limited to 3mA's", "AnaFrom", {}},
      {2, analog("0", "3"), "", "", {{58, 0}, {59, 0}, {60, 0}, {61, 24}}},  // exactly 3 mA apart
      {2, analog("4", "6.9"),
       "Analog outputs 'from' and 'to' values are too close! The difference is limited to 3mA's", "AnaFrom", {}},
      {2, analog("4", "32"), "Analog outputs 'to' value must be in range from 0 to 31.999!", "AnaTo", {}},
      {2, analog("0", "31.99951171875"), "", "", {{60, 255}, {61, 255}}},  // the largest count, 65535
      {2, text(&OutputsPanel::AnaMax, "x"), "Maximum range for analog output must be a valid number!", "AnaMax", {}},
  };
  for (const WriteCase& c : cases) Check(c);
}

TEST_F(PanelWrites, SerialLinkByteRangesAndTheAddressZeroWarning) {
  // Protocol, parity, data bits and stop bits by list index.
  auto frame = [](int protocol, int parity, int bits, int stops) {
    return [=](SettingsPage& p) {
      p.serialLinkPanel->SelProt->setCurrentIndex(protocol);
      p.serialLinkPanel->SelParity->setCurrentIndex(parity);
      p.serialLinkPanel->SelBits->setCurrentIndex(bits);
      p.serialLinkPanel->SelStops->setCurrentIndex(stops);
    };
  };
  auto text = [](QLineEdit* SerialLinkPanel::*box, const char* typed) {
    return [=](SettingsPage& p) { Type(p.serialLinkPanel->*box, typed); };
  };
  // A whole frame at a bit rate (list index) with its delay and time-out.
  auto link = [=](int protocol, int parity, int bits, int stops, int baud, const char* delay, const char* timeOut) {
    return [=](SettingsPage& p) {
      frame(protocol, parity, bits, stops)(p);
      p.serialLinkPanel->SelBaud->setCurrentIndex(baud);
      Type(p.serialLinkPanel->SelDelay, delay);
      Type(p.serialLinkPanel->SelTout, timeOut);
    };
  };
  const QString warning = QStringLiteral(
      "Entering zero (0) as Modbus address will set the continuous output mode, the device will not be accessible by "
      "PC software unless communications reset by reverse polarity operation. This is the last setting to be done if "
      "continuous operation required. Continue processing ?");
  const WriteCase cases[] = {
      {3, frame(0, 0, 0, 0), "Cannot communicate via 7 bits in RTU mode!", "", {}},
      {3, frame(1, 0, 0, 0),
       "Communication parameters of 7 bits,noparity with 1 stop bit not supported by pravinor!", "", {}},
      {3, frame(1, 2, 1, 1),
       "Communication parameters of 8 bits, parity with 2 stop bits not supported by Pravinor!", "", {}},
      {3,
       [](SettingsPage& p) {
         Type(p.serialLinkPanel->SelDelay, "0.5");
         Type(p.serialLinkPanel->SelTout, "5");
       },
       "", "", {{0, 176}, {2, 4}, {3, 40}}},
      {3, frame(1, 2, 0, 0), "", "", {{0, 54}}},
      {3, text(&SerialLinkPanel::SelTout, "1"), "Time-Out must be between 1.5-31 ms for 9600 BPS!", "SelTout", {}},
      {3, text(&SerialLinkPanel::SelDelay, "x"), "Delay must be entered as a decimal number!", "SelDelay", {}},
      {3, text(&SerialLinkPanel::SelDelay, "0,5"), "Delay must be entered as a decimal number!", "SelDelay", {}},
      {3, link(1, 1, 0, 1, 0, "10", "20"), "", "", {{0, 2 + 12 + 64}, {2, 10}, {3, 20}}},
      {3, link(0, 2, 1, 0, 1, "2.5", "6"), "", "", {{0, 4 + 16 + 128}, {2, 5}, {3, 12}}},
      {3, link(1, 0, 1, 1, 2, "0.25", "63"), "", "", {{0, 2 + 32 + 128 + 64}, {2, 1}, {3, 252}}},
      {3, link(0, 0, 1, 0, 0, "0", "11"), "Time-Out must be between 12-255 ms for 1200 BPS!", "SelTout", {}},
      {3, link(0, 0, 1, 0, 1, "127.5", "6"), "Delay must be between 0-127 ms for 2400 BPS!", "SelDelay", {}},
      {3, link(0, 0, 1, 0, 2, "0", "2.5"), "Time-Out must be between 3-63 ms for 4800 BPS!", "SelTout", {}},
      {3, link(0, 0, 1, 0, 3, "32", "5"), "Delay must be between 0-31 ms for 9600 BPS!", "SelDelay", {}},
      {3, text(&SerialLinkPanel::SelMBid, "256"), "Modbus Address should be a integer number between 0-255 !",
       "SelMBid", {}},
      {3, text(&SerialLinkPanel::SelMBid, "abc"), "Modbus Address should be a integer number between 0-255 !",
       "SelMBid", {}},
      {3, text(&SerialLinkPanel::SelMBid, "0"), warning, "SelMBid", {}, {MsgAnswer::No}},
  };
  for (const WriteCase& c : cases) Check(c);
  EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Warning"));
  EXPECT_EQ(station.dialogs.boxes[0].style, 308);
  EXPECT_EQ(image()[1], 1);  // the address cell waits for the answer
}

// One entry of a panel refused with its own message and the focus on it: a
// list left without a selection, or a box with the text typed.
TEST_F(PanelWrites, EachEntryIsRefusedWithItsOwnMessage) {
  struct Entry {
    int panel;
    const char* control;
    const char* typed;  // nullptr: the list's selection is removed
    const char* message;
  };
  const Entry entries[] = {
      {1, "ScaleType", nullptr, "Scale type must be selected properly!"},
      {1, "OptCertified", nullptr, "Certify option must be selected properly!"},
      {1, "OptInitialZero", nullptr, "Initial Zero option must be selected properly!"},
      {1, "OptDrift", nullptr, "Drift option must be selected properly!"},
      {1, "OptAutoTare", nullptr, "Auto Tare Option must be selected properly!"},
      {2, "Relay1Fn", nullptr, "Action of Setpoint 1 must be selected properly!"},
      {2, "Relay2Fn", nullptr, "Action of Setpoint 2 must be selected properly!"},
      {2, "SP1gross", nullptr, "Base of Setpoint 1 must be selected properly!"},
      {2, "SP2gross", nullptr, "Base of Setpoint 2 must be selected properly!"},
      {2, "Gross420", nullptr, "Base of analog output must be selected properly!"},
      {3, "SelProt", nullptr, "Protocol must be selected properly!"},
      {3, "SelBaud", nullptr, "Baudrate must be selected properly!"},
      {3, "SelParity", nullptr, "Parity must be selected properly!"},
      {3, "SelBits", nullptr, "Data Bits must be selected properly!"},
      {3, "SelStops", nullptr, "Stop Bits must be selected properly!"},
      {2, "SetPoint1", "x", "Setpoint 1 must be a valid number!"},
      {2, "SetPoint1", "-1", "Setpoint 1 should be a positive number!"},
      {2, "SetPoint1", "8388608", "Setpoint 1 is too large!"},
      {2, "SetPoint2", "", "Setpoint 2 must be a valid number!"},
      {2, "SetPoint2", "8388608", "Setpoint 2 is too large!"},
      {2, "RLDelay", "1.2.3", "Delay must be a valid number!"},
      {2, "AnaFrom", "abc", "Analog outputs 'from' value must be a valid number!"},
      {2, "AnaFrom", "32", "Analog outputs 'from' value must be in range from 0 to 31.999!"},
      {2, "AnaTo", "4 mA", "Analog outputs 'to' value must be a valid number!"},
      {2, "AnaMax", "-1", "Maximum range for analog output should be a positive number!"},
      {2, "AnaMax", "8388608", "Maximum range for analog output is too large!"},
      {3, "SelTout", "x", "Time-Out must be entered as a decimal number!"},
  };
  for (const Entry& e : entries) {
    auto edit = [e](SettingsPage& p) {
      if (e.typed) {
        Type(p.findChild<QLineEdit*>(e.control), e.typed);
      } else {
        p.findChild<QComboBox*>(e.control)->setCurrentIndex(-1);
      }
    };
    Check({e.panel, edit, e.message, e.control, {}});
  }
}

}  // namespace
}  // namespace vt
