#include "reports/ListReport.h"

#include "data/TableFactory.h"
#include "data/TableObject.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportPreview.h"
#include "reports/ReportLayouts.h"
#include "reports/TableReportSource.h"

namespace reports {

ListReport::ListReport(const char *name, data::TableId table, bool declareFields,
                       report::ReportDefinition definition, const QString &programDir,
                       QObject *parent)
    : QObject(parent)
    , m_definition(std::move(definition)) {
    setObjectName(QString::fromLatin1(name));
    m_table = data::TableFactory::createOwnConnection(table, QStringLiteral("ADOTable1"),
                                                      programDir, this, declareFields);
    m_table->open();
    m_source = std::make_unique<TableReportSource>(*m_table);
}

ListReport::~ListReport() {
    m_table->close();
}

void ListReport::Preview(QWidget *parent) {
    report::ReportEngine engine(m_definition, *m_source);
    report::ReportPreview::preview(engine, parent);
}

TQRListForm::TQRListForm(const QString &programDir, QObject *parent)
    : ListReport("QRListForm", data::TableId::HouseholdInventory, true, householdLayout(),
                 programDir, parent) {}

TQRListForm2::TQRListForm2(const QString &programDir, QObject *parent)
    : ListReport("QRListForm2", data::TableId::People, true, peopleLayout(), programDir, parent) {}

TQRListForm3::TQRListForm3(const QString &programDir, QObject *parent)
    : ListReport("QRListForm3", data::TableId::Diary, false, diaryLayout(), programDir, parent) {}

TQRListForm4::TQRListForm4(const QString &programDir, QObject *parent)
    : ListReport("QRListForm4", data::TableId::Privacy, true, privacyLayout(), programDir, parent) {
}

TQRListForm5::TQRListForm5(const QString &programDir, QObject *parent)
    : ListReport("QRListForm5", data::TableId::Help, false, helpLayout(), programDir, parent) {}

} // namespace reports
