// Seeded random and mutated answers fed to the reception and parsing of all
// three transports: nothing may read or write out of bounds, and the link
// state must stay consistent. VORTEST_FUZZ_SEED and VORTEST_FUZZ_ROUNDS
// choose another seed or a longer run.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <array>
#include <cstdlib>
#include <random>

#include "link/FrameText.h"
#include "link/LinkRig.h"
#include "link/TcpAnswer.h"

namespace vt {
namespace {

using test::LinkRig;

constexpr std::int32_t kCanary = 0x5A5A5A5A;
constexpr qsizetype kRxBufLimit = 2 * IndicatorLink::kAnswerBufferBytes + 4;

unsigned EnvNumber(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

class Fuzzer {
 public:
  Fuzzer() : seed_(EnvNumber("VORTEST_FUZZ_SEED", 20260305)), random_(seed_) {}

  unsigned Seed() const { return seed_; }
  int Rounds(int fallback) const { return static_cast<int>(EnvNumber("VORTEST_FUZZ_ROUNDS", fallback)); }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }

  QByteArray RandomBytes(int maxLength) {
    QByteArray bytes(Below(maxLength + 1), '\0');
    for (char& c : bytes) c = static_cast<char>(Below(256));
    return bytes;
  }

  // Flips, drops, inserts and repeats bytes.
  QByteArray Mutate(QByteArray bytes) {
    const int edits = 1 + Below(4);
    for (int e = 0; e < edits; ++e) {
      const int at = bytes.isEmpty() ? 0 : Below(bytes.size());
      switch (Below(5)) {
        case 0:
          if (!bytes.isEmpty()) bytes[at] = static_cast<char>(bytes[at] ^ (1 << Below(8)));
          break;
        case 1:
          bytes.remove(at, 1 + Below(4));
          break;
        case 2:
          bytes.insert(at, RandomBytes(6));
          break;
        case 3:
          bytes = bytes.left(at);
          break;
        default:
          bytes += bytes.mid(at);
          break;
      }
    }
    return bytes;
  }

  // The bytes in random pieces.
  std::vector<QByteArray> Split(const QByteArray& bytes) {
    std::vector<QByteArray> pieces;
    qsizetype at = 0;
    while (at < bytes.size()) {
      const qsizetype length = 1 + Below(static_cast<int>(std::min<qsizetype>(bytes.size() - at, 40)));
      pieces.push_back(bytes.mid(at, length));
      at += length;
    }
    if (pieces.empty() || Chance(10)) pieces.push_back(QByteArray());
    return pieces;
  }

 private:
  unsigned seed_;
  std::mt19937 random_;
};

// A register array with canaries on both sides of the part handed to the link.
class GuardedRegisters {
 public:
  explicit GuardedRegisters(int size) : size_(size) { storage_.fill(kCanary); }
  std::span<std::int32_t> Span() { return std::span(storage_).subspan(kGuard, size_); }
  bool GuardsIntact() const {
    for (int i = 0; i < kGuard; ++i) {
      if (storage_[i] != kCanary || storage_[kGuard + size_ + i] != kCanary) return false;
    }
    return true;
  }
  // Every element the link wrote holds an unsigned 16-bit value.
  bool WrittenAreWords() const {
    for (int i = 0; i < size_; ++i) {
      const std::int32_t v = storage_[kGuard + i];
      if (v != kCanary && (v < 0 || v > 0xFFFF)) return false;
    }
    return true;
  }

 private:
  static constexpr int kGuard = 8;
  int size_;
  std::array<std::int32_t, 101 + 2 * kGuard> storage_{};
};

struct Request {
  QString body;
  int expectedLen;
  int registers;  // registers a good answer carries
  int function;
};

Request RandomRequest(Fuzzer& fuzz) {
  switch (fuzz.Below(3)) {
    case 0: {
      const int count = 1 + fuzz.Below(110);
      return {"03" + Hex4(0) + Hex4(count), 4 * count + 8, count, 0x03};
    }
    case 1:
      return {"06" + Hex4(fuzz.Below(65536)) + Hex4(fuzz.Below(65536)), 14, 0, 0x06};
    default:
      return {"10" + Hex4(0) + Hex4(1) + "02" + Hex4(fuzz.Below(65536)), 14, 0, 0x10};
  }
}

// The answer a good slave gives, as hex text without its check.
QString GoodAnswerText(Fuzzer& fuzz, const Request& request, std::vector<int>& values) {
  QString text = "01" + Hex2(request.function);
  if (request.function == 0x03) {
    text += Hex2(2 * request.registers);
    for (int i = 0; i < request.registers; ++i) {
      values.push_back(fuzz.Below(65536));
      text += Hex4(values.back());
    }
  } else {
    text += request.body.mid(2, 8);
  }
  return text;
}

QByteArray HexBytes(const QString& text) { return QByteArray::fromHex(text.toLatin1()); }

TEST(LinkFuzz, SerialAnswersInAsciiAndRtu) {
  Fuzzer fuzz;
  SCOPED_TRACE(testing::Message() << "seed " << fuzz.Seed());
  LinkRig rig;
  rig.comm.IndPort = 1;  // the port stays closed: requests go nowhere
  const int rounds = fuzz.Rounds(4000);
  for (int round = 0; round < rounds; ++round) {
    const bool rtu = fuzz.Chance(50);
    rig.comm.RTUMode = rtu ? 1 : 0;
    const Request request = RandomRequest(fuzz);
    rig.link.SendRequest(1, request.body, request.expectedLen);

    std::vector<int> values;
    const QString text = GoodAnswerText(fuzz, request, values);
    const QByteArray good = rtu ? HexBytes(AppendCRC(text))
                                : (QLatin1Char(':') + AppendLRC(text) + "\r\n").toLatin1();
    const int kind = fuzz.Below(3);
    const QByteArray answer = kind == 0 ? good : kind == 1 ? fuzz.Mutate(good) : fuzz.RandomBytes(500);
    for (const QByteArray& piece : fuzz.Split(answer)) {
      rig.link.CollectSerialInput(piece);
      ASSERT_LE(rig.comm.RxBuf.size(), kRxBufLimit) << round;
    }

    const bool fitsDecodeBuffer = good.size() <= (rtu ? 201 : 2 * 201 + 3);
    if (kind == 0) {
      ASSERT_TRUE(rig.comm.RespDone) << round;
    }
    if (!rig.comm.RespDone && fuzz.Chance(70)) {
      rig.comm.TxnBusy = false;  // timed out: the caller abandons the request
      continue;
    }
    GuardedRegisters regs(fuzz.Below(102));
    const bool result = rig.link.ParseResponse(regs.Span());
    ASSERT_FALSE(rig.comm.TxnBusy) << round;
    ASSERT_TRUE(regs.GuardsIntact()) << round;
    ASSERT_TRUE(regs.WrittenAreWords()) << round;
    if (result) {
      ASSERT_TRUE(rig.comm.LinkOK) << round;
    }
    if (kind == 0) {
      ASSERT_EQ(result, fitsDecodeBuffer) << round;
      for (size_t i = 0; result && i < values.size() && i < regs.Span().size(); ++i) {
        ASSERT_EQ(regs.Span()[i], values[i]) << round;
      }
    }
  }
}

TEST(LinkFuzz, TcpArrivals) {
  Fuzzer fuzz;
  SCOPED_TRACE(testing::Message() << "seed " << fuzz.Seed());
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  LinkRig rig(server.serverPort());
  ASSERT_TRUE(rig.OpenTcp());
  const int rounds = fuzz.Rounds(4000);
  for (int round = 0; round < rounds; ++round) {
    const Request request = RandomRequest(fuzz);
    rig.link.SendRequest(1, request.body, request.expectedLen);

    std::vector<int> values;
    const QByteArray pdu = HexBytes(GoodAnswerText(fuzz, request, values));
    auto frame = [&](quint16 id) {
      QByteArray header;
      header.append(char(id >> 8)).append(char(id & 0xFF)).append('\0').append('\0');
      header.append(char(pdu.size() >> 8)).append(char(pdu.size() & 0xFF));
      return header + pdu;
    };
    QByteArray arrival;
    switch (fuzz.Below(4)) {
      case 0:
        arrival = frame(rig.link.TcpTransId);
        break;
      case 1:
        arrival = frame(static_cast<quint16>(rig.link.TcpTransId - 1)) + frame(rig.link.TcpTransId);
        break;
      case 2:
        arrival = fuzz.Mutate(frame(rig.link.TcpTransId));
        break;
      default:
        arrival = fuzz.RandomBytes(300);
        break;
    }
    for (const QByteArray& piece : fuzz.Split(arrival)) {
      rig.link.CollectTcpInput(piece);
      ASSERT_LE(rig.comm.TcpBuf.size(), TcpAnswer::kMaxFrameBytes) << round;
    }
    if (rig.comm.RespDone) {
      ASSERT_EQ(rig.comm.TcpCount, rig.comm.TcpBuf.size()) << round;
    }
    if (!rig.comm.RespDone && fuzz.Chance(70)) {
      rig.comm.TxnBusy = false;
      continue;
    }
    GuardedRegisters regs(fuzz.Below(102));
    const bool result = rig.link.ParseResponse(regs.Span());
    ASSERT_FALSE(rig.comm.TxnBusy) << round;
    ASSERT_TRUE(rig.comm.LinkOK) << round;
    ASSERT_TRUE(regs.GuardsIntact()) << round;
    ASSERT_TRUE(regs.WrittenAreWords()) << round;
    if (result) {
      ASSERT_EQ(static_cast<quint8>(rig.comm.TcpBuf[7]), request.function) << round;
    }
  }
}

}  // namespace
}  // namespace vt
