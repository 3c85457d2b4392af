#include "shell/plugin_entry.h"

#include "platform/guarded_call.h"
#include "platform/plugin_folder.h"
#include "shell/config_prefs_data.h"
#include "shell/module_place.h"

namespace tarnik {

namespace {

template <class Component>
std::unique_ptr<Component> TryCreate() {
    try {
        return std::make_unique<Component>();
    } catch (...) {
        return nullptr;
    }
}

template <class Component>
std::unique_ptr<Component> TryCreate(const PluginStart& start, PluginComponent which) {
    return start.components & which ? TryCreate<Component>() : nullptr;
}

}  // namespace

int32_t StartPlugin(XTRegistrationRecord* record, const PluginStart& start) {
    int32_t result = GuardedCall("Start-up", [record, &start] {
        PluginObjects& plugin = Plugin();
        plugin.main.reset();
        plugin.hyph = TryCreate<HyphXT>(start, kHyphenationComponent);
        plugin.dict = TryCreate<DictXT>(start, kSpellingComponent);
        plugin.typo = TryCreate<TypoXT>(start, kTypographyComponent);
        plugin.main = std::make_unique<TarnikXT>(plugin.hyph.get(), plugin.dict.get(),
                                                 plugin.typo.get(), start.chooseSettings);
        plugin.main->AttachConfig(std::make_unique<CConfigPrefsData>());
        SetPluginFolder(start.pluginFolder.empty() ? ModuleFolder() : start.pluginFolder);
        return plugin.main->Register(record);
    });
    return result == XT_ERR_STATE ? kRegistrationRefused : result;
}

PluginObjects& Plugin() {
    static PluginObjects objects;
    return objects;
}

}  // namespace tarnik

extern "C" int32_t XTActivateCallback(XTRegistrationRecord* record) {
    return tarnik::StartPlugin(record, {});
}

extern "C" int32_t aa() {
    return 0;
}

extern "C" int32_t bb() {
    return 0;
}
