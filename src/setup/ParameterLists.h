#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "setup/ParameterMap.h"

namespace vt {

// A panel's drop-down list, named, holding its items with their values as
// item data, nothing selected.
QComboBox* ParameterList(const QString& name, ParList list);

// A named text box and a named label of a panel.
QLineEdit* ParameterBox(const QString& name);
QLabel* NamedLabel(const QString& name, const QString& caption);

}  // namespace vt
