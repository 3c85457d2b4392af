// The hyphenation commands of the "Polish Hyphenation" menu that change text.
// Each works on the current text box (its selection, or its whole story) and
// the text boxes anchored in it, or on every text box of the current group, and
// is one edit command of the host, undone in one step. None does anything
// without a document and a current text box or group.
#pragma once

namespace tarnik {

// "Hyphenate Box / Boxes / Selection": opens the dictionary when it is closed
// (a failure is shown and ends the command), runs the typography command on the
// same item first when the settings ask for it, then hyphenates.
void HyphenateCommand();

// "Remove Hyphens From Box / Boxes / Selection".
void RemoveHyphensCommand();

// "Remove hyphens from document": asks first; then every text box on the
// document's spreads (the last spread first), except items excluded from
// output, loses its points over its whole story, anchored boxes included. Each
// box is left with a caret at its start.
void RemoveAllHyphensCommand();

}  // namespace tarnik
