#pragma once

#include <QPushButton>
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

// A named push button that Enter never presses: a dialog's buttons are
// otherwise pressed by Enter whenever they hold the focus.
inline QPushButton* PlainButton(const QString& caption, const QString& name) {
  auto* button = Named(new QPushButton(caption), name);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace vt
