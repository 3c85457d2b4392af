#include "platform/about_box.h"

namespace tarnik {

namespace {

XT40xdlog*& AboutBox() {
    static XT40xdlog* box = nullptr;
    return box;
}

}  // namespace

void SetAboutBox(XT40xdlog* box) {
    AboutBox() = box;
}

void ShowAboutBox() {
    if (XT40Root::IsValid(AboutBox()))
        AboutBox()->RunModal();
}

}  // namespace tarnik
