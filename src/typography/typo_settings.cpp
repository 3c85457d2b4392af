#include "typography/typo_settings.h"

namespace tarnik {

const char* const kDefaultAfterWords =
    "a A e E i I o O u U w W z Z do Do na Na po od Od Po za Za nad Nad pod Pod przy Przy przed "
    "Przed II III IV V VI VII VIII IX X XI XII XIII XIV XV XVI XVII XVIII XIX XX XXI";
// "zł" in cp1250: ł is 0xB3.
const char* const kDefaultAfterDigits =
    "$ cm DM g GB Gb gB gb gr KB Kb kB kb ha kG kg km KM m MB Mb mB mb mm z\xB3";
const char* const kDefaultBeforeWords = "Sp. o.o. S.A. SA";
const char* const kDefaultSpaceExceptions = "S.A. o.o. m.in.";

TypoSettings::TypoSettings()
    : afterWordsList(kDefaultAfterWords),
      afterDigitsList(kDefaultAfterDigits),
      beforeWordsList(kDefaultBeforeWords),
      spaceExceptionsList(kDefaultSpaceExceptions) {}

std::string WithoutBlanks(std::string_view list) {
    std::string result;
    for (char c : list) {
        if (c != ' ' && c != '\t')
            result.push_back(c);
    }
    return result;
}

}  // namespace tarnik
