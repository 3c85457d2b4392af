#include "text/stmode.h"

#include "platform/host_api.h"

namespace tarnik {

stmode::stmode(int16_t wanted) : kept_(Host().GetToolMode()), wanted_(wanted) {
    if (kept_ != wanted_)
        Host().SetToolMode(wanted_);
}

stmode::~stmode() {
    if (Host().GetToolMode() != kept_)
        Host().SetToolMode(kept_);
}

}  // namespace tarnik
