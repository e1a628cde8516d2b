#pragma once
// Every message and question the program puts to the user goes through the
// current CMessageBox, so that tests can answer questions and read what was
// said without a modal dialog blocking them.

#include <QList>
#include <QString>
#include <QStringList>

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
    // A question with buttons of its own; the index of the one chosen. The
    // first is the default button, the last is what Escape chooses.
    virtual int Choose(QWidget* parent, const QString& title, const QString& text, const QStringList& choices);

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
    // The next Choose answers index; without one it takes the last choice
    // (what Escape would choose).
    void SetNextChoice(int index) { m_choices.append(index); }
    void SetDefaultAnswer(Answer answer) { m_default = answer; }

    const QList<Shown>& ShownMessages() const { return m_shown; }
    QStringList Texts() const;
    QString LastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    QString LastTitle() const { return m_shown.isEmpty() ? QString() : m_shown.last().title; }
    int Count() const { return static_cast<int>(m_shown.size()); }
    void Clear() { m_shown.clear(); }

    void Show(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    Answer Ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons) override;
    int Choose(QWidget* parent, const QString& title, const QString& text, const QStringList& choices) override;

private:
    QList<Shown> m_shown;
    QList<Answer> m_answers;
    QList<int> m_choices;
    Answer m_default = Yes;
};
