#include "typography/typography_command.h"

#include <cstdint>

#include "platform/host_api.h"
#include "text/box_visitors.h"
#include "text/stmode.h"
#include "typography/run_typography.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_state.h"

namespace tarnik {

void TypographyCommand() {
    HostApi& host = Host();
    if (static_cast<int16_t>(host.GetCurrentDocument()) < 0)
        return;
    XTBox box = host.GetCurrentBox();
    if (box == 0 || (!host.IsTextBox(box) && !host.IsGroup(box)))
        return;
    TypoSettingsLoad();
    host.BeginEditCommand(1, 0);
    TypographyInItem();
    host.EndEditCommand();
}

void TypographyInItem() {
    BuildTypoCharClasses();
    HostApi& host = Host();
    XTBox box = host.GetCurrentBox();
    if (box == 0)
        return;
    auto inTextBox = [] {
        // Taken before the run: a run that stops at a quotation mark leaves only
        // the mark selected, and the boxes anchored in the rest of the range are
        // still to be corrected.
        std::vector<XTBox> anchored = AnchoredBoxesInSelection();
        RunTypography();
        ForEachAnchoredTextBox(anchored, RunTypography);
    };
    if (host.IsTextBox(box)) {
        inTextBox();
    } else if (host.IsGroup(box)) {
        // Each member is made current in turn, nested groups and their members too;
        // the last member stays current.
        stmode contentTool(XT_TOOL_CONTENT);
        ForEachGroupMember(box, [&](XTBox member) {
            host.SetCurrentBox(member);
            if (host.IsTextBox(host.GetCurrentBox()))
                inTextBox();
        });
    }
}

}  // namespace tarnik
