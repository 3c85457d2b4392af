// The About box: the shell creates it at start-up and hands it over here; every
// component's "About Tarnik..." item shows it.
#pragma once

#include "platform/xt40_xdlog.h"

namespace tarnik {

// The box to show, or null; the shell keeps ownership.
void SetAboutBox(XT40xdlog* box);

// Runs the About box modally; nothing when there is none or it is gone.
void ShowAboutBox();

}  // namespace tarnik
