#include "typocommands/typo_xt.h"

#include "platform/about_box.h"
#include "platform/host_api.h"
#include "platform/shown_text.h"
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
    // The typography command and its preferences come with the typography service.
    return item == items_.typography || item == items_.preferences;
}

}  // namespace tarnik
