// A dialog driver for a person at a terminal. Each time the host needs an action
// it shows the dialog as it now stands (title, then one line per item: number,
// kind, text, state, and a list's rows with the chosen one marked) and reads one
// step in the dialog-script syntax (host/dialog_script.h); "cancel" or the end of
// the input closes the dialog with Cancel. A message box shows its title, text
// and buttons and reads an answer word (the end of the input declines it).
#pragma once

#include <istream>
#include <ostream>

#include "host/dialogs.h"

namespace tarnik::host {

class TerminalDialogDriver : public DialogDriver {
  public:
    TerminalDialogDriver(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    std::optional<DialogAction> NextAction(const DialogState& dialog) override;
    int16_t AnswerMessage(int16_t style, const std::string& title,
                          const std::string& text) override;
    void Refused(const DialogAction& action, const std::string& reason) override;

  private:
    std::istream& in_;
    std::ostream& out_;
};

// The dialog as the terminal driver shows it.
std::string DescribeDialog(const DialogState& dialog);

}  // namespace tarnik::host
