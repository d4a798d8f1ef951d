#include "app/Application.h"

#include "BuildInfo.h"
#include "app/Lifetime.h"
#include "widgets/Messages.h"

namespace app {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(widgets::kApplicationTitle));
    setApplicationVersion(QString::fromLatin1(buildinfo::version));
    // Ties the window to its desktop entry and icon where the desktop asks for it.
    setDesktopFileName(QString::fromLatin1(buildinfo::applicationId));
    setQuitOnLastWindowClosed(false);
}

Application::~Application() {
    // Report objects and About boxes live until the program ends.
    lifetime::destroyAdopted();
}

bool Application::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        widgets::reportCurrentException();
        return false;
    }
}

} // namespace app
