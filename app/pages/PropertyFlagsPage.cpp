#include "app/pages/PropertyFlagsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/pages/PageSupport.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"

using namespace PageSupport;
using U = CMediaUtils;

namespace {

constexpr int kColumns = 3;
// A value no property map answers with.
const CString kUnanswered = "\x01";

} // namespace

QStringList CPropertyFlagsPage::Properties(Set set)
{
    QStringList names;
    switch (set) {
    case Audio:
        for (const CString& prop : { U::MEDIA_PROP_AUDIO_MONO, U::MEDIA_PROP_AUDIO_STEREO,
                 U::MEDIA_PROP_AUDIO_QUADRAPHONIC, U::MEDIA_PROP_AUDIO_DOLBYSURROUND, U::MEDIA_PROP_AUDIO_DOLBYDIGITAL,
                 U::MEDIA_PROP_AUDIO_DOLBYDIGITALEX, U::MEDIA_PROP_AUDIO_DOLBYDIGITALPLUS,
                 U::MEDIA_PROP_AUDIO_DOLBYTRUEHD, U::MEDIA_PROP_AUDIO_DTS, U::MEDIA_PROP_AUDIO_DTSES,
                 U::MEDIA_PROP_AUDIO_DTSHD, U::MEDIA_PROP_AUDIO_DTSHSMASTERAUDIO, U::MEDIA_PROP_AUDIO_SACD,
                 U::MEDIA_PROP_AUDIO_HDCD, U::MEDIA_PROP_AUDIO_THX, U::MEDIA_PROP_AUDIO_BASSCHANNEL })
            names << Q(prop);
        break;
    case Video:
        names << Q(U::MEDIA_PROP_PANSCAN) << Q(U::MEDIA_PROP_WIDESCREEN);
        break;
    case SpecialFeatures:
        for (const CString& prop :
            { U::MEDIA_PROP_SFALTEND, U::MEDIA_PROP_SFBEHIND, U::MEDIA_PROP_SFBIOS, U::MEDIA_PROP_SFCOMMENTARY,
                U::MEDIA_PROP_SFDELETED, U::MEDIA_PROP_SFGAME, U::MEDIA_PROP_SFMAKINGOF, U::MEDIA_PROP_SFMULTIANGLE,
                U::MEDIA_PROP_SFMUSICTRACK, U::MEDIA_PROP_SFMUSICVIDEO, U::MEDIA_PROP_SFOUTTAKES,
                U::MEDIA_PROP_SFPHOTOS, U::MEDIA_PROP_SFSUBTITLES, U::MEDIA_PROP_SFTRAILER, U::MEDIA_PROP_SFWEBLINKS })
            names << Q(prop);
        break;
    }
    return names;
}

bool CPropertyFlagsPage::Carries(const CMediaItem& item, Set set)
{
    const CString probe = CText(Properties(set).first());
    CMapStringToString data;
    data.SetAt(probe, kUnanswered);
    item.GetData(data);
    CString value;
    return data.Lookup(probe, value) && value != kUnanswered;
}

CPropertyFlagsPage::CPropertyFlagsPage(CVemoLibraryDoc* doc, Set set, QWidget* parent)
    : CItemPage(doc, parent)
    , m_set(set)
{
    auto* grid = new QGridLayout;
    const QStringList properties = Properties(set);
    const int rows = (static_cast<int>(properties.size()) + kColumns - 1) / kColumns;
    for (int i = 0; i < properties.size(); ++i) {
        const QString property = properties[i];
        auto* box = new QCheckBox(property, this);
        box->setAccessibleName(property);
        connect(box, &QCheckBox::clicked, this, [this, property](bool on) { Store(property, on ? "Y" : "N"); });
        m_boxes.insert(property, box);
        // Down the columns, as a list is read.
        grid->addWidget(box, i % rows, i / rows);
    }
    grid->setColumnStretch(kColumns, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    if (set == Audio) {
        m_channels = new QSpinBox(this);
        m_channels->setRange(0, 99);
        m_channels->setKeyboardTracking(false);
        m_channels->setAccessibleName(Q(U::MEDIA_PROP_AUDIO_FULLCHANNELS));
        m_channels->setToolTip("Full-range channels, without the bass channel (5 for 5.1 sound)");
        connect(m_channels, &QSpinBox::valueChanged, this,
            [this](int value) { Store(Q(U::MEDIA_PROP_AUDIO_FULLCHANNELS), QString::number(value)); });
        auto* label = new QLabel("&Channels:", this);
        label->setBuddy(m_channels);
        auto* channels = new QHBoxLayout;
        channels->addWidget(label);
        channels->addWidget(m_channels);
        channels->addStretch();
        layout->addLayout(channels);
    }
    layout->addStretch();
    SetItem(nullptr);
}

QString CPropertyFlagsPage::Title() const
{
    switch (m_set) {
    case Audio:
        return "&Audio";
    case Video:
        return "&Video";
    case SpecialFeatures:
        return "Special &Features";
    }
    return QString();
}

void CPropertyFlagsPage::SetItem(CMediaItem* item)
{
    m_item = item && Carries(*item, m_set) ? item : nullptr;
    setEnabled(m_item != nullptr);
    CMapStringToString data;
    for (const QString& property : m_boxes.keys())
        data.SetAt(CText(property), "N");
    if (m_channels)
        data.SetAt(U::MEDIA_PROP_AUDIO_FULLCHANNELS, "0");
    if (m_item)
        m_item->GetData(data);
    m_showing = true;
    for (auto it = m_boxes.begin(); it != m_boxes.end(); ++it) {
        CString value;
        data.Lookup(CText(it.key()), value);
        it.value()->setChecked(value == "Y");
    }
    if (m_channels) {
        CString value;
        data.Lookup(U::MEDIA_PROP_AUDIO_FULLCHANNELS, value);
        m_channels->setValue(Q(value).toInt());
    }
    m_showing = false;
}

void CPropertyFlagsPage::TakeOver()
{
    // A channel count typed but not yet confirmed.
    if (m_channels && m_channels->hasFocus())
        m_channels->interpretText();
}

void CPropertyFlagsPage::Store(const QString& property, const QString& value)
{
    if (m_showing || !m_item)
        return;
    CMapStringToString data;
    data.SetAt(CText(property), CText(value));
    m_item->SetData(data, true);
    emit ItemChanged();
}
