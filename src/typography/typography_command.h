// The typography command: "Typography In Box" of the Typography menu, also run
// by the hyphenation command first when its settings ask for it.
#pragma once

namespace tarnik {

// Corrects the current text box (its selection, or its whole story) and the
// text boxes anchored in it, or every text box of the current group. Does
// nothing without a front document, without a current item, or when the item is
// neither a text box nor a group. Reloads the settings first; the whole command
// is one edit command of the host, undone in one step.
void TypographyCommand();

// Runs the engine on the current item: a text box, then each text box anchored
// in its working range (whole stories); or each member of a group in list
// order, made current in turn with the content tool on, groups within groups
// too. Afterwards the last member of a group is the current item.
void TypographyInItem();

}  // namespace tarnik
