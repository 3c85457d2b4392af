#include "hyphcommands/hyph_xt.h"

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
    // The hyphenation commands themselves come with the hyphenation service.
    return item == items_.hyphenate || item == items_.removeHyphens || item == items_.suggest ||
           item == items_.removeFromDocument || item == items_.preferences;
}

}  // namespace tarnik
