// The in-memory host: a page-layout host without pages, which keeps documents,
// menus and dialogs in memory and talks to an XTension across include/tarnik/xtabi.h
// exactly as a desktop host would.
//
// One host is active per process (the newest constructed); the host functions handed
// to the XTension act on it. Everything the XTension can change is a public member
// here, so that tests and the tarnik command can set it up and look at it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/dialogs.h"
#include "host/document.h"
#include "host/menu_bar.h"
#include "tarnik/xtabi.h"

// The blocks behind XTHandle and XTHostString.
struct XTHandleRecord {
    std::vector<unsigned char> data;
    int locks = 0;
};
struct XTHostStringRecord {
    std::u16string text;
};

namespace tarnik::host {

struct ShownMessage {
    int16_t style = XT_MB_OK;
    std::string title;  // UTF-8
    std::string text;   // UTF-8
    int16_t answer = 0;
    bool failure = false;  // shown as an error (XT_MB_ICONERROR): something was not saved
};

struct ShownDialog {
    DialogState state;  // as it stood when it closed
    int16_t closingItem = 0;
};

struct HyphenationMethod {
    uint32_t id = 0;
    int16_t value1 = 0;
    int16_t value2 = 0;
    std::u16string name;
    uint64_t languagesLow = 0;
    uint64_t languagesHigh = 0;
    int32_t flags = 0;
};

class MemoryHost {
  public:
    MemoryHost();
    ~MemoryHost();
    MemoryHost(const MemoryHost&) = delete;
    MemoryHost& operator=(const MemoryHost&) = delete;

    // The host the host functions act on, or nullptr.
    static MemoryHost* Active();

    // --- What the host shows and keeps.
    std::optional<Document> document;  // none: no document open
    int16_t language = XT_LANGUAGE_ENGLISH;
    int16_t toolMode = XT_TOOL_CONTENT;
    uint32_t featureFlags = XT_FEATURE_INTERNATIONAL;
    MenuBar menus;
    std::vector<ShownMessage> messages;
    std::vector<ShownDialog> dialogs;
    std::vector<HyphenationMethod> hyphenationMethods;
    int16_t busyCursor = 0;      // -1 while the XTension shows it busy
    int textUpdateOffDepth = 0;  // TextUpdateOff calls not yet balanced
    int16_t textUpdateMode = 1;  // last SetTextUpdateMode
    XTBox scrolledTo = 0;        // last box ScrollToSelection brought into view
    XTPort drawingPort = 1;      // 1 is the host's own window, 2 the document window
    int redraws = 0;
    bool refuseRegistration = false;  // answer acceptXTension with a refusal

    // --- Edit commands: each outermost BeginEditCommand/EndEditCommand pair is one undo step.
    int32_t BeginEditCommand();
    int32_t EndEditCommand();
    int EditDepth() const { return editDepth_; }
    size_t UndoSteps() const { return undo_.size(); }
    // Takes back the last edit command; false when there is none.
    bool Undo();
    // Forgets every undo step (each holds a copy of the document): for a run
    // that edits one document many times and never takes an edit back.
    void ForgetUndo() { undo_.clear(); }

    // --- Dialogs. Without a driver, dialogs close with Cancel at once and message boxes
    // get DeclineAnswer.
    void SetDialogDriver(DialogDriver* driver) { driver_ = driver; }
    int32_t RunModalDialog(const XTDialogTemplate* dialogTemplate, void* userData,
                           int16_t* itemHit);
    int32_t EndModalDialog(XTDialog dialog, int16_t item);
    DialogState* FindDialog(XTDialog dialog);
    int16_t ShowMessageBox(int16_t style, const std::string& title, const std::string& text);

    // --- Memory handles and host strings; stale or foreign ones are refused.
    XTHandle NewHandle(size_t size);
    XTHandleRecord* FindHandle(XTHandle handle);
    bool DisposeHandle(XTHandle handle);
    XTHostString NewHostString(std::u16string text);
    XTHostStringRecord* FindHostString(XTHostString string);
    bool ReleaseHostString(XTHostString string);
    size_t LiveHandles() const { return handles_.size() + strings_.size(); }

    // --- Driving an XTension.
    // Registers it through its entry, activates it and sends the menu installation.
    // Returns the entry's result when it is not 0, XT_ERR_STATE when the XTension
    // registered but did not install an activation handler, else 0.
    int32_t Start(XTActivateCallbackProc entry);
    bool Accepted() const { return accepted_; }
    bool HasHandler(int32_t event) const { return handlers_.count(event) != 0; }
    // Sends an event to its handler; XT_ERR_NO_HANDLER when none is installed.
    int32_t SendEvent(int32_t event, void* record);
    int32_t UpdateMenus();                 // a menu is about to open
    int32_t ChooseMenuItem(int16_t item);  // XT_ERR_PARAM for an unknown or disabled item
    void Idle();
    void Quit();  // quit, shutdown, deactivation
    // Asks the XTension's hyphenation method for the break points of a cp1250 word:
    // the entries' positions.
    std::vector<int16_t> HyphenationBreaks(const std::string& word);
    // Collects the 96-byte method records XTensions append.
    std::vector<std::vector<unsigned char>> CollectHyphenationMethods();

    // Called by the host functions of the registration and activation records.
    int32_t Accept(uint32_t developerCode, uint32_t version);
    int32_t InstallCallback(int32_t event, XTEventHandler handler);

  private:
    std::map<int32_t, XTEventHandler> handlers_;
    bool accepted_ = false;
    uint32_t developerCode_ = 0;
    XTActivationRecord activation_{};
    int editDepth_ = 0;
    std::optional<Document> pendingUndo_;
    std::vector<std::optional<Document>> undo_;
    DialogDriver* driver_ = nullptr;
    std::vector<std::unique_ptr<DialogState>> openDialogs_;
    std::map<XTDialog, int16_t> dialogEnds_;
    XTDialog nextDialog_ = 1;
    std::map<XTHandle, std::unique_ptr<XTHandleRecord>> handles_;
    std::map<XTHostString, std::unique_ptr<XTHostStringRecord>> strings_;
};

}  // namespace tarnik::host
