#include "app/Lifetime.h"
#include "app/SplashScreen.h"
#include "app/TForm1.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    auto splash = std::make_unique<TSplashScreen>();
    splash->show();
    splash->repaint();
    QApplication::setApplicationName(QStringLiteral("Hearthledger"));
    QApplication::setQuitOnLastWindowClosed(false);

    int result = 0;
    {
        TForm1 Form1;
        Form1.show();
        splash->raise();
        while (!splash->FormCloseQuery())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        splash.reset();
        if (!lifetime::terminateRequested())
            result = QApplication::exec();
    }
    lifetime::destroyAdopted();
    return result;
}
