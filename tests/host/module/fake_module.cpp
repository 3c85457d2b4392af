// The fake XTension as a loadable module.
#include "fake_xtension.h"

extern "C" __attribute__((visibility("default"))) int32_t XTActivateCallback(
    XTRegistrationRecord* record) {
    return fake::Entry(record);
}
