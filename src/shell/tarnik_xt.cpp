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
    const MenuConditions conditions = ReadMenuConditions();
    for (XTComponent* component : Components()) {
        if (component)
            component->UpdateMenu(conditions);
    }
}

void TarnikXT::PerformCommand(const XTMenuCommandRecord& record) {
    for (XTComponent* component : Components()) {
        if (component)
            component->PerformMenuCommand(record);
    }
}

}  // namespace tarnik
