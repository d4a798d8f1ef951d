#include "listreports/ListReport.h"

#include "data/TableFactory.h"
#include "data/TableObject.h"
#include "listreports/ReportLayouts.h"
#include "listreports/TableReportSource.h"
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportPreview.h"

namespace listreports {

ListReport::ListReport(const char *name, data::TableId table, bool declareFields,
                       reportengine::ReportDefinition definition, const QString &programDir,
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
    reportengine::ReportEngine engine(m_definition, *m_source);
    reportengine::ReportPreview::preview(engine, parent);
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

} // namespace listreports
