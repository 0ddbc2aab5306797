#include "platform/QtTranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "support/QStringPrinter.h"

namespace vt {
namespace {

QStringList ButtonTexts() {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  return {box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text()};
}

TEST(QtTranslations, ATurkishMachineShowsTheStandardButtonsInTurkish) {
  {
    const auto turkish = QtTranslations(QLocale(QLocale::Turkish, QLocale::Turkey));
    ASSERT_NE(turkish, nullptr);
    ASSERT_TRUE(QApplication::installTranslator(turkish.get()));
    EXPECT_EQ(ButtonTexts(), QStringList({"&Evet", "&Hayır"}));
  }
  // Without it, and in the C locale, Qt's own English.
  EXPECT_EQ(QtTranslations(QLocale::c()), nullptr);
  EXPECT_EQ(ButtonTexts(), QStringList({"&Yes", "&No"}));
}

}  // namespace
}  // namespace vt
