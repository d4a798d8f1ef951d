#include "platform/desktop/GlobalAtom.h"

#include "platform/desktop/XcbKeys.h"

#include <QHash>
#include <QMutex>

#include <cstdlib>

namespace platform {

namespace {

int serverAtom(const QString &name) {
    xcb_connection_t *connection = xcb::connection();
    if (!connection)
        return 0;
    const QByteArray bytes = name.toUtf8();
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(bytes.size()), bytes.constData()),
        nullptr);
    const int atom = reply ? int(reply->atom) : 0;
    std::free(reply);
    return atom;
}

// Numbered as the string atoms of the window system we stand in for.
int localAtom(const QString &name) {
    static QMutex mutex;
    static QHash<QString, int> table;
    QMutexLocker lock(&mutex);
    auto it = table.constFind(name);
    if (it == table.constEnd())
        it = table.insert(name, 0xC000 + int(table.size()));
    return *it;
}

} // namespace

int atomId(const QString &name) {
    if (name.isEmpty() || name.toUtf8().size() > 0xffff)
        return 0;
    if (const int atom = serverAtom(name))
        return atom;
    return localAtom(name);
}

} // namespace platform
