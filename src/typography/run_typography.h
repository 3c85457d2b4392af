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
// cannot fix stops the run with the first message as well.
//
// Otherwise the run ends by giving the user back the selection, over the same
// text. Quotation depth counts across paragraphs and starts at 0 in every run.
#pragma once

namespace tarnik {

// Runs the engine on the current box, which must be a text box, with the
// classes built by BuildTypoCharClasses() from Typography().settings.
void RunTypography();

}  // namespace tarnik
