// The plug-in's own translations: its menu titles, messages and dialogs in
// Polish. The shell registers them at menu installation, before any menu is
// built, so that menu titles are already translated when menus are created.
#pragma once

namespace tarnik {

// Fills the string and dialog tables with every Polish translation of the
// plug-in (language kPolishLanguage).
void RegisterPluginTranslations();

}  // namespace tarnik
