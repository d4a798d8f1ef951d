#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace app {

// The borderless start-up window. It may close once its one-shot timer has
// fired, 3000 ms after it was created.
class TSplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget *parent = nullptr);

    // FormCloseQuery: true once Timer1 no longer runs.
    bool FormCloseQuery() const;

    // Handles events, sleeping between them, until FormCloseQuery allows the
    // splash screen to close: the other windows stay live meanwhile. Returns at
    // once when the timer has already fired.
    void waitUntilMayClose();

    QLabel *StaticText1 = nullptr;
    QLabel *StaticText2 = nullptr;
    QLabel *Image1 = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Timer1Timer();
};

} // namespace app
