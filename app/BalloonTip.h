#pragma once
// The balloon that tells the user a field's text was changed ("Data
// Modified"): shown at the upper right corner of the field, it goes by
// itself after the time the text takes to read. Like CMessageBox it goes
// through the current CBalloonTip, so that tests read what was shown.

#include <QList>
#include <QPointer>
#include <QString>

class QWidget;

class CBalloonTip {
public:
    // How the balloon behaves, from the settings.
    struct Style {
        bool closeButton = true;
        unsigned int wordsPerMinute = 0; // 0: a default reading speed
    };

    virtual ~CBalloonTip() = default;
    virtual void Show(QWidget* field, const QString& title, const QString& text, const Style& style) = 0;

    // The balloon in use: a real one unless a test installed its own.
    static CBalloonTip& Current();
    // Installs balloon (not owned); null goes back to the default.
    static void Install(CBalloonTip* balloon);

    // How long a text of that many words stays, in milliseconds.
    static int ShowTime(const QString& text, unsigned int wordsPerMinute);
};

// A small frameless popup beside the field.
class CQtBalloonTip : public CBalloonTip {
public:
    void Show(QWidget* field, const QString& title, const QString& text, const Style& style) override;

private:
    // Owned by its field.
    QPointer<QWidget> m_popup;
};

// For tests: records every balloon. Installs itself while it lives.
class CTestBalloonTip : public CBalloonTip {
public:
    struct Shown {
        QString field; // the field's accessible name
        QString title;
        QString text;
    };

    CTestBalloonTip() { Install(this); }
    ~CTestBalloonTip() override { Install(nullptr); }

    void Show(QWidget* field, const QString& title, const QString& text, const Style& style) override;

    const QList<Shown>& ShownBalloons() const { return m_shown; }
    int Count() const { return static_cast<int>(m_shown.size()); }
    QString LastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    QString LastTitle() const { return m_shown.isEmpty() ? QString() : m_shown.last().title; }
    void Clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
};
