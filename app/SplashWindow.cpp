#include "app/SplashWindow.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPropertyAnimation>
#include <QVBoxLayout>

#include "platform/util/DateTimeUtils.h"

CSplashWindow::CSplashWindow(bool firstRun, const COleDateTime& lastRun, const COleDateTime& now, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_message(new QLabel(Message(firstRun, lastRun, now), this))
{
    setObjectName("splashWindow");
    setAttribute(Qt::WA_TranslucentBackground);
    auto* panel = new QFrame(this);
    panel->setObjectName("splashPanel");
    panel->setStyleSheet("#splashPanel { background: #fdfdf8; border: 1px solid #9a9a90; border-radius: 6px; }");
    auto* shadow = new QGraphicsDropShadowEffect(panel);
    shadow->setBlurRadius(18);
    shadow->setOffset(4, 4);
    panel->setGraphicsEffect(shadow);

    auto* name = new QLabel("VemoLibrary", panel);
    QFont nameFont("Arial", 30);
    nameFont.setBold(true);
    name->setFont(nameFont);
    m_message->setParent(panel);
    m_message->setFont(QFont("Arial", 16));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(36, 24, 36, 24);
    panelLayout->addWidget(name, 0, Qt::AlignHCenter);
    panelLayout->addWidget(m_message, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(panel);

    m_timer.setSingleShot(true);
    m_timer.setInterval(MAX_SHOW_MS);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
}

QString CSplashWindow::Message(bool firstRun, const COleDateTime& lastRun, const COleDateTime& now)
{
    if (firstRun || !lastRun.IsValid())
        return "Welcome!";
    bool otherDay = CDateTimeUtils::CalendarDaysBetween(lastRun, now) != 0;
    CString delta = CDateTimeUtils::GetDeltaText(lastRun, now, otherDay);
    if (delta.empty())
        return "Welcome!";
    return QString("last run %1").arg(QString::fromStdString(delta));
}

QString CSplashWindow::GetMessage() const
{
    return m_message->text();
}

void CSplashWindow::ShowAt(const QRect& windowRect)
{
    adjustSize();
    if (windowRect.isValid())
        move(windowRect.center() - rect().center());
    setWindowOpacity(0.0);
    show();
    auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(400);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    m_timer.start();
}

void CSplashWindow::mousePressEvent(QMouseEvent*)
{
    hide();
}
