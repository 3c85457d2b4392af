// A small XTension for the host's tests: it registers, fetches the callback groups
// at activation through HostApi, installs its handlers, builds one menu and answers
// events, and records what it saw. Linked into the tests directly, and built as a
// loadable module (module/fake_module.cpp).
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/host_api.h"

namespace fake {

inline constexpr uint32_t kDeveloperCode = 0x46414B45;

struct Seen {
    int32_t missingCallbacks = -1;
    std::vector<int32_t> events;  // every event the handler got, in order
    XTMenu menu = 0;
    int16_t first = 0;   // "First": runs a dialog
    int16_t second = 0;  // "Second": asks a question; enabled only with a document
    int16_t dialogResult = 0;
    int16_t answer = 0;
    std::string typed;  // the edit field's text when the dialog closed
};

inline Seen& Record() {
    static Seen seen;
    return seen;
}

inline const XTDialogItemTemplate kItems[] = {
    {1, XT_ITEM_BUTTON, 0, 0, "OK"},
    {2, XT_ITEM_BUTTON, 0, 0, "Cancel"},
    {10, XT_ITEM_EDIT, 0, 0, ""},
    {11, XT_ITEM_CHECKBOX, 0, 0, "Option"},
};
inline const XTDialogTemplate kDialog = {501, 1, 4, "Fake dialog", kItems};

inline int32_t Handler(int32_t event, void* record) {
    tarnik::HostApi& host = tarnik::Host();
    Record().events.push_back(event);
    if (event == XT_EVENT_ACTIVATE) {
        Record().missingCallbacks =
            host.FetchCallbackGroups(static_cast<const XTActivationRecord*>(record));
        for (int32_t e : {XT_EVENT_QUIT, XT_EVENT_SHUTDOWN, XT_EVENT_IDLE, XT_EVENT_NOTICE,
                          XT_EVENT_MENU_INSTALL, XT_EVENT_MENU_UPDATE, XT_EVENT_MENU_COMMAND,
                          XT_EVENT_HYPH_WORD, XT_EVENT_HYPH_METHODS}) {
            host.InstallCallback(e, Handler);
        }
        host.InstallCallback(host.DialogEventCode(), Handler);
    } else if (event == XT_EVENT_MENU_INSTALL) {
        Record().menu = host.CreateMenu("Fake");
        Record().first = host.AppendMenuItem(Record().menu, "First");
        host.AppendMenuSeparator(Record().menu);
        Record().second = host.AppendMenuItem(Record().menu, "Second");
    } else if (event == XT_EVENT_MENU_UPDATE) {
        bool document = host.GetCurrentDocument() != XT_NO_DOCUMENT;
        host.EnableMenuItem(Record().second, document);
        host.SetMenuItemTitle(Record().first, document ? "First \xA3\xF3\x64\x9F" : "First");
    } else if (event == XT_EVENT_MENU_COMMAND) {
        auto* command = static_cast<XTMenuCommandRecord*>(record);
        if (command->item == Record().first) {
            host.RunModalDialog(&kDialog, &Record(), &Record().dialogResult);
        } else if (command->item == Record().second) {
            Record().answer =
                host.ShowMessageBox(host.GetMainWindow(), XT_MB_YESNO, "Fake", "Go on?");
        }
    } else if (event == XT_EVENT_HYPH_WORD) {
        // Breaks after every second letter, and the word's end; an entry count that
        // claims one entry more than the block holds, which the host must not read.
        auto* request = static_cast<XTHyphWordRequest*>(record);
        std::vector<int16_t> ends;
        for (int16_t p = 2; p < request->length; p += 2)
            ends.push_back(p);
        ends.push_back(request->length);
        host.SetHandleSize(request->entries, static_cast<int32_t>(ends.size() * 4));
        auto* entries = static_cast<int16_t*>(host.LockHandle(request->entries));
        for (size_t i = 0; i < ends.size(); ++i) {
            entries[2 * i] = ends[i];
            entries[2 * i + 1] = 0;
        }
        host.UnlockHandle(request->entries);
        request->entryCount = static_cast<int16_t>(ends.size() + 1);
    } else if (event == XT_EVENT_HYPH_METHODS) {
        auto* request = static_cast<XTHyphMethodListRequest*>(record);
        int32_t size = host.GetHandleSize(request->methods);
        host.SetHandleSize(request->methods, size + XT_HYPH_METHOD_RECORD_SIZE);
        auto* block = static_cast<unsigned char*>(host.LockHandle(request->methods));
        std::memset(block + size, 0, XT_HYPH_METHOD_RECORD_SIZE);
        std::memcpy(block + size, "KNRT", 4);
        host.UnlockHandle(request->methods);
    } else if (event == host.DialogEventCode()) {
        auto* dialog = static_cast<XTDialogEventRecord*>(record);
        if (dialog->message == XT_DIALOG_SETUP) {
            host.SetDialogItemText(dialog->dialog, 10, "start");
            host.EnableDialogItem(dialog->dialog, 1, false);
        } else if (dialog->message == XT_DIALOG_HIT && dialog->item == 10) {
            host.EnableDialogItem(dialog->dialog, 1,
                                  !host.GetDialogItemText(dialog->dialog, 10).empty());
        } else if (dialog->message == XT_DIALOG_HIT && (dialog->item == 1 || dialog->item == 2)) {
            host.EndModalDialog(dialog->dialog, dialog->item);
        } else if (dialog->message == XT_DIALOG_CLOSE) {
            static_cast<Seen*>(dialog->userData)->typed =
                host.GetDialogItemText(dialog->dialog, 10);
        }
    }
    return 0;
}

// The entry: ask to be accepted, then wait for activation. Each start is a new
// life of the XTension: the record holds what this start saw.
inline int32_t Entry(XTRegistrationRecord* record) {
    Record() = Seen{};
    tarnik::HostApi& host = tarnik::Host();
    host.UseRegistration(record);
    if (host.AcceptXTension(kDeveloperCode, 0, XT_INTERFACE_VERSION, 0x419A0014) != 0) {
        return 0x51000401;
    }
    host.InstallCallback(XT_EVENT_ACTIVATE, Handler);
    host.InstallCallback(XT_EVENT_DEACTIVATE, Handler);
    return 0;
}

}  // namespace fake
