#include "app/Lifetime.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <vector>

namespace app::lifetime {

namespace {
bool &terminateFlag() {
    static bool flag = false;
    return flag;
}

std::vector<QPointer<QObject>> &adopted() {
    static std::vector<QPointer<QObject>> objects;
    return objects;
}
} // namespace

void requestTerminate() {
    terminateFlag() = true;
    QCoreApplication::quit();
}

bool terminateRequested() {
    return terminateFlag();
}

void adopt(QObject *object) {
    adopted().emplace_back(object);
}

int adoptedCount() {
    return int(adopted().size());
}

void destroyAdopted() {
    // Newest first, as an owner destroys what it owns.
    auto &objects = adopted();
    while (!objects.empty()) {
        QPointer<QObject> object = objects.back();
        objects.pop_back();
        delete object.data();
    }
}

void reset() {
    terminateFlag() = false;
}

} // namespace app::lifetime
