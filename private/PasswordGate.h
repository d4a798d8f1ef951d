#pragma once

#include "widgets/Page.h"

#include <QObject>
#include <QString>
#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace data {
class DataSource;
}

namespace privatepages {

// The password that guards the Diary and Privacy pages. It lies scrambled in
// the Password column of the first Diary record; the password box checks it and
// the change box stores a new one.
class PasswordGate : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QGroupBox *passwordBox = nullptr;
        QLineEdit *txtPassword = nullptr;
        QGroupBox *changeBox = nullptr;
        QLineEdit *txtChange1 = nullptr;
        QLineEdit *txtChange2 = nullptr;
        data::DataSource *diary = nullptr;
        // What an accepted password opens: the current page, Diary or Privacy.
        std::function<widgets::Page()> currentPage;
        std::function<void(widgets::Page page)> open;
    };

    // The longest password the Password column keeps.
    static constexpr int kLongestPassword = 20;

    explicit PasswordGate(const Parts &parts, QObject *parent = nullptr);

    // The stored form of a password (data::ScramblePassword).
    static QString ScramblePassword(const QString &text);

    // Raises the gate before the page whose contents it hides: the password box
    // shows with an empty entry that takes the focus.
    void lock(QWidget *pageContents);
    // False while the page in front is Diary or Privacy and its gate stands:
    // every command that reads or changes a private page's contents asks this.
    bool privateContentsVisible() const;

    void OKpasswordClick();
    void btnChangePasswordClick();
    void btnChangeClick();

private:
    void moveDiaryToFirst();
    QString storedPassword() const;

    Parts m_parts;
    bool m_locked = false;
};

} // namespace privatepages
