#include "widgets/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace widgets {

FindDialog::FindDialog(QWidget *parent)
    : QDialog(parent)
    , m_text(new QLineEdit(this))
    , m_wholeWord(new QCheckBox(QStringLiteral("Match &whole word only"), this))
    , m_matchCase(new QCheckBox(QStringLiteral("Match &case"), this))
    , m_up(new QRadioButton(QStringLiteral("&Up"), this))
    , m_down(new QRadioButton(QStringLiteral("&Down"), this))
    , m_findNext(new QPushButton(QStringLiteral("&Find Next"), this)) {
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    m_text->setMaxLength(255);
    m_down->setChecked(true);
    m_findNext->setDefault(true);
    m_findNext->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto *label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    label->setBuddy(m_text);
    auto *direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    grid->addWidget(m_findNext, 0, 3);
    grid->addWidget(m_wholeWord, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    grid->addWidget(cancel, 1, 3);
    grid->addWidget(m_matchCase, 2, 0, 1, 2);

    connect(m_text, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_findNext->setEnabled(!text.isEmpty()); });
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::find);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString FindDialog::findText() const {
    return m_text->text();
}

bool FindDialog::wholeWord() const {
    return m_wholeWord->isChecked();
}

bool FindDialog::matchCase() const {
    return m_matchCase->isChecked();
}

bool FindDialog::searchesDown() const {
    return m_down->isChecked();
}

} // namespace widgets
