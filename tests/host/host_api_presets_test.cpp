// HostApi facing a host that supplies no functions at all: every call answers with
// its preset ("none") instead of calling through a missing entry.
#include <gtest/gtest.h>

#include "platform/host_api.h"

namespace {

int32_t NothingThere(uint32_t, XTCallbackProc* table, const uint32_t* request) {
    int32_t count = 0;
    for (int i = 1; request[i] != 0; ++i)
        table[count++] = nullptr;
    return count;
}

TEST(HostApiPresets, MissingCallbacksGiveTheirPresets) {
    XTActivationRecord record{};
    record.size = sizeof record;
    record.getCallbackGroup = NothingThere;
    tarnik::HostApi api;
    EXPECT_EQ(api.FetchCallbackGroups(&record), 83);  // every callback of every group
    EXPECT_TRUE(api.IsActive());
    EXPECT_EQ(api.GetCurrentBox(), 0u);
    EXPECT_EQ(api.GetCurrentDocument(), XT_NO_DOCUMENT);
    EXPECT_FALSE(api.IsTextBox(1));
    EXPECT_EQ(api.NextCharPosition(1, 0, XT_FORWARD), -1);
    EXPECT_EQ(api.FindSpecialChar(1, XT_SPECIAL_ANCHOR, 0, 10), -1);
    tarnik::BoxTextInfo info = api.GetBoxTextInfo(0);
    EXPECT_EQ(info.story, 0u);
    EXPECT_EQ(info.selectionStart, -1);
    EXPECT_EQ(info.length, 0);
    EXPECT_EQ(api.GetListChoice(1, 1), -1);
    EXPECT_EQ(api.GetDialogItemText(1, 1), "");
    EXPECT_EQ(api.GetDialogItemTextUtf16(1, 1), u"");
    EXPECT_NE(api.SetDialogItemTextUtf16(1, 1, u"kot"), 0);
    EXPECT_EQ(api.FindHJ("Standard"), -1);
    EXPECT_EQ(api.NewHandle(4), nullptr);
    EXPECT_NE(api.PutChars(1, 0, 0, nullptr), 0);
}

TEST(HostApiPresets, ABadActivationRecordIsRefused) {
    tarnik::HostApi api;
    XTActivationRecord record{};
    EXPECT_EQ(api.FetchCallbackGroups(&record), XT_ERR_PARAM);
    EXPECT_EQ(api.FetchCallbackGroups(nullptr), XT_ERR_PARAM);
    EXPECT_FALSE(api.IsActive());
    EXPECT_NE(api.InstallCallback(XT_EVENT_IDLE, nullptr), 0);
}

}  // namespace
