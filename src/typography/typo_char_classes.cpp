#include "typography/typo_char_classes.h"

#include <string_view>

namespace tarnik {

namespace {

void Mark(TypoCharClasses& classes, std::string_view characters, uint16_t bit) {
    for (char c : characters)
        classes.masks[static_cast<unsigned char>(c)] |= bit;
}

void MarkCodes(TypoCharClasses& classes, std::initializer_list<uint16_t> codes, uint16_t bit) {
    for (uint16_t code : codes)
        classes.masks[code] |= bit;
}

}  // namespace

TypoCharClasses BuildTypoCharClasses(const TypoSettings& settings) {
    TypoCharClasses classes;
    MarkCodes(classes, {' ', kNoBreakSpace, 15, 16}, kTypoSpace);
    if (settings.fixQuotes) {
        MarkCodes(classes,
                  {kRightSingleQuote, '"', kLowDoubleQuote, kRightDoubleQuote, kLeftDoubleQuote,
                   kLeftGuillemet, kRightGuillemet},
                  kTypoQuote);
        switch (settings.innerQuoteStyle) {
            case kInnerSingle:
                classes.innerOpen = kRightSingleQuote;
                classes.innerClose = kRightSingleQuote;
                break;
            case kInnerGuillemets:
                classes.innerOpen = kLeftGuillemet;
                classes.innerClose = kRightGuillemet;
                break;
            case kInnerReversedGuillemets:
                classes.innerOpen = kRightGuillemet;
                classes.innerClose = kLeftGuillemet;
                break;
            default:
                break;  // „ ”, already set
        }
    }
    if (settings.removeSpacesBefore)
        Mark(classes, settings.removeSpacesBeforeChars, kTypoRemoveSpaceBefore);
    if (settings.removeSpacesAfter)
        Mark(classes, settings.removeSpacesAfterChars, kTypoRemoveSpaceAfter);
    if (settings.insertSpacesBefore)
        Mark(classes, settings.insertSpacesBeforeChars, kTypoInsertSpaceBefore);
    if (settings.insertSpacesAfter)
        Mark(classes, settings.insertSpacesAfterChars, kTypoInsertSpaceAfter);
    MarkCodes(classes, {'-', kEmDashCode, kEnDashCode}, kTypoDash);
    MarkCodes(classes, {4, 7, 10, 11, 13, 29}, kTypoBreak);
    Mark(classes, ".,:;?!", kTypoSentencePunct);
    MarkCodes(classes, {9, 11, 12}, kTypoSeparator);
    Mark(classes, "([{", kTypoOpenBracket);
    Mark(classes, ")]}", kTypoCloseBracket);
    Mark(classes, "CDILMVX", kTypoRomanDigit);
    if (settings.removeChars)
        Mark(classes, settings.removeCharsList, kTypoRemoveChar);
    classes.dash = settings.dashStyle == kEmDash ? kEmDashCode : kEnDashCode;
    return classes;
}

}  // namespace tarnik
