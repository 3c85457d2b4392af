// Modal dialogs and message boxes of the in-memory host.
//
// The XTension hands over a dialog template; the host keeps the dialog's state (every
// item's kind, text, enabled, checked, rows and chosen row) and, for each user action,
// asks a DialogDriver, which sees that state. Texts here are UTF-8; the host converts
// from and to the cp1250 of the XTension at the boundary.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tarnik/xtabi.h"

namespace tarnik::host {

struct DialogItemState {
    int16_t number = 0;
    int16_t kind = XT_ITEM_STATIC;
    int16_t radioGroup = 0;
    std::string text;
    bool enabled = true;
    bool checked = false;           // check boxes and radio buttons
    std::vector<std::string> rows;  // lists and popups
    int32_t chosenRow = -1;
};

struct DialogState {
    XTDialog id = 0;
    int32_t resourceId = 0;
    std::string title;
    int16_t defaultButton = 0;
    std::vector<DialogItemState> items;

    DialogItemState* Find(int16_t number);
    const DialogItemState* Find(int16_t number) const;
    // Checks a radio button of this dialog and unchecks the others of its group.
    void ChooseRadio(DialogItemState& radio);
};

// One user action in a dialog.
struct DialogAction {
    enum class Kind {
        Press,     // a click: a button; a check box toggles; a radio button is chosen
        Type,      // replaces an edit field's text
        Choose,    // chooses a row of a list or popup
        Activate,  // double-clicks a row of a list
    };
    Kind kind = Kind::Press;
    int16_t item = 0;
    std::string text;
    int32_t row = -1;
};

class DialogDriver {
  public:
    virtual ~DialogDriver() = default;
    // The next action in the dialog as it now stands; nullopt closes it with item 2
    // (Cancel).
    virtual std::optional<DialogAction> NextAction(const DialogState& dialog) = 0;
    // The button pressed in a message box: XT_ANSWER_...
    virtual int16_t AnswerMessage(int16_t style, const std::string& title,
                                  const std::string& text) = 0;
    // The host refused an action (unknown or disabled item, wrong kind, bad row).
    virtual void Refused(const DialogAction& action, const std::string& reason) = 0;
};

// Plays a fixed list of steps, each used once in order: a dialog takes the action
// steps up to the next answer step, a message box the next answer. A message box
// meeting an action step, or running out of steps, is answered with Cancel (No for a
// yes/no question, OK for a plain message) and recorded as a problem; so is an action
// the host refuses.
class ScriptedDialogDriver : public DialogDriver {
  public:
    ScriptedDialogDriver& Press(int16_t item);
    ScriptedDialogDriver& Type(int16_t item, std::string text);
    ScriptedDialogDriver& Choose(int16_t item, int32_t row);
    ScriptedDialogDriver& Activate(int16_t item, int32_t row);
    ScriptedDialogDriver& Answer(int16_t answer);

    bool Finished() const { return steps_.empty(); }
    const std::vector<std::string>& Problems() const { return problems_; }

    std::optional<DialogAction> NextAction(const DialogState& dialog) override;
    int16_t AnswerMessage(int16_t style, const std::string& title,
                          const std::string& text) override;
    void Refused(const DialogAction& action, const std::string& reason) override;

  private:
    struct Step {
        std::optional<DialogAction> action;  // else an answer
        int16_t answer = 0;
    };
    std::deque<Step> steps_;
    std::vector<std::string> problems_;
};

// The answer a message box of `style` gets when nobody is asked: OK for a plain
// message, else Cancel, or No for a yes/no question.
int16_t DeclineAnswer(int16_t style);

// A message box's text for a terminal. The box breaks lines at carriage returns
// ("Error: 510\rThe file..."), which on a terminal would write over the line:
// as lines, each carriage return becomes a line feed; on one line (a report on
// standard error), every line break becomes a space.
std::string MessageAsLines(std::string text);
std::string MessageOnOneLine(std::string text);

}  // namespace tarnik::host
