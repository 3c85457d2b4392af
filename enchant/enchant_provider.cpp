// enchant_tarnik.so: Tarnik as a spelling provider of Enchant 2, the library
// through which GTK programs (gedit, GNOME Text Editor, Geany, Evolution, Pidgin,
// AbiWord ...) check spelling. Enchant loads the module from its module folder
// and calls init_enchant_provider; the provider, named "tarnik", offers Polish
// ("pl" and "pl_PL"): the check, Tarnik's ranked suggestions, and words added to
// the personal list (Tarnik's user dictionary, the one the plug-in and tarnik
// use) or to the session.
//
// The module finds its data in the folder XTensions beside its own file (the
// file a link in Enchant's folder points to): in a build folder, and where
// cmake --install put the module, PREFIX/lib/tarnik, beside the data.
//
// A process holds one speller, so every dictionary Enchant asks for shares it:
// it is opened with the first and closed with the last. No C++ exception
// crosses into Enchant.
#include <dlfcn.h>
#include <enchant-provider.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "services/speller.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kTags[] = {"pl_PL", "pl"};

// What the provider keeps: the speller shared by its dictionaries.
struct ProviderState {
    std::unique_ptr<tarnik::services::Speller> speller;
    int dictionaries = 0;
};

ProviderState& State(EnchantProvider* me) {
    return *static_cast<ProviderState*>(me->user_data);
}

tarnik::services::Speller& SpellerOf(EnchantDict* dict) {
    return *static_cast<tarnik::services::Speller*>(dict->user_data);
}

// The tags Tarnik answers for: pl and pl_PL, also as pl-PL or with an
// encoding (pl_PL.UTF-8).
bool IsPolishTag(const char* tag) {
    std::string name = tag ? tag : "";
    name = name.substr(0, name.find('.'));
    return name == "pl" || name == "pl_PL" || name == "pl-PL";
}

// XTensions beside the real file of this module.
std::string DataFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DataFolder), &info) == 0 || !info.dli_fname)
        return "XTensions";
    std::error_code error;
    fs::path module = fs::canonical(info.dli_fname, error);
    if (error)
        module = info.dli_fname;
    return (module.parent_path() / "XTensions").string();
}

char** StringList(const std::vector<std::string>& strings, size_t* count) {
    char** list = g_new0(char*, strings.size() + 1);
    for (size_t i = 0; i < strings.size(); ++i)
        list[i] = g_strdup(strings[i].c_str());
    *count = strings.size();
    return list;
}

int Check(EnchantDict* me, const char* const word, size_t length) {
    try {
        return SpellerOf(me).Check(std::string_view(word, length)) ? 0 : 1;
    } catch (const std::exception& failure) {
        enchant_dict_set_error(me, failure.what());
        return -1;
    }
}

char** Suggest(EnchantDict* me, const char* const word, size_t length, size_t* count) {
    *count = 0;
    try {
        std::vector<std::string> suggestions =
            SpellerOf(me).Suggest(std::string_view(word, length));
        return suggestions.empty() ? nullptr : StringList(suggestions, count);
    } catch (const std::exception& failure) {
        enchant_dict_set_error(me, failure.what());
        return nullptr;
    }
}

void AddToPersonal(EnchantDict* me, const char* const word, size_t length) {
    try {
        tarnik::services::Speller& speller = SpellerOf(me);
        std::string_view text(word, length);
        // A word the user dictionary cannot hold as written still passes for
        // the session; Enchant keeps it in its own personal list too.
        if (std::optional<tarnik::Error> problem = speller.Add(text)) {
            speller.Accept(text);
            enchant_dict_set_error(me, problem->Message().c_str());
        }
    } catch (const std::exception& failure) {
        enchant_dict_set_error(me, failure.what());
    }
}

void AddToSession(EnchantDict* me, const char* const word, size_t length) {
    try {
        SpellerOf(me).Accept(std::string_view(word, length));
    } catch (const std::exception& failure) {
        enchant_dict_set_error(me, failure.what());
    }
}

EnchantDict* RequestDict(EnchantProvider* me, const char* const tag) {
    if (!IsPolishTag(tag))
        return nullptr;
    try {
        ProviderState& state = State(me);
        if (!state.speller) {
            auto speller = std::make_unique<tarnik::services::Speller>();
            if (std::optional<tarnik::Error> problem = speller->Open({DataFolder(), ""}, {})) {
                enchant_provider_set_error(me, problem->Message().c_str());
                return nullptr;
            }
            state.speller = std::move(speller);
        }
        EnchantDict* dict = g_new0(EnchantDict, 1);
        dict->user_data = state.speller.get();
        dict->check = Check;
        dict->suggest = Suggest;
        dict->add_to_personal = AddToPersonal;
        dict->add_to_session = AddToSession;
        ++state.dictionaries;
        return dict;
    } catch (const std::exception& failure) {
        enchant_provider_set_error(me, failure.what());
        return nullptr;
    }
}

void DisposeDict(EnchantProvider* me, EnchantDict* dict) {
    ProviderState& state = State(me);
    g_free(dict);
    if (--state.dictionaries == 0)
        state.speller.reset();
}

int DictionaryExists(EnchantProvider*, const char* const tag) {
    return IsPolishTag(tag) ? 1 : 0;
}

const char* Identify(EnchantProvider*) {
    return "tarnik";
}

const char* Describe(EnchantProvider*) {
    return "Tarnik Polish Provider";
}

char** ListDicts(EnchantProvider*, size_t* count) {
    return StringList(std::vector<std::string>(std::begin(kTags), std::end(kTags)), count);
}

void Dispose(EnchantProvider* me) {
    delete &State(me);
    g_free(me);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) EnchantProvider* init_enchant_provider() {
    auto* state = new (std::nothrow) ProviderState;
    if (!state)
        return nullptr;
    EnchantProvider* provider = g_new0(EnchantProvider, 1);
    provider->user_data = state;
    provider->dispose = Dispose;
    provider->request_dict = RequestDict;
    provider->dispose_dict = DisposeDict;
    provider->dictionary_exists = DictionaryExists;
    provider->identify = Identify;
    provider->describe = Describe;
    provider->list_dicts = ListDicts;
    return provider;
}
