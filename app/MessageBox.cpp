#include "app/MessageBox.h"

#include <QMessageBox>
#include <QStringList>

namespace {
CQtMessageBox g_default;
CMessageBox* g_current = nullptr;
} // namespace

CMessageBox& CMessageBox::Current()
{
    return g_current ? *g_current : g_default;
}

void CMessageBox::Install(CMessageBox* box)
{
    g_current = box;
}

void CQtMessageBox::Show(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    switch (icon) {
    case Information:
        QMessageBox::information(parent, title, text);
        break;
    case Critical:
        QMessageBox::critical(parent, title, text);
        break;
    case Question:
    case Warning:
        QMessageBox::warning(parent, title, text);
        break;
    }
}

CMessageBox::Answer CQtMessageBox::Ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons)
{
    if (buttons == OkCancel) {
        auto answer
            = QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        return answer == QMessageBox::Ok ? Ok : Cancel;
    }
    auto answer = QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes ? Yes : No;
}

QStringList CTestMessageBox::Texts() const
{
    QStringList texts;
    for (const Shown& shown : m_shown)
        texts << shown.text;
    return texts;
}

void CTestMessageBox::Show(QWidget*, const QString& title, const QString& text, Icon)
{
    m_shown.append({ title, text, false });
}

CMessageBox::Answer CTestMessageBox::Ask(QWidget*, const QString& title, const QString& text, Buttons buttons)
{
    m_shown.append({ title, text, true });
    Answer answer = m_answers.isEmpty() ? m_default : m_answers.takeFirst();
    // A queued answer of the other pair maps onto this question's buttons.
    if (buttons == OkCancel && (answer == Yes || answer == No))
        answer = answer == Yes ? Ok : Cancel;
    if (buttons == YesNo && (answer == Ok || answer == Cancel))
        answer = answer == Ok ? Yes : No;
    return answer;
}
