#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

namespace widgets {

// The font dialog: face, style, size and the effects underline, strike-out
// and colour. It first shows the face and size that the classic 8-point sans
// serif is drawn in here, then the last choice: cancelling forgets whatever
// was changed in it.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget *parent = nullptr);

    QFont currentFont() const;
    void setCurrentFont(const QFont &font);
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFontDialog *m_fonts;
    QPushButton *m_colourButton;
    QColor m_colour = Qt::black;
    QFont m_shownFont;
    QColor m_shownColour;
};

} // namespace widgets
