#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace loans {

// The Utilities tab sheet: the Mortgage and Principal loan calculators and the
// unit conversion chart. The page stores nothing; results live in its controls.
class UtilitiesPage : public QWidget {
    Q_OBJECT
public:
    explicit UtilitiesPage(QWidget *parent = nullptr);

    QGroupBox *grpMortgage = nullptr;
    QLineEdit *txtPrincipal = nullptr;
    QLineEdit *txtInterest = nullptr;
    QLineEdit *txtNumberOfPay = nullptr;
    QPushButton *btnCalculate = nullptr;
    QLineEdit *txtPayment = nullptr;
    QLabel *lbLast = nullptr;
    QLabel *lbTotalPayment = nullptr;
    QLabel *lbTotalInterest = nullptr;

    QGroupBox *grpPrincipal = nullptr;
    QLineEdit *editPayment = nullptr;
    QLineEdit *editInterest = nullptr;
    QLineEdit *editNumberOfPay = nullptr;
    QPushButton *bnCalculate = nullptr;
    QLineEdit *editPrincipal = nullptr;

    QGroupBox *grpUnitConversion = nullptr;

public slots:
    // The calculators. Both throw core::Error for bad entries and floating-point
    // faults, leaving every output as it was; connect them through
    // widgets::guarded. The page's own buttons are connected that way.
    void btnCalculateClick();
    void bnCalculateClick();

private:
    void buildMortgage();
    void buildPrincipal();
    void buildUnitConversion();
};

} // namespace loans
