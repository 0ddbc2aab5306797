// The settings-tab gate, the report texts, the average and the logo.
#include <QImage>

#include "reports/ReportsFixture.h"
#include "support/NoRegularFiles.h"

namespace vt {
namespace {

class ReportTabTest : public test::ReportsFixture {
 protected:
  void ChooseTab(int index) { tabs->setCurrentIndex(index); }
  bool GateIdle() const { return !reportTab->SettingsTabPending && !reportTab->SettingsTabGranted; }
};

TEST_F(ReportTabTest, RightPasswordOpensTheSettingsTabAndIsAskedAgainNextTime) {
  testPage->txtProductName->setText("Halat");
  dialogs.inputs.push_back("8061");
  ChooseTab(Tab::Settings);
  ASSERT_EQ(dialogs.prompts.size(), 1u);
  EXPECT_EQ(dialogs.prompts[0].title, "Sifreyi Giriniz");
  EXPECT_EQ(tabs->currentIndex(), Tab::Settings);
  EXPECT_TRUE(GateIdle());
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(reportPage->labReportValues->text().contains("Halat"));

  ChooseTab(Tab::Report);
  EXPECT_EQ(dialogs.prompts.size(), 1u);
  EXPECT_EQ(tabs->currentIndex(), Tab::Report);

  dialogs.inputs.push_back("8061");
  ChooseTab(Tab::Settings);
  EXPECT_EQ(dialogs.prompts.size(), 2u);
  EXPECT_EQ(tabs->currentIndex(), Tab::Settings);
  EXPECT_TRUE(GateIdle());
}

TEST_F(ReportTabTest, PasswordIsAskedWhileThePreviousTabShows) {
  ChooseTab(Tab::Report);
  // A wrong entry's box opens while the password check still runs.
  int shownDuringBox = -1;
  dialogs.whileOpen = [&] { shownDuringBox = tabs->currentIndex(); };
  dialogs.inputs.push_back("1234");
  ChooseTab(Tab::Settings);
  EXPECT_EQ(shownDuringBox, Tab::Report);
}

TEST_F(ReportTabTest, WrongOrEmptyPasswordKeepsThePreviousTabAndTheReportTexts) {
  ChooseTab(Tab::Report);
  const QString conditions = reportPage->labReportConditions->text();
  const QString values = reportPage->labReportValues->text();
  testPage->txtProductName->setText("changed after the last rebuild");

  dialogs.inputs.push_back("8060");
  ChooseTab(Tab::Settings);
  EXPECT_EQ(tabs->currentIndex(), Tab::Report);
  EXPECT_TRUE(GateIdle());
  EXPECT_EQ(dialogs.texts(), QStringList({"HATALI SIFRE!"}));
  EXPECT_EQ(reportPage->labReportConditions->text(), conditions);
  EXPECT_EQ(reportPage->labReportValues->text(), values);

  dialogs.inputs.push_back(" 8061");
  ChooseTab(Tab::Settings);
  EXPECT_EQ(tabs->currentIndex(), Tab::Report);
  EXPECT_EQ(dialogs.boxes.size(), 2u);

  ChooseTab(Tab::Settings);  // empty entry or Cancel: no box
  EXPECT_EQ(tabs->currentIndex(), Tab::Report);
  EXPECT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.prompts.size(), 3u);
  EXPECT_TRUE(GateIdle());
  EXPECT_EQ(reportPage->labReportValues->text(), values);
}

TEST_F(ReportTabTest, EveryOtherChangeOfTabRebuildsTheFourteenPairs) {
  TestPage& t = *testPage;
  TypeTestInformation();
  machinePanel->SelMachineType->setCurrentIndex(1);
  machinePanel->SelMachineType_Click();
  ChooseTab(Tab::Report);

  const QString end = "\n\r";
  const QStringList names = {"Nem", "Sıcaklık", "Ürün Adı", "Müşteri Adı", "Yer", "En             [W]",
                             "Boy            [L]", "Yükseklik  [H]", "Test Ölçü Birimi", "Test Başlangıç Tarihi",
                             "Test Bitiş Tarihi ", "Kırılma  Mesafesi [mm]", "Hareket Hızı [mm/dk]",
                             "Test Süresi[sn]          "};
  const QStringList values = {"45rH", "23°C", "Çelik halat", "Müşteri A.Ş.", "İzmir", "20mm", "150mm", "10mm", "kg",
                              "05.03.2026 09:00:00", "05.03.2026 09:01:30", "13.8888", "91.666", "90.5"};
  EXPECT_EQ(reportPage->labReportConditions->text(), names.join(end) + end);
  EXPECT_EQ(reportPage->labReportValues->text(), values.join(end) + end);

  // A snapshot: typing changes nothing until the next change of tab.
  t.txtHumidity->setText("50");
  EXPECT_TRUE(reportPage->labReportValues->text().startsWith("45rH\n\r"));
  ChooseTab(Tab::Test);
  EXPECT_TRUE(reportPage->labReportValues->text().startsWith("50rH\n\r"));

  reportTab->add2ReportHeader("extra");
  reportTab->add2ReportValue("line");
  EXPECT_TRUE(reportPage->labReportConditions->text().endsWith("Test Süresi[sn]          \n\rextra\n\r"));
  EXPECT_TRUE(reportPage->labReportValues->text().endsWith("90.5\n\rline\n\r"));
}

TEST_F(ReportTabTest, ReportColumnsShowTheirLinesWithoutTheCarriageReturns) {
  QLabel* column = reportPage->labReportConditions;
  column->setFixedSize(120, 80);
  column->setText("Nem\nSıcaklık\nÜrün Adı\n");
  const QImage plain = column->grab().toImage();
  column->setText("Nem\n\rSıcaklık\n\rÜrün Adı\n\r");
  const QImage built = column->grab().toImage();
  EXPECT_EQ(built, plain);
}

TEST_F(ReportTabTest, AverageOfTheDesignValuesWithTheDecimalsOfValueAndUnit) {
  program.global.DispDP = 1;
  reportTab->CalculateTensileMean_Click();
  EXPECT_EQ(reportPage->labReportAverage->text(), "1125.0");

  program.global.DispDP = 0;
  testPage->graphUnit->setCurrentIndex(2);  // kNewton adds three decimals
  testPage->graphUnit_Click();
  reportTab->CalculateTensileMean_Click();
  EXPECT_EQ(reportPage->labReportAverage->text(), "1125.000");

  testPage->graphUnit->setCurrentIndex(1);
  testPage->graphUnit_Click();
  reportPage->txtReportTensileVal[0]->setText("1,5");  // counts with its whole part only
  reportPage->txtReportTensileVal[1]->setText("abc");  // counts as 0
  reportPage->txtReportTensileVal[2]->setText(" 2.5kg");
  reportTab->CalculateTensileMean_Click();
  EXPECT_EQ(reportPage->labReportAverage->text(), "1");  // 3.5 / 3 with no decimals

  for (QLineEdit* value : reportPage->txtReportTensileVal) value->setText("");
  program.global.DispDP = 2;
  reportTab->CalculateTensileMean_Click();
  EXPECT_EQ(reportPage->labReportAverage->text(), "0.00");
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ReportTabTest, ClearingSetsTheValuesToZeroAndTheAverageInTheCurrentPattern) {
  program.global.DispDP = 1;
  reportTab->cmdClearResults_Click();
  for (QLineEdit* value : reportPage->txtReportTensileVal) EXPECT_EQ(value->text(), "0");
  EXPECT_EQ(reportPage->labReportAverage->text(), "0.0");
  program.global.DispDP = 0;
  reportTab->cmdClearResults_Click();
  EXPECT_EQ(reportPage->labReportAverage->text(), "0");
}

TEST_F(ReportTabTest, LogoIsReplacedByAChosenPictureOnly) {
  QImage red(40, 20, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(folder.File("red.png")));
  folder.WriteLines("not-a-picture.jpg", {"text"});
  reportPage->picIdeal->setPixmap(QPixmap(folder.File("logo.jpg")));
  const QSize logoSize = reportPage->picIdeal->pixmap().size();
  ASSERT_EQ(logoSize, QSize(240, 100));

  reportTab->cmdSelPicture_Click();  // cancelled
  ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
  const FileDialogRequest request = dialogs.fileDialogs[0].request;
  EXPECT_EQ(request.initDir, folder.Path());
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.filter, "");
  EXPECT_EQ(request.defaultExt, "");
  EXPECT_TRUE(request.flags & FileMustExist);
  EXPECT_EQ(reportPage->picIdeal->pixmap().size(), logoSize);

  const QString fifo = test::MakeNoRegularFiles(folder.Path()).value(0);  // not waited on
  ASSERT_FALSE(fifo.isEmpty());
  for (const QString& path : {folder.File("not-a-picture.jpg"), fifo}) {
    dialogs.files.push_back(path);
    reportTab->cmdSelPicture_Click();
    EXPECT_EQ(reportPage->picIdeal->pixmap().size(), logoSize) << path.toStdString();
  }

  dialogs.files.push_back(folder.File("red.png"));
  reportTab->cmdSelPicture_Click();
  EXPECT_EQ(reportPage->picIdeal->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace vt
