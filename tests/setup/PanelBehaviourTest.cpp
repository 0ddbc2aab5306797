#include <gtest/gtest.h>

#include <functional>

#include "setup/ScalePanel.h"
#include "setup/SerialLinkPanel.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

// The user picks an item, as a click on the list does.
void Pick(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  emit list->activated(index);
}

class ScalePanelBehaviour : public ::testing::Test {
 protected:
  void Select(int type) { Pick(panel.ScaleType, type); }
  std::vector<QWidget*> SecondRange() {
    return {panel.OptRange1, panel.OptSteps2, panel.e2Lab, panel.Max2Lab, panel.Max2Unit, panel.N2Lab, panel.N2};
  }
  ScalePanel panel;
};

TEST_F(ScalePanelBehaviour, SingleIntervalMovesTheCapacityUpAndTwoRangesPutItBack) {
  Pick(panel.OptDP, 1);
  Pick(panel.OptSteps1, 3);
  panel.OptRange2->setText(QStringLiteral("3000"));
  Select(0);
  for (QWidget* control : SecondRange()) EXPECT_TRUE(control->isHidden()) << control->objectName().toStdString();
  EXPECT_EQ(panel.OptRange2Row(), 1);
  EXPECT_EQ(panel.e1lab->text(), QStringLiteral("e:"));
  EXPECT_EQ(panel.Max1lab->text(), QStringLiteral("Max:"));
  EXPECT_EQ(panel.N1Lab->text(), QStringLiteral("n :"));
  EXPECT_EQ(panel.N1->text(), QStringLiteral("3000"));
  panel.OptRange2->setText(QStringLiteral("300"));  // every edit updates the count
  EXPECT_EQ(panel.N1->text(), QStringLiteral("300"));

  Select(1);
  for (QWidget* control : SecondRange()) EXPECT_FALSE(control->isHidden()) << control->objectName().toStdString();
  EXPECT_EQ(panel.OptRange2Row(), 2);
  EXPECT_EQ(panel.e1lab->text(), QStringLiteral("e1:"));
  EXPECT_EQ(panel.Max1lab->text(), QStringLiteral("Max1:"));
  EXPECT_EQ(panel.N1Lab->text(), QStringLiteral("n1 :"));
  EXPECT_EQ(panel.N2Lab->text(), QStringLiteral("n2 :"));
  EXPECT_EQ(panel.N1->text(), QStringLiteral("N/A"));  // OptRange1 and OptSteps2 are empty
  EXPECT_EQ(panel.N2->text(), QStringLiteral("N/A"));
}

TEST_F(ScalePanelBehaviour, TheCountsFollowEveryInputOfTheSummary) {
  Select(1);
  panel.OptRange1->setText(QStringLiteral("100"));
  panel.OptRange2->setText(QStringLiteral("200"));
  Pick(panel.OptSteps1, 0);
  Pick(panel.OptSteps2, 0);
  const struct {
    std::function<void()> change;
    const char* n1;
    const char* n2;
  } rows[] = {
      {[&] { Pick(panel.OptDP, 1); }, "1000", "2000"},
      {[&] { Pick(panel.OptSteps1, 2); }, "200", "2000"},
      {[&] { Pick(panel.OptSteps2, 3); }, "200", "200"},
      {[&] { panel.OptRange1->setText(QStringLiteral("50")); }, "100", "200"},
  };
  for (const auto& row : rows) {
    row.change();
    EXPECT_EQ(panel.N1->text(), QString::fromLatin1(row.n1));
    EXPECT_EQ(panel.N2->text(), QString::fromLatin1(row.n2));
  }
}

TEST_F(ScalePanelBehaviour, UnitCaptionsFollowTheUnitList) {
  Pick(panel.OptUnit, 6);
  EXPECT_EQ(panel.Max1Unit->text(), QStringLiteral("kN"));
  EXPECT_EQ(panel.Max2Unit->text(), QStringLiteral("kN"));
  Pick(panel.OptUnit, 9);
  EXPECT_EQ(panel.Max1Unit->text(), QString());
  EXPECT_EQ(panel.Max2Unit->text(), QString());
}

TEST_F(ScalePanelBehaviour, CertifiedDeviceHidesAndForcesDriftAndAutoTare) {
  std::vector<QWidget*> forced{panel.Label50[3], panel.Label50[5], panel.OptDrift, panel.OptAutoTare};
  Pick(panel.OptDrift, 4);
  Pick(panel.OptAutoTare, 0);
  for (int certified : {1, 2}) {
    Pick(panel.OptCertified, certified);
    for (QWidget* control : forced) EXPECT_TRUE(control->isHidden());
    EXPECT_EQ(panel.OptDrift->currentIndex(), 0);
    EXPECT_EQ(panel.OptAutoTare->currentIndex(), 1);
  }
  Pick(panel.OptCertified, 0);
  for (QWidget* control : forced) EXPECT_FALSE(control->isHidden());
  EXPECT_EQ(panel.OptDrift->currentIndex(), 0);
  EXPECT_EQ(panel.OptAutoTare->currentIndex(), 1);
}

TEST_F(ScalePanelBehaviour, ReadRunsTheHandlersInTheReadsOrder) {
  ScaleValues values;
  values.scaleType = 0;
  values.steps1 = 2;
  values.steps2 = 2;
  values.decimalPoint = 2;
  values.range1 = values.range2 = QStringLiteral("50.00");
  values.unit = 1;
  values.certified = 1;
  values.drift = 3;  // read after the certified rule forced "(0) No"
  values.initialZero = 1;
  values.autoTare = 0;
  panel.Show(values);
  EXPECT_EQ(panel.OptRange2Row(), 1);
  EXPECT_EQ(panel.N1->text(), QStringLiteral("1000"));
  EXPECT_EQ(panel.Max1Unit->text(), QStringLiteral("kg"));
  EXPECT_TRUE(panel.OptDrift->isHidden());
  EXPECT_EQ(panel.OptDrift->currentIndex(), 3);
  EXPECT_EQ(panel.OptAutoTare->currentIndex(), 0);
  values.scaleType = 1;
  panel.Show(values);
  EXPECT_EQ(panel.OptRange2Row(), 2);
  EXPECT_EQ(panel.N2->text(), QStringLiteral("1000"));
}

TEST(SerialLinkPanelBehaviour, BaudRateSuggestsDelayAndTimeOutUntilARead) {
  SerialLinkPanel panel;
  panel.SelDelay->setText(QStringLiteral("7"));
  panel.SelTout->setText(QStringLiteral("9"));
  panel.SelBaud_Click();  // nothing selected: the boxes keep their texts
  EXPECT_EQ(panel.SelDelay->text(), QStringLiteral("7"));
  for (const auto& [index, suggestion] : {std::pair{0, "32"}, {1, "16"}, {2, "8"}, {3, "4"}}) {
    Pick(panel.SelBaud, index);
    EXPECT_EQ(panel.SelDelay->text(), QString::fromLatin1(suggestion));
    EXPECT_EQ(panel.SelTout->text(), QString::fromLatin1(suggestion));
  }
  SerialLinkValues read{1, 3, 2, 0, 0, {QStringLiteral("0.625"), 5}, {QStringLiteral("5"), 40}, QStringLiteral("1")};
  panel.Show(read);
  EXPECT_EQ(panel.SelDelay->text(), QStringLiteral("0.625"));
  EXPECT_EQ(panel.SelTout->text(), QStringLiteral("5"));
  EXPECT_EQ(panel.SelProt->currentText(), QStringLiteral("(1) ASCII"));
}

}  // namespace
}  // namespace vt
