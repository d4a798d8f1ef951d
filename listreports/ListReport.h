#pragma once

#include "data/Schema.h"
#include "platform/reportengine/ReportDefinition.h"

#include <QObject>
#include <memory>

namespace data {
class TableObject;
}

namespace listreports {

class TableReportSource;

// A report object: its own connection to the main database file, its table
// (opened on creation, closed on destruction) and its report definition.
class ListReport : public QObject {
    Q_OBJECT
public:
    ~ListReport() override;

    data::TableObject *table() const { return m_table; }
    const reportengine::ReportDefinition &definition() const { return m_definition; }
    const TableReportSource &source() const { return *m_source; }

    // Lays the report out over all records and shows the preview window;
    // returns when the window has closed.
    void Preview(QWidget *parent = nullptr);

protected:
    // Opens the table in programDir's main file; throws when it cannot.
    ListReport(const char *name, data::TableId table, bool declareFields,
               reportengine::ReportDefinition definition, const QString &programDir,
               QObject *parent);

private:
    data::TableObject *m_table = nullptr;
    reportengine::ReportDefinition m_definition;
    std::unique_ptr<TableReportSource> m_source;
};

// The five list reports: Household Items, People, Diary, Privacy, Help.
class TQRListForm : public ListReport {
    Q_OBJECT
public:
    explicit TQRListForm(const QString &programDir, QObject *parent = nullptr);
};

class TQRListForm2 : public ListReport {
    Q_OBJECT
public:
    explicit TQRListForm2(const QString &programDir, QObject *parent = nullptr);
};

class TQRListForm3 : public ListReport {
    Q_OBJECT
public:
    explicit TQRListForm3(const QString &programDir, QObject *parent = nullptr);
};

class TQRListForm4 : public ListReport {
    Q_OBJECT
public:
    explicit TQRListForm4(const QString &programDir, QObject *parent = nullptr);
};

class TQRListForm5 : public ListReport {
    Q_OBJECT
public:
    explicit TQRListForm5(const QString &programDir, QObject *parent = nullptr);
};

} // namespace listreports
