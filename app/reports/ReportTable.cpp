#include "app/reports/ReportTable.h"

#include <QRegularExpression>

namespace {

QString CsvField(const QString& text)
{
    static const QRegularExpression needsQuotes("[,\"\r\n]|^ | $");
    if (!text.contains(needsQuotes))
        return text;
    QString quoted = text;
    quoted.replace("\"", "\"\"");
    return "\"" + quoted + "\"";
}

QString CsvLine(const QStringList& fields, qsizetype width)
{
    QStringList line;
    for (qsizetype i = 0; i < width; ++i)
        line << CsvField(fields.value(i));
    return line.join(",") + "\r\n";
}

} // namespace

QString CReportTable::ToCsv() const
{
    QString csv = CsvLine(columns, columns.size());
    for (const QStringList& row : rows)
        csv += CsvLine(row, columns.size());
    return csv;
}
