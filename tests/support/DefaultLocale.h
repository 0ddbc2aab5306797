#pragma once

#include <QLocale>

namespace vt::test {

// Makes `locale` the user's number format (QLocale()) for the life of the
// object, whatever the process was started with.
class DefaultLocale {
 public:
  explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
  ~DefaultLocale() { QLocale::setDefault(previous_); }
  DefaultLocale(const DefaultLocale&) = delete;
  DefaultLocale& operator=(const DefaultLocale&) = delete;

 private:
  QLocale previous_;
};

inline const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);

}  // namespace vt::test
