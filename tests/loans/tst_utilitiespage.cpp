#include "core/Error.h"
#include "loans/UtilitiesPage.h"
#include "tests/support/ModalAnswerer.h"
#include "widgets/Messages.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QLocale kPoint(QLocale::English, QLocale::UnitedStates);
const QLocale kComma(QLocale::German, QLocale::Germany);

QLabel *labelWithText(const QWidget *parent, const QString &text) {
    const auto labels = parent->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    for (QLabel *label : labels) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

QColor background(const QWidget *widget, QPalette::ColorRole role) {
    return widget->palette().color(role);
}

// Every text the calculators write.
QStringList outputs(const loans::UtilitiesPage &page) {
    return {page.txtPayment->text(), page.lbLast->text(), page.lbTotalPayment->text(),
            page.lbTotalInterest->text(), page.editPrincipal->text()};
}

QStringList entries(const loans::UtilitiesPage &page) {
    return {page.txtPrincipal->text(), page.txtInterest->text(),  page.txtNumberOfPay->text(),
            page.editPayment->text(),  page.editInterest->text(), page.editNumberOfPay->text()};
}

void enter(QLineEdit *a, QLineEdit *b, QLineEdit *c, const QStringList &texts) {
    a->setText(texts.value(0));
    b->setText(texts.value(1));
    c->setText(texts.value(2));
}

void enterMortgage(loans::UtilitiesPage &page, const QStringList &texts) {
    enter(page.txtPrincipal, page.txtInterest, page.txtNumberOfPay, texts);
}

void enterPrincipal(loans::UtilitiesPage &page, const QStringList &texts) {
    enter(page.editPayment, page.editInterest, page.editNumberOfPay, texts);
}

} // namespace

class TestUtilitiesPage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void namedControls_data();
    void namedControls();
    void captionsAndLabels_data();
    void captionsAndLabels();
    void conversionChart_data();
    void conversionChart();
    void coloursAndFonts();
    void tabOrder();
    void mortgage_data();
    void mortgage();
    void principal_data();
    void principal();
    void refusals_data();
    void refusals();
    void onlyFirstEmptyEntryIsReported();
    void handlersThrowForTheirGuard();
};

void TestUtilitiesPage::init() {
    QLocale::setDefault(kPoint);
}

void TestUtilitiesPage::namedControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    const QString mortgage = QStringLiteral("grpMortgage");
    const QString principal = QStringLiteral("grpPrincipal");
    const QString page = QStringLiteral("Utilities");
    QTest::newRow("grpMortgage") << mortgage << page << QRect(15, 8, 295, 217);
    QTest::newRow("txtPrincipal") << "txtPrincipal" << mortgage << QRect(160, 24, 121, 21);
    QTest::newRow("txtInterest") << "txtInterest" << mortgage << QRect(160, 64, 121, 21);
    QTest::newRow("txtNumberOfPay") << "txtNumberOfPay" << mortgage << QRect(160, 104, 121, 21);
    QTest::newRow("btnCalculate") << "btnCalculate" << mortgage << QRect(16, 184, 75, 25);
    QTest::newRow("txtPayment") << "txtPayment" << mortgage << QRect(160, 144, 121, 21);
    QTest::newRow("grpPrincipal") << principal << page << QRect(354, 8, 295, 217);
    QTest::newRow("editPayment") << "editPayment" << principal << QRect(160, 24, 121, 21);
    QTest::newRow("editInterest") << "editInterest" << principal << QRect(160, 64, 121, 21);
    QTest::newRow("editNumberOfPay") << "editNumberOfPay" << principal << QRect(160, 104, 121, 21);
    QTest::newRow("bnCalculate") << "bnCalculate" << principal << QRect(16, 184, 75, 25);
    QTest::newRow("editPrincipal") << "editPrincipal" << principal << QRect(160, 144, 121, 21);
    QTest::newRow("grpUnitConversion") << "grpUnitConversion" << page << QRect(16, 240, 633, 129);
}

void TestUtilitiesPage::namedControls() {
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    loans::UtilitiesPage page;
    page.resize(665, 379);
    page.show();
    auto *widget = page.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    // Fixed geometry: a larger page moves nothing.
    page.resize(900, 700);
    QCOMPARE(widget->geometry(), geometry);
}

void TestUtilitiesPage::captionsAndLabels_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("emphasised");
    const QString m = QStringLiteral("grpMortgage");
    const QString p = QStringLiteral("grpPrincipal");
    QTest::newRow("M principal") << m << "Principal ($  borrowed):" << QPoint(8, 32) << false;
    QTest::newRow("M interest") << m << "Annual Interest (%) :" << QPoint(8, 72) << false;
    QTest::newRow("M count") << m << "Total number of payments:" << QPoint(8, 112) << false;
    QTest::newRow("M payment") << m << "Payment per Month:" << QPoint(8, 152) << true;
    QTest::newRow("M last") << m << "Last Payment:" << QPoint(120, 170) << false;
    QTest::newRow("M total") << m << "Total Payments:" << QPoint(120, 185) << false;
    QTest::newRow("M interest total") << m << "Total Interest:" << QPoint(120, 200) << false;
    QTest::newRow("P payment") << p << "Payment per Month:" << QPoint(8, 32) << false;
    QTest::newRow("P interest") << p << "Annual Interest (%) :" << QPoint(8, 72) << false;
    QTest::newRow("P count") << p << "Total number of payments:" << QPoint(8, 112) << false;
    QTest::newRow("P principal") << p << "Principal ($ borrowed):" << QPoint(8, 152) << true;
    QTest::newRow("P note") << p << "Note: This calculation is based" << QPoint(136, 184) << false;
    QTest::newRow("P note 2") << p << "on 12 payments per year." << QPoint(168, 200) << false;
}

void TestUtilitiesPage::captionsAndLabels() {
    QFETCH(QString, group);
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(bool, emphasised);
    loans::UtilitiesPage page;
    QLabel *label = labelWithText(page.findChild<QGroupBox *>(group), text);
    QVERIFY(label);
    QCOMPARE(label->pos(), position);
    QCOMPARE(label->font().bold(), emphasised);
    QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(0, 0, 255), emphasised);
    QVERIFY(label->width() >= label->sizeHint().width());
}

void TestUtilitiesPage::conversionChart_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("columnEnd"); // where the next column or the box begins
    const char *const texts[5][3] = {
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
    const int columns[3] = {8, 255, 475};
    const int rows[5] = {22, 45, 68, 91, 112};
    const int ends[3] = {255, 475, 633};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column)
            QTest::addRow("row %d column %d", row + 1, column + 1)
                << QString::fromLatin1(texts[row][column]) << QPoint(columns[column], rows[row])
                << ends[column];
    }
}

void TestUtilitiesPage::conversionChart() {
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(int, columnEnd);
    loans::UtilitiesPage page;
    const QList<QLabel *> lines = page.grpUnitConversion->findChildren<QLabel *>();
    QCOMPARE(lines.size(), 15);
    QLabel *label = labelWithText(page.grpUnitConversion, text);
    QVERIFY2(label, qPrintable(text));
    QCOMPARE(label->pos(), position);
    // Every line in one size, whole within its column.
    for (const QLabel *line : lines)
        QCOMPARE(QFontInfo(line->font()).pixelSize(), QFontInfo(label->font()).pixelSize());
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(text) < columnEnd - position.x());
}

void TestUtilitiesPage::coloursAndFonts() {
    loans::UtilitiesPage page;
    QCOMPARE(page.objectName(), QStringLiteral("Utilities"));
    QCOMPARE(page.grpMortgage->title(), QStringLiteral("Mortgage"));
    QCOMPARE(page.grpPrincipal->title(), QStringLiteral("Principal"));
    QCOMPARE(page.grpUnitConversion->title(), QStringLiteral("Unit Conversion Chart"));
    QCOMPARE(page.btnCalculate->text(), QStringLiteral("Calculate"));
    QCOMPARE(page.bnCalculate->text(), QStringLiteral("Calculate"));

    QCOMPARE(background(page.grpMortgage, QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(background(page.grpPrincipal, QPalette::Window), QColor(0xA0, 0xA0, 0xA4));
    QCOMPARE(background(page.grpUnitConversion, QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
    QVERIFY(page.grpMortgage->autoFillBackground());

    for (QLineEdit *output : {page.txtPayment, page.editPrincipal}) {
        QVERIFY(output->font().bold());
        QVERIFY(!output->isReadOnly());
        QCOMPARE(background(output, QPalette::Base), QColor(0xD4, 0xD0, 0xC8));
    }
    QVERIFY(!page.txtPrincipal->font().bold());
    QVERIFY(background(page.txtPrincipal, QPalette::Base) != QColor(0xD4, 0xD0, 0xC8));

    QCOMPARE(page.font().families().value(0), QStringLiteral("MS Sans Serif"));
    QVERIFY(page.font().families().contains(QStringLiteral("DejaVu Sans")));
    QCOMPARE(page.font().pixelSize(), 11);
    QCOMPARE(page.txtPrincipal->font().pixelSize(), 11);
}

void TestUtilitiesPage::tabOrder() {
    loans::UtilitiesPage page;
    const QList<QWidget *> expected = {page.txtPrincipal, page.txtInterest,     page.txtNumberOfPay,
                                       page.btnCalculate, page.txtPayment,      page.editPayment,
                                       page.editInterest, page.editNumberOfPay, page.bnCalculate,
                                       page.editPrincipal};
    QList<QWidget *> chain;
    QWidget *widget = page.txtPrincipal;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget;
        widget = widget->nextInFocusChain();
    } while (widget != page.txtPrincipal);
    QCOMPARE(chain, expected);
}

void TestUtilitiesPage::mortgage_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("entered");
    QTest::addColumn<QStringList>("shown"); // payment, last, total, interest
    QTest::newRow("10000 at 6%, 12") << kPoint << QStringList{"10000", "6", "12"}
                                     << QStringList{"860.66", "860.70", "10,327.96", "327.96"};
    QTest::newRow("200000 at 6.5%, 360")
        << kPoint << QStringList{"200000", "6.5", "360"}
        << QStringList{"1,264.14", "1,259.56", "455,085.82", "255,085.82"};
    QTest::newRow("principal 0") << kPoint << QStringList{"0", "6", "12"}
                                 << QStringList{"0.00", "0.00", "0.00", "0.00"};
    QTest::newRow("entries with blanks and exponent")
        << kPoint << QStringList{" 10000.00 ", "6e0", "  $C"}
        << QStringList{"860.66", "860.70", "10,327.96", "327.96"};
    QTest::newRow("comma locale") << kComma << QStringList{"10000", "6", "12"}
                                  << QStringList{"860,66", "860,70", "10.327,96", "327,96"};
    QTest::newRow("comma locale decimals")
        << kComma << QStringList{"200000,00", "6,5", "360"}
        << QStringList{"1.264,14", "1.259,56", "455.085,82", "255.085,82"};
}

void TestUtilitiesPage::mortgage() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, entered);
    QFETCH(QStringList, shown);
    QLocale::setDefault(locale);
    loans::UtilitiesPage page;
    enterMortgage(page, entered);
    ModalAnswerer answerer;
    page.btnCalculate->click();
    QCOMPARE(answerer.texts(), QStringList());
    QCOMPARE(page.txtPayment->text(), shown[0]);
    QCOMPARE(page.lbLast->text(), QStringLiteral(" Last payment      =  ") + shown[1]);
    QCOMPARE(page.lbTotalPayment->text(), QStringLiteral(" Total payments   =  ") + shown[2]);
    QCOMPARE(page.lbTotalInterest->text(), QStringLiteral(" Total Interest      =  ") + shown[3]);
    QVERIFY(page.lbTotalInterest->width() >= page.lbTotalInterest->sizeHint().width());
    QCOMPARE(entries(page).mid(0, 3), entered);
}

void TestUtilitiesPage::principal_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("entered");
    QTest::addColumn<QString>("shown");
    QTest::newRow("860.66 at 6%, 12") << kPoint << QStringList{"860.66", "6", "12"} << "9,999.95";
    QTest::newRow("1264.14 at 6.5%, 360")
        << kPoint << QStringList{"1264.14", "6.5", "360"} << "200,000.63";
    QTest::newRow("no payments") << kPoint << QStringList{"860.66", "6", "0"} << "0.00";
    QTest::newRow("negative count turns the sign")
        << kPoint << QStringList{"860.66", "6", "-12"} << "-10,616.73";
    QTest::newRow("comma locale") << kComma << QStringList{"860,66", "6", "12"} << "9.999,95";
}

void TestUtilitiesPage::principal() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, entered);
    QFETCH(QString, shown);
    QLocale::setDefault(locale);
    loans::UtilitiesPage page;
    enterPrincipal(page, entered);
    ModalAnswerer answerer;
    page.bnCalculate->click();
    QCOMPARE(answerer.texts(), QStringList());
    QCOMPARE(page.editPrincipal->text(), shown);
}

void TestUtilitiesPage::refusals_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("mortgage");
    QTest::addColumn<QStringList>("entered");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    const int plain = QMessageBox::NoIcon;
    const int stop = QMessageBox::Critical;
    const QString incomplete = QStringLiteral("Incomplete Data entries ! ");
    const QString invalid = QStringLiteral("Invalid floating point operation.");
    const QString byZero = QStringLiteral("Floating point division by zero.");
    const QString overflow = QStringLiteral("Floating point overflow.");
    const QString countTooSmall =
        QStringLiteral("The total number of payments must be at least 1.");

    for (bool m : {true, false}) {
        const char *c = m ? "Mortgage" : "Principal";
        QTest::addRow("%s: first empty", c)
            << kPoint << m << QStringList{"", "6", "12"} << incomplete << plain;
        QTest::addRow("%s: second empty", c)
            << kPoint << m << QStringList{"100", "", "12"} << incomplete << plain;
        QTest::addRow("%s: third empty", c)
            << kPoint << m << QStringList{"100", "6", ""} << incomplete << plain;
        QTest::addRow("%s: blanks only", c) << kPoint << m << QStringList{"   ", "6", "12"}
                                            << "'   ' is not a valid floating point value." << stop;
        QTest::addRow("%s: thousands separator", c)
            << kPoint << m << QStringList{"10,000", "6", "12"}
            << "'10,000' is not a valid floating point value." << stop;
        QTest::addRow("%s: point in comma locale", c)
            << kComma << m << QStringList{"100", "6.5", "12"}
            << "'6.5' is not a valid floating point value." << stop;
        QTest::addRow("%s: count with a blank after it", c)
            << kPoint << m << QStringList{"100", "6", "12 "}
            << "'12 ' is not a valid integer value." << stop;
        QTest::addRow("%s: count with decimals", c)
            << kPoint << m << QStringList{"100", "6", "1.5"}
            << "'1.5' is not a valid integer value." << stop;
        QTest::addRow("%s: first bad entry wins", c)
            << kPoint << m << QStringList{"x", "y", "z"}
            << "'x' is not a valid floating point value." << stop;
        QTest::addRow("%s: amount beyond range", c)
            << kPoint << m << QStringList{"1e999", "6", "12"} << overflow << stop;
        QTest::addRow("%s: rate -1200", c)
            << kPoint << m << QStringList{"100", "-1200", "12"} << byZero << stop;
        QTest::addRow("%s: rate below -1200", c)
            << kPoint << m << QStringList{"100", "-1300", "12"} << invalid << stop;
    }
    QTest::newRow("Mortgage: rate 0")
        << kPoint << true << QStringList{"100", "0", "12"} << invalid << stop;
    QTest::newRow("Mortgage: no payments")
        << kPoint << true << QStringList{"100", "6", "0"} << byZero << stop;
    QTest::newRow("Mortgage: no payments, no principal")
        << kPoint << true << QStringList{"0", "6", "0"} << invalid << stop;
    QTest::newRow("Mortgage: negative count")
        << kPoint << true << QStringList{"100", "6", "-12"} << countTooSmall << plain;
    QTest::newRow("Mortgage: count beyond any loan")
        << kPoint << true << QStringList{"100", "6", "100001"}
        << QStringLiteral("The total number of payments must be at most 100,000.") << plain;
    QTest::newRow("Mortgage: payment beyond cent range")
        << kPoint << true << QStringList{"1e19", "6", "12"} << invalid << stop;
    QTest::newRow("Principal: rate 0")
        << kPoint << false << QStringList{"100", "0", "12"} << byZero << stop;
    QTest::newRow("Principal: rate 0, payment 0")
        << kPoint << false << QStringList{"0", "0", "12"} << invalid << stop;
    QTest::newRow("Principal: beyond range")
        << kPoint << false << QStringList{"1e308", "6", "12"} << overflow << stop;
}

void TestUtilitiesPage::refusals() {
    QFETCH(QLocale, locale);
    QFETCH(bool, mortgage);
    QFETCH(QStringList, entered);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QLocale::setDefault(locale);
    loans::UtilitiesPage page;
    ModalAnswerer answerer;

    // Outputs of an earlier calculation, which a refused one must keep.
    enterMortgage(page, {"10000", "6", "12"});
    enterPrincipal(page, {"1", "6", "12"});
    page.btnCalculate->click();
    page.bnCalculate->click();
    QCOMPARE(answerer.texts(), QStringList());
    const QStringList before = outputs(page);
    QVERIFY(!before.contains(QString()));

    if (mortgage)
        enterMortgage(page, entered);
    else
        enterPrincipal(page, entered);
    const QStringList typed = entries(page);
    (mortgage ? page.btnCalculate : page.bnCalculate)->click();

    QCOMPARE(answerer.texts(), QStringList{message});
    QCOMPARE(int(answerer.boxes().first().icon), icon);
    QCOMPARE(answerer.boxes().first().title, QStringLiteral("Hearthledger"));
    QCOMPARE(outputs(page), before);
    QCOMPARE(entries(page), typed);
}

void TestUtilitiesPage::onlyFirstEmptyEntryIsReported() {
    loans::UtilitiesPage page;
    ModalAnswerer answerer;
    page.btnCalculate->click();
    page.bnCalculate->click();
    QCOMPARE(answerer.texts(), QStringList(2, QStringLiteral("Incomplete Data entries ! ")));
    QCOMPARE(page.lbLast->text(), QStringLiteral("Last Payment:"));
    QCOMPARE(page.lbTotalPayment->text(), QStringLiteral("Total Payments:"));
    QCOMPARE(page.lbTotalInterest->text(), QStringLiteral("Total Interest:"));
    QCOMPARE(page.txtPayment->text(), QString());
}

void TestUtilitiesPage::handlersThrowForTheirGuard() {
    loans::UtilitiesPage page;
    enterMortgage(page, {"100", "0", "12"});
    enterPrincipal(page, {"abc", "6", "12"});
    QVERIFY_THROWS_EXCEPTION(core::Error, page.btnCalculateClick());
    QVERIFY_THROWS_EXCEPTION(core::Error, page.bnCalculateClick());
}

QTEST_MAIN(TestUtilitiesPage)
#include "tst_utilitiespage.moc"
