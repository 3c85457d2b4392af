#include "spellcheck/dict_xt.h"

#include "platform/about_box.h"
#include "platform/host_api.h"
#include "platform/shown_text.h"

namespace tarnik {

void DictXT::InstallMenu(const XTMenuInstallRecord&) {
    HostApi& host = Host();
    XTMenu menu = host.CreateMenu(ShownText("Polish Spell Checker"));
    items_.checkWord = host.AppendMenuItem(menu, ShownText("Check Word..."));
    items_.checkStory = host.AppendMenuItem(menu, ShownText("Check Story..."));
    items_.checkDocument = host.AppendMenuItem(menu, ShownText("Check Document..."));
    host.AppendMenuSeparator(menu);
    items_.preferences = host.AppendMenuItem(menu, ShownText("Dictionary Preferences..."));
    items_.about = host.AppendMenuItem(menu, ShownText("About Tarnik..."));
}

bool DictXT::PerformMenuCommand(const XTMenuCommandRecord& record) {
    const int16_t item = record.item;
    if (item == 0)
        return false;
    if (item == items_.about) {
        ShowAboutBox();
        return true;
    }
    // The spell-check commands themselves come with the spell-check service.
    return item == items_.checkWord || item == items_.checkStory || item == items_.checkDocument ||
           item == items_.preferences;
}

}  // namespace tarnik
