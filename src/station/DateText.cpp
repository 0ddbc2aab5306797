#include "station/DateText.h"

namespace vt {

QString GeneralDateText(const QDateTime& when) { return when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")); }

}  // namespace vt
