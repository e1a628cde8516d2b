#pragma once
// What a report grid shows and prints: a title, the column headings, rows of
// texts, and notes (under the rows, or under the title).

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
    // Paragraphs of notes, and whether a line for a signature follows the
    // rows. The notes go under the rows unless notesAtTop.
    QStringList notes;
    bool notesAtTop = false;
    bool signatureLine = false;
    // Said in place of the rows when there are none ("Nothing is ...").
    QString emptyText;

    // The headings and rows as comma-separated values (RFC 4180: fields
    // with a comma, quote, line break or blanks at either end are quoted,
    // quotes doubled; lines end in CR LF).
    QString ToCsv() const;
};
