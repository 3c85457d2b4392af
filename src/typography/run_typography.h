// The typography engine: corrects Polish typesetting in the text of the current
// text box, in place. It works on the selection, or on the whole story when
// nothing is selected (or everything is), walking the text one character at a
// time and making every change at once through the host.
//
// At each character the first of these rules that acts wins:
//   1  characters of the removed-characters list are deleted;
//   2  a space after a space is deleted;
//   3  spaces after opening and before closing punctuation are removed, and a
//      space is inserted where a letter or digit touches punctuation
//      ("tak ,nie" gives "tak, nie"), except inside numbers (3,14  1.5  10-20),
//      addresses and the spacing exceptions (S.A., m.in.). A character that is
//      both in a remove list and in the insert list of the same side only has
//      its spaces removed, so contradictory lists cannot make the run undo its
//      own edits forever;
//   4  a hyphen or dash between blanks becomes the chosen dash (— for dash
//      style 0, – for any other) and is bound to the space after it;
//   5  a short word of the after-words list is bound to the word after it;
//   6  a number is bound to a unit of the after-digits list ("5 kg", "10 zł.");
//   7  a word of the before-words list is bound to the word before it;
//   8  a space before a number, and
//   9  a space before a roman numeral, are bound;
//  10  quotation marks become „…”, nested ones the inner pair of the settings.
// Binding sets the host's no-break style on the space.
//
// A quotation mark the engine cannot place (between two blanks, or stuck
// between letters) stops the run: the mark is selected and shown, the message
// "Quotation mark between two spaces" or "... two non-spaces" appears, and what
// was changed before stays changed. With guessing on, the engine decides such
// marks by the quotation depth instead; a mark between blanks that it still
// cannot fix stops the run with the first message as well. A caller that set
// Typography().quoteLeft is told of the mark instead, which is left as it is,
// and decides whether the run goes on.
//
// Otherwise the run ends by giving the user back the selection, over the same
// text. Quotation depth counts across paragraphs and starts at 0 in every run.
#pragma once

#include <cstdint>

namespace tarnik {

// Runs the engine on the current box, which must be a text box, with the
// classes built by BuildTypoCharClasses() from Typography().settings.
void RunTypography();

// How far the rules look on either side of the character they examine: a
// token tested as an address or a spacing exception, or a word looked up in a
// list, is never longer. (A run of roman digits, which counts whole however
// long, is the one exception.)
inline constexpr int32_t kTypoLookaround = 4100;

// A long text corrected a piece at a time, so that memory stays small whatever
// its length. The current box's story holds the piece and the text around it:
// at least kTypoLookaround characters before `start`, already corrected, and as
// many after `stop` unless the story ends where the text ends. The run starts
// at `start`, looks ahead to the story's end as if it were the range end of
// RunTypography(), and stops at the first character at or after `stop`. Pieces
// that follow one another, each story keeping the text as the piece before
// left it, give the text that one run over the whole of it gives.
struct TypoPiece {
    int32_t start = 0;
    int32_t stop = 0;
    int depth = 0;        // quotation depth, carried from piece to piece
    bool halted = false;  // a quotation mark ended the run
};

// Runs a piece; afterwards `start` is the first character not yet corrected and
// `depth` the depth there. Quotation marks go to Typography().quoteLeft; without
// one, the first ends the run as in RunTypography().
void RunTypographyPiece(TypoPiece& piece);

}  // namespace tarnik
