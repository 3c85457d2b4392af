#include "platform/host_api.h"

#include <cstring>

#include "charsets/internal_code.h"

namespace tarnik {

namespace {

// Texts read back from dialogs are cut to this many bytes.
constexpr int32_t kTextCapacity = 4096;

}  // namespace

HostApi& Host() {
    static HostApi api;
    return api;
}

template <class Proc, class... Args>
int32_t HostApi::Call(const Group& group, uint32_t number, Args... args) const {
    if (number == 0 || number > group.table.size() || !group.table[number - 1]) {
        return XT_ERR_STATE;
    }
    return reinterpret_cast<Proc>(group.table[number - 1])(args...);
}

void HostApi::UseRegistration(const XTRegistrationRecord* record) {
    registration_ = record;
}

int32_t HostApi::AcceptXTension(uint32_t developerCode, uint32_t reserved, uint32_t version,
                                uint32_t flags) {
    if (!registration_ || !registration_->acceptXTension)
        return XT_ERR_STATE;
    return registration_->acceptXTension(developerCode, reserved, version, flags);
}

int32_t HostApi::InstallCallback(int32_t event, XTEventHandler handler, int32_t kind,
                                 int32_t priority, int32_t flags) {
    XTInstallCallbackProc install = active_         ? activation_.installCallback
                                    : registration_ ? registration_->installCallback
                                                    : nullptr;
    return install ? install(event, handler, kind, priority, flags) : XT_ERR_STATE;
}

int32_t HostApi::FetchCallbackGroups(const XTActivationRecord* record) {
    if (!record || record->size < sizeof(XTActivationRecord) || !record->getCallbackGroup) {
        return XT_ERR_PARAM;
    }
    std::memcpy(&activation_, record, sizeof activation_);
    int32_t missing = 0;
    for (Group* group : {&items_, &documents_, &text_, &editing_, &drawing_, &menus_, &dialogs_,
                         &paragraphs_, &memory_, &strings_, &system_}) {
        std::vector<uint32_t> request{XT_GROUP_MARKER};
        for (uint32_t number = 1; number <= group->count; ++number)
            request.push_back(number);
        request.push_back(0);
        group->table.assign(group->count, nullptr);
        int32_t result =
            activation_.getCallbackGroup(group->tag, group->table.data(), request.data());
        missing += result > 0 ? result : (result < 0 ? static_cast<int32_t>(group->count) : 0);
    }
    active_ = true;
    return missing;
}

// --- Items.

XTBox HostApi::GetCurrentBox() {
    XTBox box = 0;
    Call<XTGetCurrentBoxProc>(items_, XTCB_GetCurrentBox, &box);
    return box;
}

int32_t HostApi::SetCurrentBox(XTBox box) {
    return Call<XTSetCurrentBoxProc>(items_, XTCB_SetCurrentBox, box);
}

bool HostApi::IsBoxValid(XTBox box) {
    return Call<XTBoxQueryProc>(items_, XTCB_IsBoxValid, box) == 1;
}

bool HostApi::IsTextBox(XTBox box) {
    return Call<XTBoxQueryProc>(items_, XTCB_IsTextBox, box) == 1;
}

bool HostApi::IsGroup(XTBox box) {
    return Call<XTBoxQueryProc>(items_, XTCB_IsGroup, box) == 1;
}

int32_t HostApi::GetBoxContentType(XTBox box) {
    int32_t type = Call<XTBoxQueryProc>(items_, XTCB_GetBoxContentType, box);
    return type < 0 ? XT_CONTENT_NONE : type;
}

int32_t HostApi::GetGroupItems(XTBox group, XTHandle* list, int16_t* count) {
    *list = nullptr;
    *count = 0;
    return Call<XTGetGroupItemsProc>(items_, XTCB_GetGroupItems, group, list, count);
}

XTBox HostApi::GetAnchoredBox(XTStory story, int32_t position) {
    XTBox box = 0;
    Call<XTGetAnchoredBoxProc>(items_, XTCB_GetAnchoredBox, story, position, &box);
    return box;
}

bool HostApi::HasAnchoredBoxes(XTBox box) {
    return Call<XTBoxQueryProc>(items_, XTCB_HasAnchoredBoxes, box) == 1;
}

XTBox HostApi::GetBoxAtTextPosition(XTStory story, int32_t position) {
    XTBox box = 0;
    Call<XTGetAnchoredBoxProc>(items_, XTCB_GetBoxAtTextPosition, story, position, &box);
    return box;
}

// --- Documents.

uint16_t HostApi::GetCurrentDocument() {
    uint16_t document = XT_NO_DOCUMENT;
    Call<XTGetCurrentDocumentProc>(documents_, XTCB_GetCurrentDocument, &document);
    return document;
}

int32_t HostApi::PrepareDocument(uint16_t document) {
    return Call<XTPrepareDocumentProc>(documents_, XTCB_PrepareDocument, document);
}

int16_t HostApi::CountSpreads() {
    int16_t count = 0;
    Call<XTCountSpreadsProc>(documents_, XTCB_CountSpreads, &count);
    return count;
}

XTBox HostApi::GetFirstBoxOfSpread(int16_t spread) {
    XTBox box = 0;
    Call<XTGetFirstBoxOfSpreadProc>(documents_, XTCB_GetFirstBoxOfSpread, spread, &box);
    return box;
}

XTBox HostApi::GetNextBox(XTBox box) {
    XTBox next = 0;
    Call<XTGetNextBoxProc>(documents_, XTCB_GetNextBox, box, &next);
    return next;
}

int32_t HostApi::QueryStoryFlag(XTBox box) {
    int32_t flag = 0;
    Call<XTQueryFlagProc>(documents_, XTCB_QueryStoryFlag, box, &flag);
    return flag;
}

int32_t HostApi::QueryBoxFlag(XTBox box) {
    int32_t flag = 0;
    Call<XTQueryFlagProc>(documents_, XTCB_QueryBoxFlag, box, &flag);
    return flag;
}

// --- Text.

BoxTextInfo HostApi::GetBoxTextInfo(XTBox box) {
    BoxTextInfo info;
    Call<XTGetBoxTextInfoProc>(text_, XTCB_GetBoxTextInfo, box, &info.story, &info.selectionStart,
                               &info.selectionEnd, &info.length);
    return info;
}

int32_t HostApi::GetChars(XTStory story, int32_t position, int32_t count, uint16_t* dest,
                          int32_t* read) {
    *read = 0;
    return Call<XTGetCharsProc>(text_, XTCB_GetChars, story, position, count, dest, read);
}

int32_t HostApi::PutChars(XTStory story, int32_t position, int32_t count, const uint16_t* units) {
    return Call<XTPutCharsProc>(text_, XTCB_PutChars, story, position, count, units);
}

int32_t HostApi::DeleteTextRange(XTStory story, int32_t start, int32_t end) {
    return Call<XTDeleteTextRangeProc>(text_, XTCB_DeleteTextRange, story, start, end);
}

int32_t HostApi::NextCharPosition(XTStory story, int32_t position, int16_t direction) {
    int32_t next = -1;
    Call<XTNextCharPositionProc>(text_, XTCB_NextCharPosition, story, position, direction, &next);
    return next;
}

int32_t HostApi::FindSpecialChar(XTStory story, int16_t kind, int32_t from, int32_t to) {
    int32_t found = -1;
    Call<XTFindSpecialCharProc>(text_, XTCB_FindSpecialChar, story, kind, from, to, &found);
    return found;
}

int32_t HostApi::SetTextSelection(XTStory story, int32_t start, int32_t end, bool redraw) {
    return Call<XTSetTextSelectionProc>(text_, XTCB_SetTextSelection, story, start, end,
                                        static_cast<int16_t>(redraw ? 1 : 0));
}

uint32_t HostApi::GetSelectionStyleFlags(XTStory story, int16_t which, int32_t reserved1,
                                         int32_t reserved2) {
    uint32_t flags = 0;
    Call<XTGetSelectionStyleFlagsProc>(text_, XTCB_GetSelectionStyleFlags, story, which, reserved1,
                                       reserved2, &flags);
    return flags;
}

int32_t HostApi::SetSelectionStyleFlags(XTStory story, int16_t selector, uint32_t bits) {
    return Call<XTSetSelectionStyleFlagsProc>(text_, XTCB_SetSelectionStyleFlags, story, selector,
                                              bits);
}

int32_t HostApi::TextUpdateOff() {
    return Call<XTVoidProc>(text_, XTCB_TextUpdateOff);
}

int32_t HostApi::TextUpdateOn() {
    return Call<XTVoidProc>(text_, XTCB_TextUpdateOn);
}

int32_t HostApi::SetTextUpdateMode(int16_t mode) {
    return Call<XTInt16Proc>(text_, XTCB_SetTextUpdateMode, mode);
}

int32_t HostApi::ScrollToSelection(XTBox box) {
    return Call<XTScrollToSelectionProc>(text_, XTCB_ScrollToSelection, box);
}

// --- Editing.

int32_t HostApi::BeginEditCommand(int16_t kind, int16_t flags) {
    return Call<XTBeginEditCommandProc>(editing_, XTCB_BeginEditCommand, kind, flags);
}

int32_t HostApi::EndEditCommand() {
    return Call<XTVoidProc>(editing_, XTCB_EndEditCommand);
}

int16_t HostApi::GetToolMode() {
    int16_t mode = 0;
    Call<XTGetToolModeProc>(editing_, XTCB_GetToolMode, &mode);
    return mode;
}

int32_t HostApi::SetToolMode(int16_t mode) {
    return Call<XTInt16Proc>(editing_, XTCB_SetToolMode, mode);
}

// --- Drawing.

XTPort HostApi::GetDrawingPort() {
    XTPort port = 0;
    Call<XTGetPortProc>(drawing_, XTCB_GetDrawingPort, &port);
    return port;
}

int32_t HostApi::SetDrawingPort(XTPort port) {
    return Call<XTPortProc>(drawing_, XTCB_SetDrawingPort, port);
}

XTPort HostApi::GetFrontWindowPort() {
    XTPort port = 0;
    Call<XTGetPortProc>(drawing_, XTCB_GetFrontWindowPort, &port);
    return port;
}

int32_t HostApi::RedrawWindow(XTPort port) {
    return Call<XTPortProc>(drawing_, XTCB_RedrawWindow, port);
}

// --- Menus.

XTMenu HostApi::CreateMenu(const char* title) {
    XTMenu menu = 0;
    Call<XTCreateMenuProc>(menus_, XTCB_CreateMenu, title, &menu);
    return menu;
}

int16_t HostApi::AppendMenuItem(XTMenu menu, const char* title) {
    int16_t item = 0;
    Call<XTAppendMenuItemProc>(menus_, XTCB_AppendMenuItem, menu, title, &item);
    return item;
}

int32_t HostApi::AppendMenuSeparator(XTMenu menu) {
    return Call<XTAppendMenuSeparatorProc>(menus_, XTCB_AppendMenuSeparator, menu);
}

int32_t HostApi::EnableMenuItem(int16_t item, bool enabled) {
    return Call<XTEnableMenuItemProc>(menus_, XTCB_EnableMenuItem, item,
                                      static_cast<int16_t>(enabled ? 1 : 0));
}

int32_t HostApi::SetMenuItemTitle(int16_t item, const char* title) {
    return Call<XTSetMenuItemTitleProc>(menus_, XTCB_SetMenuItemTitle, item, title);
}

// --- Dialogs.

int32_t HostApi::RunModalDialog(const XTDialogTemplate* dialogTemplate, void* userData,
                                int16_t* itemHit) {
    *itemHit = 0;
    return Call<XTRunModalDialogProc>(dialogs_, XTCB_RunModalDialog, dialogTemplate, userData,
                                      itemHit);
}

int32_t HostApi::EndModalDialog(XTDialog dialog, int16_t item) {
    return Call<XTDialogItemProc>(dialogs_, XTCB_EndModalDialog, dialog, item);
}

std::string HostApi::GetDialogItemText(XTDialog dialog, int16_t item) {
    std::string text(kTextCapacity, '\0');
    int32_t length = 0;
    Call<XTDialogItemGetTextProc>(dialogs_, XTCB_GetDialogItemText, dialog, item, text.data(),
                                  kTextCapacity, &length);
    text.resize(static_cast<size_t>(length < 0 || length >= kTextCapacity ? 0 : length));
    return text;
}

int32_t HostApi::SetDialogItemText(XTDialog dialog, int16_t item, const char* text) {
    return Call<XTDialogItemTextProc>(dialogs_, XTCB_SetDialogItemText, dialog, item, text);
}

std::u16string HostApi::GetDialogItemTextUtf16(XTDialog dialog, int16_t item) {
    std::vector<uint16_t> text(kTextCapacity);
    int32_t length = 0;
    if (Call<XTDialogItemGetUtf16Proc>(dialogs_, XTCB_GetDialogItemTextUtf16, dialog, item,
                                       text.data(), kTextCapacity, &length) != XT_OK ||
        length < 0 || length > kTextCapacity) {
        // A host without the UTF-16 texts: the cp1250 text.
        return InternalToUnicode(GetDialogItemText(dialog, item).c_str());
    }
    return std::u16string(text.begin(), text.begin() + length);
}

int32_t HostApi::SetDialogItemTextUtf16(XTDialog dialog, int16_t item, std::u16string_view text) {
    std::vector<uint16_t> units(text.begin(), text.end());
    int32_t status =
        Call<XTDialogItemUtf16Proc>(dialogs_, XTCB_SetDialogItemTextUtf16, dialog, item,
                                    units.data(), static_cast<int32_t>(units.size()));
    if (status == XT_OK)
        return status;
    std::string bytes;
    for (char16_t unit : text) {
        uint16_t code = UnicodeToInternal(unit);
        bytes.push_back(static_cast<char>(code < 256 ? code : '?'));
    }
    return SetDialogItemText(dialog, item, bytes.c_str());
}

int32_t HostApi::EnableDialogItem(XTDialog dialog, int16_t item, bool enabled) {
    return Call<XTDialogItemInt16Proc>(dialogs_, XTCB_EnableDialogItem, dialog, item,
                                       static_cast<int16_t>(enabled ? 1 : 0));
}

bool HostApi::IsDialogItemEnabled(XTDialog dialog, int16_t item) {
    int16_t enabled = 0;
    Call<XTDialogItemGetInt16Proc>(dialogs_, XTCB_IsDialogItemEnabled, dialog, item, &enabled);
    return enabled != 0;
}

int32_t HostApi::SetDialogItemChecked(XTDialog dialog, int16_t item, bool checked) {
    return Call<XTDialogItemInt16Proc>(dialogs_, XTCB_SetDialogItemChecked, dialog, item,
                                       static_cast<int16_t>(checked ? 1 : 0));
}

bool HostApi::GetDialogItemChecked(XTDialog dialog, int16_t item) {
    int16_t checked = 0;
    Call<XTDialogItemGetInt16Proc>(dialogs_, XTCB_GetDialogItemChecked, dialog, item, &checked);
    return checked != 0;
}

int32_t HostApi::SetRadioChoice(XTDialog dialog, int16_t group, int16_t item) {
    return Call<XTDialogItemInt16Proc>(dialogs_, XTCB_SetRadioChoice, dialog, group, item);
}

int16_t HostApi::GetRadioChoice(XTDialog dialog, int16_t group) {
    int16_t item = 0;
    Call<XTDialogItemGetInt16Proc>(dialogs_, XTCB_GetRadioChoice, dialog, group, &item);
    return item;
}

int32_t HostApi::ClearListRows(XTDialog dialog, int16_t item) {
    return Call<XTDialogItemProc>(dialogs_, XTCB_ClearListRows, dialog, item);
}

int32_t HostApi::AppendListRow(XTDialog dialog, int16_t item, const char* text) {
    return Call<XTDialogItemTextProc>(dialogs_, XTCB_AppendListRow, dialog, item, text);
}

int32_t HostApi::CountListRows(XTDialog dialog, int16_t item) {
    int32_t count = 0;
    Call<XTDialogItemGetInt32Proc>(dialogs_, XTCB_CountListRows, dialog, item, &count);
    return count;
}

std::string HostApi::GetListRow(XTDialog dialog, int16_t item, int32_t row) {
    std::string text(kTextCapacity, '\0');
    int32_t length = 0;
    Call<XTGetListRowProc>(dialogs_, XTCB_GetListRow, dialog, item, row, text.data(), kTextCapacity,
                           &length);
    text.resize(static_cast<size_t>(length < 0 || length >= kTextCapacity ? 0 : length));
    return text;
}

int32_t HostApi::GetListChoice(XTDialog dialog, int16_t item) {
    int32_t row = -1;
    Call<XTDialogItemGetInt32Proc>(dialogs_, XTCB_GetListChoice, dialog, item, &row);
    return row;
}

int32_t HostApi::SetListChoice(XTDialog dialog, int16_t item, int32_t row) {
    return Call<XTDialogItemInt32Proc>(dialogs_, XTCB_SetListChoice, dialog, item, row);
}

int16_t HostApi::ShowMessageBox(XTWindow owner, int16_t style, const char* title,
                                const char* text) {
    int16_t answer = 0;
    Call<XTShowMessageBoxProc>(dialogs_, XTCB_ShowMessageBox, owner, style, title, text, &answer);
    return answer;
}

XTWindow HostApi::GetMainWindow() {
    XTWindow window = 0;
    Call<XTGetMainWindowProc>(dialogs_, XTCB_GetMainWindow, &window);
    return window;
}

int32_t HostApi::SetBusyCursor(int16_t state) {
    return Call<XTInt16Proc>(dialogs_, XTCB_SetBusyCursor, state);
}

// --- Paragraphs.

int32_t HostApi::GetParagraphRun(XTStory story, int32_t index, int32_t* start, int32_t* length) {
    *start = -1;
    *length = -1;
    return Call<XTGetParagraphRunProc>(paragraphs_, XTCB_GetParagraphRun, story, index, start,
                                       length);
}

int32_t HostApi::GetParagraphAttribute(XTStory story, int32_t index, int16_t attribute) {
    int32_t value = -1;
    Call<XTGetParagraphAttributeProc>(paragraphs_, XTCB_GetParagraphAttribute, story, index,
                                      attribute, &value);
    return value;
}

int16_t HostApi::CountHJ() {
    int16_t count = 0;
    Call<XTCountHJProc>(paragraphs_, XTCB_CountHJ, &count);
    return count;
}

int32_t HostApi::GetHJ(int16_t number, XTHJSpec* spec) {
    return Call<XTGetHJProc>(paragraphs_, XTCB_GetHJ, number, spec);
}

int16_t HostApi::FindHJ(const char* name) {
    int16_t number = -1;
    Call<XTFindHJProc>(paragraphs_, XTCB_FindHJ, name, &number);
    return number;
}

int32_t HostApi::StoreHJ(int16_t number, const XTHJSpec* spec) {
    return Call<XTStoreHJProc>(paragraphs_, XTCB_StoreHJ, number, spec);
}

uint8_t HostApi::RegisterHyphenationMethod(uint32_t id, int16_t value1, int16_t value2,
                                           XTHostString name, uint64_t languagesLow,
                                           uint64_t languagesHigh, int32_t flags) {
    uint8_t result = 0;
    Call<XTRegisterHyphenationMethodProc>(paragraphs_, XTCB_RegisterHyphenationMethod, id, value1,
                                          value2, name, languagesLow, languagesHigh, flags,
                                          &result);
    return result;
}

// --- Memory and strings.

XTHandle HostApi::NewHandle(int32_t size) {
    XTHandle handle = nullptr;
    Call<XTNewHandleProc>(memory_, XTCB_NewHandle, size, &handle);
    return handle;
}

void* HostApi::LockHandle(XTHandle handle) {
    void* block = nullptr;
    Call<XTLockHandleProc>(memory_, XTCB_LockHandle, handle, &block);
    return block;
}

int32_t HostApi::UnlockHandle(XTHandle handle) {
    return Call<XTHandleProc>(memory_, XTCB_UnlockHandle, handle);
}

int32_t HostApi::GetHandleSize(XTHandle handle) {
    int32_t size = -1;
    Call<XTGetHandleSizeProc>(memory_, XTCB_GetHandleSize, handle, &size);
    return size;
}

int32_t HostApi::SetHandleSize(XTHandle handle, int32_t size) {
    return Call<XTSetHandleSizeProc>(memory_, XTCB_SetHandleSize, handle, size);
}

int32_t HostApi::DisposeHandle(XTHandle handle) {
    return Call<XTHandleProc>(memory_, XTCB_DisposeHandle, handle);
}

XTHostString HostApi::MakeHostString(const char* text) {
    XTHostString string = nullptr;
    Call<XTMakeHostStringProc>(strings_, XTCB_MakeHostString, text, &string);
    return string;
}

int32_t HostApi::HostStringLength(XTHostString string) {
    int32_t length = 0;
    Call<XTHostStringLengthProc>(strings_, XTCB_HostStringLength, string, &length);
    return length;
}

int32_t HostApi::HostStringChars(XTHostString string, uint16_t* dest, int32_t capacity) {
    int32_t copied = 0;
    Call<XTHostStringCharsProc>(strings_, XTCB_HostStringChars, string, dest, capacity, &copied);
    return copied;
}

int32_t HostApi::ReleaseHostString(XTHostString string) {
    return Call<XTReleaseHostStringProc>(strings_, XTCB_ReleaseHostString, string);
}

// --- The host.

uint32_t HostApi::GetFeatureFlags() {
    uint32_t flags = 0;
    Call<XTGetFeatureFlagsProc>(system_, XTCB_GetFeatureFlags, &flags);
    return flags;
}

int16_t HostApi::GetInterfaceLanguage() {
    int16_t language = 0;
    Call<XTGetInterfaceLanguageProc>(system_, XTCB_GetInterfaceLanguage, &language);
    return language;
}

}  // namespace tarnik
