#include "app/DateBox.h"

#include "widgets/Emblem.h"

#include <QDateEdit>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

// A line edit keeps this much room on either side of its text.
constexpr int kLineEditMargin = 2;

// The widest text of the display format among the days of one leap year: every
// weekday and month name, and day numbers of two digits.
QString widestDate(const QDateEdit &box, const QFont &font) {
    const QFontMetrics metrics(font);
    QString widest;
    int widestAdvance = -1;
    for (QDate date(2028, 1, 1); date.year() == 2028; date = date.addDays(1)) {
        const QString text = box.locale().toString(date, box.displayFormat());
        const int advance = metrics.horizontalAdvance(text);
        if (advance > widestAdvance) {
            widest = text;
            widestAdvance = advance;
        }
    }
    return widest;
}

// The width the date text has: the edit field of a box that drops down a calendar.
int textWidth(const QDateEdit &box) {
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = true;
    option.subControls = QStyle::SC_ComboBoxEditField;
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &box);
    return field.width() - 2 * kLineEditMargin;
}

} // namespace

void fitLongDates(QDateEdit *box) {
    QFont font = box->font();
    font.setPixelSize(widgets::fittingPixelSize(font, widestDate(*box, font), textWidth(*box)));
    box->setFont(font);
}
