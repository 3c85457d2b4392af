#include "framework/xt40_root.h"

namespace tarnik {

namespace {

// The tag is written through a volatile pointer: a store into an object that is
// being destroyed would otherwise be dropped by the optimiser, and the "XXXX"
// left behind is what tells a stale pointer apart.
void WriteTag(char* tag, const char (&text)[5]) {
    volatile char* target = tag;
    for (int i = 0; i < 4; ++i)
        target[i] = text[i];
}

}  // namespace

XT40Root::XT40Root() {
    WriteTag(tag_, "ILAV");
}

XT40Root::XT40Root(const XT40Root&) {
    WriteTag(tag_, "ILAV");
}

XT40Root::~XT40Root() {
    WriteTag(tag_, "XXXX");
}

bool XT40Root::IsValid(const XT40Root* object) {
    if (object == nullptr)
        return false;
    const volatile char* tag = object->tag_;
    return tag[0] == 'I' && tag[1] == 'L' && tag[2] == 'A' && tag[3] == 'V';
}

}  // namespace tarnik
