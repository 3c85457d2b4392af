// The walk of a spell-check command through story text, shared by the command
// and the Check Spelling dialog, which drives the rest of the walk from its
// buttons.
//
// The walk checks segments of story text one after the other. Check Word and
// Check Selection: the words at or in the selection. Check Story: from the word
// at the caret to the end of the story, then the text boxes anchored in that
// part; then, when it began after the story's start, and the user agrees, the
// part before it and the boxes anchored there. Check Document: every text box
// of every spread in order, with the boxes anchored in it, except boxes that
// continue a story begun in an earlier box and boxes excluded from output.
// "Anchored in it" goes to any depth: boxes in anchored groups, boxes anchored
// in anchored boxes.
//
// Each word is skipped when the settings skip its kind (all capitals, digits)
// or "Ignore All" named it; changed when "Change All" named it; otherwise
// checked. Both lists know a word whole by its own characters (letters cp1250
// lacks included). A Change All replacement given in the case pattern of the
// word it replaced takes each later word's capitalisation (krul -> król makes
// KRUL KRÓL); one given in another pattern is written as given (polsce ->
// Polsce). At a misspelt word the walk stops with the word selected and in
// view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spellcheck/spell_check_state.h"

namespace tarnik {

// Starts the walk with the segment (the scan must have begun); without one, the
// walk takes the boxes of the spreads (Check Document).
void StartWalk(std::optional<WalkSegment> first);

// Walks on to the next misspelt word: true with it recorded in the check state
// (word, range, suggestions when always suggest is on, the replacement) and
// shown; false when the walk has ended.
bool WalkToNextError();

// Replaces the current misspelt word by `text` (UTF-16, every character kept) in
// its story, the walk moving with it; false when it cannot be written (more than
// kMaxReplacement characters, or refused by the host), and then nothing changes.
bool ReplaceMisspelt(std::u16string_view text);

// cp1250 text (a suggestion) as UTF-16.
std::u16string Cp1250ToUnits(std::string_view text);

// Makes the current document's layout current again, when a document is open.
void MakeLayoutCurrent();

}  // namespace tarnik
