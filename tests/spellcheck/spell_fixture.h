// What the spell-check tests share: one-box documents, and a dialog driver that
// notes each misspelt word the Check Spelling dialog stops at.
#pragma once

#include <string>
#include <vector>

#include "host/dialogs.h"
#include "plugin_document.h"
#include "tests/support/one_box.h"

namespace tarnik::testing {

// Answers from the document's script and notes the word of the Check Spelling
// dialog each time it shows a new one (a new word, or the same word elsewhere).
class StopRecorder : public host::DialogDriver {
  public:
    explicit StopRecorder(PluginDocument& document) : document_(document) {
        document.host.SetDialogDriver(this);
    }

    std::optional<host::DialogAction> NextAction(const host::DialogState& dialog) override {
        if (dialog.resourceId == 31108 || dialog.resourceId == 31208) {
            const host::DialogItemState* word = dialog.Find(1059);
            const host::Document& doc = *document_.host.document;
            const host::Story& story = doc.stories[size_t(doc.items[size_t(doc.current)].story)];
            std::string at =
                std::to_string(doc.current) + ":" + std::to_string(story.selectionStart);
            if (word && (word->text != lastWord_ || at != lastAt_))
                stops.push_back(word->text);
            lastWord_ = word ? word->text : "";
            lastAt_ = at;
        }
        return document_.driver.NextAction(dialog);
    }
    int16_t AnswerMessage(int16_t style, const std::string& title,
                          const std::string& text) override {
        return document_.driver.AnswerMessage(style, title, text);
    }
    void Refused(const host::DialogAction& action, const std::string& reason) override {
        document_.driver.Refused(action, reason);
    }

    std::vector<std::string> stops;

  private:
    PluginDocument& document_;
    std::string lastWord_;
    std::string lastAt_;
};

}  // namespace tarnik::testing
