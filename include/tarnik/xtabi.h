/* The boundary between a host and its XTensions: the only file both sides share.
 *
 * Start-up: the host loads the module and calls its entry, XTActivateCallback, with
 * an XTRegistrationRecord. The XTension asks the host to accept it (acceptXTension)
 * and installs its handlers for XT_EVENT_ACTIVATE and XT_EVENT_DEACTIVATE. At
 * activation the host hands over an XTActivationRecord; through its fourth entry,
 * getCallbackGroup, the XTension asks for each group of host functions it needs: a
 * four-character tag, the table to fill, and the wanted callback numbers headed by
 * XT_GROUP_MARKER and ended by 0. The host fills the table in list order (NULL for a
 * number it does not know). From then on the host sends events to the installed
 * handlers.
 *
 * Conventions of the host functions: a status result is 0 for success; operations
 * that report through out-parameters leave them untouched when they have nothing to
 * report, so a caller presets them (-1 for positions, 0 for handles, 65535 for
 * document numbers) and reads an unchanged preset as "none". Texts that the
 * XTension shows (menus, dialogs, message boxes, host strings) are cp1250 bytes,
 * NUL-terminated. Story text is UTF-16; positions count UTF-16 units from 0. */
#ifndef TARNIK_XTABI_H
#define TARNIK_XTABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define XT_TAG(a, b, c, d) \
    (((uint32_t)(a) << 24) | ((uint32_t)(b) << 16) | ((uint32_t)(c) << 8) | (uint32_t)(d))

#define XT_INTERFACE_VERSION 11
#define XT_GROUP_MARKER 0x46470000u
#define XT_NO_DOCUMENT 65535

/* Handles. 0 (NULL) is "none". Boxes, stories, menus, dialogs, windows and drawing
 * ports are numbers the host gives out; memory handles and host strings are opaque. */
typedef uint32_t XTBox;
typedef uint32_t XTStory;
typedef int32_t XTMenu;
typedef int32_t XTDialog;
typedef uint32_t XTWindow;
typedef uint32_t XTPort;
typedef struct XTHandleRecord* XTHandle;
typedef struct XTHostStringRecord* XTHostString;

/* Status results of host functions. */
enum {
    XT_OK = 0,
    XT_ERR_STATE = -1,      /* nothing to act on: no document, no such item, not now */
    XT_ERR_NO_HANDLER = -2, /* the host sent an event nobody handles */
    XT_ERR_PARAM = -50      /* an argument out of range */
};

/* ---------------------------------------------------------------- events */

enum {
    XT_EVENT_SHUTDOWN = 3,       /* second shutdown step, after XT_EVENT_QUIT */
    XT_EVENT_QUIT = 4,           /* the host quits */
    XT_EVENT_NOTICE = 5,         /* record: XTNoticeRecord */
    XT_EVENT_MENU_INSTALL = 6,   /* record: XTMenuInstallRecord */
    XT_EVENT_MENU_UPDATE = 7,    /* a menu is about to open; record: NULL */
    XT_EVENT_IDLE = 20,          /* record: NULL */
    XT_EVENT_HYPH_WORD = 435,    /* record: XTHyphWordRequest */
    XT_EVENT_HYPH_METHODS = 454, /* record: XTHyphMethodListRequest */
    XT_EVENT_MENU_COMMAND = 618, /* record: XTMenuCommandRecord */
    XT_EVENT_ACTIVATE = 1000,    /* record: XTActivationRecord */
    XT_EVENT_DEACTIVATE = 1001,  /* record: NULL */
    XT_EVENT_DIALOG = 1002       /* the code given in XTActivationRecord.dialogEvent */
};

/* An event handler returns 0 when it handled the event without trouble. Nothing
 * may be thrown across it. */
typedef int32_t (*XTEventHandler)(int32_t event, void* record);

/* Installs `handler` for `event`, replacing an earlier one. The three numbers are
 * the call kind, priority and flags the host records (XTensions pass 5, 200, 0). */
typedef int32_t (*XTInstallCallbackProc)(int32_t event, XTEventHandler handler, int32_t kind,
                                         int32_t priority, int32_t flags);

typedef void (*XTCallbackProc)(void);

/* Fills table[i] for the i-th callback number of `request` (XT_GROUP_MARKER, the
 * numbers, 0). Returns 0 when the group and every number are known, else the count
 * of entries left NULL (an unknown group leaves them all NULL). */
typedef int32_t (*XTGetCallbackGroupProc)(uint32_t tag, XTCallbackProc* table,
                                          const uint32_t* request);

/* Returns 0 when the host accepts the XTension. */
typedef int32_t (*XTAcceptProc)(uint32_t developerCode, uint32_t reserved, uint32_t version,
                                uint32_t flags);

#define XT_HOST_INFO_SIZE 536

typedef struct XTRegistrationRecord {
    uint8_t hostInfo[XT_HOST_INFO_SIZE]; /* the host's information block */
    XTAcceptProc acceptXTension;
    XTInstallCallbackProc installCallback;
} XTRegistrationRecord;

/* 104 bytes; the XTension copies it whole and keeps the copy. */
typedef struct XTActivationRecord {
    uint32_t size;             /* sizeof(XTActivationRecord) */
    uint32_t interfaceVersion; /* XT_INTERFACE_VERSION */
    XTInstallCallbackProc installCallback;
    XTGetCallbackGroupProc getCallbackGroup; /* the fourth entry */
    int32_t dialogEvent;                     /* event code of dialog events */
    int32_t reserved0;
    void* reserved[9];
} XTActivationRecord;

typedef struct XTNoticeRecord {
    int16_t language; /* interface language: 42 Polish, 0 English */
    int16_t value2;
    int32_t reserved;
    int64_t value1;
} XTNoticeRecord;

typedef struct XTMenuInstallRecord {
    int16_t language;
} XTMenuInstallRecord;

typedef struct XTMenuCommandRecord {
    XTMenu menu;
    int16_t item; /* the item number AppendMenuItem gave */
} XTMenuCommandRecord;

/* Event 435: the host asks for the break points of one word. */
typedef struct XTHyphWordRequest {
    const char* text;   /* cp1250 bytes */
    int16_t offset;     /* of the word in text */
    int16_t length;     /* of the word */
    int16_t entryCount; /* out: number of 4-byte entries written into entries */
    XTHandle entries;   /* out: each entry a 16-bit position after a piece, then 0 */
} XTHyphWordRequest;

/* Event 454: the host collects its hyphenation methods; each XTension appends its
 * 96-byte method record to the handle. */
typedef struct XTHyphMethodListRequest {
    XTHandle methods;
} XTHyphMethodListRequest;

/* Dialog events: the host runs a dialog modally (RunModalDialog) and reports each
 * step to the XTension's dialog handler. */
enum {
    XT_DIALOG_DEFINE = 1, /* the dialog was created from its template */
    XT_DIALOG_SETUP = 2,  /* before the first user action */
    XT_DIALOG_HIT = 3,    /* the user acted on `item` */
    XT_DIALOG_CLOSE = 4   /* the dialog is ending with `item` */
};

enum { XT_LIST_NONE = 0, XT_LIST_CHOSEN = 1, XT_LIST_ACTIVATED = 2 };

typedef struct XTDialogEventRecord {
    XTDialog dialog;
    int16_t message;    /* XT_DIALOG_... */
    int16_t item;       /* the item hit, or the closing item */
    int16_t listAction; /* XT_LIST_... for a hit on a list */
    int16_t reserved;
    void* userData; /* as given to RunModalDialog */
} XTDialogEventRecord;

/* Dialog templates, from the XTension's resources. */
enum {
    XT_ITEM_BUTTON = 1,
    XT_ITEM_CHECKBOX = 2,
    XT_ITEM_RADIO = 3,
    XT_ITEM_STATIC = 4,
    XT_ITEM_EDIT = 5,
    XT_ITEM_LIST = 6,
    XT_ITEM_POPUP = 7
};

typedef struct XTDialogItemTemplate {
    int16_t number;
    int16_t kind;       /* XT_ITEM_... */
    int16_t radioGroup; /* radio buttons of one group share a number; else 0 */
    int16_t reserved;
    const char* text; /* cp1250; for a popup, its rows separated by '\n' */
} XTDialogItemTemplate;

typedef struct XTDialogTemplate {
    int32_t resourceId;
    int16_t defaultButton; /* item number, or 0 */
    int16_t itemCount;
    const char* title; /* cp1250 */
    const XTDialogItemTemplate* items;
} XTDialogTemplate;

/* Message-box styles and answers. */
enum { XT_MB_OK = 0, XT_MB_OKCANCEL = 1, XT_MB_YESNOCANCEL = 3, XT_MB_YESNO = 4 };
/* Added to a style: the message reports a failure (work the user asked for was
   not saved), so that a host can show it as an error and a batch run can end
   with a failure status. */
enum { XT_MB_ICONERROR = 0x10 };
enum { XT_ANSWER_OK = 1, XT_ANSWER_CANCEL = 2, XT_ANSWER_YES = 6, XT_ANSWER_NO = 7 };

/* ----------------------------------------------------------- host values */

enum { XT_CONTENT_NONE = 0, XT_CONTENT_PICTURE = 2, XT_CONTENT_TEXT = 3 };
enum { XT_TOOL_CONTENT = 1, XT_TOOL_ITEM = 2 };
enum { XT_FORWARD = 1, XT_BACKWARD = -1 };
enum { XT_SPECIAL_ANCHOR = 1 };    /* FindSpecialChar kinds */
enum { XT_STYLE_FLAGS = 2 };       /* GetSelectionStyleFlags: the character style flags */
enum { XT_STYLE_SELECTOR = -102 }; /* SetSelectionStyleFlags: toggle style bits */
#define XT_STYLE_NO_BREAK 0x80u    /* keeps the characters on one line */
#define XT_SOFT_HYPHEN_IN 0x001F   /* written by PutChars, stored as U+00AD */
#define XT_ANCHOR_CHAR 0xFFFC      /* what an anchor character reads as */
enum { XT_PARA_HJ = 55 };          /* GetParagraphAttribute: the H&J number */
#define XT_LANGUAGE_POLISH 42
#define XT_LANGUAGE_ENGLISH 0
#define XT_FEATURE_INTERNATIONAL 0x1u
#define XT_FEATURE_MULTILINGUAL 0x4u
#define XT_FEATURE_POLISH 0x80000u
#define XT_HJ_NAME_SIZE 64
#define XT_HYPH_METHOD_RECORD_SIZE 96

typedef struct XTHJSpec {
    char name[XT_HJ_NAME_SIZE]; /* cp1250, NUL-terminated */
    int16_t autoHyphenate;      /* 1 when the host hyphenates automatically */
    int16_t reserved;
    uint32_t method; /* hyphenation method identifier, 0 for the host's own */
} XTHJSpec;

/* -------------------------------------------------------- callback groups */

/* Items. */
#define XT_GROUP_ITEMS XT_TAG('I', 'T', 'E', 'M')
enum {
    XTCB_GetCurrentBox = 1,   /* int32 (XTBox* box) */
    XTCB_SetCurrentBox,       /* int32 (XTBox box) */
    XTCB_IsBoxValid,          /* int32 (XTBox box): 1 or 0 */
    XTCB_IsTextBox,           /* int32 (XTBox box): 1 or 0 */
    XTCB_IsGroup,             /* int32 (XTBox box): 1 or 0 */
    XTCB_GetBoxContentType,   /* int32 (XTBox box): XT_CONTENT_... */
    XTCB_GetGroupItems,       /* int32 (XTBox group, XTHandle* list, int16* count);
                                 the list holds XTBox values; the caller disposes it */
    XTCB_GetAnchoredBox,      /* int32 (XTStory, int32 position, XTBox* box) */
    XTCB_HasAnchoredBoxes,    /* int32 (XTBox box): 1 or 0 */
    XTCB_GetBoxAtTextPosition /* int32 (XTStory, int32 position, XTBox* box): the box of
                                 the story's chain that shows the position */
};
typedef int32_t (*XTGetCurrentBoxProc)(XTBox*);
typedef int32_t (*XTSetCurrentBoxProc)(XTBox);
typedef int32_t (*XTBoxQueryProc)(XTBox);
typedef int32_t (*XTGetGroupItemsProc)(XTBox, XTHandle*, int16_t*);
typedef int32_t (*XTGetAnchoredBoxProc)(XTStory, int32_t, XTBox*);

/* Documents and their spreads. */
#define XT_GROUP_DOCUMENTS XT_TAG('D', 'O', 'C', 'S')
enum {
    XTCB_GetCurrentDocument = 1, /* int32 (uint16* document) */
    XTCB_PrepareDocument,        /* int32 (uint16 document): makes its layout current */
    XTCB_CountSpreads,           /* int32 (int16* count) */
    XTCB_GetFirstBoxOfSpread,    /* int32 (int16 spread from 1, XTBox* box) */
    XTCB_GetNextBox,             /* int32 (XTBox box, XTBox* next): the spread's next item */
    XTCB_QueryStoryFlag,         /* int32 (XTBox box, int32* flag): 1 when the box continues
                                    a story begun in an earlier box */
    XTCB_QueryBoxFlag            /* int32 (XTBox box, int32* flag): 1 when the item is
                                    excluded from output */
};
typedef int32_t (*XTGetCurrentDocumentProc)(uint16_t*);
typedef int32_t (*XTPrepareDocumentProc)(uint16_t);
typedef int32_t (*XTCountSpreadsProc)(int16_t*);
typedef int32_t (*XTGetFirstBoxOfSpreadProc)(int16_t, XTBox*);
typedef int32_t (*XTGetNextBoxProc)(XTBox, XTBox*);
typedef int32_t (*XTQueryFlagProc)(XTBox, int32_t*);

/* Story text. */
#define XT_GROUP_TEXT XT_TAG('T', 'E', 'X', 'T')
enum {
    XTCB_GetBoxTextInfo = 1, /* int32 (XTBox box or 0 for the current, XTStory*, int32* selStart,
                                int32* selEnd, int32* length) */
    XTCB_GetChars,           /* int32 (XTStory, int32 position, int32 count, uint16* dest,
                                int32* read) */
    XTCB_PutChars,           /* int32 (XTStory, int32 position, int32 count, const uint16*):
                                inserts; the new characters take the style of the selection's
                                first character, or of the character before them */
    XTCB_DeleteTextRange,    /* int32 (XTStory, int32 start, int32 end) */
    XTCB_NextCharPosition,   /* int32 (XTStory, int32 position, int16 XT_FORWARD/XT_BACKWARD,
                                int32* next) */
    XTCB_FindSpecialChar,    /* int32 (XTStory, int16 kind, int32 from, int32 to, int32* found) */
    XTCB_SetTextSelection,   /* int32 (XTStory, int32 start, int32 end, int16 redraw) */
    XTCB_GetSelectionStyleFlags, /* int32 (XTStory, int16 which, int32, int32, uint32* flags):
                                    the flags every selected character carries */
    XTCB_SetSelectionStyleFlags, /* int32 (XTStory, int16 selector, uint32 bits): when every
                                    selected character has the bits they are taken off,
                                    otherwise they are set on all */
    XTCB_TextUpdateOff,          /* int32 (void) */
    XTCB_TextUpdateOn,           /* int32 (void) */
    XTCB_SetTextUpdateMode,      /* int32 (int16 mode) */
    XTCB_ScrollToSelection       /* int32 (XTBox box) */
};
typedef int32_t (*XTGetBoxTextInfoProc)(XTBox, XTStory*, int32_t*, int32_t*, int32_t*);
typedef int32_t (*XTGetCharsProc)(XTStory, int32_t, int32_t, uint16_t*, int32_t*);
typedef int32_t (*XTPutCharsProc)(XTStory, int32_t, int32_t, const uint16_t*);
typedef int32_t (*XTDeleteTextRangeProc)(XTStory, int32_t, int32_t);
typedef int32_t (*XTNextCharPositionProc)(XTStory, int32_t, int16_t, int32_t*);
typedef int32_t (*XTFindSpecialCharProc)(XTStory, int16_t, int32_t, int32_t, int32_t*);
typedef int32_t (*XTSetTextSelectionProc)(XTStory, int32_t, int32_t, int16_t);
typedef int32_t (*XTGetSelectionStyleFlagsProc)(XTStory, int16_t, int32_t, int32_t, uint32_t*);
typedef int32_t (*XTSetSelectionStyleFlagsProc)(XTStory, int16_t, uint32_t);
typedef int32_t (*XTVoidProc)(void);
typedef int32_t (*XTInt16Proc)(int16_t);
typedef int32_t (*XTScrollToSelectionProc)(XTBox);

/* Editing: commands and tools. */
#define XT_GROUP_EDITING XT_TAG('E', 'D', 'I', 'T')
enum {
    XTCB_BeginEditCommand = 1, /* int32 (int16 kind, int16 flags): opens an undo step */
    XTCB_EndEditCommand,       /* int32 (void) */
    XTCB_GetToolMode,          /* int32 (int16* mode) */
    XTCB_SetToolMode           /* int32 (int16 mode) */
};
typedef int32_t (*XTBeginEditCommandProc)(int16_t, int16_t);
typedef int32_t (*XTGetToolModeProc)(int16_t*);

/* Drawing. */
#define XT_GROUP_DRAWING XT_TAG('D', 'R', 'A', 'W')
enum {
    XTCB_GetDrawingPort = 1, /* int32 (XTPort* port) */
    XTCB_SetDrawingPort,     /* int32 (XTPort port) */
    XTCB_GetFrontWindowPort, /* int32 (XTPort* port) */
    XTCB_RedrawWindow        /* int32 (XTPort port) */
};
typedef int32_t (*XTGetPortProc)(XTPort*);
typedef int32_t (*XTPortProc)(XTPort);

/* Menus. */
#define XT_GROUP_MENUS XT_TAG('M', 'E', 'N', 'U')
enum {
    XTCB_CreateMenu = 1,      /* int32 (const char* title, XTMenu* menu): appended to the bar */
    XTCB_AppendMenuItem,      /* int32 (XTMenu, const char* title, int16* item): item numbers are
                                 unique across the menu bar */
    XTCB_AppendMenuSeparator, /* int32 (XTMenu) */
    XTCB_EnableMenuItem,      /* int32 (int16 item, int16 enabled) */
    XTCB_SetMenuItemTitle     /* int32 (int16 item, const char* title) */
};
typedef int32_t (*XTCreateMenuProc)(const char*, XTMenu*);
typedef int32_t (*XTAppendMenuItemProc)(XTMenu, const char*, int16_t*);
typedef int32_t (*XTAppendMenuSeparatorProc)(XTMenu);
typedef int32_t (*XTEnableMenuItemProc)(int16_t, int16_t);
typedef int32_t (*XTSetMenuItemTitleProc)(int16_t, const char*);

/* Dialogs, message boxes and the cursor. Rows count from 0. */
#define XT_GROUP_DIALOGS XT_TAG('D', 'L', 'O', 'G')
enum {
    XTCB_RunModalDialog = 1,   /* int32 (const XTDialogTemplate*, void* userData, int16* itemHit) */
    XTCB_EndModalDialog,       /* int32 (XTDialog, int16 item) */
    XTCB_GetDialogItemText,    /* int32 (XTDialog, int16 item, char* dest, int32 capacity,
                                  int32* length): NUL-terminated, cut to capacity - 1 */
    XTCB_SetDialogItemText,    /* int32 (XTDialog, int16 item, const char*) */
    XTCB_EnableDialogItem,     /* int32 (XTDialog, int16 item, int16 enabled) */
    XTCB_IsDialogItemEnabled,  /* int32 (XTDialog, int16 item, int16* enabled) */
    XTCB_SetDialogItemChecked, /* int32 (XTDialog, int16 item, int16 checked) */
    XTCB_GetDialogItemChecked, /* int32 (XTDialog, int16 item, int16* checked) */
    XTCB_SetRadioChoice,       /* int32 (XTDialog, int16 group, int16 item) */
    XTCB_GetRadioChoice,       /* int32 (XTDialog, int16 group, int16* item) */
    XTCB_ClearListRows,        /* int32 (XTDialog, int16 item) */
    XTCB_AppendListRow,        /* int32 (XTDialog, int16 item, const char*) */
    XTCB_CountListRows,        /* int32 (XTDialog, int16 item, int32* count) */
    XTCB_GetListRow,           /* int32 (XTDialog, int16 item, int32 row, char* dest,
                                  int32 capacity, int32* length) */
    XTCB_GetListChoice,        /* int32 (XTDialog, int16 item, int32* row) */
    XTCB_SetListChoice,        /* int32 (XTDialog, int16 item, int32 row or -1) */
    XTCB_ShowMessageBox,       /* int32 (XTWindow owner, int16 style, const char* title,
                                  const char* text, int16* answer) */
    XTCB_GetMainWindow,        /* int32 (XTWindow* window) */
    XTCB_SetBusyCursor,        /* int32 (int16 state): -1 on, 0 off */
    /* An item's text as UTF-16, for texts cp1250 cannot hold (a word of the story
       with letters of other scripts, a text the user types): */
    XTCB_GetDialogItemTextUtf16, /* int32 (XTDialog, int16 item, uint16* dest, int32 capacity,
                                    int32* length): cut to capacity, not terminated */
    XTCB_SetDialogItemTextUtf16  /* int32 (XTDialog, int16 item, const uint16* text,
                                    int32 length) */
};
typedef int32_t (*XTRunModalDialogProc)(const XTDialogTemplate*, void*, int16_t*);
typedef int32_t (*XTDialogItemInt16Proc)(XTDialog, int16_t, int16_t);
typedef int32_t (*XTDialogItemGetInt16Proc)(XTDialog, int16_t, int16_t*);
typedef int32_t (*XTDialogItemTextProc)(XTDialog, int16_t, const char*);
typedef int32_t (*XTDialogItemGetTextProc)(XTDialog, int16_t, char*, int32_t, int32_t*);
typedef int32_t (*XTDialogItemProc)(XTDialog, int16_t);
typedef int32_t (*XTDialogItemGetInt32Proc)(XTDialog, int16_t, int32_t*);
typedef int32_t (*XTDialogItemInt32Proc)(XTDialog, int16_t, int32_t);
typedef int32_t (*XTGetListRowProc)(XTDialog, int16_t, int32_t, char*, int32_t, int32_t*);
typedef int32_t (*XTShowMessageBoxProc)(XTWindow, int16_t, const char*, const char*, int16_t*);
typedef int32_t (*XTGetMainWindowProc)(XTWindow*);
typedef int32_t (*XTDialogItemGetUtf16Proc)(XTDialog, int16_t, uint16_t*, int32_t, int32_t*);
typedef int32_t (*XTDialogItemUtf16Proc)(XTDialog, int16_t, const uint16_t*, int32_t);

/* Paragraphs, H&J specifications and hyphenation methods. */
#define XT_GROUP_PARAGRAPHS XT_TAG('P', 'A', 'R', 'A')
enum {
    XTCB_GetParagraphRun = 1,      /* int32 (XTStory, int32 index from 0, int32* start,
                                      int32* length): non-zero past the last paragraph */
    XTCB_GetParagraphAttribute,    /* int32 (XTStory, int32 index, int16 attribute, int32* value) */
    XTCB_CountHJ,                  /* int32 (int16* count) */
    XTCB_GetHJ,                    /* int32 (int16 number from 0, XTHJSpec*) */
    XTCB_FindHJ,                   /* int32 (const char* name, int16* number) */
    XTCB_StoreHJ,                  /* int32 (int16 number, const XTHJSpec*) */
    XTCB_RegisterHyphenationMethod /* int32 (uint32 id, int16, int16, XTHostString name,
                                      uint64 languagesLow, uint64 languagesHigh, int32 flags,
                                      uint8* result) */
};
typedef int32_t (*XTGetParagraphRunProc)(XTStory, int32_t, int32_t*, int32_t*);
typedef int32_t (*XTGetParagraphAttributeProc)(XTStory, int32_t, int16_t, int32_t*);
typedef int32_t (*XTCountHJProc)(int16_t*);
typedef int32_t (*XTGetHJProc)(int16_t, XTHJSpec*);
typedef int32_t (*XTFindHJProc)(const char*, int16_t*);
typedef int32_t (*XTStoreHJProc)(int16_t, const XTHJSpec*);
typedef int32_t (*XTRegisterHyphenationMethodProc)(uint32_t, int16_t, int16_t, XTHostString,
                                                   uint64_t, uint64_t, int32_t, uint8_t*);

/* Memory handles: movable blocks the host owns. */
#define XT_GROUP_MEMORY XT_TAG('M', 'E', 'M', 'O')
enum {
    XTCB_NewHandle = 1, /* int32 (int32 size, XTHandle*) */
    XTCB_LockHandle,    /* int32 (XTHandle, void** block) */
    XTCB_UnlockHandle,  /* int32 (XTHandle) */
    XTCB_GetHandleSize, /* int32 (XTHandle, int32* size) */
    XTCB_SetHandleSize, /* int32 (XTHandle, int32 size): refused while locked */
    XTCB_DisposeHandle  /* int32 (XTHandle) */
};
typedef int32_t (*XTNewHandleProc)(int32_t, XTHandle*);
typedef int32_t (*XTLockHandleProc)(XTHandle, void**);
typedef int32_t (*XTHandleProc)(XTHandle);
typedef int32_t (*XTGetHandleSizeProc)(XTHandle, int32_t*);
typedef int32_t (*XTSetHandleSizeProc)(XTHandle, int32_t);

/* Host strings (UTF-16 inside the host). */
#define XT_GROUP_STRINGS XT_TAG('S', 'T', 'R', 'G')
enum {
    XTCB_MakeHostString = 1, /* int32 (const char* cp1250, XTHostString*) */
    XTCB_HostStringLength,   /* int32 (XTHostString, int32* length) */
    XTCB_HostStringChars,    /* int32 (XTHostString, uint16* dest, int32 capacity,
                                int32* copied) */
    XTCB_ReleaseHostString   /* int32 (XTHostString) */
};
typedef int32_t (*XTMakeHostStringProc)(const char*, XTHostString*);
typedef int32_t (*XTHostStringLengthProc)(XTHostString, int32_t*);
typedef int32_t (*XTHostStringCharsProc)(XTHostString, uint16_t*, int32_t, int32_t*);
typedef int32_t (*XTReleaseHostStringProc)(XTHostString);

/* The host itself. */
#define XT_GROUP_SYSTEM XT_TAG('S', 'Y', 'S', 'T')
enum {
    XTCB_GetFeatureFlags = 1, /* int32 (uint32* flags): XT_FEATURE_... */
    XTCB_GetInterfaceLanguage /* int32 (int16* language) */
};
typedef int32_t (*XTGetFeatureFlagsProc)(uint32_t*);
typedef int32_t (*XTGetInterfaceLanguageProc)(int16_t*);

/* The XTension's exported entry. Returns 0 when it registered. */
typedef int32_t (*XTActivateCallbackProc)(XTRegistrationRecord* record);
#define XT_ENTRY_NAME "XTActivateCallback"

/* Marks the module's entries: everything else in the module is hidden. */
#define XT_EXPORT __attribute__((visibility("default")))

#ifdef __cplusplus
}
#endif

#endif /* TARNIK_XTABI_H */
