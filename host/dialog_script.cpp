#include "host/dialog_script.h"

#include <charconv>
#include <vector>

#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

std::string_view Trim(std::string_view text) {
    const char* spaces = " \t\r\n";
    size_t first = text.find_first_not_of(spaces);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

// The next space-separated word of `rest`, which loses it.
std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    size_t end = rest.find_first_of(" \t");
    std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return word;
}

template <class Number>
bool ReadNumber(std::string_view word, Number& value) {
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

std::optional<int16_t> AnswerOf(std::string_view word) {
    if (word == "ok")
        return XT_ANSWER_OK;
    if (word == "cancel")
        return XT_ANSWER_CANCEL;
    if (word == "yes")
        return XT_ANSWER_YES;
    if (word == "no")
        return XT_ANSWER_NO;
    return std::nullopt;
}

}  // namespace

std::optional<DialogStep> ParseDialogStep(std::string_view line, std::string& error) {
    error.clear();
    std::string_view rest = Trim(line);
    if (rest.empty() || rest.front() == '#')
        return std::nullopt;
    std::string verb(NextWord(rest));
    if (verb == "answer") {
        std::string_view word = NextWord(rest);
        std::optional<int16_t> answer = AnswerOf(word);
        if (!answer || !Trim(rest).empty()) {
            error = "answer takes one of ok, cancel, yes, no";
            return std::nullopt;
        }
        return DialogStep{std::nullopt, *answer};
    }
    DialogAction action;
    if (verb == "press") {
        action.kind = DialogAction::Kind::Press;
    } else if (verb == "type") {
        action.kind = DialogAction::Kind::Type;
    } else if (verb == "choose") {
        action.kind = DialogAction::Kind::Choose;
    } else if (verb == "activate") {
        action.kind = DialogAction::Kind::Activate;
    } else {
        error = "unknown step '" + verb + "' (press, type, choose, activate, answer)";
        return std::nullopt;
    }
    if (!ReadNumber(NextWord(rest), action.item)) {
        error = verb + " needs an item number";
        return std::nullopt;
    }
    switch (action.kind) {
        case DialogAction::Kind::Type:
            // The text is the rest of the line as written, after one separating space.
            action.text = std::string(rest.substr(0, rest.find_last_not_of("\r\n") + 1));
            // Text that is not UTF-8 would reach the document as '?'.
            if (std::optional<size_t> bad = FindBadUtf8(action.text)) {
                error = "type text is not UTF-8 (bad byte " + std::to_string(*bad + 1) +
                        " of the text)";
                return std::nullopt;
            }
            break;
        case DialogAction::Kind::Choose:
        case DialogAction::Kind::Activate:
            if (!ReadNumber(NextWord(rest), action.row) || !Trim(rest).empty()) {
                error = verb + " needs an item number and a row number";
                return std::nullopt;
            }
            break;
        case DialogAction::Kind::Press:
            if (!Trim(rest).empty()) {
                error = "press takes only an item number";
                return std::nullopt;
            }
            break;
    }
    return DialogStep{action, 0};
}

bool LoadDialogScript(std::string_view script, ScriptedDialogDriver& driver, std::string& error) {
    std::vector<DialogStep> steps;
    size_t lineNumber = 0;
    while (!script.empty()) {
        size_t end = script.find('\n');
        std::string_view line = script.substr(0, end);
        script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
        ++lineNumber;
        std::string problem;
        std::optional<DialogStep> step = ParseDialogStep(line, problem);
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
        if (step)
            steps.push_back(std::move(*step));
    }
    for (DialogStep& step : steps) {
        if (!step.action) {
            driver.Answer(step.answer);
            continue;
        }
        DialogAction& a = *step.action;
        switch (a.kind) {
            case DialogAction::Kind::Press:
                driver.Press(a.item);
                break;
            case DialogAction::Kind::Type:
                driver.Type(a.item, std::move(a.text));
                break;
            case DialogAction::Kind::Choose:
                driver.Choose(a.item, a.row);
                break;
            case DialogAction::Kind::Activate:
                driver.Activate(a.item, a.row);
                break;
        }
    }
    return true;
}

}  // namespace tarnik::host
