#include "private/PasswordGate.h"

#include "data/DataSource.h"
#include "data/Field.h"
#include "data/StoredPassword.h"
#include "data/TableObject.h"
#include "widgets/FieldLink.h"
#include "widgets/Messages.h"

#include <QGroupBox>
#include <QLineEdit>

namespace privatepages {

namespace {

const QString kPasswordColumn = QStringLiteral("Password");

// The pages whose contents the gate hides until the password is given.
bool isGuarded(widgets::Page page) {
    return page == widgets::Page::Diary || page == widgets::Page::Privacy;
}

// Suspends the display updates of a table's controls for a scope.
class ControlsDisabled {
public:
    explicit ControlsDisabled(data::TableObject *table)
        : m_table(table) {
        m_table->disableControls();
    }
    ~ControlsDisabled() { m_table->enableControls(); }
    ControlsDisabled(const ControlsDisabled &) = delete;
    ControlsDisabled &operator=(const ControlsDisabled &) = delete;

private:
    data::TableObject *m_table;
};

} // namespace

PasswordGate::PasswordGate(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts) {}

QString PasswordGate::ScramblePassword(const QString &text) {
    return data::ScramblePassword(text);
}

void PasswordGate::lock(QWidget *pageContents) {
    m_locked = true;
    pageContents->hide();
    m_parts.passwordBox->show();
    m_parts.txtPassword->clear();
    m_parts.txtPassword->setFocus();
}

bool PasswordGate::privateContentsVisible() const {
    return !m_locked || !isGuarded(m_parts.currentPage());
}

void PasswordGate::moveDiaryToFirst() {
    // As the Diary navigator's First button: a changed page is saved first.
    widgets::FieldLink::writeAllPending(m_parts.diary);
    m_parts.diary->dataSet()->first();
}

QString PasswordGate::storedPassword() const {
    data::Field *field = m_parts.diary->dataSet()->fieldByName(kPasswordColumn);
    return field->asString(); // null reads as the empty text
}

void PasswordGate::OKpasswordClick() {
    moveDiaryToFirst();
    QLineEdit *entry = m_parts.txtPassword;
    entry->setText(ScramblePassword(entry->text()));
    if (entry->text() != storedPassword()) {
        widgets::showMessage(QStringLiteral("Wrong password ....."));
        return;
    }
    const widgets::Page page = m_parts.currentPage();
    if (isGuarded(page)) {
        m_locked = false;
        m_parts.open(page);
    }
}

void PasswordGate::btnChangePasswordClick() {
    m_parts.txtChange1->clear();
    m_parts.txtChange2->clear();
    m_parts.changeBox->show();
    m_parts.changeBox->raise();
    m_parts.txtChange1->setFocus();
}

void PasswordGate::btnChangeClick() {
    const QString password = m_parts.txtChange1->text();
    if (password.isEmpty()) {
        widgets::showMessage(QStringLiteral("Password cannot be blank"));
        return;
    }
    if (password != m_parts.txtChange2->text()) {
        widgets::showMessage(QStringLiteral("Typo... They do not match."));
        return;
    }
    // The column keeps 20 characters: a longer password would be cut without a
    // word and could never be typed whole at the gate again.
    if (password.size() > kLongestPassword) {
        widgets::showMessage(QStringLiteral("A password can have at most 20 characters."));
        return;
    }
    data::TableObject *diary = m_parts.diary->dataSet();
    const data::Bookmark remembered =
        diary->state() == data::TableObject::State::Insert ? data::Bookmark{} : diary->bookmark();
    {
        ControlsDisabled quiet(diary);
        moveDiaryToFirst();
        diary->edit(); // on an empty table, a new record
        diary->fieldByName(kPasswordColumn)->setAsString(ScramblePassword(password));
        widgets::FieldLink::writeAllPending(m_parts.diary);
        diary->post();
        if (remembered.isValid() && diary->bookmarkValid(remembered))
            diary->gotoBookmark(remembered);
    }
    m_parts.changeBox->hide();
    widgets::showMessage(QStringLiteral("Your password has been changed"));
}

} // namespace privatepages
