#include "app/dialogs/NotAvailableDlg.h"

#include "app/MessageBox.h"

QString CNotAvailableDlg::CleanCommandText(const QString& command)
{
    QString text = command.section('\t', 0, 0);
    text.replace("&&", "\x01");
    text.remove('&');
    text.replace("\x01", "&");
    if (text.endsWith("..."))
        text.chop(3);
    return text.trimmed();
}

QString CNotAvailableDlg::Text(const QString& command)
{
    return QString("\"%1\" is not there yet: this version of VemoLibrary does not have the feature.")
        .arg(CleanCommandText(command));
}

void CNotAvailableDlg::Show(QWidget* parent, const QString& command)
{
    CMessageBox::Inform(parent, CleanCommandText(command), Text(command));
}
