#include "spellcheck/spell_check_state.h"

namespace tarnik {

SpellCheckState& SpellCheck() {
    static SpellCheckState state;
    return state;
}

}  // namespace tarnik
