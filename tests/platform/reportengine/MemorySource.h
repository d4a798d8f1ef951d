#pragma once

#include "platform/reportengine/ReportSource.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <functional>

// Rows held in memory, or made up on demand by a function, for reports in tests.
// Remembers which rows were asked for.
class MemorySource : public reportengine::ReportSource {
public:
    using Generator = std::function<QString(int row, const QString &column)>;

    MemorySource(QStringList columns, QList<QStringList> rows);
    MemorySource(int rowCount, Generator generator);

    // Rich text (HTML) of a column per row; rows without one give plain display text.
    void setRichText(const QString &column, QStringList html);

    int rowCount() const override { return m_rowCount; }
    QString displayText(int row, const QString &column) const override;
    void fillRichText(int row, const QString &column, QTextDocument &document) const override;

    const QSet<int> &rowsAsked() const { return m_asked; }
    void forgetAsked() { m_asked.clear(); }

private:
    QStringList m_columns;
    QList<QStringList> m_rows;
    int m_rowCount = 0;
    Generator m_generator;
    QHash<QString, QStringList> m_rich;
    mutable QSet<int> m_asked;
};
