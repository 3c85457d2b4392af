#include "host/memory_host.h"

#include <algorithm>
#include <cstring>

#include "host/callback_groups.h"
#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

MemoryHost* activeHost = nullptr;

// Dialogs opened from dialogs nest at most this deep.
constexpr size_t kMaxOpenDialogs = 16;

bool IsAnswerOf(int16_t style, int16_t answer) {
    switch (style) {
        case XT_MB_OKCANCEL:
            return answer == XT_ANSWER_OK || answer == XT_ANSWER_CANCEL;
        case XT_MB_YESNO:
            return answer == XT_ANSWER_YES || answer == XT_ANSWER_NO;
        case XT_MB_YESNOCANCEL:
            return answer == XT_ANSWER_YES || answer == XT_ANSWER_NO || answer == XT_ANSWER_CANCEL;
        default:
            return answer == XT_ANSWER_OK;
    }
}

// Applies a user action to the dialog's state; the reason when it is refused.
std::string ApplyAction(DialogState& dialog, const DialogAction& action, int16_t& listAction) {
    DialogItemState* item = dialog.Find(action.item);
    listAction = XT_LIST_NONE;
    if (!item)
        return "no such item";
    if (!item->enabled)
        return "the item is disabled";
    bool isList = item->kind == XT_ITEM_LIST || item->kind == XT_ITEM_POPUP;
    switch (action.kind) {
        case DialogAction::Kind::Press:
            if (item->kind == XT_ITEM_CHECKBOX) {
                item->checked = !item->checked;
            } else if (item->kind == XT_ITEM_RADIO) {
                dialog.ChooseRadio(*item);
            } else if (item->kind != XT_ITEM_BUTTON && item->kind != XT_ITEM_STATIC) {
                // A text the XTension numbered may take a click, as a button does.
                return "the item cannot be pressed";
            }
            return {};
        case DialogAction::Kind::Type:
            if (item->kind != XT_ITEM_EDIT)
                return "the item is not an edit field";
            item->text = action.text;
            return {};
        case DialogAction::Kind::Choose:
        case DialogAction::Kind::Activate: {
            bool activate = action.kind == DialogAction::Kind::Activate;
            if (!isList || (activate && item->kind != XT_ITEM_LIST)) {
                return "the item is not a list";
            }
            int32_t lowest = activate ? 0 : -1;
            if (action.row < lowest || action.row >= static_cast<int32_t>(item->rows.size())) {
                return "no row " + std::to_string(action.row);
            }
            item->chosenRow = action.row;
            listAction = activate ? XT_LIST_ACTIVATED : XT_LIST_CHOSEN;
            return {};
        }
    }
    return "unknown action";
}

}  // namespace

MemoryHost::MemoryHost() {
    activeHost = this;
}

MemoryHost::~MemoryHost() {
    if (activeHost == this)
        activeHost = nullptr;
}

MemoryHost* MemoryHost::Active() {
    return activeHost;
}

int32_t MemoryHost::BeginEditCommand() {
    if (editDepth_++ == 0)
        pendingUndo_ = document;
    return XT_OK;
}

int32_t MemoryHost::EndEditCommand() {
    if (editDepth_ == 0)
        return XT_ERR_STATE;
    if (--editDepth_ == 0) {
        undo_.push_back(std::move(pendingUndo_));
        pendingUndo_.reset();
    }
    return XT_OK;
}

bool MemoryHost::Undo() {
    if (undo_.empty() || editDepth_ > 0)
        return false;
    document = std::move(undo_.back());
    undo_.pop_back();
    return true;
}

DialogState* MemoryHost::FindDialog(XTDialog dialog) {
    for (auto& open : openDialogs_) {
        if (open->id == dialog)
            return open.get();
    }
    return nullptr;
}

int32_t MemoryHost::RunModalDialog(const XTDialogTemplate* dialogTemplate, void* userData,
                                   int16_t* itemHit) {
    if (!dialogTemplate || dialogTemplate->itemCount < 0 ||
        (dialogTemplate->itemCount > 0 && !dialogTemplate->items)) {
        return XT_ERR_PARAM;
    }
    if (openDialogs_.size() >= kMaxOpenDialogs)
        return XT_ERR_STATE;
    auto dialog = std::make_unique<DialogState>();
    dialog->id = nextDialog_++;
    dialog->resourceId = dialogTemplate->resourceId;
    dialog->title = Cp1250ToUtf8(dialogTemplate->title ? dialogTemplate->title : "");
    dialog->defaultButton = dialogTemplate->defaultButton;
    for (int16_t i = 0; i < dialogTemplate->itemCount; ++i) {
        const XTDialogItemTemplate& t = dialogTemplate->items[i];
        DialogItemState item;
        item.number = t.number;
        item.kind = t.kind;
        item.radioGroup = t.radioGroup;
        std::string text = Cp1250ToUtf8(t.text ? t.text : "");
        if (t.kind == XT_ITEM_POPUP) {
            size_t start = 0;
            while (!text.empty() && start <= text.size()) {
                size_t end = std::min(text.find('\n', start), text.size());
                item.rows.push_back(text.substr(start, end - start));
                start = end + 1;
            }
            item.chosenRow = item.rows.empty() ? -1 : 0;
        } else {
            item.text = std::move(text);
        }
        dialog->items.push_back(std::move(item));
    }
    XTDialog id = dialog->id;
    DialogState& state = *dialog;
    openDialogs_.push_back(std::move(dialog));

    XTDialogEventRecord record{id, XT_DIALOG_DEFINE, 0, XT_LIST_NONE, 0, userData};
    SendEvent(activation_.dialogEvent, &record);
    record.message = XT_DIALOG_SETUP;
    SendEvent(activation_.dialogEvent, &record);
    while (!dialogEnds_.count(id)) {
        std::optional<DialogAction> action;
        if (driver_)
            action = driver_->NextAction(state);
        if (!action) {
            dialogEnds_[id] = XT_ANSWER_CANCEL;
            break;
        }
        int16_t listAction = XT_LIST_NONE;
        std::string refusal = ApplyAction(state, *action, listAction);
        if (!refusal.empty()) {
            driver_->Refused(*action, refusal);
            continue;
        }
        record = {id, XT_DIALOG_HIT, action->item, listAction, 0, userData};
        SendEvent(activation_.dialogEvent, &record);
    }
    int16_t closing = dialogEnds_[id];
    record = {id, XT_DIALOG_CLOSE, closing, XT_LIST_NONE, 0, userData};
    SendEvent(activation_.dialogEvent, &record);
    dialogs.push_back(ShownDialog{state, closing});
    dialogEnds_.erase(id);
    openDialogs_.pop_back();
    if (itemHit)
        *itemHit = closing;
    return XT_OK;
}

int32_t MemoryHost::EndModalDialog(XTDialog dialog, int16_t item) {
    if (!FindDialog(dialog))
        return XT_ERR_PARAM;
    dialogEnds_.emplace(dialog, item);
    return XT_OK;
}

int16_t MemoryHost::ShowMessageBox(int16_t style, const std::string& title,
                                   const std::string& text) {
    bool failure = (style & XT_MB_ICONERROR) != 0;
    style = static_cast<int16_t>(style & ~XT_MB_ICONERROR);  // the buttons
    int16_t answer = driver_ ? driver_->AnswerMessage(style, title, text) : DeclineAnswer(style);
    if (!IsAnswerOf(style, answer))
        answer = DeclineAnswer(style);
    messages.push_back(ShownMessage{style, title, text, answer, failure});
    return answer;
}

XTHandle MemoryHost::NewHandle(size_t size) {
    auto record = std::make_unique<XTHandleRecord>();
    record->data.resize(size);
    XTHandle handle = record.get();
    handles_.emplace(handle, std::move(record));
    return handle;
}

XTHandleRecord* MemoryHost::FindHandle(XTHandle handle) {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second.get();
}

bool MemoryHost::DisposeHandle(XTHandle handle) {
    return handles_.erase(handle) != 0;
}

XTHostString MemoryHost::NewHostString(std::u16string text) {
    auto record = std::make_unique<XTHostStringRecord>();
    record->text = std::move(text);
    XTHostString string = record.get();
    strings_.emplace(string, std::move(record));
    return string;
}

XTHostStringRecord* MemoryHost::FindHostString(XTHostString string) {
    auto it = strings_.find(string);
    return it == strings_.end() ? nullptr : it->second.get();
}

bool MemoryHost::ReleaseHostString(XTHostString string) {
    return strings_.erase(string) != 0;
}

int32_t MemoryHost::Accept(uint32_t developerCode, uint32_t version) {
    if (refuseRegistration || version != XT_INTERFACE_VERSION)
        return XT_ERR_STATE;
    accepted_ = true;
    developerCode_ = developerCode;
    return XT_OK;
}

int32_t MemoryHost::InstallCallback(int32_t event, XTEventHandler handler) {
    if (!handler)
        return XT_ERR_PARAM;
    handlers_[event] = handler;
    return XT_OK;
}

int32_t MemoryHost::SendEvent(int32_t event, void* record) {
    auto it = handlers_.find(event);
    return it == handlers_.end() ? XT_ERR_NO_HANDLER : it->second(event, record);
}

int32_t MemoryHost::Start(XTActivateCallbackProc entry) {
    if (!entry)
        return XT_ERR_PARAM;
    XTRegistrationRecord registration{};
    const char info[] = "Tarnik in-memory host";
    std::memcpy(registration.hostInfo, info, sizeof info);
    registration.acceptXTension = HostAcceptXTension;
    registration.installCallback = HostInstallCallback;
    int32_t result = entry(&registration);
    if (result != XT_OK)
        return result;
    if (!accepted_ || !HasHandler(XT_EVENT_ACTIVATE))
        return XT_ERR_STATE;
    activation_ = XTActivationRecord{};
    activation_.size = sizeof(XTActivationRecord);
    activation_.interfaceVersion = XT_INTERFACE_VERSION;
    activation_.installCallback = HostInstallCallback;
    activation_.getCallbackGroup = HostGetCallbackGroup;
    activation_.dialogEvent = XT_EVENT_DIALOG;
    result = SendEvent(XT_EVENT_ACTIVATE, &activation_);
    if (result != XT_OK)
        return result;
    XTNoticeRecord notice{language, 0, 0, 0};
    if (HasHandler(XT_EVENT_NOTICE))
        SendEvent(XT_EVENT_NOTICE, &notice);
    XTMenuInstallRecord menuInstall{language};
    if (HasHandler(XT_EVENT_MENU_INSTALL))
        result = SendEvent(XT_EVENT_MENU_INSTALL, &menuInstall);
    return result;
}

int32_t MemoryHost::UpdateMenus() {
    return SendEvent(XT_EVENT_MENU_UPDATE, nullptr);
}

int32_t MemoryHost::ChooseMenuItem(int16_t item) {
    for (const auto& menu : menus.Menus()) {
        for (const auto& entry : menu.items) {
            if (entry.number == item && !entry.IsSeparator() && entry.enabled) {
                XTMenuCommandRecord record{menu.id, item};
                return SendEvent(XT_EVENT_MENU_COMMAND, &record);
            }
        }
    }
    return XT_ERR_PARAM;
}

void MemoryHost::Idle() {
    SendEvent(XT_EVENT_IDLE, nullptr);
}

void MemoryHost::Quit() {
    SendEvent(XT_EVENT_QUIT, nullptr);
    SendEvent(XT_EVENT_SHUTDOWN, nullptr);
    SendEvent(XT_EVENT_DEACTIVATE, nullptr);
    handlers_.clear();
    accepted_ = false;
}

std::vector<int16_t> MemoryHost::HyphenationBreaks(const std::string& word) {
    std::vector<int16_t> breaks;
    if (word.size() > INT16_MAX)
        return breaks;
    XTHyphWordRequest request{word.c_str(), 0, static_cast<int16_t>(word.size()), 0, NewHandle(0)};
    SendEvent(XT_EVENT_HYPH_WORD, &request);
    if (const XTHandleRecord* entries = FindHandle(request.entries)) {
        size_t count = std::min<size_t>(request.entryCount < 0 ? 0 : size_t(request.entryCount),
                                        entries->data.size() / 4);
        for (size_t i = 0; i < count; ++i) {
            int16_t position;
            std::memcpy(&position, entries->data.data() + 4 * i, sizeof position);
            breaks.push_back(position);
        }
    }
    DisposeHandle(request.entries);
    return breaks;
}

std::vector<std::vector<unsigned char>> MemoryHost::CollectHyphenationMethods() {
    std::vector<std::vector<unsigned char>> records;
    XTHyphMethodListRequest request{NewHandle(0)};
    SendEvent(XT_EVENT_HYPH_METHODS, &request);
    if (const XTHandleRecord* methods = FindHandle(request.methods)) {
        for (size_t at = 0; at + XT_HYPH_METHOD_RECORD_SIZE <= methods->data.size();
             at += XT_HYPH_METHOD_RECORD_SIZE) {
            records.emplace_back(methods->data.begin() + at,
                                 methods->data.begin() + at + XT_HYPH_METHOD_RECORD_SIZE);
        }
    }
    DisposeHandle(request.methods);
    return records;
}

}  // namespace tarnik::host
