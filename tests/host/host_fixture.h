// A host with a document loaded and the fake XTension started in it, so that
// HostApi in this process reaches the host as the plug-in's code does.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_xtension.h"
#include "host/document_file.h"
#include "host/memory_host.h"

namespace fake {

class HostFixture {
  public:
    explicit HostFixture(const std::string& json) {
        std::string error;
        loaded = tarnik::host::LoadDocumentText(json, host, error);
        EXPECT_TRUE(loaded) << error;
        started = host.Start(Entry);
        EXPECT_EQ(started, 0);
    }

    tarnik::host::Document& Doc() { return *host.document; }
    tarnik::host::Story& StoryAt(int index) { return Doc().stories[size_t(index)]; }
    std::u16string Text(int story) { return StoryAt(story).Text(); }
    XTBox Box(const std::string& id) {
        for (size_t i = 0; i < Doc().items.size(); ++i) {
            if (Doc().items[i].id == id)
                return static_cast<XTBox>(i + 1);
        }
        ADD_FAILURE() << "no item " << id;
        return 0;
    }
    void MakeCurrent(const std::string& id) { Doc().current = static_cast<int>(Box(id)) - 1; }

    tarnik::host::MemoryHost host;
    bool loaded = false;
    int32_t started = -1;
};

// A document with one text box "t" (story 0) made current.
inline std::string OneBox(const std::string& text, int start = 0, int end = 0) {
    return R"({"stories": [{"text": ")" + text +
           R"("}], "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [)" +
           std::to_string(start) + ", " + std::to_string(end) + R"(]}]}], "current": "t"})";
}

}  // namespace fake
