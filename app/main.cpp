#include "app/Application.h"
#include "app/Lifetime.h"
#include "app/SplashScreen.h"
#include "app/TForm1.h"
#include "data/DataFolder.h"
#include "widgets/Messages.h"

#include <memory>

int main(int argc, char *argv[]) {
    app::Application app(argc, argv);
    auto splash = std::make_unique<app::TSplashScreen>();
    splash->show();
    splash->repaint();

    // Beside the executable when the files lie there, else the user's data folder.
    const data::DataFolder::Prepared folder = data::DataFolder::prepare();
    if (!folder.problem.isEmpty()) {
        splash.reset();
        widgets::showMessage(folder.problem);
        return 1;
    }

    int result = 0;
    {
        app::TForm1 Form1(folder.folder);
        Form1.show();
        splash->raise();
        splash->waitUntilMayClose();
        splash.reset();
        if (!app::lifetime::terminateRequested())
            result = QApplication::exec();
    }
    return result != 0 ? result : app::lifetime::exitStatus();
}
