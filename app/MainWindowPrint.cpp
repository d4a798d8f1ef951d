#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "app/Lifetime.h"
#include "core/Error.h"
#include "listreports/ListReport.h"
#include "private/PasswordGate.h"
#include "widgets/Messages.h"

#include <cstdlib>

namespace app {

namespace {

// A new report object of the kind, kept until the program ends.
template <class Report> listreports::ListReport *makeReport(const QString &programDir) {
    auto *report = new Report(programDir);
    lifetime::adopt(report);
    return report;
}

} // namespace

void TForm1::Print1Click() {
    using widgets::Page;
    // Hot key 4 runs this even while the Print command is disabled.
    if (!m_gate->privateContentsVisible())
        return;
    const Page page = currentPage();
    listreports::ListReport *report = nullptr;
    try {
        switch (page) {
        case Page::Household:
            report = makeReport<listreports::TQRListForm>(m_programDir);
            break;
        case Page::People:
            report = makeReport<listreports::TQRListForm2>(m_programDir);
            break;
        case Page::Diary:
            report = makeReport<listreports::TQRListForm3>(m_programDir);
            break;
        case Page::Privacy:
            report = makeReport<listreports::TQRListForm4>(m_programDir);
            break;
        case Page::Help:
            report = makeReport<listreports::TQRListForm5>(m_programDir);
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
    m_latestReports.at(widgets::indexOf(page)) = report;
    report->Preview(this);
}

} // namespace app
