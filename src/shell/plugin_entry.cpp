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

int32_t Start(XTRegistrationRecord* record) {
    PluginObjects& plugin = Plugin();
    plugin.main.reset();
    plugin.hyph = TryCreate<HyphXT>();
    plugin.dict = TryCreate<DictXT>();
    plugin.typo = TryCreate<TypoXT>();
    plugin.main =
        std::make_unique<TarnikXT>(plugin.hyph.get(), plugin.dict.get(), plugin.typo.get());
    plugin.main->AttachConfig(std::make_unique<CConfigPrefsData>());
    SetPluginFolder(ModuleFolder());
    return plugin.main->Register(record);
}

}  // namespace

PluginObjects& Plugin() {
    static PluginObjects objects;
    return objects;
}

}  // namespace tarnik

extern "C" int32_t XTActivateCallback(XTRegistrationRecord* record) {
    int32_t result = tarnik::GuardedCall("Start-up", [record] { return tarnik::Start(record); });
    return result == XT_ERR_STATE ? tarnik::kRegistrationRefused : result;
}

extern "C" int32_t aa() {
    return 0;
}

extern "C" int32_t bb() {
    return 0;
}
