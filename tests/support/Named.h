#pragma once

#include <QObject>
#include <QtGlobal>

// The descendant of root with the object name, as a T; the test program stops
// with a message when there is none.
template <class T> T *named(const QObject &root, const char *name) {
    T *child = root.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("%s has no %s named %s", qPrintable(root.objectName()),
               T::staticMetaObject.className(), name);
    return child;
}
