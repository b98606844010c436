#pragma once

#include "core/ratings/RatingFields.h"
#include "core/reports/RecordKind.h"
#include "core/session/SessionFields.h"

#include <QDateTime>
#include <QStringList>

class Agreement;

// A window's results as one row of a data table, with the names of the table's columns: what
// File > Export data writes. Numbers are plain, with "." as the decimal point whatever the
// locale, to the precision the printed report gives them (percentages as 0-100 numbers with one
// decimal, means and rates with two, times in seconds); a measure that cannot be computed ("n/a"
// on the report) and a scale never rated are empty.
class RecordRow {
public:
    // When it was exported, the sample, talking and cluttering times with their interval counts,
    // then the report's other nine measures in its order.
    static RecordRow session(const SessionFields &fields, const QDateTime &when);
    // When it was exported, then for each scale in the report's order its position (0-778), its
    // 0-100 score and its 1-9 score.
    static RecordRow ratings(const RatingFields &fields, const QDateTime &when);

    // When it was exported, then every figure of the comparison (Agreement::columns()).
    static RecordRow comparison(const Agreement &agreement, const QDateTime &when);
    static QStringList columnsOf(RecordKind kind);

    RecordKind kind() const { return m_kind; }
    const QStringList &columns() const { return m_columns; }
    const QStringList &values() const { return m_values; }

private:
    RecordRow(RecordKind kind, const QDateTime &when);
    void add(const QString &column, const QString &value);

    RecordKind m_kind;
    QStringList m_columns;
    QStringList m_values;
};
