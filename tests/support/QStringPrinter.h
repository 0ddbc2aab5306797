#pragma once

#include <QString>
#include <ostream>

// Lets GoogleTest show a QString as its text in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
