#include <gtest/gtest.h>

#include "link/AnswerText.h"
#include "link/FrameText.h"

namespace vt {
namespace {

QString Stripped(const QString& text) {
  QString copy = text;
  StripAsciiFrame(copy);
  return copy;
}

TEST(AnswerText, StripAsciiFrameKeepsWhatLiesBetweenColonAndEndMark) {
  EXPECT_EQ(Stripped(":0106000A\r\n"), "0106000A");
  EXPECT_EQ(Stripped(":0106\n\r"), "0106");   // LF before CR: LF ends it
  EXPECT_EQ(Stripped(":0106\r\nXYZ"), "0106");  // anything after the end mark goes
  EXPECT_EQ(Stripped(":0106"), ":0106");      // no LF: nothing cut
  EXPECT_EQ(Stripped(":\n"), ":\n");          // end mark too early: nothing cut
  EXPECT_EQ(Stripped(":A\n"), "A");
  EXPECT_EQ(Stripped(""), "");
}

TEST(AnswerText, FrameCheckByMode) {
  const QString ascii = AppendLRC("010302012C");
  EXPECT_TRUE(FrameCheckOK(ascii, false));
  EXPECT_FALSE(FrameCheckOK("010302012D" + ascii.right(2), false));
  const QString rtu = AppendCRC("010302012C");
  EXPECT_TRUE(FrameCheckOK(rtu, true));
  EXPECT_FALSE(FrameCheckOK(rtu.left(rtu.size() - 1) + "0", true));
  EXPECT_FALSE(FrameCheckOK("", true));
  EXPECT_TRUE(FrameCheckOK("", false));
}

TEST(AnswerText, RxByteReadsTheTwoDigitsAtAOneBasedPosition) {
  EXPECT_EQ(RxByte("0103A5", 1), 0x01);
  EXPECT_EQ(RxByte("0103A5", 5), 0xA5);
  EXPECT_EQ(RxByte("0103A5", 4), 0x3A);
  EXPECT_EQ(RxByte("0103A", 5), 0xA);
  EXPECT_EQ(RxByte("0103", 9), 0);
}

TEST(AnswerText, RtuExceptionIsRecognisedByFunctionBitAndCrc) {
  const QString exception = AppendCRC("018302");
  EXPECT_TRUE(StartsWithRtuException(exception));
  EXPECT_TRUE(StartsWithRtuException(exception + "00"));
  EXPECT_FALSE(StartsWithRtuException(exception.left(8)));
  EXPECT_FALSE(StartsWithRtuException(AppendCRC("010302")));   // no exception bit
  EXPECT_FALSE(StartsWithRtuException("0183020000"));           // bad CRC
}

}  // namespace
}  // namespace vt
