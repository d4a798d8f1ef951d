#include "app/TForm1.h"

#include "app/Lifetime.h"
#include "core/Error.h"
#include "reports/ListReport.h"
#include "widgets/Messages.h"

#include <cstdlib>

namespace {

// A new report object of the kind, kept until the program ends.
template <class Report> Report *makeReport(Report *&latest, const QString &programDir) {
    latest = new Report(programDir);
    lifetime::adopt(latest);
    return latest;
}

} // namespace

void TForm1::Print1Click() {
    reports::ListReport *report = nullptr;
    try {
        switch (pageIndex()) {
        case 0:
            report = makeReport(QRListForm, m_programDir);
            break;
        case 1:
            report = makeReport(QRListForm2, m_programDir);
            break;
        case 2:
            report = makeReport(QRListForm3, m_programDir);
            break;
        case 3:
            report = makeReport(QRListForm4, m_programDir);
            break;
        case 5:
            report = makeReport(QRListForm5, m_programDir);
            break;
        default:
            return;
        }
    } catch (const core::Error &error) {
        // A report whose table cannot be opened ends the program.
        widgets::showMessage(error.text());
        lifetime::requestTerminate(EXIT_FAILURE);
        return;
    }
    report->Preview(this);
}
