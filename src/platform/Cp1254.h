#pragma once

#include <QByteArray>
#include <QString>

namespace vt {

// Windows-1254 (Turkish), the code page of every text file the program
// writes and reads. Characters that the code page lacks are written as "?".
QByteArray ToCp1254(const QString& text);
QString FromCp1254(const QByteArray& bytes);

}  // namespace vt
