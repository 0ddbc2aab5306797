#pragma once

#include <QDialog>
#include <QString>
#include <functional>

namespace vt::test {

// Runs `act` on the modal window named `objectName` once it is shown on top
// of the modal stack, from within that window's own event loop; a window
// that does not come within `timeoutMs` fails the test.
void WhenShown(const QString& objectName, std::function<void(QDialog&)> act, int timeoutMs = 10000);

}  // namespace vt::test
