#include "setup/ParameterLists.h"

#include "platform/Controls.h"

namespace vt {

QComboBox* ParameterList(const QString& name, ParList list) {
  auto* box = Named(new QComboBox, name);
  const Choices& choices = ListChoices(list);
  for (int i = 0; i < choices.items.size(); ++i) {
    box->addItem(choices.items[i], i < choices.values.size() ? QVariant(choices.values[i]) : QVariant());
  }
  box->setCurrentIndex(-1);
  return box;
}

QLineEdit* ParameterBox(const QString& name) { return Named(new QLineEdit, name); }

QLabel* NamedLabel(const QString& name, const QString& caption) { return Named(new QLabel(caption), name); }

}  // namespace vt
