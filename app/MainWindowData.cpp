#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "app/JetConversion.h"
#include "app/Lifetime.h"
#include "core/Clock.h"
#include "core/Error.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/Schema.h"
#include "data/TableFactory.h"
#include "data/TableObject.h"
#include "records/RecordRoutines.h"
#include "widgets/DBEdit.h"
#include "widgets/Messages.h"

#include <QDateEdit>

#include <cstdlib>

namespace app {

namespace {

data::DataSource *makeSource(const char *name, data::TableObject *table, QObject *parent) {
    auto *source = new data::DataSource(parent);
    source->setObjectName(QString::fromLatin1(name));
    source->setDataSet(table);
    return source;
}

} // namespace

void TForm1::buildDataObjects() {
    using data::TableFactory;
    using data::TableId;
    m_ui->ADOConnection1 = new data::Connection(this);
    m_ui->ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    m_ui->ADOConnection2 = new data::Connection(this);
    m_ui->ADOConnection2->setObjectName(QStringLiteral("ADOConnection2"));

    m_ui->ADOTable1 = TableFactory::create(TableId::HouseholdInventory, QStringLiteral("ADOTable1"),
                                           m_ui->ADOConnection1, this);
    m_ui->ADOTable2 = TableFactory::create(TableId::People, QStringLiteral("ADOTable2"),
                                           m_ui->ADOConnection1, this);
    m_ui->ADOTable3 = TableFactory::create(TableId::Diary, QStringLiteral("ADOTable3"),
                                           m_ui->ADOConnection1, this);
    m_ui->ADOTable4 = TableFactory::create(TableId::Privacy, QStringLiteral("ADOTable4"),
                                           m_ui->ADOConnection1, this);
    m_ui->ADOTable5 = TableFactory::create(TableId::Help, QStringLiteral("ADOTable5"),
                                           m_ui->ADOConnection1, this);
    m_ui->ADOTable6 = TableFactory::create(TableId::Idiom, QStringLiteral("ADOTable6"),
                                           m_ui->ADOConnection2, this);
    m_ui->DataSource1 = makeSource("DataSource1", m_ui->ADOTable1, this);
    m_ui->DataSource2 = makeSource("DataSource2", m_ui->ADOTable2, this);
    m_ui->DataSource3 = makeSource("DataSource3", m_ui->ADOTable3, this);
    m_ui->DataSource4 = makeSource("DataSource4", m_ui->ADOTable4, this);
    m_ui->DataSource5 = makeSource("DataSource5", m_ui->ADOTable5, this);
    m_ui->DataSource6 = makeSource("DataSource6", m_ui->ADOTable6, this);
}

void TForm1::FormCreate() {
    using data::Connection;
    using data::Schema;
    startup::offerJetConversion(m_programDir, this);
    m_ui->ADOConnection2->setConnectionString(
        Connection::buildConnectionString(m_programDir, QString::fromLatin1(Schema::idiomFile)));
    m_ui->ADOConnection1->setConnectionString(
        Connection::buildConnectionString(m_programDir, QString::fromLatin1(Schema::mainFile)));
    try {
        m_ui->ADOConnection1->open();
        m_ui->ADOConnection2->open();
    } catch (const core::Error &error) {
        widgets::showMessage(error.text());
        lifetime::requestTerminate(EXIT_FAILURE);
        return;
    }

    for (data::TableObject *table : {m_ui->ADOTable1, m_ui->ADOTable2, m_ui->ADOTable3,
                                     m_ui->ADOTable4, m_ui->ADOTable5, m_ui->ADOTable6})
        table->open();

    IsImage();
    NumberOfRecords();
    m_ui->DateTimePicker1->setDate(core::Clock::today());
    setUpHotKeys();
}

void TForm1::FormDestroy() {
    for (data::TableObject *table : {m_ui->ADOTable1, m_ui->ADOTable2, m_ui->ADOTable3,
                                     m_ui->ADOTable4, m_ui->ADOTable5, m_ui->ADOTable6})
        if (table)
            table->close();
}

void TForm1::Exit1Click() {
    for (data::TableObject *table :
         {m_ui->ADOTable1, m_ui->ADOTable2, m_ui->ADOTable3, m_ui->ADOTable4})
        table->close();
    lifetime::requestTerminate();
}

void TForm1::IsImage() {
    m_routines->IsImage();
}

void TForm1::NumberOfRecords() {
    m_routines->NumberOfRecords();
}

} // namespace app
