#pragma once
// What a report grid shows and prints: a title, the column headings, rows of
// texts, and notes under the rows.

#include <QList>
#include <QString>
#include <QStringList>

struct CReportTable {
    static inline const QString SIGNATURE_LINE = "Signature: ______________________________";

    QString title;
    QStringList columns;
    QList<QStringList> rows;
    // Columns holding numbers, aligned right.
    QList<int> numericColumns;
    // The last row sums up the others.
    bool hasTotalRow = false;
    // Paragraphs under the rows, and whether a line for a signature follows.
    QStringList notes;
    bool signatureLine = false;
};
