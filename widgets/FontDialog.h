#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

namespace widgets {

// The font dialog: face, style, size and the effects underline, strike-out
// and colour. It keeps the last choice for the next time it opens.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget *parent = nullptr);

    QFont currentFont() const;
    void setCurrentFont(const QFont &font);
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);

private:
    QFontDialog *m_fonts;
    QPushButton *m_colourButton;
    QColor m_colour = Qt::black;
};

} // namespace widgets
