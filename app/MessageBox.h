#pragma once
// Every message and question the program puts to the user goes through the
// current CMessageBox, so that tests can answer questions and read what was
// said without a modal dialog blocking them.

#include <QList>
#include <QString>

class QWidget;

class CMessageBox {
public:
    enum Icon { Information, Warning, Critical, Question };
    enum Answer { Ok, Cancel, Yes, No };
    // The buttons of a question; the first answer of each pair is the default.
    enum Buttons { YesNo, OkCancel };

    virtual ~CMessageBox() = default;

    virtual void Show(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    virtual Answer Ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons) = 0;

    // The box in use: a QMessageBox one unless a test installed its own.
    static CMessageBox& Current();
    // Installs box (not owned); null goes back to the default.
    static void Install(CMessageBox* box);

    static void Inform(QWidget* parent, const QString& title, const QString& text)
    {
        Current().Show(parent, title, text, Information);
    }
    static void Warn(QWidget* parent, const QString& title, const QString& text)
    {
        Current().Show(parent, title, text, Warning);
    }
    static bool Confirm(QWidget* parent, const QString& title, const QString& text)
    {
        return Current().Ask(parent, title, text, YesNo) == Yes;
    }
};

// The real dialogs.
class CQtMessageBox : public CMessageBox {
public:
    void Show(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    Answer Ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons) override;
};

// For tests: records every message and answers questions from a queue set
// beforehand (the default answer when the queue is empty). Installs itself
// while it lives.
class CTestMessageBox : public CMessageBox {
public:
    struct Shown {
        QString title;
        QString text;
        bool question = false;
    };

    CTestMessageBox() { Install(this); }
    ~CTestMessageBox() override { Install(nullptr); }

    void SetNextAnswer(Answer answer) { m_answers.append(answer); }
    void SetDefaultAnswer(Answer answer) { m_default = answer; }

    const QList<Shown>& ShownMessages() const { return m_shown; }
    QStringList Texts() const;
    QString LastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    QString LastTitle() const { return m_shown.isEmpty() ? QString() : m_shown.last().title; }
    int Count() const { return static_cast<int>(m_shown.size()); }
    void Clear() { m_shown.clear(); }

    void Show(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    Answer Ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons) override;

private:
    QList<Shown> m_shown;
    QList<Answer> m_answers;
    Answer m_default = Yes;
};
