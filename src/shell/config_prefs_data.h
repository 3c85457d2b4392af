// The shell's preferences configuration: attached to the main object at
// start-up. The plug-in defines no preference items through it (each component
// keeps its own settings section), so it holds nothing.
#pragma once

#include "framework/xt40_root.h"

namespace tarnik {

class CConfigPrefsData : public XT40Root {};

}  // namespace tarnik
