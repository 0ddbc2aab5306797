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
  // A box that reports a failure of the link: a command that a stop
  // overtook does not show it, since the stop cut its link work short.
  void LinkFailureBox(const QString& text, int style, const QString& title);

  // Shows an input prompt with OK and Cancel. Cancel gives the empty text.
  QString InputBox(const QString& prompt, const std::optional<QString>& title = std::nullopt,
                   const QString& defaultText = {});

  // Open and save dialogs: the chosen full path, or nothing when cancelled.
  std::optional<QString> ShowOpen(const FileDialogRequest& request);
  std::optional<QString> ShowSave(const FileDialogRequest& request);

  // Runs a window that waits for the operator modally, unless it may not
  // show.
  void ShowModal(QDialog& window);
  // Runs a window that does its work and closes itself ("Please Wait")
  // modally; it waits for nobody, so the queued presses are left as they
  // are. False when it was not shown.
  bool ShowProgress(QDialog& window);

  // Before every box, prompt, file dialog and window that waits for the
  // operator, `runQueued` runs the presses queued behind the command that
  // asks. A command that `overtaken` reports as overtaken by a stop asks
  // nothing and opens no window: a question is declined (a box answers the
  // button that declines, a prompt and a file dialog are cancelled, a
  // window is not shown), and so is a link failure's box; its other boxes,
  // which report what failed, still show. Setting the hooks (the main
  // window does, when it opens) lets everything show again, unless the
  // program was asked to end.
  void SetBeforeShowing(std::function<void()> runQueued, std::function<bool()> overtaken) {
    runQueued_ = std::move(runQueued);
    overtaken_ = std::move(overtaken);
    ended_ = false;
  }
  // From now on nothing is shown (the program is ending), and a transfer
  // window does not run.
  void EndShowing() { ended_ = true; }
  // The program is asked to end (a termination request): nothing waits for
  // the operator any more. From now on nothing is shown, for good, and what
  // is open closes as declined: a box answers the button that declines, a
  // prompt and a file dialog are cancelled, a window closes as its Cancel
  // closes it. A "Please Wait" window ends with its transfer.
  void EndShowingNow();

  const QString& AppTitle() const { return appTitle_; }
  void SetAppTitle(const QString& title) { appTitle_ = title; }

 protected:
  virtual int showMessage(const QString& text, int style, const QString& title) = 0;
  virtual QString showInput(const QString& prompt, const QString& title, const QString& defaultText) = 0;
  virtual std::optional<QString> showOpen(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> showSave(const FileDialogRequest& request) = 0;

 private:
  // Runs the queued presses; false when what asks may not show: nothing
  // may once the program ends, and a question or a link failure's box of
  // an overtaken command may not.
  bool BeforeShowing(bool declinedWhenOvertaken);
  bool Overtaken() const { return overtaken_ && overtaken_(); }
  bool Ended() const { return ended_ || endedForGood_; }

  QString appTitle_ = QStringLiteral("VorTEST");
  std::function<void()> runQueued_;
  std::function<bool()> overtaken_;
  bool ended_ = false;         // the main window has gone
  bool endedForGood_ = false;  // the program was asked to end
};

// The answer a box gives when it is closed on its default button.
int DefaultAnswer(int style);

}  // namespace vt
