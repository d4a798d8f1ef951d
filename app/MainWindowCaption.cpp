#include "app/TForm1.h"

#include "BuildInfo.h"
#include "app/RandomInRange.h"
#include "data/TableObject.h"
#include "widgets/DBEdit.h"
#include "widgets/PageControl.h"

QString TForm1::stateWord(data::TableObject *table) {
    switch (table->state()) {
    case data::TableObject::State::Inactive:
        return QStringLiteral("Closed");
    case data::TableObject::State::Browse:
        return QStringLiteral("Browsing");
    case data::TableObject::State::Edit:
        return QStringLiteral("Editing");
    case data::TableObject::State::Insert:
        return QStringLiteral("New record inserting");
    default:
        return QStringLiteral("Other states");
    }
}

void TForm1::DataSource1DataChange() {
    data::TableObject *table = ADOTable1;
    switch (pageIndex()) {
    case 1:
        table = ADOTable2;
        break;
    case 2:
        table = ADOTable3;
        break;
    case 3:
        table = ADOTable4;
        break;
    default:
        break;
    }
    setWindowTitle(QStringLiteral("Hearthledger v1.0: ") + stateWord(table));
}

void TForm1::Timer1Timer() {
    ADOTable6->open();
    ADOTable6->moveBy(RandomInRange(1, 1039));
    const QString phrase = DBEdit44->text();
    setWindowTitle(QStringLiteral("Hearthledger v") + QLatin1String(buildinfo::version) +
                   QStringLiteral("  - ") + phrase);
    ADOTable6->close();
}
