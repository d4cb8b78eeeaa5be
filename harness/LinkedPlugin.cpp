#include "PluginExports.h"

namespace TESSARIL_HOST_APP {

PluginExports LinkedPlugin()
{
    return PluginExports{&ExportedInit,      &ExportedStart,      &ExportedStop,      &ExportedUninit,
                         &ExportedOnReceive, &ExportedOnDelegate, &ExportedCallEvent, &ExportedCallDrop};
}

}  // namespace TESSARIL_HOST_APP
