#include "app/HelpController.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QUrl>
#include <QUrlQuery>
#include <QWhatsThis>

#include "ProductInfo.h"
#include "app/BrowserLauncher.h"
#include "app/CommandIds.h"
#include "app/HelpTopics.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/MediaTypeBar.h"
#include "app/MessageBox.h"
#include "data/session/VemoLibrarySettings.h"
#include "platform/util/DataFolder.h"
#include "app/views/View.h"

namespace {

// The message texts keep the printf placeholders they are known by.
QString FillIn(QString text, const QStringList& values)
{
    for (const QString& value : values) {
        const qsizetype at = text.indexOf("%s");
        if (at < 0)
            break;
        text.replace(at, 2, value);
    }
    return text;
}

} // namespace

CHelpController::CHelpController(CMainFrame* frame)
    : QObject(frame)
    , m_frame(frame)
{
    qApp->installEventFilter(this);
}

bool CHelpController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1
        || static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return false;
    // The main window has its own key for it.
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window == m_frame)
        return false;
    ShowContextHelp(window);
    return true;
}

CHelpWindow* CHelpController::GetHelpWindow() const
{
    return m_window;
}

QString CHelpController::TechSupportAddress()
{
    return VEMO_SUPPORT_EMAIL;
}

QString CHelpController::FeedbackAddress()
{
    return VEMO_FEEDBACK_EMAIL;
}

QString CHelpController::WebSite()
{
    return VEMO_WEB_SITE;
}

QString CHelpController::MailUrl(const QString& address, const QString& subject)
{
    QUrl url;
    url.setScheme("mailto");
    url.setPath(address);
    if (!subject.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem("subject", QString::fromLatin1(QUrl::toPercentEncoding(subject)));
        url.setQuery(query);
    }
    return url.toString(QUrl::FullyEncoded);
}

bool CHelpController::ShowSection(const QString& section)
{
    const QString guide = CHelpTopics::GuideDir();
    if (guide.isEmpty()) {
        CMessageBox::Warn(m_frame, "VemoLibrary Help", GUIDE_MISSING);
        return false;
    }
    if (!m_window)
        m_window = new CHelpWindow(guide, m_frame);
    // Over a modal dialog the guide is modal too, or it could not be used
    // until the dialog is closed.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != m_window ? Qt::ApplicationModal : Qt::NonModal;
    if (m_window->windowModality() != modality) {
        m_window->hide();
        m_window->setWindowModality(modality);
    }
    if (!m_window->ShowSection(section) && !m_window->ShowSection(CHelpTopics::HOME_PAGE)) {
        CMessageBox::Warn(m_frame, "VemoLibrary Help", GUIDE_MISSING);
        return false;
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void CHelpController::ShowTopic(int commandId)
{
    const QString section = CHelpTopics::SectionForCommand(commandId);
    ShowSection(section.isEmpty() ? CHelpTopics::HOME_PAGE : section);
}

void CHelpController::ShowContextHelp(QWidget* inFront)
{
    if (!inFront)
        inFront = QApplication::activeModalWidget();
    if (!inFront)
        inFront = QApplication::activeWindow();
    // In the guide itself F1 leaves the page as it is.
    if (m_window && inFront == m_window)
        return;
    if (!inFront || inFront == m_frame) {
        const QString part = CHelpTopics::SectionForFocus(QApplication::focusWidget(), m_frame);
        if (!part.isEmpty()) {
            ShowSection(part);
            return;
        }
        inFront = m_frame->GetActiveView() ? static_cast<QWidget*>(m_frame->GetActiveView()) : m_frame;
    }
    ShowSection(CHelpTopics::SectionForWidget(inFront));
}

void CHelpController::StartWhatsThis()
{
    if (!QWhatsThis::inWhatsThisMode())
        QWhatsThis::enterWhatsThisMode();
}

void CHelpController::Mail(const QString& address, const QString& subject)
{
    QString reason;
    if (!CBrowserLauncher::OpenMail(MailUrl(address, subject), reason))
        CMessageBox::Warn(m_frame, MAIL_FAILED_TITLE, FillIn(MAIL_FAILED, { address, reason }));
}

void CHelpController::MailTechSupport()
{
    Mail(TechSupportAddress(),
        FillIn("%s Tech Support Question", { QString::fromStdString(CDataFolder::APP_NAME) }));
}

void CHelpController::MailFeedback()
{
    Mail(FeedbackAddress(), FillIn("%s Feedback", { QString::fromStdString(CDataFolder::APP_NAME) }));
}

void CHelpController::OpenWebSite()
{
    QString reason;
    if (!CBrowserLauncher::Open(WebSite(), reason))
        CMessageBox::Warn(m_frame, BROWSER_FAILED_TITLE, FillIn(BROWSER_FAILED, { WebSite(), reason }));
}

void CHelpController::ApplyWhatsThis()
{
    for (const auto& [id, text] : CHelpTopics::CommandWhatsThis())
        if (QAction* action = m_frame->FindAction(id))
            action->setWhatsThis(text);
    m_frame->GetMediaBar()->setWhatsThis("One button per media type this Library shows: click one to see its items. "
                                         "View, Select Media Types chooses which types are here.");
    m_frame->GetEntriesPane()->setWhatsThis("How many items of the media type on screen the Library holds.");
    m_frame->GetReservedPane()->setWhatsThis("How many of them are reserved by a borrower.");
    m_frame->GetCheckedOutPane()->setWhatsThis("How many of them are lent out right now.");
}
