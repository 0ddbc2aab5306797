#include "station/TestPage.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Controls.h"

namespace vt {
namespace {

// The graph's designed size, and the least it shrinks to so that the window
// fits a 1024 x 768 screen.
constexpr QSize kGraphSize(640, 320);
constexpr QSize kGraphLeastSize(400, 200);
// Room beside and below the graph for the labels of its time axis.
constexpr QMargins kGraphLabelRoom(0, 0, 4, 24);
// The minimum label stands 250 layout units above the graph's bottom, and the
// time axis ends 1250 units from its right.
constexpr int kMinLabelRise = static_cast<int>(LayoutUnitsToPixels(250) + 0.5);
constexpr int kTimeAxisInset = static_cast<int>(LayoutUnitsToPixels(1250) + 0.5);

QLabel* MakeLabel(const QString& name, const QString& text) {
  auto* label = Named(new QLabel(text), name);
  return label;
}

QLineEdit* MakeBox(const QString& name) { return Named(new QLineEdit, name); }

QPushButton* MakeButton(const QString& name, const QString& text) { return Named(new QPushButton(text), name); }

LedImage* MakeLed(const QString& name) { return Named(new LedImage, name); }

QLabel* ReadOut(const QString& name) {
  auto* label = MakeLabel(name, QString());
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(120);
  return label;
}

}  // namespace

TestPage::TestPage(Program& program, QWidget* parent) : QWidget(parent), program_(program) {
  labCustomerName = MakeLabel("labCustomerName", QStringLiteral("Müşteri Adı"));
  labProductName = MakeLabel("labProductName", QStringLiteral("Ürün Adı"));
  labLokeysin = MakeLabel("labLokeysin", QStringLiteral("Yer"));
  labDimenW = MakeLabel("labDimenW", QStringLiteral("En             [W]"));
  labDimenH = MakeLabel("labDimenH", QStringLiteral("Yükseklik  [H]"));
  labDimenL = MakeLabel("labDimenL", QStringLiteral("Boy            [L]"));
  labTemperature = MakeLabel("labTemperature", QStringLiteral("Sıcaklık"));
  labTemperatureC = MakeLabel("labTemperatureC", QStringLiteral("°C"));
  LabHumidity = MakeLabel("LabHumidity", QStringLiteral("Nem"));
  labHumidityRH = MakeLabel("labHumidityRH", QStringLiteral("rH"));
  txtCustomerName = MakeBox("txtCustomerName");
  txtProductName = MakeBox("txtProductName");
  txtLocation = MakeBox("txtLocation");
  txtDimensionW = MakeBox("txtDimensionW");
  txtDimensionH = MakeBox("txtDimensionH");
  txtDimensionL = MakeBox("txtDimensionL");
  txtTemperature = MakeBox("txtTemperature");
  txtHumidity = MakeBox("txtHumidity");

  LabDate_ = MakeLabel("LabDate_", QString());
  LabDispData = ReadOut("LabDispData");
  QFont big = LabDispData->font();
  big.setPointSize(24);
  big.setBold(true);
  LabDispData->setFont(big);
  LabDispData->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  labHoldValT = MakeLabel("labHoldValT", QStringLiteral("Kırılma Noktası"));
  labHoldVal = ReadOut("labHoldVal");
  labTensileUnit = MakeLabel("labTensileUnit", QString());
  labEncoder = ReadOut("labEncoder");
  labGap = ReadOut("labGap");
  labDistanceT = MakeLabel("labDistanceT", QStringLiteral("Kırlıma  Mesafesi [mm]"));
  labDistance = ReadOut("labDistance");
  labTestDistance = ReadOut("labTestDistance");
  labDisplacementSpeedT = MakeLabel("labDisplacementSpeedT", QStringLiteral("Hareket Hızı [mm/dk]"));
  labDisplacementSpeed = ReadOut("labDisplacementSpeed");
  labResultTimePassSecondsT =
      MakeLabel("labResultTimePassSecondsT", QStringLiteral("Test Süresi[sn]") + QString(10, QLatin1Char(' ')));
  labResultTimePassSeconds = ReadOut("labResultTimePassSeconds");
  labTestStartT = MakeLabel("labTestStartT", QStringLiteral("Test Başlangıç Tarihi"));
  labTestStart = ReadOut("labTestStart");
  labTestStopT = MakeLabel("labTestStopT", QStringLiteral("Test Bitiş Tarihi "));
  labTestStop = ReadOut("labTestStop");
  labMeasUnit = MakeLabel("labMeasUnit", QStringLiteral("Test Ölçü Birimi"));
  graphUnit = Named(new QComboBox, "graphUnit");
  graphUnit->addItems({QStringLiteral("kg"), QStringLiteral("Newton"), QStringLiteral("kNewton")});
  graphUnit->setCurrentIndex(-1);
  labHatve = MakeLabel("labHatve", QString());
  txtStepVal = MakeBox("txtStepVal");
  txtStepVal->setVisible(false);

  for (int i = 0; i < 4; ++i) InputLed[i] = MakeLed(QStringLiteral("InputLed(%1)").arg(i));
  HOLDRUN = MakeLed("HOLDRUN");
  labKopmaIzlemeAktif = MakeLabel("labKopmaIzlemeAktif", QStringLiteral("Kopma İzleme Aktif"));
  holdOK = MakeLed("holdOK");
  labKopmaIzlendi = MakeLabel("labKopmaIzlendi", QStringLiteral("Kopma Gözlendi"));
  IndComRxHome = MakeLed("IndComRxHome");
  IndTCPConOK = MakeLed("IndTCPConOK");
  labTCPCOn = MakeLabel("labTCPCOn", QStringLiteral("TCP/IP"));

  // The graph fills its area but for the room of the time axis' labels; the
  // labels stand over the graph and below it, placed from its size.
  auto* graphArea = new QWidget;
  auto* graphAreaLayout = new QVBoxLayout(graphArea);
  graphAreaLayout->setContentsMargins(kGraphLabelRoom);
  Graph = Named(new GraphBox(kGraphSize, kGraphLeastSize), "Graph");
  graphAreaLayout->addWidget(Graph);
  GraphMax = Named(new QLabel(graphArea), "GraphMax");
  GraphMin = Named(new QLabel(graphArea), "GraphMin");
  for (int k = 0; k < 5; ++k) {
    LabTimeLog[k] = Named(new QLabel(graphArea), QStringLiteral("LabTimeLog(%1)").arg(k));
  }
  // Each label is one line high; a range label is 160 pixels wide and a
  // time label as wide as the room right of the axis' end.
  const int lineHeight = GraphMax->fontMetrics().height();
  GraphMax->resize(160, lineHeight);
  GraphMin->resize(160, lineHeight);
  for (QLabel* label : LabTimeLog) label->resize(kTimeAxisInset + kGraphLabelRoom.right(), lineHeight);
  GraphMax->move(4, 2);

  cmdPLCPrepare = MakeButton("cmdPLCPrepare", QStringLiteral("Hazırla"));
  cmdStart = MakeButton("cmdStart", QStringLiteral("BAŞLAT"));
  cmdStop = MakeButton("cmdStop", QStringLiteral("BİTİR"));
  labMotorSpeed = MakeLabel("labMotorSpeed", QStringLiteral("Test Hızı [mm/dk]"));
  txtPLCSpeed = MakeBox("txtPLCSpeed");
  labPLCParDet = MakeLabel("labPLCParDet", QStringLiteral("Modbus ASCII, 9600bps,7bit,Even,1stop"));
  cmdSaveTestOnly = MakeButton("cmdSaveTestOnly", QStringLiteral("KAYDET"));
  cmdPrint = MakeButton("cmdPrint", QStringLiteral("YAZDIR / KAYDET"));
  browseOlds = MakeButton("browseOlds", QStringLiteral("..."));
  cmdExit = MakeButton("cmdExit", QStringLiteral("ÇIKIŞ"));

  // Test information.
  auto* info = new QGroupBox(QStringLiteral("Test Bilgileri"));
  auto* infoGrid = new QGridLayout(info);
  const std::array<std::tuple<QLabel*, QLineEdit*, QLabel*>, 8> rows = {{
      {labCustomerName, txtCustomerName, nullptr},
      {labProductName, txtProductName, nullptr},
      {labLokeysin, txtLocation, nullptr},
      {labDimenW, txtDimensionW, new QLabel(QStringLiteral("mm"))},
      {labDimenH, txtDimensionH, new QLabel(QStringLiteral("mm"))},
      {labDimenL, txtDimensionL, new QLabel(QStringLiteral("mm"))},
      {labTemperature, txtTemperature, labTemperatureC},
      {LabHumidity, txtHumidity, labHumidityRH},
  }};
  for (int r = 0; r < int(rows.size()); ++r) {
    auto [label, box, unit] = rows[r];
    infoGrid->addWidget(label, r, 0);
    infoGrid->addWidget(box, r, 1);
    if (unit) infoGrid->addWidget(unit, r, 2);
  }

  // Read-outs.
  auto* results = new QGroupBox(QStringLiteral("Sonuçlar"));
  auto* resultGrid = new QGridLayout(results);
  int row = 0;
  resultGrid->addWidget(LabDispData, row++, 0, 1, 3);
  auto addReadOut = [&](QWidget* title, QWidget* value, QWidget* extra = nullptr) {
    resultGrid->addWidget(title, row, 0);
    resultGrid->addWidget(value, row, 1);
    if (extra) resultGrid->addWidget(extra, row, 2);
    ++row;
  };
  addReadOut(labHoldValT, labHoldVal, labTensileUnit);
  addReadOut(labMeasUnit, graphUnit);
  addReadOut(new QLabel(QStringLiteral("Enkoder")), labEncoder);
  addReadOut(new QLabel(QStringLiteral("Boşluk")), labGap);
  addReadOut(labDistanceT, labDistance);
  addReadOut(new QLabel(QStringLiteral("Test Mesafesi")), labTestDistance);
  addReadOut(labDisplacementSpeedT, labDisplacementSpeed);
  addReadOut(labResultTimePassSecondsT, labResultTimePassSeconds);
  addReadOut(labTestStartT, labTestStart);
  addReadOut(labTestStopT, labTestStop);
  addReadOut(new QLabel(QStringLiteral("Hatve")), labHatve, txtStepVal);

  // LEDs with their captions.
  auto* leds = new QGroupBox(QStringLiteral("Durum"));
  auto* ledGrid = new QGridLayout(leds);
  for (int i = 0; i < 4; ++i) {
    ledGrid->addWidget(InputLed[i], 0, 2 * i);
    ledGrid->addWidget(new QLabel(QStringLiteral("Giriş-%1").arg(i + 1)), 0, 2 * i + 1);
  }
  ledGrid->addWidget(HOLDRUN, 1, 0);
  ledGrid->addWidget(labKopmaIzlemeAktif, 1, 1, 1, 3);
  ledGrid->addWidget(holdOK, 1, 4);
  ledGrid->addWidget(labKopmaIzlendi, 1, 5, 1, 3);
  ledGrid->addWidget(IndComRxHome, 2, 0);
  ledGrid->addWidget(new QLabel(QStringLiteral("Haberleşme")), 2, 1, 1, 3);
  ledGrid->addWidget(IndTCPConOK, 2, 4);
  ledGrid->addWidget(labTCPCOn, 2, 5, 1, 3);

  // Test buttons.
  auto* run = new QGroupBox(QStringLiteral("Test"));
  auto* runGrid = new QGridLayout(run);
  runGrid->addWidget(cmdPLCPrepare, 0, 0);
  runGrid->addWidget(cmdStart, 0, 1);
  runGrid->addWidget(cmdStop, 0, 2);
  runGrid->addWidget(labMotorSpeed, 1, 0);
  runGrid->addWidget(txtPLCSpeed, 1, 1);
  runGrid->addWidget(labPLCParDet, 1, 2);
  runGrid->addWidget(cmdSaveTestOnly, 2, 0);
  runGrid->addWidget(cmdPrint, 2, 1);
  auto* exitRow = new QHBoxLayout;
  exitRow->addWidget(browseOlds);
  exitRow->addStretch();
  exitRow->addWidget(cmdExit);
  runGrid->addLayout(exitRow, 2, 2);

  auto* left = new QVBoxLayout;
  left->addWidget(info);
  left->addWidget(leds);
  left->addWidget(run);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(LabDate_);
  right->addWidget(graphArea, 1);
  right->addWidget(results);
  auto* page = new QHBoxLayout(this);
  page->addLayout(left);
  page->addLayout(right, 1);

  connect(Graph, &GraphBox::Resized, this, &TestPage::PlaceGraphLabels);
  for (QLineEdit* box : TestInfoBoxes()) box->installEventFilter(this);
  connect(graphUnit, &QComboBox::activated, this, &TestPage::graphUnit_Click);
}

std::array<QLineEdit*, 8> TestPage::TestInfoBoxes() const {
  return {txtCustomerName, txtDimensionW, txtDimensionH, txtDimensionL,
          txtHumidity,     txtLocation,   txtProductName, txtTemperature};
}

void TestPage::SelectAllText(QLineEdit* tb) { tb->setSelection(0, tb->text().size()); }

bool TestPage::eventFilter(QObject* watched, QEvent* event) {
  // The focus handlers of the eight test information boxes.
  if (event->type() == QEvent::FocusIn) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
      QTimer::singleShot(0, box, [box] { SelectAllText(box); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TestPage::PlaceGraphLabels() {
  const int height = Graph->ScaleHeight();
  GraphMin->move(4, height - kMinLabelRise);
  const int w = Graph->width() - kTimeAxisInset;
  const int labelsTop = height + 2;
  LabTimeLog[0]->move(w, labelsTop);
  LabTimeLog[1]->move(int(0.75 * w), labelsTop);
  LabTimeLog[2]->move(int(0.5 * w), labelsTop);
  LabTimeLog[3]->move(int(0.25 * w), labelsTop);
  // The axis' start keeps its place at the left, under the graph's bottom.
  LabTimeLog[4]->move(0, labelsTop);
}

void TestPage::graphUnit_Click() { graphUnit_Change(); }

void TestPage::graphUnit_Change() {
  Graphic& graphic = program_.graphic;
  labTensileUnit->setText(graphUnit->currentText());
  switch (graphUnit->currentIndex()) {
    case 1:
      graphic.GraphUnitFactor = 9.80665002864;
      graphic.GraphUnitDP = 0;
      break;
    case 2:
      graphic.GraphUnitFactor = 9.80665002864 / 1000;
      graphic.GraphUnitDP = 3;
      break;
    default:
      graphic.GraphUnitFactor = 1.0;
      graphic.GraphUnitDP = 0;
      break;
  }
}

}  // namespace vt
