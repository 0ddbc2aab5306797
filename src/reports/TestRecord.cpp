#include "reports/TestRecord.h"

#include <algorithm>
#include <cmath>

#include "platform/TextFile.h"
#include "settings/Formats.h"
#include "settings/NumberText.h"
#include "station/Graphic.h"

namespace vt {
namespace {

constexpr int kLastSlot = kSampleSlots - 1;
// The curve update stores at the count plus one and draws one slot further.
constexpr double kHighestCountAfterReading = kLastSlot - 1;

// Selected indexes are stored as 16-bit whole numbers.
std::optional<int> ListIndex(const QString& line) {
  return StrictWhole(Comma2Dot(line), -32768, 32767, PointFormat());
}

// Hands out the lines in order, each cut to what a text box holds. Past the
// end it keeps giving the last line it gave, as a read that fails leaves the
// previous text in place.
class LineReader {
 public:
  explicit LineReader(const QStringList& lines) : lines_(lines) {}
  const QString& Next() {
    if (next_ < lines_.size()) last_ = lines_[next_++].left(kRecordTextLimit);
    return last_;
  }
  const QString& Last() const { return last_; }

 private:
  const QStringList& lines_;
  qsizetype next_ = 0;
  QString last_;
};

}  // namespace

qsizetype SampleLines(double sampleCountLine) {
  if (!(sampleCountLine >= 0)) return 0;
  return static_cast<qsizetype>(std::min(std::floor(sampleCountLine), double(kLastSlot))) + 1;
}

QString RecordName(const QDateTime& now, const QString& productName) {
  QString product = productName;
  for (QChar& ch : product) {
    if (ch == QLatin1Char('/') || ch.category() == QChar::Other_Control) ch = QLatin1Char('_');
  }
  return now.toString(QStringLiteral("yyyyMMdd_HHmmss_")) + product;
}

QStringList RecordLines(const TestRecord& r) {
  auto number = [](double value) { return FreePrint(value); };
  QStringList lines{r.humidity,     r.temperature,      r.productName,       r.customerName,
                    r.location,     r.dimensionW,       r.dimensionH,        r.dimensionL,
                    r.testStart,    r.testStop,         r.distance,          r.displacementSpeed,
                    r.timePassSeconds, r.holdVal,       number(r.graphUnit.value_or(-1)),
                    number(r.machineType.value_or(-1)), r.stepVal,           r.testDistance};
  for (const QString& label : r.timeLog) lines << label;
  lines << r.gap;
  for (const QString& value : r.reportTensileVals) lines << value;
  for (const QString& header : r.companyHdr) lines << header;
  lines << r.plcSettings << number(r.plcPort) << r.plcSpeed << kRecordMarker << number(r.sampleCountLine);
  const qsizetype count = std::min<qsizetype>(r.samples.size(), kSampleSlots);
  for (qsizetype i = 0; i < count; ++i) lines << number(r.samples[i].value_or(0));
  for (QString& line : lines) {
    std::replace_if(line.begin(), line.end(), IsNoTextCharacter, QLatin1Char(' '));
  }
  return lines;
}

std::optional<double> RecordNumber(const QString& line) { return StrictNumber(Comma2Dot(line), PointFormat()); }

TestRecord ParseRecordLines(const QStringList& lines) {
  LineReader in(lines);
  TestRecord r;
  for (QString* text : {&r.humidity, &r.temperature, &r.productName, &r.customerName, &r.location, &r.dimensionW,
                        &r.dimensionH, &r.dimensionL, &r.testStart, &r.testStop, &r.distance, &r.displacementSpeed,
                        &r.timePassSeconds, &r.holdVal}) {
    *text = in.Next();
  }
  r.graphUnit = ListIndex(in.Next());
  r.machineType = ListIndex(in.Next());
  r.stepVal = in.Next();
  r.testDistance = in.Next();
  for (QString& label : r.timeLog) label = in.Next();
  r.gap = in.Next();
  for (QString& value : r.reportTensileVals) value = in.Next();
  for (QString& header : r.companyHdr) header = in.Next();
  r.plcSettings = in.Next();
  r.plcPort = Val(in.Next());
  r.plcSpeed = in.Next();
  in.Next();  // the marker, never compared
  r.sampleCountLine = Val(in.Next());
  r.samples.resize(SampleLines(r.sampleCountLine));
  for (auto& sample : r.samples) sample = RecordNumber(in.Next());
  r.lastLineRead = RecordNumber(in.Last()) ? Comma2Dot(in.Last()) : in.Last();
  return r;
}

double SampleCountAfterReading(double sampleCountLine) {
  if (!(sampleCountLine >= 0)) return 0;
  double count = std::floor(sampleCountLine);
  if (count >= 1) count -= 1;
  return std::min(count, kHighestCountAfterReading);
}

}  // namespace vt
