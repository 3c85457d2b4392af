#include "hyphcommands/chyph_prefs_dialog.h"

#include "hyphcommands/cdlg_hyph_exc.h"
#include "hyphcommands/hyph_service.h"
#include "platform/dialog_resources.h"

namespace tarnik {

namespace {

constexpr uint16_t kHyphPrefsDialog = 31103;

// A check box and the setting it shows.
struct SettingBox {
    int16_t item;
    int32_t HyphSettings::*setting;
};

const SettingBox kBoxes[] = {
    {1014, &HyphSettings::typographyFirst}, {1015, &HyphSettings::skipCapitals},
    {1016, &HyphSettings::skipMixedCase},   {1017, &HyphSettings::autoHyphenationOff},
    {1018, &HyphSettings::useExceptions},
};

}  // namespace

CHyphPrefsDialog::CHyphPrefsDialog() : XT40xdlog(kHyphPrefsDialog) {}

void CHyphPrefsDialog::SetUp() {
    const HyphSettings& settings = Hyphenation().settings;
    for (const SettingBox& box : kBoxes)
        Item(box.item).SetChecked(settings.*box.setting != 0);
}

void CHyphPrefsDialog::ItemHit(int16_t item, int16_t listAction) {
    if (item == kEditExceptionsItem) {
        CdlgHyphExc().RunModal();
        return;
    }
    if (item == kOkItem) {
        HyphSettings& settings = Hyphenation().settings;
        for (const SettingBox& box : kBoxes)
            settings.*box.setting = Item(box.item).IsChecked() ? 1 : 0;
        SaveHyphSettings();
        LoadHyphSettings();
    }
    XT40xdlog::ItemHit(item, listAction);
}

void ShowHyphPreferences() {
    if (OpenHyphenation(true) != 0)
        return;
    CHyphPrefsDialog().RunModal();
}

}  // namespace tarnik
