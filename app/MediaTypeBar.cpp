#include "app/MediaTypeBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QToolButton>

#include "app/CommandIds.h"
#include "data/model/MediaUtils.h"
#include "data/store/MediaTypeSelection.h"

CMediaTypeBar::CMediaTypeBar(QWidget* parent)
    : QToolBar("Media Types", parent)
    , m_group(new QButtonGroup(this))
{
    setObjectName("mediaTypeBar");
    setOrientation(Qt::Vertical);
    setMovable(false);
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() + 2);
    setFont(larger);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &CMediaTypeBar::MediaTypeClicked);
}

void CMediaTypeBar::Rebuild(const CMediaTypeSelection* selection)
{
    int pressed = GetPressed();
    for (QToolButton* button : m_buttons)
        m_group->removeButton(button);
    clear();
    m_buttons.clear();
    if (!selection)
        return;
    CUIntArray ids;
    CMediaUtils::GetAlphaOrderedMediaIDs(ids);
    for (UINT id : ids) {
        int type = static_cast<int>(id);
        if (!selection->GetShow(type))
            continue;
        auto* button = new QToolButton(this);
        button->setText(QString::fromStdString(CMediaUtils::GetMediaNameAbbrv(type)));
        button->setToolTip(QString::fromStdString(CMediaUtils::GetMediaNamePlural(type)));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setProperty("commandId", MediaTypeCommand(type));
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        addWidget(button);
        m_group->addButton(button, type);
        m_buttons.append(button);
    }
    SetPressed(pressed);
}

void CMediaTypeBar::SetPressed(int mediaType)
{
    QAbstractButton* button = m_group->button(mediaType);
    if (button) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button pressed; none is to be now.
    m_group->setExclusive(false);
    for (QToolButton* other : m_buttons)
        other->setChecked(false);
    m_group->setExclusive(true);
}

int CMediaTypeBar::GetPressed() const
{
    return m_group->checkedId() > 0 ? m_group->checkedId() : 0;
}

QList<int> CMediaTypeBar::ButtonTypes() const
{
    QList<int> types;
    for (QToolButton* button : m_buttons)
        types << m_group->id(button);
    return types;
}

QStringList CMediaTypeBar::ButtonLabels() const
{
    QStringList labels;
    for (QToolButton* button : m_buttons)
        labels << button->text();
    return labels;
}

QToolButton* CMediaTypeBar::ButtonFor(int mediaType) const
{
    return qobject_cast<QToolButton*>(m_group->button(mediaType));
}
