// HostApi: the plug-in's one way to the host.
//
// At registration the shell hands over the host's registration record; at activation
// FetchCallbackGroups copies the activation record and asks the host for every group
// of host functions, one request per group. Each method below calls one host function.
// A method that reports through a result is given a preset first (-1 for positions,
// 0 for handles, 65535 for document numbers) and returns it unchanged when the host has
// nothing to report, or when the function is missing: "none" is never a crash.
// Out-pointer arguments must not be null. Texts passed in and out are cp1250, as the
// host expects them from the plug-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tarnik/xtabi.h"

namespace tarnik {

struct BoxTextInfo {
    XTStory story = 0;
    int32_t selectionStart = -1;
    int32_t selectionEnd = -1;
    int32_t length = 0;
};

class HostApi {
  public:
    // --- Registration and activation.
    void UseRegistration(const XTRegistrationRecord* record);
    int32_t AcceptXTension(uint32_t developerCode, uint32_t reserved, uint32_t version,
                           uint32_t flags);
    // Through the activation record once activated, else the registration record.
    int32_t InstallCallback(int32_t event, XTEventHandler handler, int32_t kind = 5,
                            int32_t priority = 200, int32_t flags = 0);
    // Copies the record and fetches every callback group; the count of callbacks the
    // host did not supply (0 when all are there), or XT_ERR_PARAM for a bad record.
    int32_t FetchCallbackGroups(const XTActivationRecord* record);
    bool IsActive() const { return active_; }
    int32_t DialogEventCode() const { return activation_.dialogEvent; }
    const XTRegistrationRecord* Registration() const { return registration_; }

    // --- Items.
    XTBox GetCurrentBox();
    int32_t SetCurrentBox(XTBox box);
    bool IsBoxValid(XTBox box);
    bool IsTextBox(XTBox box);
    bool IsGroup(XTBox box);
    int32_t GetBoxContentType(XTBox box);
    // The members of a group as a host handle of XTBox values; the caller disposes it.
    int32_t GetGroupItems(XTBox group, XTHandle* list, int16_t* count);
    XTBox GetAnchoredBox(XTStory story, int32_t position);
    bool HasAnchoredBoxes(XTBox box);
    XTBox GetBoxAtTextPosition(XTStory story, int32_t position);

    // --- Documents.
    uint16_t GetCurrentDocument();  // XT_NO_DOCUMENT when none
    int32_t PrepareDocument(uint16_t document);
    int16_t CountSpreads();
    XTBox GetFirstBoxOfSpread(int16_t spread);  // spreads count from 1
    XTBox GetNextBox(XTBox box);
    int32_t QueryStoryFlag(XTBox box);
    int32_t QueryBoxFlag(XTBox box);

    // --- Text. Box 0 is the current box.
    BoxTextInfo GetBoxTextInfo(XTBox box);
    int32_t GetChars(XTStory story, int32_t position, int32_t count, uint16_t* dest, int32_t* read);
    int32_t PutChars(XTStory story, int32_t position, int32_t count, const uint16_t* units);
    int32_t DeleteTextRange(XTStory story, int32_t start, int32_t end);
    int32_t NextCharPosition(XTStory story, int32_t position, int16_t direction);    // -1: none
    int32_t FindSpecialChar(XTStory story, int16_t kind, int32_t from, int32_t to);  // -1: none
    int32_t SetTextSelection(XTStory story, int32_t start, int32_t end, bool redraw);
    uint32_t GetSelectionStyleFlags(XTStory story, int16_t which = XT_STYLE_FLAGS,
                                    int32_t reserved1 = 0, int32_t reserved2 = 0);
    int32_t SetSelectionStyleFlags(XTStory story, int16_t selector, uint32_t bits);
    int32_t TextUpdateOff();
    int32_t TextUpdateOn();
    int32_t SetTextUpdateMode(int16_t mode);
    int32_t ScrollToSelection(XTBox box);

    // --- Editing.
    int32_t BeginEditCommand(int16_t kind, int16_t flags);
    int32_t EndEditCommand();
    int16_t GetToolMode();  // 0 when unknown
    int32_t SetToolMode(int16_t mode);

    // --- Drawing.
    XTPort GetDrawingPort();
    int32_t SetDrawingPort(XTPort port);
    XTPort GetFrontWindowPort();
    int32_t RedrawWindow(XTPort port);

    // --- Menus.
    XTMenu CreateMenu(const char* title);                    // 0 when refused
    int16_t AppendMenuItem(XTMenu menu, const char* title);  // 0 when refused
    int32_t AppendMenuSeparator(XTMenu menu);
    int32_t EnableMenuItem(int16_t item, bool enabled);
    int32_t SetMenuItemTitle(int16_t item, const char* title);

    // --- Dialogs, message boxes, the cursor.
    int32_t RunModalDialog(const XTDialogTemplate* dialogTemplate, void* userData,
                           int16_t* itemHit);
    int32_t EndModalDialog(XTDialog dialog, int16_t item);
    std::string GetDialogItemText(XTDialog dialog, int16_t item);
    int32_t SetDialogItemText(XTDialog dialog, int16_t item, const char* text);
    // The same in UTF-16, for texts cp1250 cannot hold.
    std::u16string GetDialogItemTextUtf16(XTDialog dialog, int16_t item);
    int32_t SetDialogItemTextUtf16(XTDialog dialog, int16_t item, std::u16string_view text);
    int32_t EnableDialogItem(XTDialog dialog, int16_t item, bool enabled);
    bool IsDialogItemEnabled(XTDialog dialog, int16_t item);
    int32_t SetDialogItemChecked(XTDialog dialog, int16_t item, bool checked);
    bool GetDialogItemChecked(XTDialog dialog, int16_t item);
    int32_t SetRadioChoice(XTDialog dialog, int16_t group, int16_t item);
    int16_t GetRadioChoice(XTDialog dialog, int16_t group);  // 0 when none is chosen
    int32_t ClearListRows(XTDialog dialog, int16_t item);
    int32_t AppendListRow(XTDialog dialog, int16_t item, const char* text);
    int32_t CountListRows(XTDialog dialog, int16_t item);
    std::string GetListRow(XTDialog dialog, int16_t item, int32_t row);
    int32_t GetListChoice(XTDialog dialog, int16_t item);  // -1 when no row is chosen
    int32_t SetListChoice(XTDialog dialog, int16_t item, int32_t row);
    int16_t ShowMessageBox(XTWindow owner, int16_t style, const char* title, const char* text);
    XTWindow GetMainWindow();
    int32_t SetBusyCursor(int16_t state);

    // --- Paragraphs, H&J specifications, hyphenation methods.
    int32_t GetParagraphRun(XTStory story, int32_t index, int32_t* start, int32_t* length);
    int32_t GetParagraphAttribute(XTStory story, int32_t index, int16_t attribute);  // -1: none
    int16_t CountHJ();
    int32_t GetHJ(int16_t number, XTHJSpec* spec);
    int16_t FindHJ(const char* name);  // -1 when none
    int32_t StoreHJ(int16_t number, const XTHJSpec* spec);
    uint8_t RegisterHyphenationMethod(uint32_t id, int16_t value1, int16_t value2,
                                      XTHostString name, uint64_t languagesLow,
                                      uint64_t languagesHigh, int32_t flags);

    // --- Memory handles and host strings.
    XTHandle NewHandle(int32_t size);
    void* LockHandle(XTHandle handle);
    int32_t UnlockHandle(XTHandle handle);
    int32_t GetHandleSize(XTHandle handle);  // -1 when unknown
    int32_t SetHandleSize(XTHandle handle, int32_t size);
    int32_t DisposeHandle(XTHandle handle);
    XTHostString MakeHostString(const char* text);
    int32_t HostStringLength(XTHostString string);
    int32_t HostStringChars(XTHostString string, uint16_t* dest, int32_t capacity);
    int32_t ReleaseHostString(XTHostString string);

    // --- The host itself.
    uint32_t GetFeatureFlags();
    int16_t GetInterfaceLanguage();

  private:
    struct Group {
        uint32_t tag;
        uint32_t count;
        std::vector<XTCallbackProc> table;
    };
    template <class Proc, class... Args>
    int32_t Call(const Group& group, uint32_t number, Args... args) const;

    const XTRegistrationRecord* registration_ = nullptr;
    XTActivationRecord activation_{};
    bool active_ = false;
    Group items_{XT_GROUP_ITEMS, XTCB_GetBoxAtTextPosition, {}};
    Group documents_{XT_GROUP_DOCUMENTS, XTCB_QueryBoxFlag, {}};
    Group text_{XT_GROUP_TEXT, XTCB_ScrollToSelection, {}};
    Group editing_{XT_GROUP_EDITING, XTCB_SetToolMode, {}};
    Group drawing_{XT_GROUP_DRAWING, XTCB_RedrawWindow, {}};
    Group menus_{XT_GROUP_MENUS, XTCB_SetMenuItemTitle, {}};
    Group dialogs_{XT_GROUP_DIALOGS, XTCB_SetDialogItemTextUtf16, {}};
    Group paragraphs_{XT_GROUP_PARAGRAPHS, XTCB_RegisterHyphenationMethod, {}};
    Group memory_{XT_GROUP_MEMORY, XTCB_DisposeHandle, {}};
    Group strings_{XT_GROUP_STRINGS, XTCB_ReleaseHostString, {}};
    Group system_{XT_GROUP_SYSTEM, XTCB_GetInterfaceLanguage, {}};
};

// The plug-in's HostApi, one per process.
HostApi& Host();

}  // namespace tarnik
