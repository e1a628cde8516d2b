#include "app/reports/ReportPrinter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QTextDocument>

namespace {

QString Style(const CFont* font, COLORREF color)
{
    // COLORREF keeps red in the low byte.
    QString style = QString("color:#%1%2%3;")
                        .arg(color & 0xFF, 2, 16, QChar('0'))
                        .arg((color >> 8) & 0xFF, 2, 16, QChar('0'))
                        .arg((color >> 16) & 0xFF, 2, 16, QChar('0'));
    if (!font)
        return style;
    style += QString("font-family:'%1';font-size:%2pt;font-weight:%3;")
                 .arg(QString::fromStdString(font->faceName).toHtmlEscaped())
                 .arg(font->height > 0 ? font->height : 10)
                 .arg(font->weight);
    if (font->italic)
        style += "font-style:italic;";
    if (font->underline || font->strikeOut)
        style += QString("text-decoration:%1%2;")
                     .arg(font->underline ? "underline " : "")
                     .arg(font->strikeOut ? "line-through" : "");
    return style;
}

} // namespace

CReportPrinter::CReportPrinter(const CReportTable& table, const ReportContext& context)
    : m_table(table)
    , m_context(context)
{
}

void CReportPrinter::SetUpPage(QPrinter& printer) const
{
    printer.setPageOrientation(m_context.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    const CRect& m = m_context.margins;
    printer.setPageMargins(
        QMarginsF(m.left / 1000.0, m.top / 1000.0, m.right / 1000.0, m.bottom / 1000.0), QPageLayout::Inch);
}

QString CReportPrinter::ToHtml() const
{
    const QString content = Style(m_context.contentFont, m_context.contentColor);
    const QString footer = Style(m_context.footerFont, m_context.footerColor);
    QString notes;
    for (const QString& note : m_table.notes)
        notes += QString("<p style=\"%1\">%2</p>").arg(footer, note.toHtmlEscaped().replace("\n", "<br>"));
    QString html = QString("<html><body><p style=\"%1\"><b>%2</b></p>")
                       .arg(Style(m_context.headerFont, m_context.headerColor), m_table.title.toHtmlEscaped());
    if (m_table.notesAtTop)
        html += notes;
    if (m_table.rows.isEmpty() && !m_table.emptyText.isEmpty()) {
        html += QString("<p style=\"%1\">%2</p>").arg(content, m_table.emptyText.toHtmlEscaped());
    } else {
        html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>";
        for (const QString& column : m_table.columns)
            html += QString("<th style=\"%1\">%2</th>").arg(content, column.toHtmlEscaped());
        html += "</tr></thead><tbody>";
        for (int row = 0; row < m_table.rows.size(); ++row) {
            const bool total = m_table.hasTotalRow && row == m_table.rows.size() - 1;
            html += "<tr>";
            for (int column = 0; column < m_table.columns.size(); ++column) {
                QString text = m_table.rows[row].value(column).toHtmlEscaped();
                if (total)
                    text = "<b>" + text + "</b>";
                html += QString("<td style=\"%1\"%2>%3</td>")
                            .arg(content, m_table.numericColumns.contains(column) ? " align=\"right\"" : "", text);
            }
            html += "</tr>";
        }
        html += "</tbody></table>";
    }
    if (!m_table.notesAtTop)
        html += notes;
    if (m_table.signatureLine)
        html += QString("<p style=\"%1\"><br><br>%2</p>").arg(footer, CReportTable::SIGNATURE_LINE);
    return html + "</body></html>";
}

void CReportPrinter::Print(QPrinter& printer) const
{
    QTextDocument document;
    document.setHtml(ToHtml());
    document.print(&printer);
}
