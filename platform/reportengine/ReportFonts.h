#pragma once

#include <QString>

namespace reportengine {

// The decorative display face for report titles, by family name, falling back
// to a face that every machine has when it is not installed.
QString titleFontFamily();

} // namespace reportengine
