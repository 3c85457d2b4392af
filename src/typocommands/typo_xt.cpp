#include "typocommands/typo_xt.h"

#include "platform/about_box.h"
#include "platform/host_api.h"
#include "platform/shown_text.h"
#include "typography/typography_command.h"
#include "typography/ctypo_prefs_dialog.h"
#include "typography/typo_settings_store.h"

namespace tarnik {

void TypoXT::InstallMenu(const XTMenuInstallRecord&) {
    TypoSettingsLoad();
    HostApi& host = Host();
    XTMenu menu = host.CreateMenu(ShownText("Typography"));
    items_.typography = host.AppendMenuItem(menu, ShownText("Typography In Box"));
    host.AppendMenuSeparator(menu);
    items_.preferences = host.AppendMenuItem(menu, ShownText("Typography Preferences..."));
    items_.about = host.AppendMenuItem(menu, ShownText("About Tarnik..."));
}

bool TypoXT::PerformMenuCommand(const XTMenuCommandRecord& record) {
    const int16_t item = record.item;
    if (item == 0)
        return false;
    if (item == items_.about) {
        ShowAboutBox();
        return true;
    }
    if (item == items_.typography) {
        TypographyCommand();
        return true;
    }
    if (item == items_.preferences) {
        ShowTypoPreferences();
        return true;
    }
    return false;
}

}  // namespace tarnik
