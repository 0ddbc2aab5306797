#include "StationOnALine.h"

#include <QApplication>
#include <QTimer>

namespace vt::test {
namespace {

// ":", address, function, start, count, byte count, five words, LRC, CR LF.
constexpr int kPlcFrameBytes = 1 + 2 + 2 + 4 + 4 + 2 + 5 * 4 + 2 + 2;

}  // namespace

std::ostream& operator<<(std::ostream& out, const Line& line) {
  return out << (line.mode == sim::Transport::Rtu ? "RTU " : "ASCII ") << line.settings;
}

QString WriteOfCode(quint16 code) {
  return QStringLiteral("06 00 00 %1 %2")
      .arg(code >> 8, 2, 16, QLatin1Char('0'))
      .arg(code & 0xFF, 2, 16, QLatin1Char('0'));
}

StationOnALine::StationOnALine(const Line& line)
    : station(SerialLine{line.mode, QString::fromLatin1(line.settings)}, plc.SlavePath()) {
  station.sim.Server().SetTrace([this](const QString& entry) {
    if (entry.startsWith(QStringLiteral("<- "))) Note(entry.mid(3));
  });
  plc.Watch([this](const QByteArray& bytes) { PlcBytes(bytes); });
  clock_.start();
}

void StationOnALine::Note(const QString& entry) {
  log << entry;
  noted_.push_back(clock_.elapsed());
}

QString StationOnALine::TimedLog() const {
  QString text;
  for (qsizetype i = 0; i < log.size(); ++i) {
    text += QStringLiteral("%1 %2 ms: %3\n").arg(i).arg(i < qsizetype(noted_.size()) ? noted_[i] : -1).arg(log[i]);
  }
  return text;
}

void StationOnALine::PlcBytes(const QByteArray& bytes) {
  plcBytes_ += bytes;
  for (qsizetype end = plcBytes_.indexOf("\r\n"); end >= 0; end = plcBytes_.indexOf("\r\n")) {
    const QByteArray frame = plcBytes_.left(end + 2);
    plcBytes_.remove(0, end + 2);
    if (frame.size() != kPlcFrameBytes) continue;
    // The command word stands before the LRC and CR LF.
    const int word = frame.mid(kPlcFrameBytes - 8, 4).toInt(nullptr, 16);
    plcWords_.push_back(word);
    Note(QStringLiteral("plc %1").arg(word));
  }
}

QString StationOnALine::PressName(const QAbstractButton* button) {
  const QWidget* window = button->window();
  return window->inherits("vt::MainForm") ? button->objectName()
                                          : window->objectName() + QLatin1Char('/') + button->objectName();
}

bool StationOnALine::Ready() {
  if (!plc.Ok() || !station.WaitForLink(10000)) return false;
  station.indicator().SetLoad(20.0);
  return true;
}

std::vector<quint16> StationOnALine::CommandCodes() {
  std::vector<quint16> codes;
  for (const auto& command : station.indicator().Commands()) codes.push_back(command.code);
  return codes;
}

void StationOnALine::Press(QAbstractButton* button) {
  // An operator's click reaches only the window on top.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && button->window() != modal) {
    ADD_FAILURE() << PressName(button).toStdString() << " pressed under " << modal->objectName().toStdString();
    return;
  }
  Note(QStringLiteral("press ") + PressName(button));
  if (station.program().commandQueue.LineTaken()) ++queuedPresses_;
  button->click();
  ++presses_;
}

void StationOnALine::PressWhen(QAbstractButton* button, std::function<bool()> when) {
  auto* timer = new QTimer(station.form.get());
  timer->setInterval(1);
  QObject::connect(timer, &QTimer::timeout, [this, timer, button, when = std::move(when)] {
    if (!when()) return;
    timer->stop();
    Press(button);
  });
  timer->start();
}

void StationOnALine::PressAfter(QAbstractButton* button, int ms) {
  QTimer::singleShot(ms, station.form.get(), [this, button] { Press(button); });
}

bool StationOnALine::WaitForPresses(int expected, int timeoutMs) {
  return SimulatedStation::WaitFor([&] { return presses_ >= expected; }, timeoutMs);
}

QStringList StationOnALine::RequestsBetween(const QString& button, quint16 code) const {
  const qsizetype press = log.indexOf(QStringLiteral("press ") + button);
  const qsizetype write = log.indexOf(WriteOfCode(code), press);
  if (press < 0 || write < 0) return {QStringLiteral("(not found)")};
  QStringList requests = log.mid(press + 1, write - press - 1);
  requests.removeIf([](const QString& entry) {
    return entry.startsWith(QStringLiteral("press ")) || entry.startsWith(QStringLiteral("plc "));
  });
  return requests;
}

std::vector<int> StationOnALine::PlcCommandWords(int frames, int timeoutMs) {
  SimulatedStation::WaitFor([&] { return plcWords_.size() >= plcWordsTaken_ + frames; }, timeoutMs);
  const std::size_t end = std::min(plcWords_.size(), plcWordsTaken_ + frames);
  std::vector<int> words(plcWords_.begin() + plcWordsTaken_, plcWords_.begin() + end);
  plcWordsTaken_ = end;
  return words;
}

}  // namespace vt::test
