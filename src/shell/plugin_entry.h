// The module's exported entry and its process-wide objects.
//
// The host's first call, XTActivateCallback, creates the components HyphXT,
// DictXT and TypoXT in this order (a component that fails to construct stays
// absent), then the main object TarnikXT with its configuration object, takes
// the plug-in folder (the folder of the module file) and registers with the
// host: 0, or kRegistrationRefused when the host refuses the plug-in. A second
// call starts afresh.
//
// aa and bb return 0 and do nothing else.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hyphcommands/hyph_xt.h"
#include "shell/tarnik_xt.h"
#include "spellcheck/dict_xt.h"
#include "tarnik/xtabi.h"
#include "typocommands/typo_xt.h"

extern "C" {
XT_EXPORT int32_t XTActivateCallback(XTRegistrationRecord* record);
XT_EXPORT int32_t aa();
XT_EXPORT int32_t bb();
}

namespace tarnik {

struct PluginObjects {
    std::unique_ptr<HyphXT> hyph;
    std::unique_ptr<DictXT> dict;
    std::unique_ptr<TypoXT> typo;
    std::unique_ptr<TarnikXT> main;
};

PluginObjects& Plugin();

// The components a start creates.
enum PluginComponent : unsigned {
    kHyphenationComponent = 1,
    kSpellingComponent = 2,
    kTypographyComponent = 4,
    kAllComponents = 7,
};

// How the plug-in starts: as a host starts it (every component, its own folder,
// its settings file chosen), or as a run that gives its places as values.
struct PluginStart {
    unsigned components = kAllComponents;
    std::string pluginFolder;    // empty: the folder of the module file
    bool chooseSettings = true;  // false: the caller sets the settings store
};

// What XTActivateCallback does, with the start given.
int32_t StartPlugin(XTRegistrationRecord* record, const PluginStart& start);

}  // namespace tarnik
