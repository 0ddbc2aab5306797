#pragma once

#include <QString>
#include <functional>
#include <optional>

class QDialog;

namespace vt {

// Message-box styles: the sum of a button set, an icon and a default button.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int DefaultButton2 = 256;
}  // namespace MsgStyle

// Message-box answers.
namespace MsgAnswer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Retry = 4;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace MsgAnswer

// What a file dialog is asked to show. The filter is one text of description
// and pattern pairs separated by "|", as "Apps (*.mem)|*.mem|All files (*.*)|*.*".
struct FileDialogRequest {
  QString initDir;
  QString fileName;
  QString filter;
  QString defaultExt;
  int flags = 0;
};

// Dialog flag that accepts only a file that exists.
constexpr int FileMustExist = 0x1000;

// Every box, prompt, file dialog and modal window the program shows goes
// through this interface, so that tests can script the answers and record
// what was shown, and so that one hook runs before each of them.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Shows a message box and returns the answer. A box given no title of its
  // own carries the application title.
  int MsgBox(const QString& text, int style = MsgStyle::OkOnly,
             const std::optional<QString>& title = std::nullopt);

  // Shows an input prompt with OK and Cancel. Cancel gives the empty text.
  QString InputBox(const QString& prompt, const std::optional<QString>& title = std::nullopt,
                   const QString& defaultText = {});

  // Open and save dialogs: the chosen full path, or nothing when cancelled.
  std::optional<QString> ShowOpen(const FileDialogRequest& request);
  std::optional<QString> ShowSave(const FileDialogRequest& request);

  // Runs a window that waits for the operator modally, unless nothing may
  // show.
  void ShowModal(QDialog& window);
  // Runs a window that does its work and closes itself ("Please Wait")
  // modally; it waits for nobody, so the hook does not run. False when it
  // was not shown.
  bool ShowProgress(QDialog& window);

  // Runs before every box, prompt, file dialog and window that waits for
  // the operator, and answers whether it may show. One that may not is
  // declined: a box answers the button that declines, a prompt and a file
  // dialog are cancelled and a window is not shown. Setting the hook (the
  // main window does, when it opens) lets everything show again.
  void SetBeforeShowing(std::function<bool()> hook) {
    beforeShowing_ = std::move(hook);
    ended_ = false;
  }
  // From now on nothing is shown (the program is ending), and a transfer
  // window does not run.
  void EndShowing() { ended_ = true; }

  const QString& AppTitle() const { return appTitle_; }
  void SetAppTitle(const QString& title) { appTitle_ = title; }

 protected:
  virtual int showMessage(const QString& text, int style, const QString& title) = 0;
  virtual QString showInput(const QString& prompt, const QString& title, const QString& defaultText) = 0;
  virtual std::optional<QString> showOpen(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> showSave(const FileDialogRequest& request) = 0;

 private:
  // Runs the hook; false when this may not show.
  bool BeforeShowing();

  QString appTitle_ = QStringLiteral("VorTEST");
  std::function<bool()> beforeShowing_;
  bool ended_ = false;
};

// The answer a box gives when it is closed on its default button.
int DefaultAnswer(int style);

}  // namespace vt
