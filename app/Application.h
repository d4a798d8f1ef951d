#pragma once

#include <QApplication>

namespace app {

// The application object. Handlers report their own errors; an exception that
// still reaches the event loop is reported here, and the program carries on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    ~Application() override;

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace app
