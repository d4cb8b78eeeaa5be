#include "Desktop.h"

namespace SimulatedDesktop {

// Built on first use, so that modules may call in from their static
// initialisers (the plugin loads its standard cursors that early).
Desktop& Desktop::Instance()
{
    static Desktop desktop;
    return desktop;
}

}  // namespace SimulatedDesktop
