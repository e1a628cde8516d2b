#include "app/BalloonTip.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>

namespace {

CQtBalloonTip g_default;
CBalloonTip* g_current = nullptr;

constexpr unsigned int DEFAULT_WORDS_PER_MINUTE = 200;
constexpr int MIN_SHOW_MS = 3000;
constexpr int MAX_SHOW_MS = 30000;

// Goes at a click anywhere on it.
class CBalloonFrame : public QFrame {
public:
    explicit CBalloonFrame(QWidget* parent)
        : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFrameShape(QFrame::Box);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::ToolTipBase);
        setForegroundRole(QPalette::ToolTipText);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        close();
        event->accept();
    }
};

} // namespace

CBalloonTip& CBalloonTip::Current()
{
    return g_current ? *g_current : g_default;
}

void CBalloonTip::Install(CBalloonTip* balloon)
{
    g_current = balloon;
}

int CBalloonTip::ShowTime(const QString& text, unsigned int wordsPerMinute)
{
    const unsigned int speed = wordsPerMinute ? wordsPerMinute : DEFAULT_WORDS_PER_MINUTE;
    const auto words = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size();
    const long long ms = static_cast<long long>(words) * 60000 / speed;
    return static_cast<int>(std::clamp<long long>(ms, MIN_SHOW_MS, MAX_SHOW_MS));
}

void CQtBalloonTip::Show(QWidget* field, const QString& title, const QString& text, const Style& style)
{
    if (!field)
        return;
    // One balloon at a time: a new one replaces the last.
    if (m_popup)
        m_popup->close();
    // It goes with its field (a view that is replaced takes it along).
    auto* popup = new CBalloonFrame(field);
    m_popup = popup;
    auto* layout = new QGridLayout(popup);
    auto* heading = new QLabel(QString("<b>%1</b>").arg(title.toHtmlEscaped()), popup);
    layout->addWidget(heading, 0, 0);
    if (style.closeButton) {
        auto* close = new QToolButton(popup);
        close->setText(QString::fromUtf8("\u00d7"));
        close->setAutoRaise(true);
        close->setAccessibleName("Close");
        QObject::connect(close, &QToolButton::clicked, popup, &QWidget::close);
        layout->addWidget(close, 0, 1, Qt::AlignRight | Qt::AlignTop);
    }
    auto* body = new QLabel(text, popup);
    body->setWordWrap(true);
    body->setMaximumWidth(360);
    layout->addWidget(body, 1, 0, 1, 2);
    popup->adjustSize();

    // The balloon's lower left corner at the field's upper right corner,
    // kept on the screen.
    QPoint corner = field->mapToGlobal(QPoint(field->width(), 0));
    QRect area(corner.x() - 24, corner.y() - popup->height(), popup->width(), popup->height());
    if (const QScreen* screen = field->screen()) {
        const QRect available = screen->availableGeometry();
        area.moveRight(std::min(area.right(), available.right()));
        area.moveLeft(std::max(area.left(), available.left()));
        if (area.top() < available.top())
            area.moveTop(field->mapToGlobal(QPoint(0, field->height())).y());
    }
    popup->move(area.topLeft());
    popup->show();
    QTimer::singleShot(ShowTime(title + " " + text, style.wordsPerMinute), popup, &QWidget::close);
}

void CTestBalloonTip::Show(QWidget* field, const QString& title, const QString& text, const Style&)
{
    m_shown.append({ field ? field->accessibleName() : QString(), title, text });
}
