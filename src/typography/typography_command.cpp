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
    if (host.IsTextBox(box)) {
        RunTypography();
        ForEachAnchoredTextBoxInSelection(RunTypography);
    } else if (host.IsGroup(box)) {
        std::vector<XTBox> members = GroupMembers(box);
        stmode contentTool(XT_TOOL_CONTENT);
        for (XTBox member : members) {
            host.SetCurrentBox(member);
            TypographyInItem();
        }
    }
}

}  // namespace tarnik
