#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "BuildInfo.h"
#include "app/RandomInRange.h"
#include "data/TableObject.h"
#include "widgets/DBEdit.h"
#include "widgets/PageControl.h"

namespace app {

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
    data::TableObject *table = m_ui->ADOTable1;
    switch (currentPage()) {
    case widgets::Page::People:
        table = m_ui->ADOTable2;
        break;
    case widgets::Page::Diary:
        table = m_ui->ADOTable3;
        break;
    case widgets::Page::Privacy:
        table = m_ui->ADOTable4;
        break;
    default:
        break;
    }
    setWindowTitle(QStringLiteral("Hearthledger v1.0: ") + stateWord(table));
}

void TForm1::Timer1Timer() {
    m_ui->ADOTable6->open();
    m_ui->ADOTable6->moveBy(RandomInRange(1, 1039));
    const QString phrase = m_ui->DBEdit44->text();
    setWindowTitle(QStringLiteral("Hearthledger v") + QLatin1String(buildinfo::version) +
                   QStringLiteral("  - ") + phrase);
    m_ui->ADOTable6->close();
}

} // namespace app
