#include "shell/tarnik_xt.h"

#include "hyphcommands/hyph_service.h"
#include "hyphcommands/hyph_xt.h"
#include "spellcheck/dict_xt.h"
#include "typocommands/typo_xt.h"

namespace tarnik {

TarnikXT::TarnikXT(HyphXT* hyph, DictXT* dict, TypoXT* typo, bool chooseSettings)
    : hyph_(hyph), dict_(dict), typo_(typo) {
    SetDeveloperCode(kTarnikDeveloperCode);
    SetXTensionName("Tarnik11", chooseSettings);
    SetIdCode("TRNk");
}

std::array<XTComponent*, 3> TarnikXT::Components() const {
    return {hyph_, dict_, typo_};
}

MenuItemNumbers TarnikXT::CommandItems() const {
    MenuItemNumbers items;
    if (hyph_) {
        items.hyphenate = hyph_->Items().hyphenate;
        items.removeHyphens = hyph_->Items().removeHyphens;
        items.suggestHyphenation = hyph_->Items().suggest;
        items.removeHyphensFromDocument = hyph_->Items().removeFromDocument;
    }
    if (dict_) {
        items.checkWord = dict_->Items().checkWord;
        items.checkStory = dict_->Items().checkStory;
        items.checkDocument = dict_->Items().checkDocument;
    }
    if (typo_)
        items.typography = typo_->Items().typography;
    return items;
}

void TarnikXT::Quit() {
    CloseHyphenation();
}

void TarnikXT::Notice(const XTNoticeRecord& record) {
    for (XTComponent* component : Components()) {
        if (component)
            component->HostNotice(record);
    }
}

void TarnikXT::InstallMenus(const XTMenuInstallRecord& record) {
    for (XTComponent* component : Components()) {
        if (component)
            component->InstallMenu(record);
    }
}

void TarnikXT::UpdateMenus() {
    UpdateMenuItems(ReadMenuConditions(), CommandItems());
}

void TarnikXT::PerformCommand(const XTMenuCommandRecord& record) {
    for (XTComponent* component : Components()) {
        if (component)
            component->PerformMenuCommand(record);
    }
}

}  // namespace tarnik
