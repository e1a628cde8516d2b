#include "app/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
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

int CMessageBox::Choose(QWidget* parent, const QString& title, const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (int i = 0; i < choices.size(); ++i) {
        const bool last = i + 1 == choices.size();
        buttons.append(box.addButton(choices[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const int chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : static_cast<int>(choices.size()) - 1;
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

int CTestMessageBox::Choose(QWidget*, const QString& title, const QString& text, const QStringList& choices)
{
    m_shown.append({ title, text, true });
    const int last = static_cast<int>(choices.size()) - 1;
    const int chosen = m_choices.isEmpty() ? last : m_choices.takeFirst();
    return chosen >= 0 && chosen <= last ? chosen : last;
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
