#include "app/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/BrowserLauncher.h"
#include "app/HelpTopics.h"
#include "app/MessageBox.h"

CHelpWindow::CHelpWindow(const QString& guideDir, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_guideDir(guideDir)
    , m_browser(new QTextBrowser(this))
    , m_find(new QLineEdit(this))
    , m_findState(new QLabel(this))
{
    setObjectName("helpWindow");
    setWindowTitle("VemoLibrary Help");
    resize(760, 640);

    auto* bar = new QToolBar(this);
    m_back = bar->addAction("Back", m_browser, &QTextBrowser::backward);
    m_back->setShortcut(QKeySequence::Back);
    m_forward = bar->addAction("Forward", m_browser, &QTextBrowser::forward);
    m_forward->setShortcut(QKeySequence::Forward);
    m_home = bar->addAction("Contents", this, [this] { ShowSection(CHelpTopics::HOME_PAGE); });
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    bar->addSeparator();
    m_find->setObjectName("helpFind");
    m_find->setPlaceholderText("Find in page");
    m_find->setClearButtonEnabled(true);
    m_find->setMaximumWidth(260);
    bar->addWidget(m_find);
    bar->addAction("Find Previous", this, [this] { FindFromField(true); });
    bar->addAction("Find Next", this, [this] { FindFromField(false); });
    bar->addWidget(m_findState);
    connect(m_find, &QLineEdit::returnPressed, this, [this] { FindFromField(false); });
    auto* findKey = new QAction(this);
    findKey->setShortcut(QKeySequence::Find);
    connect(findKey, &QAction::triggered, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    addAction(findKey);

    m_browser->setObjectName("helpBrowser");
    m_browser->setOpenLinks(false);
    m_browser->setSearchPaths({ guideDir });
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnLinkClicked);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
}

bool CHelpWindow::ShowSection(const QString& section)
{
    const QString page = section.section('#', 0, 0);
    const QString anchor = section.section('#', 1);
    const QString path = m_guideDir + "/" + page;
    if (page.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
    return true;
}

QString CHelpWindow::CurrentSection() const
{
    const QUrl url = m_browser->source();
    QString section = QDir(m_guideDir).relativeFilePath(url.toLocalFile());
    if (url.hasFragment())
        section += "#" + url.fragment();
    return section;
}

void CHelpWindow::OnLinkClicked(const QUrl& url)
{
    // Another place in the guide; everything else belongs to the desktop.
    if (url.isRelative() || url.isLocalFile()) {
        const QUrl target = m_browser->source().resolved(url);
        if (QFileInfo(target.toLocalFile()).isFile())
            m_browser->setSource(target);
        return;
    }
    QString reason;
    if (!CBrowserLauncher::Open(url.toString(), reason))
        CMessageBox::Warn(
            this, "VemoLibrary Help", QString("VemoLibrary was unable to open %1.\n\n%2").arg(url.toString(), reason));
}

bool CHelpWindow::Find(const QString& text, bool backward)
{
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_browser->find(text, flags))
        return true;
    // Once more from the other end of the page.
    QTextCursor cursor = m_browser->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(cursor);
    return m_browser->find(text, flags);
}

void CHelpWindow::FindFromField(bool backward)
{
    const bool found = Find(m_find->text(), backward);
    m_findState->setText(found || m_find->text().isEmpty() ? QString() : QString("  Not found"));
}
