/*
 * tessaril-remotecontrol-host: the plugin's interface for host applications.
 *
 * Plain C. Every payload that crosses the plugin boundary is one of the structs
 * below. The layouts are those of 32-bit Windows: little-endian, natural
 * alignment, 64-bit fields on 8-byte boundaries. Each 64-bit field carries an
 * explicit 8-byte alignment so that 32-bit Linux (where the ABI aligns int64 and
 * double to 4 bytes) lays them out the same way; on 32-bit targets every size
 * and offset is checked at compile time at the end of this file. A 64-bit build
 * of this header gives the natural 64-bit layout, which a plugin and a host
 * built from the same header share.
 *
 * Texts are NUL-terminated 8-bit strings passed by pointer; a list is a pointer
 * to its first element and a 32-bit count. A result field is written by the
 * side that handles the message; the sending side sets it to 0 first. Memory a
 * payload points to belongs to the side that built it. A message's payload
 * (ExportedOnReceive, SendFunction, NotifyFunction) must stay valid until the
 * call that carries it returns; a command's payload (ExportedCallEvent), with
 * everything it points to, until ExportedCallDrop is called with the same
 * command id.
 */
#ifndef TESSARIL_REMOTECONTROL_HOST_H
#define TESSARIL_REMOTECONTROL_HOST_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define TESSARIL_ALIGN8 alignas(8)
#define TESSARIL_STATIC_ASSERT(condition) static_assert(condition, #condition)
extern "C" {
#else
#define TESSARIL_ALIGN8 _Alignas(8)
#define TESSARIL_STATIC_ASSERT(condition) _Static_assert(condition, #condition)
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define TESSARIL_CDECL __cdecl
#else
#define TESSARIL_CDECL
#endif

#if defined(_WIN32)
#if defined(TESSARIL_REMOTECONTROL_HOST_BUILDING)
#define TESSARIL_REMOTECONTROL_HOST_API __declspec(dllexport)
#else
#define TESSARIL_REMOTECONTROL_HOST_API __declspec(dllimport)
#endif
#else
#define TESSARIL_REMOTECONTROL_HOST_API __attribute__((visibility("default")))
#endif

/* ------------------------------------------------------------------------ */
/* Message ids. The high 32 bits of every id are 0; no id is used twice.    */
/* ------------------------------------------------------------------------ */

/* Incoming, ServerApi service (ExportedOnReceive). */
#define TESSARIL_MSG_OPEN_CHANNEL_RESPONSE      UINT64_C(15000555)
#define TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE     UINT64_C(15000753)
#define TESSARIL_MSG_CHANNEL_UNAVAILABLE        UINT64_C(15000713)
#define TESSARIL_MSG_CHANNEL_AVAILABLE          UINT64_C(15000240)
#define TESSARIL_MSG_KEY_EVENT                  UINT64_C(15000805)
#define TESSARIL_MSG_MOUSE_EVENT                UINT64_C(15000152)
#define TESSARIL_MSG_MOUSE_EVENT_ARRAY          UINT64_C(15000355)
#define TESSARIL_MSG_CLIENT_VIEWPORT_INFO       UINT64_C(15000068)
#define TESSARIL_MSG_TOUCH_EVENT_ARRAY          UINT64_C(15000640)
#define TESSARIL_MSG_TEXT_PAIR_A                UINT64_C(15000610)
#define TESSARIL_MSG_TEXT_PAIR_B                UINT64_C(15000644)

/* Incoming, Pylon service (accepted and dropped by this plugin). */
#define TESSARIL_MSG_PYLON_VALUE_A              UINT64_C(13600967)
#define TESSARIL_MSG_PYLON_VALUE_B              UINT64_C(13600516)
#define TESSARIL_MSG_PYLON_SIGNAL_A             UINT64_C(13600756)
#define TESSARIL_MSG_PYLON_SIGNAL_B             UINT64_C(13600055)
#define TESSARIL_MSG_PYLON_SIGNAL_C             UINT64_C(13600186)
#define TESSARIL_MSG_PYLON_SIGNAL_D             UINT64_C(13600108)

/* Outgoing through SendFunction. */
#define TESSARIL_MSG_REGISTER_REQUEST           UINT64_C(35650597)
#define TESSARIL_MSG_UNREGISTER_REQUEST         UINT64_C(35650233)
#define TESSARIL_MSG_CURSOR_REPORT              UINT64_C(35650108)

/* Outgoing through NotifyFunction. */
#define TESSARIL_MSG_CHANNEL_AVAILABLE_NOTIFY   UINT64_C(15600197)
#define TESSARIL_MSG_CHANNEL_UNAVAILABLE_NOTIFY UINT64_C(15600375)
#define TESSARIL_MSG_REPORT_NOTIFY              UINT64_C(15600644)

/* Plugin commands (ExportedCallEvent). */
#define TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW     UINT64_C(25600606)
#define TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW  UINT64_C(25600582)
#define TESSARIL_CMD_CLEAR_HOST_IGNORE_WINDOW   UINT64_C(25600218)
#define TESSARIL_CMD_START_HOST                 UINT64_C(25600062)
#define TESSARIL_CMD_STOP_HOST                  UINT64_C(25600096)
#define TESSARIL_CMD_RESET_SCREEN               UINT64_C(25600371)
#define TESSARIL_CMD_RESET_WINDOW               UINT64_C(25600079)

/* The sender text of every message the plugin sends. */
#define TESSARIL_SENDER_TEXT "TESSARIL_REMOTECONTROL_HOST_uuid"

/* Result codes written into command payloads. */
#define TESSARIL_RESULT_DONE            0
#define TESSARIL_RESULT_ALREADY_STARTED 5
#define TESSARIL_RESULT_NOT_STARTED     6

/* An all-bits-set target id means that no target has been given. */
#define TESSARIL_NO_TARGET UINT64_MAX

/* The viewport size value that asks for the size the last viewport message set. */
#define TESSARIL_VIEWPORT_SIZE_SENTINEL INT64_C(99999999)

/* ------------------------------------------------------------------------ */
/* Remote-control records                                                   */
/* ------------------------------------------------------------------------ */

/* A key event of the viewer (message 15000805). 40 bytes. */
typedef struct TessarilKeyEvent {
    TESSARIL_ALIGN8 int64_t keyCode;    /* Windows virtual-key code: the low 16 bits are sent;
                                           the low 32 decide whether it is Caps Lock or Num Lock */
    TESSARIL_ALIGN8 int64_t capsLock;   /* non-zero: Caps Lock on at the viewer */
    bool pressed;                       /* true: key down */
    uint8_t flag;                       /* carried unchanged, not interpreted */
    bool numLock;                       /* Num Lock on at the viewer */
    TESSARIL_ALIGN8 int64_t seq;        /* sequence number */
    TESSARIL_ALIGN8 int64_t createTime; /* ms since 1970-01-01 UTC at the viewer */
} TessarilKeyEvent;

/* A mouse event of the viewer as it travels (message 15000152). 128 bytes. */
typedef struct TessarilMouseEventFFI {
    TESSARIL_ALIGN8 int64_t x;          /* viewport coordinates */
    TESSARIL_ALIGN8 int64_t y;
    TESSARIL_ALIGN8 int32_t button;
    TESSARIL_ALIGN8 int32_t eventType;  /* 1 and 2 are button events */
    TESSARIL_ALIGN8 bool pressed;
    TESSARIL_ALIGN8 double wheelDeltaX;
    TESSARIL_ALIGN8 double wheelDeltaY;
    TESSARIL_ALIGN8 double reserved0;   /* carried unchanged, not read */
    TESSARIL_ALIGN8 double reserved1;   /* carried unchanged, not read */
    TESSARIL_ALIGN8 int64_t deltaX;     /* relative movement, the fallback when no absolute move is possible */
    TESSARIL_ALIGN8 int64_t deltaY;
    TESSARIL_ALIGN8 int64_t vp_width;   /* viewer's viewport size */
    TESSARIL_ALIGN8 int64_t vp_height;
    TESSARIL_ALIGN8 int64_t suppressMark;
    TESSARIL_ALIGN8 int64_t seq;
    TESSARIL_ALIGN8 int64_t createTime;
} TessarilMouseEventFFI;

/* The size of the viewer's viewport (message 15000068). 32 bytes. */
typedef struct TessarilClientViewportInfo {
    TESSARIL_ALIGN8 int64_t reserved0;  /* stored, not used */
    TESSARIL_ALIGN8 int64_t reserved1;  /* stored, not used */
    TESSARIL_ALIGN8 int64_t width;      /* must be non-zero */
    TESSARIL_ALIGN8 int64_t height;     /* must be non-zero */
} TessarilClientViewportInfo;

/* One host cursor sample as the plugin reports it. 56 bytes.
 *
 * x, y: host pixels, not scaled to the viewer's viewport.
 *   Window mode: the cursor's screen position minus the top-left corner of the
 *   shared window's rectangle (GetWindowRect: frame included); negative or
 *   beyond the size while the cursor is outside the window.
 *   Screen mode: the cursor's absolute screen position, NOT relative to the
 *   shared monitor; subtract the monitor's rcMonitor.left / top to place it on
 *   a monitor that is not at the origin.
 *   When the shared window cannot be queried, x and y are plain screen
 *   positions.
 * screenWidth, screenHeight: the size in host pixels of the shared window's
 *   rectangle (frame included) or of the shared monitor (rcMonitor); 0 x 0
 *   when the window or monitor cannot be queried.
 * cursorType: a hidden cursor reports 0 (the arrow), at its real position.
 * A cursor that cannot be read, or that is suppressed (touch or pen input),
 * repeats the previous sample (before the first good read: type 0 at 0,0
 * with a 0 x 0 size). */
typedef struct TessarilMouseCursorFFI {
    TESSARIL_ALIGN8 int64_t reserved0;  /* always 0 */
    TESSARIL_ALIGN8 int64_t cursorType; /* 0 arrow, 8 I-beam, 5 wait, 3 hand, ... */
    TESSARIL_ALIGN8 int64_t x;          /* see above: window-relative or absolute */
    TESSARIL_ALIGN8 int64_t y;
    TESSARIL_ALIGN8 int64_t screenWidth;  /* the shared window's or monitor's size */
    TESSARIL_ALIGN8 int64_t screenHeight;
    TESSARIL_ALIGN8 int64_t reserved1;  /* always 1 */
} TessarilMouseCursorFFI;

/* One touch record (element of message 15000640). 56 bytes; not consumed. */
typedef struct TessarilTouchRecordFFI {
    TESSARIL_ALIGN8 int32_t value0;
    TESSARIL_ALIGN8 int32_t value1;
    TESSARIL_ALIGN8 int64_t values[5];
} TessarilTouchRecordFFI;

/* ------------------------------------------------------------------------ */
/* Payloads of the other incoming messages                                  */
/* ------------------------------------------------------------------------ */

/* Message 15000355: a batch of mouse events. */
typedef struct TessarilMouseEventArrayPayload {
    const TessarilMouseEventFFI* events;
    uint32_t count;
    TESSARIL_ALIGN8 int64_t timeDuration;
} TessarilMouseEventArrayPayload;

/* Message 15000640: a batch of touch records. */
typedef struct TessarilTouchEventArrayPayload {
    const TessarilTouchRecordFFI* records;
    uint32_t count;
} TessarilTouchEventArrayPayload;

/* Messages 15000610 and 15000644: two texts. */
typedef struct TessarilTextPairPayload {
    const char* first;
    const char* second;
} TessarilTextPairPayload;

/* Pylon messages 13600967 and 13600516: a 32-bit and a 64-bit value. */
typedef struct TessarilPylonValuePayload {
    uint32_t value32;
    TESSARIL_ALIGN8 uint64_t value64;
} TessarilPylonValuePayload;

/* ------------------------------------------------------------------------ */
/* Payloads of the outgoing messages                                        */
/* ------------------------------------------------------------------------ */

/* Request 35650597: register with the channel under a text. */
typedef struct TessarilRegisterRequestPayload {
    const char* text;
    TESSARIL_ALIGN8 int64_t result;
} TessarilRegisterRequestPayload;

/* Request 35650108: a batch of cursor samples. */
typedef struct TessarilCursorReportPayload {
    const TessarilMouseCursorFFI* samples;
    uint32_t count;
    TESSARIL_ALIGN8 int64_t result;
} TessarilCursorReportPayload;

/* Notification 15600644: a key and a value, e.g. "PacketDealTime". */
typedef struct TessarilReportPayload {
    const char* key;
    const char* value;
} TessarilReportPayload;

/* Request 35650233 and notifications 15600197 / 15600375 carry a pointer to
 * one byte that holds nothing; the receiver must not read it. */

/* ------------------------------------------------------------------------ */
/* Plugin command payloads (ExportedCallEvent)                              */
/* ------------------------------------------------------------------------ */

/* Commands 25600606 (add) and 25600582 (remove). 48 bytes.
 * ignoreType 1: the window handle as 4 bytes in windowBytes;
 * ignoreType 2: the visible top-level windows of processId whose title equals
 *               one of titles (UTF-8);
 * ignoreType 3: the window handle in windowHandle (low 32 bits). */
typedef struct TessarilIgnoreWindowRequest {
    int32_t ignoreType;
    TESSARIL_ALIGN8 const uint8_t* windowBytes;
    uint32_t windowByteCount;
    uint32_t processId;
    uint32_t reserved;                  /* copied, not read */
    const char* const* titles;
    uint32_t titleCount;
    TESSARIL_ALIGN8 int64_t windowHandle;
    TESSARIL_ALIGN8 int64_t result;
} TessarilIgnoreWindowRequest;

/* Command 25600062. 32 bytes. */
typedef struct TessarilStartHostCommand {
    const char* text;                   /* registration text */
    TESSARIL_ALIGN8 uint64_t screenId;  /* monitor handle (isScreen) or window handle, low 32 bits */
    bool isScreen;
    TESSARIL_ALIGN8 int64_t result;
} TessarilStartHostCommand;

/* Commands 25600218 (clear ignore windows) and 25600096 (stop). 8 bytes. */
typedef struct TessarilResultOnlyCommand {
    TESSARIL_ALIGN8 int64_t result;
} TessarilResultOnlyCommand;

/* Commands 25600371 (reset screen) and 25600079 (reset window). 16 bytes. */
typedef struct TessarilResetTargetCommand {
    TESSARIL_ALIGN8 int64_t id;
    TESSARIL_ALIGN8 int64_t result;
} TessarilResetTargetCommand;

/* ------------------------------------------------------------------------ */
/* The host application's entry points                                      */
/* ------------------------------------------------------------------------ */

/* SendFunction and NotifyFunction: called with the sender text, the message id
 * and the payload; they must handle the message before returning. Their return
 * value is not used. SendFunction is also called on the thread that runs a
 * posted task: the event loop's, or the plugin's cursor thread when postTask
 * runs the task before it returns. */
typedef bool (TESSARIL_CDECL* TessarilSendFunction)(const char* sender, uint64_t messageId, void* payload);
typedef TessarilSendFunction TessarilNotifyFunction;

/* A callback the plugin hands to the event loop; it receives the context
 * pointer given with it. */
typedef void (TESSARIL_CDECL* TessarilEventLoopCallback)(void* context);

/* An entry of the event-loop table that the plugin stores and never calls. */
typedef void (TESSARIL_CDECL* TessarilEventLoopEntry)(void);

/* The host application's event loop: 64 bytes on 32-bit Windows. Any entry may
 * be null. The plugin calls entries 1, 2, 4 and 10. */
typedef struct TessarilEventLoopTable {
    TessarilEventLoopEntry entry0;
    /* Register a listener callback; returns a registration handle. */
    uint64_t (TESSARIL_CDECL* registerListener)(TessarilEventLoopCallback callback, void* context);
    /* Undo registerListener. */
    void (TESSARIL_CDECL* unregisterListener)(uint64_t registration);
    TessarilEventLoopEntry entry3;
    /* Cancel a task of the first kind (never posted by this plugin). */
    void (TESSARIL_CDECL* cancelTask)(uint64_t taskId);
    TessarilEventLoopEntry entry5;
    TessarilEventLoopEntry entry6;
    TessarilEventLoopEntry entry7;
    TessarilEventLoopEntry entry8;
    TessarilEventLoopEntry entry9;
    /* Run callback(context) exactly once: later on the loop thread, or at once
     * inside postTask; never wait for the loop thread. Returns the task's id. */
    uint64_t (TESSARIL_CDECL* postTask)(TessarilEventLoopCallback callback, void* context);
    TessarilEventLoopEntry entry11;
    TessarilEventLoopEntry entry12;
    TESSARIL_ALIGN8 uint64_t value;     /* stored, not used */
} TessarilEventLoopTable;

/* ------------------------------------------------------------------------ */
/* The eight exports                                                        */
/* ------------------------------------------------------------------------ */

TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedInit(
    TessarilSendFunction sendFunction, TessarilNotifyFunction notifyFunction, uint32_t pluginHandle,
    const TessarilEventLoopTable* eventLoop, const char* loggerText1, const char* loggerText2,
    int32_t loggerValue);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedStart(void);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedStop(void);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedUninit(void);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedOnReceive(uint64_t messageId, const void* payload);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedOnDelegate(uint64_t messageId, const void* payload);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedCallEvent(uint64_t commandId, void* payload);
TESSARIL_REMOTECONTROL_HOST_API bool TESSARIL_CDECL ExportedCallDrop(uint64_t callId);

/* ------------------------------------------------------------------------ */
/* The 32-bit layouts, checked                                              */
/* ------------------------------------------------------------------------ */

#if UINTPTR_MAX == 0xFFFFFFFFu
TESSARIL_STATIC_ASSERT(sizeof(TessarilKeyEvent) == 40);
TESSARIL_STATIC_ASSERT(offsetof(TessarilKeyEvent, capsLock) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilKeyEvent, pressed) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilKeyEvent, flag) == 17);
TESSARIL_STATIC_ASSERT(offsetof(TessarilKeyEvent, numLock) == 18);
TESSARIL_STATIC_ASSERT(offsetof(TessarilKeyEvent, seq) == 24);
TESSARIL_STATIC_ASSERT(offsetof(TessarilKeyEvent, createTime) == 32);

TESSARIL_STATIC_ASSERT(sizeof(TessarilMouseEventFFI) == 128);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, y) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, button) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, eventType) == 24);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, pressed) == 32);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, wheelDeltaX) == 40);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, wheelDeltaY) == 48);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, reserved0) == 56);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, reserved1) == 64);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, deltaX) == 72);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, deltaY) == 80);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, vp_width) == 88);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, vp_height) == 96);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, suppressMark) == 104);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, seq) == 112);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventFFI, createTime) == 120);

TESSARIL_STATIC_ASSERT(sizeof(TessarilClientViewportInfo) == 32);
TESSARIL_STATIC_ASSERT(offsetof(TessarilClientViewportInfo, width) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilClientViewportInfo, height) == 24);

TESSARIL_STATIC_ASSERT(sizeof(TessarilMouseCursorFFI) == 56);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseCursorFFI, cursorType) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseCursorFFI, x) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseCursorFFI, y) == 24);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseCursorFFI, screenWidth) == 32);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseCursorFFI, screenHeight) == 40);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseCursorFFI, reserved1) == 48);

TESSARIL_STATIC_ASSERT(sizeof(TessarilTouchRecordFFI) == 56);
TESSARIL_STATIC_ASSERT(offsetof(TessarilTouchRecordFFI, value1) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilTouchRecordFFI, values) == 16);

TESSARIL_STATIC_ASSERT(sizeof(TessarilMouseEventArrayPayload) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventArrayPayload, count) == 4);
TESSARIL_STATIC_ASSERT(offsetof(TessarilMouseEventArrayPayload, timeDuration) == 8);
TESSARIL_STATIC_ASSERT(sizeof(TessarilTouchEventArrayPayload) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilTouchEventArrayPayload, count) == 4);
TESSARIL_STATIC_ASSERT(sizeof(TessarilTextPairPayload) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilTextPairPayload, second) == 4);
TESSARIL_STATIC_ASSERT(sizeof(TessarilPylonValuePayload) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilPylonValuePayload, value64) == 8);

TESSARIL_STATIC_ASSERT(sizeof(TessarilRegisterRequestPayload) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilRegisterRequestPayload, result) == 8);
TESSARIL_STATIC_ASSERT(sizeof(TessarilCursorReportPayload) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilCursorReportPayload, count) == 4);
TESSARIL_STATIC_ASSERT(offsetof(TessarilCursorReportPayload, result) == 8);
TESSARIL_STATIC_ASSERT(sizeof(TessarilReportPayload) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilReportPayload, value) == 4);

TESSARIL_STATIC_ASSERT(sizeof(TessarilIgnoreWindowRequest) == 48);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, windowBytes) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, windowByteCount) == 12);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, processId) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, reserved) == 20);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, titles) == 24);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, titleCount) == 28);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, windowHandle) == 32);
TESSARIL_STATIC_ASSERT(offsetof(TessarilIgnoreWindowRequest, result) == 40);

TESSARIL_STATIC_ASSERT(sizeof(TessarilStartHostCommand) == 32);
TESSARIL_STATIC_ASSERT(offsetof(TessarilStartHostCommand, screenId) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilStartHostCommand, isScreen) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilStartHostCommand, result) == 24);
TESSARIL_STATIC_ASSERT(sizeof(TessarilResultOnlyCommand) == 8);
TESSARIL_STATIC_ASSERT(sizeof(TessarilResetTargetCommand) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilResetTargetCommand, result) == 8);

TESSARIL_STATIC_ASSERT(sizeof(TessarilEventLoopTable) == 64);
TESSARIL_STATIC_ASSERT(offsetof(TessarilEventLoopTable, registerListener) == 4);
TESSARIL_STATIC_ASSERT(offsetof(TessarilEventLoopTable, unregisterListener) == 8);
TESSARIL_STATIC_ASSERT(offsetof(TessarilEventLoopTable, cancelTask) == 16);
TESSARIL_STATIC_ASSERT(offsetof(TessarilEventLoopTable, postTask) == 40);
TESSARIL_STATIC_ASSERT(offsetof(TessarilEventLoopTable, entry12) == 48);
TESSARIL_STATIC_ASSERT(offsetof(TessarilEventLoopTable, value) == 56);
#endif

#ifdef __cplusplus
}
#endif

#endif /* TESSARIL_REMOTECONTROL_HOST_H */
