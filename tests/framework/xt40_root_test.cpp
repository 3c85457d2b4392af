#include "framework/xt40_root.h"

#include <gtest/gtest.h>

#include <new>
#include <string_view>

namespace tarnik {
namespace {

class Window : public XT40Root {};

TEST(XT40RootTest, TagReadsValidWhileTheObjectLivesAndNotAfter) {
    EXPECT_FALSE(XT40Root::IsValid(nullptr));
    // Storage of our own, so that the object's bytes can still be read after
    // its destruction, as a stale pointer kept elsewhere would read them.
    alignas(Window) unsigned char storage[sizeof(Window)];
    Window* window = new (storage) Window;
    EXPECT_TRUE(XT40Root::IsValid(window));
    Window copy(*window);
    EXPECT_TRUE(XT40Root::IsValid(&copy));
    window->~Window();
    std::string_view bytes(reinterpret_cast<const char*>(storage), sizeof storage);
    EXPECT_NE(bytes.find("XXXX"), std::string_view::npos);
    EXPECT_EQ(bytes.find("ILAV"), std::string_view::npos);
}

}  // namespace
}  // namespace tarnik
