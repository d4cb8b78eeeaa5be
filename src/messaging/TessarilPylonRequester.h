#pragma once

#include "common/Singleton.h"
#include "tessaril_remotecontrol_host.h"

// The Pylon service's sender. The system sends no Pylon request, so this keeps
// only the SendFunction that ExportedInit hands it: the generated requests that
// nothing calls, and the callables besides SendFunction that nothing fills, are
// left out.
class TessarilPylonRequester : public TESSARIL_COMMON::Singleton<TessarilPylonRequester> {
public:
    void SetSendFunction(TessarilSendFunction function);

private:
    TessarilSendFunction sendFunction = nullptr;
};
