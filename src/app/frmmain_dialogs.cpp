// The folder chooser and the About dialog, opened from the main window.
#include "app/frmmain.h"

namespace ostrel {

void frmmain::cmdbroswe_Click() {}

void frmmain::mnuabout_Click() {}

void frmmain::cmdabout_Click() { mnuabout_Click(); }

} // namespace ostrel
