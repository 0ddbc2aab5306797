// Finding requests in serial input that arrives in chunks.
#include <gtest/gtest.h>

#include "indicator-sim/SerialFrameReader.h"

namespace vt::sim {
namespace {

QByteArray Bytes(const char* hex) { return QByteArray::fromHex(hex); }

const QByteArray kAsciiPoll(":01030000000CF0\r\n");
const QByteArray kRtuPoll = Bytes("01030000000C45CF");

// Feeds the input in chunks of the given size and gathers the requests.
std::vector<Adu> FeedInChunks(SerialFrameReader& reader, const QByteArray& input, int size) {
  std::vector<Adu> requests;
  for (int at = 0; at < input.size(); at += size) {
    for (Adu& request : reader.Feed(input.mid(at, size))) requests.push_back(request);
  }
  return requests;
}

TEST(SerialFrameReader, AsciiRequestCompletesOnlyWithItsLineEnd) {
  for (int size : {1, 2, 5, 16, 17}) {
    SerialFrameReader reader(Transport::Ascii);
    std::vector<Adu> requests = FeedInChunks(reader, kAsciiPoll.chopped(1), size);
    EXPECT_TRUE(requests.empty());
    requests = reader.Feed("\n");
    ASSERT_EQ(requests.size(), 1u) << "chunk size " << size;
    EXPECT_EQ(requests[0].unit, 1);
    EXPECT_EQ(requests[0].pdu, Bytes("030000000C"));
    EXPECT_FALSE(reader.Pending());
  }
}

TEST(SerialFrameReader, AsciiSkipsNoiseAndRestartsAtANewColon) {
  SerialFrameReader reader(Transport::Ascii);
  // Noise, an aborted frame, a stray line end, then two good frames at once.
  const std::vector<Adu> requests = reader.Feed("xx\r\n:0103\r:0103" + kAsciiPoll + kAsciiPoll);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].pdu, Bytes("030000000C"));
  EXPECT_EQ(reader.BadFrames(), 0);
}

TEST(SerialFrameReader, AsciiFrameWithBadLrcIsDroppedAndCounted) {
  SerialFrameReader reader(Transport::Ascii);
  EXPECT_TRUE(reader.Feed(":01030000000CF1\r\n").empty());
  EXPECT_EQ(reader.BadFrames(), 1);
  EXPECT_EQ(reader.Feed(kAsciiPoll).size(), 1u);  // the line recovers at once
}

TEST(SerialFrameReader, AsciiAcceptsABareLineFeedEnd) {
  SerialFrameReader reader(Transport::Ascii);
  EXPECT_EQ(reader.Feed(":01030000000CF0\n").size(), 1u);
}

TEST(SerialFrameReader, AsciiForgetsAFrameThatOutgrowsAnyRequest) {
  SerialFrameReader reader(Transport::Ascii);
  reader.Feed(':' + QByteArray(600, '0'));
  EXPECT_FALSE(reader.Pending());
  EXPECT_EQ(reader.Feed(kAsciiPoll).size(), 1u);
}

TEST(SerialFrameReader, RtuRequestCompletesAtItsExpectedLengthWhateverTheChunks) {
  for (int size : {1, 3, 7, 8}) {
    SerialFrameReader reader(Transport::Rtu);
    const std::vector<Adu> requests = FeedInChunks(reader, kRtuPoll, size);
    ASSERT_EQ(requests.size(), 1u) << "chunk size " << size;
    EXPECT_EQ(requests[0].pdu, Bytes("030000000C"));
    EXPECT_FALSE(reader.Pending());
  }
}

TEST(SerialFrameReader, RtuWriteMultipleIsMeasuredByItsByteCount) {
  // Write 8, 0, 0 to registers 0 to 2.
  const QByteArray request = EncodeFrame(Transport::Rtu, Adu{1, 0,
                                                             Bytes("1000000003060008"
                                                                   "0000"
                                                                   "0000")});
  SerialFrameReader reader(Transport::Rtu);
  EXPECT_TRUE(reader.Feed(request.left(6)).empty());
  EXPECT_TRUE(reader.Feed(request.mid(6, 8)).empty());
  const std::vector<Adu> requests = reader.Feed(request.mid(14) + kRtuPoll);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].pdu, Bytes("10000000030600080000"
                                   "0000"));
  EXPECT_EQ(requests[1].pdu, Bytes("030000000C"));
}

TEST(SerialFrameReader, RtuBadFrameWaitsForTheGapAndIsDropped) {
  SerialFrameReader reader(Transport::Rtu);
  EXPECT_TRUE(reader.Feed(Bytes("01030000000C45CE")).empty());
  EXPECT_TRUE(reader.Pending());
  EXPECT_TRUE(reader.GapElapsed().empty());
  EXPECT_EQ(reader.BadFrames(), 1);
  EXPECT_FALSE(reader.Pending());
  EXPECT_EQ(reader.Feed(kRtuPoll).size(), 1u);
}

TEST(SerialFrameReader, RtuFunctionOfUnknownLengthEndsWithTheGap) {
  const QByteArray request = EncodeFrame(Transport::Rtu, Adu{1, 0, Bytes("2B0E0100")});
  SerialFrameReader reader(Transport::Rtu);
  EXPECT_TRUE(reader.Feed(request).empty());
  const std::vector<Adu> requests = reader.GapElapsed();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].pdu, Bytes("2B0E0100"));
}

TEST(SerialFrameReader, AsciiIgnoresTheGap) {
  SerialFrameReader reader(Transport::Ascii);
  reader.Feed(kAsciiPoll.left(5));
  EXPECT_TRUE(reader.GapElapsed().empty());
  EXPECT_EQ(reader.Feed(kAsciiPoll.mid(5)).size(), 1u);
}

}  // namespace
}  // namespace vt::sim
