// The restore check box: the saved drive set and the start-up entry.
#include "app/frmmain.h"

namespace ostrel {

void frmmain::chkrestore_Click() {}

} // namespace ostrel
