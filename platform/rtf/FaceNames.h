#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The faces to ask for when a text names a face: the face itself, then the
// faces that stand in for it on this desktop where it is missing. The editor's
// own font and the fonts of stored pages go through the same list, so a page
// shows in the same face before it is saved and after it is read back.
QStringList facesFor(const QString &face);

} // namespace platform
