#include "widgets/FontDialog.h"

#include "widgets/Emblem.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace widgets {

FontDialog::FontDialog(QWidget *parent)
    : QDialog(parent)
    , m_fonts(new QFontDialog(this))
    , m_colourButton(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("Font"));
    // The font part is embedded: its own buttons are ours.
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The face that the classic face resolves to: the list offers only faces
    // that are there.
    QFont start(QFontInfo(windowFont(11)).family());
    start.setPixelSize(11);
    m_fonts->setCurrentFont(start);

    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("&Colour:"), this));
    colourRow->addWidget(m_colourButton);
    colourRow->addStretch();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);

    setColour(Qt::black);
    connect(m_colourButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_colour, this);
        if (chosen.isValid())
            setColour(chosen);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QFont FontDialog::currentFont() const {
    return m_fonts->currentFont();
}

void FontDialog::setCurrentFont(const QFont &font) {
    m_fonts->setCurrentFont(font);
}

void FontDialog::showEvent(QShowEvent *event) {
    m_shownFont = currentFont();
    m_shownColour = m_colour;
    QDialog::showEvent(event);
}

void FontDialog::done(int result) {
    if (result != Accepted) {
        setCurrentFont(m_shownFont);
        setColour(m_shownColour);
    }
    QDialog::done(result);
}

void FontDialog::setColour(const QColor &colour) {
    m_colour = colour;
    QPixmap swatch(32, 12);
    swatch.fill(colour);
    m_colourButton->setIcon(QIcon(swatch));
    m_colourButton->setText(colour.name());
}

} // namespace widgets
