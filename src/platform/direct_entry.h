// An XTension entry that only connects HostApi to the host: it asks the host to
// accept it and, at activation, fetches the callback groups. Programs that link
// the plug-in's code directly and run one of its commands without the shell
// (`tarnik typo`, tests) start the host with it.
#pragma once

#include "tarnik/xtabi.h"

namespace tarnik {

int32_t DirectEntry(XTRegistrationRecord* record);

}  // namespace tarnik
