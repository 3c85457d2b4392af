#include "charsets/ui_text.h"

#include <array>
#include <cstring>

namespace tarnik {

namespace {

constexpr int kWin = 2;
constexpr int kMac = 3;

struct UiTextState {
    PolishCharset storedToShown{kMac, kWin};
    PolishCharset listJump{kWin, kWin};
    std::array<std::array<char, kUiTextBufferSize>, kUiTextBufferCount> buffers{};
    int next = 0;
};

UiTextState& State() {
    thread_local UiTextState state;
    return state;
}

}  // namespace

const char* UiText(const char* text) {
    if (text == nullptr)
        return "";
    UiTextState& state = State();
    char* buffer = state.buffers[state.next].data();
    state.next = (state.next + 1) % kUiTextBufferCount;
    std::size_t length = strnlen(text, kUiTextBufferSize - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    state.storedToShown.ToExternalInPlace(buffer);
    return buffer;
}

void UiText(std::string_view text, std::string& destination) {
    destination = State().storedToShown.ToExternal(text);
}

const PolishCharset& ListJumpCharset() {
    return State().listJump;
}

}  // namespace tarnik
