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
#include "records/PictureRoutines.h"
#include "widgets/DBEdit.h"
#include "widgets/Messages.h"

#include <QDateEdit>

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
    ADOConnection1 = new data::Connection(this);
    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOConnection2 = new data::Connection(this);
    ADOConnection2->setObjectName(QStringLiteral("ADOConnection2"));

    ADOTable1 = TableFactory::create(TableId::HouseholdInventory, QStringLiteral("ADOTable1"),
                                     ADOConnection1, this);
    ADOTable2 =
        TableFactory::create(TableId::People, QStringLiteral("ADOTable2"), ADOConnection1, this);
    ADOTable3 =
        TableFactory::create(TableId::Diary, QStringLiteral("ADOTable3"), ADOConnection1, this);
    ADOTable4 =
        TableFactory::create(TableId::Privacy, QStringLiteral("ADOTable4"), ADOConnection1, this);
    ADOTable5 =
        TableFactory::create(TableId::Help, QStringLiteral("ADOTable5"), ADOConnection1, this);
    ADOTable6 =
        TableFactory::create(TableId::Idiom, QStringLiteral("ADOTable6"), ADOConnection2, this);
    DataSource1 = makeSource("DataSource1", ADOTable1, this);
    DataSource2 = makeSource("DataSource2", ADOTable2, this);
    DataSource3 = makeSource("DataSource3", ADOTable3, this);
    DataSource4 = makeSource("DataSource4", ADOTable4, this);
    DataSource5 = makeSource("DataSource5", ADOTable5, this);
    DataSource6 = makeSource("DataSource6", ADOTable6, this);
}

void TForm1::FormCreate() {
    using data::Connection;
    using data::Schema;
    startup::offerJetConversion(m_programDir, this);
    ADOConnection2->setConnectionString(
        Connection::buildConnectionString(m_programDir, QString::fromLatin1(Schema::idiomFile)));
    ADOConnection1->setConnectionString(
        Connection::buildConnectionString(m_programDir, QString::fromLatin1(Schema::mainFile)));
    try {
        ADOConnection1->open();
        ADOConnection2->open();
    } catch (const core::Error &error) {
        widgets::showMessage(error.text());
        lifetime::requestTerminate();
        return;
    }

    for (data::TableObject *table :
         {ADOTable1, ADOTable2, ADOTable3, ADOTable4, ADOTable5, ADOTable6})
        table->open();

    IsImage();
    NumberOfRecords();
    DateTimePicker1->setDate(core::Clock::today());
    setUpHotKeys();
}

void TForm1::FormDestroy() {
    for (data::TableObject *table :
         {ADOTable1, ADOTable2, ADOTable3, ADOTable4, ADOTable5, ADOTable6})
        if (table)
            table->close();
}

void TForm1::Exit1Click() {
    for (data::TableObject *table : {ADOTable1, ADOTable2, ADOTable3, ADOTable4})
        table->close();
    lifetime::requestTerminate();
}

void TForm1::IsImage() {
    m_routines->IsImage();
}

void TForm1::NumberOfRecords() {
    m_routines->NumberOfRecords();
}
