#include "hyphcommands/hyph_xt.h"

#include "hyphcommands/chyph_prefs_dialog.h"
#include "hyphcommands/chyph_sugg_dialog.h"
#include "hyphcommands/hyph_commands.h"
#include "hyphcommands/hyph_service.h"
#include "platform/about_box.h"
#include "platform/host_api.h"
#include "platform/shown_text.h"

namespace tarnik {

void HyphXT::InstallMenu(const XTMenuInstallRecord&) {
    PrepareHyphenation();
    HostApi& host = Host();
    XTMenu menu = host.CreateMenu(ShownText("Polish Hyphenation"));
    items_.hyphenate = host.AppendMenuItem(menu, ShownText("Hyphenate Box"));
    items_.removeHyphens = host.AppendMenuItem(menu, ShownText("Remove Hyphens From Box"));
    items_.suggest = host.AppendMenuItem(menu, ShownText("Suggest Hyphenation..."));
    items_.removeFromDocument =
        host.AppendMenuItem(menu, ShownText("Remove hyphens from document"));
    host.AppendMenuSeparator(menu);
    items_.preferences = host.AppendMenuItem(menu, ShownText("Hyphenation Preferences..."));
    items_.about = host.AppendMenuItem(menu, ShownText("About Tarnik..."));
}

bool HyphXT::PerformMenuCommand(const XTMenuCommandRecord& record) {
    const int16_t item = record.item;
    if (item == 0)
        return false;
    if (item == items_.about) {
        ShowAboutBox();
        return true;
    }
    if (item == items_.hyphenate) {
        HyphenateCommand();
    } else if (item == items_.removeHyphens) {
        RemoveHyphensCommand();
    } else if (item == items_.suggest) {
        SuggestCommand();
    } else if (item == items_.removeFromDocument) {
        RemoveAllHyphensCommand();
    } else if (item == items_.preferences) {
        ShowHyphPreferences();
    } else {
        return false;
    }
    return true;
}

}  // namespace tarnik
