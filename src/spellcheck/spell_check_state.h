// SpellCheckState: what one spell-check command knows while it runs, one per
// process, reset at the start of every command. The range being walked, the
// selection found at the start and the "Ignore All" / "Change All" lists are the
// word scanner's (text/word_scanner.h).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "spellcheck/dict_settings.h"
#include "speller/user_dictionary.h"
#include "tarnik/xtabi.h"

namespace tarnik {

enum class CheckMode : int16_t {
    kWord = 0,      // Check Word / Check Selection
    kStory = 1,     // Check Story
    kDocument = 2,  // Check Document
};

// Suggestions are made for words of at most this many characters; no word of the
// dictionaries is longer. A longer word is shown and changed whole all the same.
inline constexpr std::size_t kMaxShownWord = 49;

// A stretch of story text the walk has still to check: [start, end) of the
// story of `box` (-1, -1: the whole story), and with `withAnchors` the text
// boxes anchored in it after it.
struct WalkSegment {
    XTBox box = 0;
    int32_t start = -1;
    int32_t end = -1;
    bool withAnchors = false;
};

struct SpellCheckState {
    std::string misspelt;          // cp1250 (its first 319 characters), for the speller
    std::u16string misspeltUnits;  // the word whole, as the story holds it
    std::u16string replacement;    // the first text of "Change To"
    std::vector<std::string> suggestions;
    DictSettings settings;
    UserDictionary* user = nullptr;  // none when user.dic could not be read
    std::string userPath;
    bool errorFound = false;
    int32_t wordsSeen = 0;
    bool done = false;
    CheckMode mode = CheckMode::kWord;
    int32_t wrapPoint = 0;  // where Check Story began; 0: nothing to wrap to
    int32_t wordStart = 0;
    int32_t wordEnd = 0;
    int16_t currentSpread = 0;  // Check Document's walk, spreads from 1
    int16_t lastSpread = 0;
    XTBox currentBox = 0;  // Check Document: the last box taken from the spreads

    // The walk: the segment being checked and those still to come.
    XTBox storyBox = 0;  // the box the command started in
    bool segmentActive = false;
    WalkSegment segment;
    std::deque<WalkSegment> pending;
};

// The process's one state.
SpellCheckState& SpellCheck();

}  // namespace tarnik
