/* The public header must be plain C: this file only has to compile, with the
 * header's own layout checks on 32-bit targets. */
#include "tessaril_remotecontrol_host.h"

size_t TessarilPublicHeaderStartHostSize(void)
{
    return sizeof(TessarilStartHostCommand);
}
