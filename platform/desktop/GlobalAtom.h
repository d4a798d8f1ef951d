#pragma once

#include <QString>

namespace platform {

// A stable nonzero number for a name, the same for every call with that name while
// the program runs: the X11 atom of the name on an X11 display (shared with the
// display's other programs), otherwise a number from a table of this process.
// 0 for an empty name.
int atomId(const QString &name);

} // namespace platform
