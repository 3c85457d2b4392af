#include "host/terminal_dialog_driver.h"

#include <sstream>

#include "host/dialog_script.h"

namespace tarnik::host {

namespace {

const char* KindName(int16_t kind) {
    switch (kind) {
        case XT_ITEM_BUTTON:
            return "button";
        case XT_ITEM_CHECKBOX:
            return "check box";
        case XT_ITEM_RADIO:
            return "radio";
        case XT_ITEM_EDIT:
            return "field";
        case XT_ITEM_LIST:
            return "list";
        case XT_ITEM_POPUP:
            return "popup";
        default:
            return "text";
    }
}

const char* AnswerWords(int16_t style) {
    switch (style) {
        case XT_MB_OKCANCEL:
            return "ok, cancel";
        case XT_MB_YESNO:
            return "yes, no";
        case XT_MB_YESNOCANCEL:
            return "yes, no, cancel";
        default:
            return "ok";
    }
}

// Whether a box of `style` offers the answer step `step` read from `word`.
bool Offers(int16_t style, const std::optional<DialogStep>& step, const std::string& word) {
    if (!step || step->action)
        return false;
    std::string words = std::string(", ") + AnswerWords(style) + ", ";
    std::string trimmed = word.substr(0, word.find_last_not_of(" \t\r") + 1);
    trimmed.erase(0, trimmed.find_first_not_of(" \t"));
    return words.find(", " + trimmed + ", ") != std::string::npos;
}

}  // namespace

std::string DescribeDialog(const DialogState& dialog) {
    std::ostringstream out;
    out << "== " << dialog.title << " ==\n";
    for (const DialogItemState& item : dialog.items) {
        // Labels the plug-in never addresses carry no usable number.
        if (item.number < 0) {
            if (!item.text.empty())
                out << "        " << item.text << "\n";
            continue;
        }
        out << "  [" << item.number << "] " << KindName(item.kind);
        if (item.kind == XT_ITEM_CHECKBOX || item.kind == XT_ITEM_RADIO)
            out << (item.checked ? " (x)" : " ( )");
        if (item.kind == XT_ITEM_EDIT)
            out << " \"" << item.text << "\"";
        else if (!item.text.empty())
            out << " " << item.text;
        if (item.number == dialog.defaultButton)
            out << " (default)";
        if (!item.enabled)
            out << " (disabled)";
        out << "\n";
        for (size_t row = 0; row < item.rows.size(); ++row) {
            out << "      " << (static_cast<int32_t>(row) == item.chosenRow ? "> " : "  ") << row
                << ": " << item.rows[row] << "\n";
        }
    }
    return out.str();
}

std::optional<DialogAction> TerminalDialogDriver::NextAction(const DialogState& dialog) {
    out_ << DescribeDialog(dialog);
    std::string line;
    for (;;) {
        out_ << "step (press N, type N TEXT, choose N ROW, activate N ROW, cancel)> " << std::flush;
        if (!std::getline(in_, line)) {
            out_ << "\n";
            return std::nullopt;
        }
        if (line == "cancel")
            return std::nullopt;
        std::string error;
        std::optional<DialogStep> step = ParseDialogStep(line, error);
        if (step && step->action)
            return step->action;
        out_ << (error.empty() ? "a dialog needs an action, not an answer" : error) << "\n";
    }
}

int16_t TerminalDialogDriver::AnswerMessage(int16_t style, const std::string& title,
                                            const std::string& text) {
    out_ << "== " << title << " ==\n" << MessageAsLines(text) << "\n";
    std::string line;
    for (;;) {
        out_ << "answer (" << AnswerWords(style) << ")> " << std::flush;
        if (!std::getline(in_, line)) {
            out_ << "\n";
            return DeclineAnswer(style);
        }
        // The word alone, or the script's step ("answer yes"), which the
        // documentation shows for the terminal too.
        std::string word = line;
        word.erase(0, word.find_first_not_of(" \t"));
        if (word.rfind("answer ", 0) == 0 || word.rfind("answer\t", 0) == 0)
            word.erase(0, 7);
        std::string error;
        std::optional<DialogStep> step = ParseDialogStep("answer " + word, error);
        if (Offers(style, step, word))
            return step->answer;
        out_ << "answer with one of: " << AnswerWords(style) << "\n";
    }
}

void TerminalDialogDriver::Refused(const DialogAction& action, const std::string& reason) {
    out_ << "item " << action.item << ": " << reason << "\n";
}

}  // namespace tarnik::host
