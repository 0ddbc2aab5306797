// The parameter memory window: files and the whole-memory transfers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QRegularExpression>

#include "SimulatedStation.h"
#include "setup/MemoryDump.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;

QStringList Numbers(int first, int count) {
  QStringList lines;
  for (int i = 0; i < count; ++i) lines << QString::number(first + i);
  return lines;
}

class MemoryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(station.WaitForLink());
    MainForm& form = *station.form;
    window = std::make_unique<MemoryDump>(form.program, *form.transfers, *form.transactions, &form);
    image().fill(-7);
  }

  std::array<std::int32_t, kParImageSize>& image() { return station.program().global.ParImage; }
  QString WriteFile(const QString& name, const QStringList& lines) {
    QFile file(station.folder.File(name));
    file.open(QIODevice::WriteOnly);
    file.write(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    return file.fileName();
  }
  // Reads the file through the window's "Read" button.
  void ReadFile(const QString& path) {
    station.dialogs.files = {path};
    window->FetFileComp->click();
  }
  QStringList Listing() const { return window->Text1->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
  std::vector<int> WrittenAddresses() {
    std::vector<int> addresses;
    for (const auto& command : station.indicator().Commands()) {
      if (command.code == Cmd::WriteParam) addresses.push_back(command.arg1);
    }
    return addresses;
  }

  test::SimulatedStation station;
  std::unique_ptr<MemoryDump> window;
};

TEST_F(MemoryWindow, ReadsFilesLineByLine) {
  struct Case {
    QStringList lines;
    std::vector<std::pair<int, int>> cells;  // address, value afterwards (-7: unchanged)
    int listed;
    bool error;
  };
  QStringList odd = Numbers(0, 256);
  odd[5] = QStringLiteral("abc");
  odd[6] = QStringLiteral("256");
  odd[7] = QStringLiteral("-1");
  // A file cut short changes nothing: not the image, the listing or the
  // "Save" buttons, here still disabled.
  const Case cases[] = {
      {Numbers(100, 10), {{0, -7}, {9, -7}, {255, -7}}, 0, true},
      {Numbers(0, 256), {{0, 0}, {37, 37}, {255, 255}}, 256, false},
      {Numbers(0, 300), {{255, 255}}, 256, false},
      {odd, {{4, 4}, {5, -7}, {6, -7}, {7, -7}, {8, 8}}, 256, false},
  };
  // The poll stays off while a file is read, its box included.
  bool pollSeenOn = false;
  station.dialogs.whileOpen = [&] { pollSeenOn |= station.program().comm.PollEnabled; };
  for (const Case& c : cases) {
    image().fill(-7);
    station.dialogs.boxes.clear();
    ReadFile(WriteFile(QStringLiteral("cells.mem"), c.lines));
    for (auto [address, value] : c.cells) EXPECT_EQ(image()[address], value) << "address " << address;
    const QStringList listing = Listing();
    ASSERT_EQ(listing.size(), c.listed ? c.listed + 1 : 0);
    if (c.listed) {
      EXPECT_EQ(listing[0], QStringLiteral("Data\tAddress"));
      EXPECT_EQ(listing[c.listed], c.lines[c.listed - 1] + QStringLiteral("\t") + QString::number(c.listed - 1));
    }
    EXPECT_EQ(station.dialogs.texts(), c.error ? QStringList{QStringLiteral("Cannot read file")} : QStringList());
    if (c.error) {
      EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("File System Error"));
    }
    EXPECT_EQ(window->SetPar->isEnabled(), !c.error);
    EXPECT_EQ(window->StoreFileComp->isEnabled(), !c.error);
    EXPECT_TRUE(station.program().comm.PollEnabled);
  }
  EXPECT_FALSE(pollSeenOn);
  EXPECT_EQ(Listing()[6], QStringLiteral("abc\t5"));  // listed as written
  EXPECT_EQ(station.dialogs.fileDialogs.back().request.filter,
            QStringLiteral("(EEprom Memory Files)|*.mem|(All Files)|*.*"));
  EXPECT_EQ(station.dialogs.fileDialogs.back().request.initDir, station.folder.Path());
  EXPECT_EQ(station.dialogs.fileDialogs.back().request.flags, 0x20140E);  // the file must exist
}

TEST_F(MemoryWindow, SavedFilesReadBackAsTheSameImage) {
  for (int address = 0; address < 256; ++address) image()[address] = (address * 37 + 11) % 256;
  const auto saved = image();
  const QString path = station.folder.File(QStringLiteral("saved.mem"));
  station.dialogs.files = {path};
  bool pollSeenOn = false;  // while the dialog or a box is open
  station.dialogs.whileOpen = [&] { pollSeenOn |= station.program().comm.PollEnabled; };
  window->StoreFileComp_Click();
  const ScriptedDialogs::FileDialog& dialog = station.dialogs.fileDialogs.back();
  EXPECT_TRUE(dialog.save);
  EXPECT_EQ(dialog.request.flags, 0x20040E);  // a new file may be named
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}_\\d{6}\\.mem$")).match(dialog.request.fileName).hasMatch());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("11\r\n48\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 256);

  image().fill(0);
  ReadFile(path);
  EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 256, image().begin()));

  station.dialogs.files = {station.folder.File(QStringLiteral("no-such-folder/x.mem"))};
  window->StoreFileComp_Click();
  EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Cannot write file")});
  EXPECT_FALSE(QFile::exists(station.folder.File(QStringLiteral("no-such-folder/x.mem"))));
  EXPECT_FALSE(pollSeenOn);
}

// A dialog cancelled, or closed with an empty file name, names no file.
TEST_F(MemoryWindow, CancelledDialogsChangeNothing) {
  station.dialogs.files = {std::nullopt, std::nullopt, QString(), QString()};
  for (int i = 0; i < 2; ++i) {
    window->FetFileComp_Click();
    window->StoreFileComp_Click();
  }
  EXPECT_EQ(station.dialogs.fileDialogs.size(), 4u);
  EXPECT_TRUE(station.dialogs.boxes.empty());
  EXPECT_EQ(image()[0], -7);
  EXPECT_FALSE(window->SetPar->isEnabled());
  EXPECT_TRUE(station.program().comm.PollEnabled);
}

TEST_F(MemoryWindow, DeviceReadListsTheMemoryAndWritesLeaveCalibrationAloneUnlessAsked) {
  // A read that fails part-way leaves the image of the last whole read and
  // enables no "Save".
  image()[20] = -1;
  const auto lastWholeRead = image();
  bool failing = false;
  station.sim.Server().SetTrace([&](const QString&) {
    if (failing || image()[20] == -1) return;
    failing = true;
    station.indicator().FailParameterCommands(4);
  });
  window->ReadPar_Click();
  EXPECT_EQ(station.indicator().ParameterFailuresLeft(), 0);  // it did fail part-way
  EXPECT_EQ(image(), lastWholeRead);
  EXPECT_FALSE(window->SetPar->isEnabled());
  EXPECT_FALSE(window->StoreFileComp->isEnabled());
  station.dialogs.boxes.clear();

  station.program().comm.CommError = true;  // left by an earlier failed transfer
  window->ReadPar_Click();
  const QStringList listing = Listing();
  ASSERT_EQ(listing.size(), 257);
  EXPECT_EQ(listing[1], QStringLiteral("176\t0"));
  EXPECT_EQ(image()[44], station.indicator().Parameter(44));
  EXPECT_TRUE(window->SetPar->isEnabled());

  for (int address = 37; address <= 47; ++address) image()[address] = 200;
  const std::array<int, 2> calibration = {station.indicator().Parameter(37), station.indicator().Parameter(47)};
  window->SetPar_Click();
  EXPECT_EQ(WrittenAddresses().size(), 245u);
  EXPECT_EQ(station.indicator().Parameter(37), calibration[0]);
  EXPECT_EQ(station.indicator().Parameter(47), calibration[1]);
  EXPECT_EQ(station.indicator().RamStores(), 1);

  window->chkCalibRW->setChecked(true);
  window->SetPar_Click();
  EXPECT_EQ(WrittenAddresses().size(), 245u + 256u);
  EXPECT_EQ(station.indicator().Parameter(37), 200);
  EXPECT_EQ(station.indicator().Parameter(47), 200);
  EXPECT_TRUE(station.dialogs.boxes.empty());
  EXPECT_TRUE(station.program().comm.PollEnabled);

  // Failed transfers each show the box; a failed read keeps the listing.
  for (auto transfer : {&MemoryDump::ReadPar_Click, &MemoryDump::SetPar_Click}) {
    station.dialogs.boxes.clear();
    station.indicator().FailParameterCommands(4);
    ((*window).*transfer)();
    EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
    EXPECT_EQ(Listing(), listing);
    EXPECT_TRUE(station.program().comm.PollEnabled);
  }
}

TEST_F(MemoryWindow, TheSettingsTabButtonOpensTheWindowOverTheMainWindow) {
  EXPECT_EQ(station.form->settingsPage->cmdMemoryDump->text(), QStringLiteral("Parameter Read/Write"));
  int listed = 0;
  bool opened = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* shown = qobject_cast<MemoryDump*>(modal)) {
      opened = shown->parentWidget() == station.form.get();
      shown->ReadPar->click();
      listed = static_cast<int>(shown->Text1->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
      shown->SetPar->click();
    }
    if (modal) modal->close();
  });
  station.form->settingsPage->cmdMemoryDump->click();
  EXPECT_TRUE(opened);
  EXPECT_EQ(listed, 257);  // the header and 256 cells
  EXPECT_EQ(WrittenAddresses().size(), 245u);
  EXPECT_EQ(station.indicator().RamStores(), 1);
  EXPECT_TRUE(station.program().comm.PollEnabled);
}

}  // namespace
}  // namespace vt
