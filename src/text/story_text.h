// Story text as the engines see it: characters of a host story read and written one
// at a time in the internal code, ranges deleted, selected, replaced and shown.
//
// Reading turns the unit U+00AD into DiscretionaryHyphen (31) and every other unit
// into its internal code: a cp1250 byte, or, for a character cp1250 lacks, the
// UTF-16 unit itself (256 or more). Writing is the reverse: 31 goes out as U+001F,
// which the host stores as a discretionary hyphen; a byte goes out as its cp1250
// character; a code of 256 or more goes out as the unit it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/host_api.h"

namespace tarnik {

// What GetCharsAt stores for a character without a cp1250 byte: the control code
// SUB, which is neither letter, digit nor space, so a foreign character cannot pass
// for a Polish letter in a one-byte copy.
inline constexpr uint8_t kForeignCharByte = 0x1A;

// The internal code at `position`; 0 when the story has no character there.
uint16_t GetChar(XTStory story, int32_t position);

// Reads `count` characters from `position` into consecutive bytes of `out`: each
// code below 256 as itself, any other as kForeignCharByte. A count below 1 reads
// nothing. Returns count.
int32_t GetCharsAt(XTStory story, int32_t position, int32_t count, uint8_t* out);

// Inserts one character at `position`; the host's status.
int32_t PutChar(XTStory story, int32_t position, uint16_t code);
int32_t PutCharInCurrentBox(int32_t position, uint16_t code);

// Inserts `text` (internal code) at `position` in the current box's story with one
// host call; the host's status.
int32_t InsertText(int32_t position, std::string_view text);

// Deletes [start, end) of a box's story: 4 when the box holds no text, else the
// host's status.
inline constexpr int16_t kNoTextInBox = 4;
int16_t DeleteBoxText(XTBox box, int32_t start, int32_t end);

// Selects [start, end) in the current box when it holds text.
void SelectInCurrentBox(int32_t start, int32_t end, bool redraw);

// Replaces [start, end) of the current box's story by `text`, leaving a caret after
// it. A text of kMaxReplacement + 1 characters or more, or a range the host cannot
// delete, changes nothing and gives false. On success `delta` is the change in
// length (text length - (end - start)): the caller moves every position it holds
// behind `end` by it.
inline constexpr int32_t kMaxReplacement = 255;
bool ReplaceRange(int32_t start, int32_t end, std::string_view text, int32_t& delta);
// The same with the story's own UTF-16 units, which keep every character (a
// letter cp1250 lacks included) as it is.
bool ReplaceRange(int32_t start, int32_t end, std::u16string_view units, int32_t& delta);

// The UTF-16 units of [start, end) of a story as the host holds them; empty when
// the range cannot be read.
std::u16string GetUnits(XTStory story, int32_t start, int32_t end);

// Selects [start, end) in the current box and brings the box that shows `start`
// into view.
void ShowTextRange(int32_t start, int32_t end);

}  // namespace tarnik
