// The plug-in's numbered string table: a description for each error number of
// the dictionary container, so that a message can say what "Error: 510" means.
// A number is the error number as an unsigned 16-bit value (-43 is 65493).
#pragma once

#include <cstdint>

namespace tarnik {

// The string numbered `number`, then "\r\n" and `suffix` when there is one, or
// only `suffix` when the table has no such string (a null suffix counts as
// empty), cut to 254 bytes. The result lives in one shared buffer, which the
// next call overwrites.
const char* LoadStringResource(uint16_t number, const char* suffix);

}  // namespace tarnik
