#include "typography/typography_state.h"

namespace tarnik {

TypographyState& Typography() {
    static TypographyState state;
    return state;
}

void BuildTypoCharClasses() {
    TypographyState& state = Typography();
    state.classes = BuildTypoCharClasses(state.settings);
}

}  // namespace tarnik
