#pragma once

#include <QDateTime>
#include <QString>

namespace vt {

// A date and time in the system's general date format, as the read-outs and
// the reports show it: "05.03.2026 09:07:00".
QString GeneralDateText(const QDateTime& when);

}  // namespace vt
