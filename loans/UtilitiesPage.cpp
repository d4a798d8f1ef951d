#include "loans/UtilitiesPage.h"

#include "core/Error.h"
#include "loans/NumberText.h"
#include "loans/formulas/FloatError.h"
#include "loans/formulas/LoanFormulas.h"
#include "loans/formulas/MortgageSchedule.h"
#include "widgets/Emblem.h"
#include "widgets/FormBuilder.h"
#include "widgets/Messages.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

namespace loans {

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kMediumGrey(0xA0, 0xA0, 0xA4);
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kBlue(0x00, 0x00, 0xFF);
// The inactive window border of the standard desktop scheme the page was drawn
// for; Linux desktops have no such system colour.
const QColor kInactiveBorder(0xD4, 0xD0, 0xC8);

const char *const kIncomplete = "Incomplete Data entries ! ";

void setBackground(QWidget *widget, QPalette::ColorRole role, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QGroupBox *makeGroup(QWidget *parent, const char *name, const QString &caption, const QRect &rect,
                     const QColor &colour) {
    auto *group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(rect);
    setBackground(group, QPalette::Window, colour);
    group->setAutoFillBackground(true);
    return group;
}

QLabel *makeLabel(QWidget *parent, const QString &text, int left, int top) {
    auto *label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void makeEmphasised(QLabel *label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kBlue);
    label->setPalette(palette);
    label->adjustSize();
}

QLineEdit *makeEdit(QWidget *parent, const char *name, int left, int top) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, 121, 21);
    return edit;
}

QLineEdit *makeOutput(QWidget *parent, const char *name, int left, int top) {
    QLineEdit *edit = makeEdit(parent, name, left, top);
    QFont font = edit->font();
    font.setBold(true);
    edit->setFont(font);
    setBackground(edit, QPalette::Base, kInactiveBorder);
    return edit;
}

QPushButton *makeButton(QWidget *parent, const char *name) {
    auto *button = new QPushButton(QStringLiteral("Calculate"), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(16, 184, 75, 25);
    return button;
}

// Shows the empty-entry message for the first empty edit; true when one was empty.
bool reportIncomplete(std::initializer_list<const QLineEdit *> entries) {
    for (const QLineEdit *entry : entries) {
        if (entry->text().isEmpty()) {
            widgets::showMessage(QLatin1String(kIncomplete));
            return true;
        }
    }
    return false;
}

void setCaption(QLabel *label, const QString &text) {
    label->setText(text);
    label->adjustSize();
}

} // namespace

UtilitiesPage::UtilitiesPage(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Utilities"));
    setFont(widgets::windowFont());
    buildMortgage();
    buildPrincipal();
    buildUnitConversion();
    widgets::FormBuilder::chainTabOrder({txtPrincipal, txtInterest, txtNumberOfPay, btnCalculate,
                                         txtPayment, editPayment, editInterest, editNumberOfPay,
                                         bnCalculate, editPrincipal});

    connect(btnCalculate, &QPushButton::clicked, this,
            widgets::guarded([this](bool) { btnCalculateClick(); }));
    connect(bnCalculate, &QPushButton::clicked, this,
            widgets::guarded([this](bool) { bnCalculateClick(); }));
}

void UtilitiesPage::buildMortgage() {
    grpMortgage =
        makeGroup(this, "grpMortgage", QStringLiteral("Mortgage"), QRect(15, 8, 295, 217), kSilver);
    makeLabel(grpMortgage, QStringLiteral("Principal ($  borrowed):"), 8, 32);
    makeLabel(grpMortgage, QStringLiteral("Annual Interest (%) :"), 8, 72);
    makeLabel(grpMortgage, QStringLiteral("Total number of payments:"), 8, 112);
    makeEmphasised(makeLabel(grpMortgage, QStringLiteral("Payment per Month:"), 8, 152));
    txtPrincipal = makeEdit(grpMortgage, "txtPrincipal", 160, 24);
    txtInterest = makeEdit(grpMortgage, "txtInterest", 160, 64);
    txtNumberOfPay = makeEdit(grpMortgage, "txtNumberOfPay", 160, 104);
    btnCalculate = makeButton(grpMortgage, "btnCalculate");
    txtPayment = makeOutput(grpMortgage, "txtPayment", 160, 144);
    lbLast = makeLabel(grpMortgage, QStringLiteral("Last Payment:"), 120, 170);
    lbLast->setObjectName(QStringLiteral("lbLast"));
    lbTotalPayment = makeLabel(grpMortgage, QStringLiteral("Total Payments:"), 120, 185);
    lbTotalPayment->setObjectName(QStringLiteral("lbTotalPayment"));
    lbTotalInterest = makeLabel(grpMortgage, QStringLiteral("Total Interest:"), 120, 200);
    lbTotalInterest->setObjectName(QStringLiteral("lbTotalInterest"));
}

void UtilitiesPage::buildPrincipal() {
    grpPrincipal = makeGroup(this, "grpPrincipal", QStringLiteral("Principal"),
                             QRect(354, 8, 295, 217), kMediumGrey);
    makeLabel(grpPrincipal, QStringLiteral("Payment per Month:"), 8, 32);
    makeLabel(grpPrincipal, QStringLiteral("Annual Interest (%) :"), 8, 72);
    makeLabel(grpPrincipal, QStringLiteral("Total number of payments:"), 8, 112);
    makeEmphasised(makeLabel(grpPrincipal, QStringLiteral("Principal ($ borrowed):"), 8, 152));
    makeLabel(grpPrincipal, QStringLiteral("Note: This calculation is based"), 136, 184);
    makeLabel(grpPrincipal, QStringLiteral("on 12 payments per year."), 168, 200);
    editPayment = makeEdit(grpPrincipal, "editPayment", 160, 24);
    editInterest = makeEdit(grpPrincipal, "editInterest", 160, 64);
    editNumberOfPay = makeEdit(grpPrincipal, "editNumberOfPay", 160, 104);
    bnCalculate = makeButton(grpPrincipal, "bnCalculate");
    editPrincipal = makeOutput(grpPrincipal, "editPrincipal", 160, 144);
}

void UtilitiesPage::buildUnitConversion() {
    grpUnitConversion =
        makeGroup(this, "grpUnitConversion", QStringLiteral("Unit Conversion Chart"),
                  QRect(16, 240, 633, 129), kSkyBlue);
    static const char *const chart[5][3] = {
        {"1 Inch (in)  =  2.54 Centimetre (cm)", "1 Ounce (Oz)  =  28.35 Gram (g)",
         "1 US Fl Oz  =  29.574 ml"},
        {"1 Foot (ft)  =  12 Inches  =  0.3048 Metre (m)", "1 Pound (lb)  =  16 Oz  =  0.4536 Kg",
         "1 Fahrenheit  =  (F-32) / 1.8  C"},
        {"1 Yard (yd)  =  3 Feet  =  0.9144 Metre (m)", "1 Kilogram (Kg)  =  2.2046 lb",
         "1 US Gal  =  3.7854 Litres"},
        {"1 Mile  =  1760 Yards  =  1.6093 Km", "1 Gram (g)  =  0.0353 Oz",
         "1 Celsius  =  33.8  Fahrenheit"},
        {"1 Int nautical mile  =  2,025.4 Yd  =  1.852 Km",
         "1 US ton  =  2,000 lb  =  0.907 Metric ton", "1 Pint (pt)  =  20 Fl Oz  =  0.568 L"},
    };
    static const int columns[3] = {8, 255, 475};
    static const int rows[5] = {22, 45, 68, 91, 112};
    const int ends[3] = {columns[1], columns[2], grpUnitConversion->width()};
    // One size for the whole chart: the largest at which every line fits its column.
    QFont chartFont = grpUnitConversion->font();
    int size = QFontInfo(chartFont).pixelSize();
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column)
            size = std::min(size,
                            widgets::fittingPixelSize(chartFont, QLatin1String(chart[row][column]),
                                                      ends[column] - columns[column] - 6));
    }
    chartFont.setPixelSize(size);
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            QLabel *label = makeLabel(grpUnitConversion, QLatin1String(chart[row][column]),
                                      columns[column], rows[row]);
            label->setFont(chartFont);
            label->adjustSize();
        }
    }
}

namespace {
constexpr std::int32_t kMostPayments = 100000;
} // namespace

void UtilitiesPage::btnCalculateClick() {
    if (reportIncomplete({txtPrincipal, txtInterest, txtNumberOfPay}))
        return;
    const double Principal = parseAmount(txtPrincipal->text());
    const double InterestRate = parseAmount(txtInterest->text());
    const std::int32_t TotalNumber = parseCount(txtNumberOfPay->text());
    // A count of 0 goes on to the formula's division by zero; a negative one
    // would run a schedule that never meets its last period.
    if (TotalNumber < 0) {
        widgets::showMessage(QStringLiteral("The total number of payments must be at least 1."));
        return;
    }
    // The schedule runs once per payment: an absurd count would hold the
    // window for minutes.
    if (TotalNumber > kMostPayments) {
        widgets::showMessage(
            QStringLiteral("The total number of payments must be at most 100,000."));
        return;
    }

    MortgageSummary summary;
    try {
        summary = runMortgageSchedule(Principal, InterestRate, TotalNumber);
    } catch (const FloatError &error) {
        throw core::Error(QString::fromLatin1(error.what()));
    }

    // Everything is computed before anything is shown, so a fault leaves the
    // outputs as they were.
    const QLocale locale;
    txtPayment->setText(formatAmount(summary.Payment, locale));
    setCaption(lbLast, QStringLiteral(" Last payment      =  ") +
                           formatAmount(summary.LastPayment, locale));
    setCaption(lbTotalPayment, QStringLiteral(" Total payments   =  ") +
                                   formatAmount(summary.TotalPayments, locale));
    setCaption(lbTotalInterest, QStringLiteral(" Total Interest      =  ") +
                                    formatAmount(summary.TotalInterest, locale));
}

void UtilitiesPage::bnCalculateClick() {
    if (reportIncomplete({editPayment, editInterest, editNumberOfPay}))
        return;
    const double Payment = parseAmount(editPayment->text());
    const double IntRate = parseAmount(editInterest->text());
    const std::int32_t TNumPay = parseCount(editNumberOfPay->text());
    const std::int32_t NPayPerYr = 12;

    double Principal = 0;
    try {
        Principal = LPrincipal(TNumPay, NPayPerYr, Payment, IntRate);
    } catch (const FloatError &error) {
        throw core::Error(QString::fromLatin1(error.what()));
    }
    editPrincipal->setText(formatAmount(Principal, QLocale()));
}

} // namespace loans
