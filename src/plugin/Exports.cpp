// The eight entry points of the plugin library, in the order the host
// application calls them. Init and Uninit wire and unwire the process-wide
// objects; the message, command and drop exports only forward and open no trace.

#include <string>

#include "host/ZivizevEventLoop.h"
#include "logging/LogInstance.h"
#include "logging/OperationTrace.h"
#include "messaging/Notifier.h"
#include "messaging/Plugin.h"
#include "messaging/RecordCopy.h"
#include "messaging/ResourceCollectionPool.h"
#include "messaging/TessarilPylonRequester.h"
#include "messaging/TessarilPylonResponser.h"
#include "messaging/TessarilPylonSlot.h"
#include "messaging/TessarilServerApiRequester.h"
#include "messaging/TessarilServerApiResponser.h"
#include "messaging/TessarilServerApiSlot.h"
#include "plugin/CommandTable.h"
#include "plugin/PluginSteps.h"
#include "tessaril_remotecontrol_host.h"

namespace {

using namespace TESSARIL_REMOTECONTROL_HOST;

constexpr TESSARIL_LOG::OperationTrace Trace;

// Nothing may be written before the logger exists, so this runs before the
// first trace opens.
void CreateLogger(const char* text1, const char* text2, int32_t value)
{
    const std::string second = TESSARIL_SERVER_API::CopyText(text2);
    const std::string first = TESSARIL_SERVER_API::CopyText(text1);
    TESSARIL_LOG::LogInstance::GetInstance()->CreateLogger(value, first.c_str(), second.c_str());
}

void WireMessaging(TessarilSendFunction sendFunction, TessarilNotifyFunction notifyFunction, uint32_t pluginHandle)
{
    TessarilPylonRequester::GetInstance()->SetSendFunction(sendFunction);
    TessarilPylonResponser::GetInstance();
    TessarilPylonSlot::GetInstance();
    TessarilServerApiRequester::GetInstance()->SetSendFunction(sendFunction);
    TessarilServerApiResponser::GetInstance();
    TessarilServerApiSlot::GetInstance();
    Notifier::GetInstance()->SetNotifyFunction(notifyFunction);
    Plugin::GetInstance()->SetPluginHandle(pluginHandle);
}

// LogInstance goes last: every destructor before it may still write.
void DestroySingletons()
{
    ZivizevEventLoop::DestroyInstance();
    Plugin::DestroyInstance();
    Notifier::DestroyInstance();
    TessarilPylonRequester::DestroyInstance();
    TessarilPylonResponser::DestroyInstance();
    TessarilPylonSlot::DestroyInstance();
    TessarilServerApiRequester::DestroyInstance();
    TessarilServerApiResponser::DestroyInstance();
    TessarilServerApiSlot::DestroyInstance();
    TESSARIL_LOG::LogInstance::DestroyInstance();
}

}  // namespace

extern "C" {

bool TESSARIL_CDECL ExportedInit(TessarilSendFunction sendFunction, TessarilNotifyFunction notifyFunction,
                                 uint32_t pluginHandle, const TessarilEventLoopTable* eventLoop,
                                 const char* loggerText1, const char* loggerText2, int32_t loggerValue)
{
    CreateLogger(loggerText1, loggerText2, loggerValue);
    const auto trace = Trace("ExportedInit");
    WireMessaging(sendFunction, notifyFunction, pluginHandle);
    if (eventLoop != nullptr) {
        ZivizevEventLoop::GetInstance()->Init(*eventLoop);
    }
    return PluginSteps::Init();
}

bool TESSARIL_CDECL ExportedStart(void)
{
    const auto trace = Trace("ExportedStart");
    return PluginSteps::Start();
}

bool TESSARIL_CDECL ExportedStop(void)
{
    const auto trace = Trace("ExportedStop");
    return PluginSteps::Stop();
}

// The trace's exit line is written after LogInstance was destroyed, through a
// fresh facade that the write creates and that stays until unload.
bool TESSARIL_CDECL ExportedUninit(void)
{
    const auto trace = Trace("ExportedUninit");
    const bool result = PluginSteps::Uninit();
    ZivizevEventLoop::GetInstance()->Uninit();
    DestroySingletons();
    return result;
}

bool TESSARIL_CDECL ExportedOnReceive(uint64_t messageId, const void* payload)
{
    TessarilPylonResponser::GetInstance()->OnReceive(messageId, payload);
    TessarilServerApiResponser::GetInstance()->OnReceive(messageId, payload);
    return true;
}

bool TESSARIL_CDECL ExportedOnDelegate(uint64_t messageId, const void* payload)
{
    TessarilPylonSlot::GetInstance()->OnDelegate(messageId, payload);
    TessarilServerApiSlot::GetInstance()->OnDelegate(messageId, payload);
    return true;
}

bool TESSARIL_CDECL ExportedCallEvent(uint64_t commandId, void* payload)
{
    if (payload == nullptr) {
        return false;
    }
    static CommandTable table;
    return table.Run(commandId, payload);
}

bool TESSARIL_CDECL ExportedCallDrop(uint64_t callId)
{
    __ResourceCollectionPool__::GetInstance()->Drop(callId);
    return true;
}

}  // extern "C"
