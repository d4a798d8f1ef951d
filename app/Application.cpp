#include "app/Application.h"

#include "app/Lifetime.h"
#include "widgets/Messages.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(widgets::kApplicationTitle));
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
