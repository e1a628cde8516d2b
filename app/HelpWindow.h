#pragma once
// The user guide, offline: its HTML pages in a browser pane with Back,
// Forward and Contents, and a find bar that searches the page shown. Links
// out of the guide (web, mail) go to the desktop's programs.

#include <QUrl>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    // guideDir holds the guide's pages.
    explicit CHelpWindow(const QString& guideDir, QWidget* parent = nullptr);

    // Shows a section ("page.html#anchor"); false when its page is not there.
    bool ShowSection(const QString& section);
    // The page and anchor on screen, relative to the guide ("libraries.html#copy").
    QString CurrentSection() const;
    // Finds text in the page from the current position on, wrapping once;
    // false when it is nowhere in the page.
    bool Find(const QString& text, bool backward = false);

    QTextBrowser* GetBrowser() const { return m_browser; }
    QLineEdit* GetFindField() const { return m_find; }
    QAction* GetBackAction() const { return m_back; }
    QAction* GetForwardAction() const { return m_forward; }
    QAction* GetHomeAction() const { return m_home; }

private:
    void OnLinkClicked(const QUrl& url);
    void FindFromField(bool backward);

    QString m_guideDir;
    QTextBrowser* m_browser;
    QLineEdit* m_find;
    QLabel* m_findState;
    QAction* m_back;
    QAction* m_forward;
    QAction* m_home;
};
