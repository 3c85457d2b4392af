// The host functions of the editing, drawing, menu and dialog groups.
#include <algorithm>
#include <cstring>

#include "host/callback_groups.h"
#include "host/operation_helpers.h"
#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

// Texts from the XTension are read up to their NUL, and never further than this.
constexpr size_t kMaxText = 4096;

std::string TextFrom(const char* text) {
    return std::string(text, strnlen(text, kMaxText));
}

int32_t BeginEditCommand(int16_t, int16_t) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->BeginEditCommand() : XT_ERR_STATE;
}

int32_t EndEditCommand() {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->EndEditCommand() : XT_ERR_STATE;
}

int32_t GetToolMode(int16_t* mode) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !mode)
        return XT_ERR_PARAM;
    *mode = host->toolMode;
    return XT_OK;
}

int32_t SetToolMode(int16_t mode) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || (mode != XT_TOOL_CONTENT && mode != XT_TOOL_ITEM))
        return XT_ERR_PARAM;
    host->toolMode = mode;
    return XT_OK;
}

int32_t GetDrawingPort(XTPort* port) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !port)
        return XT_ERR_PARAM;
    *port = host->drawingPort;
    return XT_OK;
}

int32_t SetDrawingPort(XTPort port) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || port < 1 || port > 2)
        return XT_ERR_PARAM;
    host->drawingPort = port;
    return XT_OK;
}

// Port 2 is the front document window; there is none without a document.
int32_t GetFrontWindowPort(XTPort* port) {
    if (!port)
        return XT_ERR_PARAM;
    if (!ActiveDocument())
        return XT_ERR_STATE;
    *port = 2;
    return XT_OK;
}

int32_t RedrawWindow(XTPort) {
    MemoryHost* host = MemoryHost::Active();
    if (!host)
        return XT_ERR_STATE;
    ++host->redraws;
    return XT_OK;
}

int32_t CreateMenu(const char* title, XTMenu* menu) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !title || !menu)
        return XT_ERR_PARAM;
    *menu = host->menus.Create(TextFrom(title));
    return XT_OK;
}

int32_t AppendMenuItem(XTMenu menu, const char* title, int16_t* item) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !title || !item)
        return XT_ERR_PARAM;
    int16_t number = host->menus.AppendItem(menu, TextFrom(title));
    if (number == 0)
        return XT_ERR_PARAM;
    *item = number;
    return XT_OK;
}

int32_t AppendMenuSeparator(XTMenu menu) {
    MemoryHost* host = MemoryHost::Active();
    return host && host->menus.AppendSeparator(menu) ? XT_OK : XT_ERR_PARAM;
}

int32_t EnableMenuItem(int16_t item, int16_t enabled) {
    MemoryHost* host = MemoryHost::Active();
    MenuItem* entry = host ? host->menus.FindItem(item) : nullptr;
    if (!entry)
        return XT_ERR_PARAM;
    entry->enabled = enabled != 0;
    return XT_OK;
}

int32_t SetMenuItemTitle(int16_t item, const char* title) {
    MemoryHost* host = MemoryHost::Active();
    MenuItem* entry = host ? host->menus.FindItem(item) : nullptr;
    if (!entry || !title)
        return XT_ERR_PARAM;
    entry->title = TextFrom(title);
    return XT_OK;
}

int32_t RunModalDialog(const XTDialogTemplate* dialogTemplate, void* userData, int16_t* itemHit) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->RunModalDialog(dialogTemplate, userData, itemHit) : XT_ERR_STATE;
}

int32_t EndModalDialog(XTDialog dialog, int16_t item) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->EndModalDialog(dialog, item) : XT_ERR_STATE;
}

DialogState* DialogOf(XTDialog dialog) {
    MemoryHost* host = MemoryHost::Active();
    return host ? host->FindDialog(dialog) : nullptr;
}

DialogItemState* ItemOf(XTDialog dialog, int16_t item) {
    DialogState* state = DialogOf(dialog);
    return state ? state->Find(item) : nullptr;
}

bool IsListKind(const DialogItemState& item) {
    return item.kind == XT_ITEM_LIST || item.kind == XT_ITEM_POPUP;
}

// Copies cp1250 text into the caller's buffer, cut to capacity - 1 and terminated.
int32_t CopyOut(const std::string& utf8, char* dest, int32_t capacity, int32_t* length) {
    if (!dest || capacity <= 0)
        return XT_ERR_PARAM;
    std::string text = Utf8ToCp1250(utf8);
    size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(dest, text.data(), n);
    dest[n] = '\0';
    if (length)
        *length = static_cast<int32_t>(n);
    return XT_OK;
}

int32_t GetDialogItemText(XTDialog dialog, int16_t item, char* dest, int32_t capacity,
                          int32_t* length) {
    DialogItemState* state = ItemOf(dialog, item);
    return state ? CopyOut(state->text, dest, capacity, length) : XT_ERR_PARAM;
}

int32_t SetDialogItemText(XTDialog dialog, int16_t item, const char* text) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !text)
        return XT_ERR_PARAM;
    state->text = Cp1250ToUtf8(TextFrom(text));
    return XT_OK;
}

int32_t GetDialogItemTextUtf16(XTDialog dialog, int16_t item, uint16_t* dest, int32_t capacity,
                               int32_t* length) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !dest || capacity < 0)
        return XT_ERR_PARAM;
    std::u16string text = Utf8ToUtf16(state->text);
    size_t n = std::min(text.size(), static_cast<size_t>(capacity));
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), dest);
    if (length)
        *length = static_cast<int32_t>(n);
    return XT_OK;
}

int32_t SetDialogItemTextUtf16(XTDialog dialog, int16_t item, const uint16_t* text,
                               int32_t length) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || length < 0 || (!text && length > 0))
        return XT_ERR_PARAM;
    state->text = Utf16ToUtf8(std::u16string(text, text + length));
    return XT_OK;
}

int32_t EnableDialogItem(XTDialog dialog, int16_t item, int16_t enabled) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state)
        return XT_ERR_PARAM;
    state->enabled = enabled != 0;
    return XT_OK;
}

int32_t IsDialogItemEnabled(XTDialog dialog, int16_t item, int16_t* enabled) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !enabled)
        return XT_ERR_PARAM;
    *enabled = state->enabled ? 1 : 0;
    return XT_OK;
}

int32_t SetDialogItemChecked(XTDialog dialog, int16_t item, int16_t checked) {
    DialogState* state = DialogOf(dialog);
    DialogItemState* target = state ? state->Find(item) : nullptr;
    if (!target || (target->kind != XT_ITEM_CHECKBOX && target->kind != XT_ITEM_RADIO)) {
        return XT_ERR_PARAM;
    }
    if (target->kind == XT_ITEM_RADIO && checked) {
        state->ChooseRadio(*target);
    } else {
        target->checked = checked != 0;
    }
    return XT_OK;
}

int32_t GetDialogItemChecked(XTDialog dialog, int16_t item, int16_t* checked) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !checked)
        return XT_ERR_PARAM;
    *checked = state->checked ? 1 : 0;
    return XT_OK;
}

int32_t SetRadioChoice(XTDialog dialog, int16_t group, int16_t item) {
    DialogItemState* target = ItemOf(dialog, item);
    if (!target || target->kind != XT_ITEM_RADIO || target->radioGroup != group) {
        return XT_ERR_PARAM;
    }
    return SetDialogItemChecked(dialog, item, 1);
}

int32_t GetRadioChoice(XTDialog dialog, int16_t group, int16_t* item) {
    DialogState* state = DialogOf(dialog);
    if (!state || !item)
        return XT_ERR_PARAM;
    for (const auto& candidate : state->items) {
        if (candidate.kind == XT_ITEM_RADIO && candidate.radioGroup == group && candidate.checked) {
            *item = candidate.number;
            return XT_OK;
        }
    }
    return XT_ERR_STATE;
}

int32_t ClearListRows(XTDialog dialog, int16_t item) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !IsListKind(*state))
        return XT_ERR_PARAM;
    state->rows.clear();
    state->chosenRow = -1;
    return XT_OK;
}

int32_t AppendListRow(XTDialog dialog, int16_t item, const char* text) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !text || !IsListKind(*state))
        return XT_ERR_PARAM;
    state->rows.push_back(Cp1250ToUtf8(TextFrom(text)));
    return XT_OK;
}

int32_t CountListRows(XTDialog dialog, int16_t item, int32_t* count) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !count || !IsListKind(*state))
        return XT_ERR_PARAM;
    *count = static_cast<int32_t>(state->rows.size());
    return XT_OK;
}

int32_t GetListRow(XTDialog dialog, int16_t item, int32_t row, char* dest, int32_t capacity,
                   int32_t* length) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !IsListKind(*state) || row < 0 ||
        row >= static_cast<int32_t>(state->rows.size())) {
        return XT_ERR_PARAM;
    }
    return CopyOut(state->rows[size_t(row)], dest, capacity, length);
}

int32_t GetListChoice(XTDialog dialog, int16_t item, int32_t* row) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !row || !IsListKind(*state))
        return XT_ERR_PARAM;
    if (state->chosenRow < 0)
        return XT_ERR_STATE;
    *row = state->chosenRow;
    return XT_OK;
}

int32_t SetListChoice(XTDialog dialog, int16_t item, int32_t row) {
    DialogItemState* state = ItemOf(dialog, item);
    if (!state || !IsListKind(*state) || row < -1 ||
        row >= static_cast<int32_t>(state->rows.size())) {
        return XT_ERR_PARAM;
    }
    state->chosenRow = row;
    return XT_OK;
}

int32_t ShowMessageBox(XTWindow, int16_t style, const char* title, const char* text,
                       int16_t* answer) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || !text)
        return XT_ERR_PARAM;
    int16_t pressed = host->ShowMessageBox(style, Cp1250ToUtf8(title ? TextFrom(title) : ""),
                                           Cp1250ToUtf8(TextFrom(text)));
    if (answer)
        *answer = pressed;
    return XT_OK;
}

int32_t GetMainWindow(XTWindow* window) {
    if (!MemoryHost::Active() || !window)
        return XT_ERR_PARAM;
    *window = 1;
    return XT_OK;
}

int32_t SetBusyCursor(int16_t state) {
    MemoryHost* host = MemoryHost::Active();
    if (!host || (state != -1 && state != 0))
        return XT_ERR_PARAM;
    host->busyCursor = state;
    return XT_OK;
}

}  // namespace

CallbackGroup EditingCallbacks() {
    return {XT_GROUP_EDITING,
            {{XTCB_BeginEditCommand, AsCallback(BeginEditCommand)},
             {XTCB_EndEditCommand, AsCallback(EndEditCommand)},
             {XTCB_GetToolMode, AsCallback(GetToolMode)},
             {XTCB_SetToolMode, AsCallback(SetToolMode)}}};
}

CallbackGroup InterfaceCallbacks() {
    return {XT_GROUP_DIALOGS,
            {{XTCB_RunModalDialog, AsCallback(RunModalDialog)},
             {XTCB_EndModalDialog, AsCallback(EndModalDialog)},
             {XTCB_GetDialogItemText, AsCallback(GetDialogItemText)},
             {XTCB_SetDialogItemText, AsCallback(SetDialogItemText)},
             {XTCB_EnableDialogItem, AsCallback(EnableDialogItem)},
             {XTCB_IsDialogItemEnabled, AsCallback(IsDialogItemEnabled)},
             {XTCB_SetDialogItemChecked, AsCallback(SetDialogItemChecked)},
             {XTCB_GetDialogItemChecked, AsCallback(GetDialogItemChecked)},
             {XTCB_SetRadioChoice, AsCallback(SetRadioChoice)},
             {XTCB_GetRadioChoice, AsCallback(GetRadioChoice)},
             {XTCB_ClearListRows, AsCallback(ClearListRows)},
             {XTCB_AppendListRow, AsCallback(AppendListRow)},
             {XTCB_CountListRows, AsCallback(CountListRows)},
             {XTCB_GetListRow, AsCallback(GetListRow)},
             {XTCB_GetListChoice, AsCallback(GetListChoice)},
             {XTCB_SetListChoice, AsCallback(SetListChoice)},
             {XTCB_ShowMessageBox, AsCallback(ShowMessageBox)},
             {XTCB_GetMainWindow, AsCallback(GetMainWindow)},
             {XTCB_SetBusyCursor, AsCallback(SetBusyCursor)},
             {XTCB_GetDialogItemTextUtf16, AsCallback(GetDialogItemTextUtf16)},
             {XTCB_SetDialogItemTextUtf16, AsCallback(SetDialogItemTextUtf16)}}};
}

CallbackGroup MenuCallbacks() {
    return {XT_GROUP_MENUS,
            {{XTCB_CreateMenu, AsCallback(CreateMenu)},
             {XTCB_AppendMenuItem, AsCallback(AppendMenuItem)},
             {XTCB_AppendMenuSeparator, AsCallback(AppendMenuSeparator)},
             {XTCB_EnableMenuItem, AsCallback(EnableMenuItem)},
             {XTCB_SetMenuItemTitle, AsCallback(SetMenuItemTitle)}}};
}

CallbackGroup DrawingCallbacks() {
    return {XT_GROUP_DRAWING,
            {{XTCB_GetDrawingPort, AsCallback(GetDrawingPort)},
             {XTCB_SetDrawingPort, AsCallback(SetDrawingPort)},
             {XTCB_GetFrontWindowPort, AsCallback(GetFrontWindowPort)},
             {XTCB_RedrawWindow, AsCallback(RedrawWindow)}}};
}

}  // namespace tarnik::host
