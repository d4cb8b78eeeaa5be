#include "messaging/TessarilPylonRequester.h"

void TessarilPylonRequester::SetSendFunction(TessarilSendFunction function)
{
    sendFunction = function;
}
