#include "host/dialogs.h"

#include <algorithm>

namespace tarnik::host {

DialogItemState* DialogState::Find(int16_t number) {
    for (auto& item : items) {
        if (item.number == number)
            return &item;
    }
    return nullptr;
}

const DialogItemState* DialogState::Find(int16_t number) const {
    return const_cast<DialogState*>(this)->Find(number);
}

void DialogState::ChooseRadio(DialogItemState& radio) {
    for (auto& other : items) {
        if (other.kind == XT_ITEM_RADIO && other.radioGroup == radio.radioGroup)
            other.checked = false;
    }
    radio.checked = true;
}

std::string MessageAsLines(std::string text) {
    for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
        if (at + 1 < text.size() && text[at + 1] == '\n')
            text.erase(at, 1);  // a CR LF pair is one break
        else
            text[at] = '\n';
    }
    return text;
}

std::string MessageOnOneLine(std::string text) {
    text = MessageAsLines(std::move(text));
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

int16_t DeclineAnswer(int16_t style) {
    switch (style) {
        case XT_MB_YESNO:
            return XT_ANSWER_NO;
        case XT_MB_OKCANCEL:
        case XT_MB_YESNOCANCEL:
            return XT_ANSWER_CANCEL;
        default:
            return XT_ANSWER_OK;
    }
}

ScriptedDialogDriver& ScriptedDialogDriver::Press(int16_t item) {
    steps_.push_back({DialogAction{DialogAction::Kind::Press, item, {}, -1}, 0});
    return *this;
}

ScriptedDialogDriver& ScriptedDialogDriver::Type(int16_t item, std::string text) {
    steps_.push_back({DialogAction{DialogAction::Kind::Type, item, std::move(text), -1}, 0});
    return *this;
}

ScriptedDialogDriver& ScriptedDialogDriver::Choose(int16_t item, int32_t row) {
    steps_.push_back({DialogAction{DialogAction::Kind::Choose, item, {}, row}, 0});
    return *this;
}

ScriptedDialogDriver& ScriptedDialogDriver::Activate(int16_t item, int32_t row) {
    steps_.push_back({DialogAction{DialogAction::Kind::Activate, item, {}, row}, 0});
    return *this;
}

ScriptedDialogDriver& ScriptedDialogDriver::Answer(int16_t answer) {
    steps_.push_back({std::nullopt, answer});
    return *this;
}

std::optional<DialogAction> ScriptedDialogDriver::NextAction(const DialogState& dialog) {
    if (steps_.empty() || !steps_.front().action) {
        problems_.push_back("dialog \"" + dialog.title + "\": no action left in the script");
        return std::nullopt;
    }
    DialogAction action = *steps_.front().action;
    steps_.pop_front();
    return action;
}

int16_t ScriptedDialogDriver::AnswerMessage(int16_t style, const std::string&,
                                            const std::string& text) {
    if (steps_.empty() || steps_.front().action) {
        problems_.push_back("message \"" + text + "\": no answer left in the script");
        return DeclineAnswer(style);
    }
    int16_t answer = steps_.front().answer;
    steps_.pop_front();
    return answer;
}

void ScriptedDialogDriver::Refused(const DialogAction& action, const std::string& reason) {
    problems_.push_back("item " + std::to_string(action.item) + ": " + reason);
}

}  // namespace tarnik::host
