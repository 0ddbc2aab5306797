#pragma once

#include <QWidget>

namespace vt {

// Gives a control its name: the object name and the accessible description
// both carry it, so tests and desktop tools can find the control.
template <class W>
W* Named(W* widget, const QString& name) {
  widget->setObjectName(name);
  widget->setAccessibleDescription(name);
  return widget;
}

}  // namespace vt
