#pragma once
// A page of yes/no properties of an item, read and written through the
// item's property map: the audio formats (with the channel count), the
// video formats, or the special features.

#include <QMap>

#include "app/pages/ItemPage.h"

class QCheckBox;
class QSpinBox;

class CPropertyFlagsPage : public CItemPage {
    Q_OBJECT

public:
    enum Set { Audio, Video, SpecialFeatures };

    CPropertyFlagsPage(CVemoLibraryDoc* doc, Set set, QWidget* parent = nullptr);

    // The yes/no property names of the set, in the order shown.
    static QStringList Properties(Set set);
    // Whether the item's class carries the set (its property map answers it).
    static bool Carries(const CMediaItem& item, Set set);

    QString Title() const override;
    void SetItem(CMediaItem* item) override;
    void TakeOver() override;

    QCheckBox* GetBox(const QString& property) const { return m_boxes.value(property); }
    // Audio only; null otherwise.
    QSpinBox* GetChannels() const { return m_channels; }

private:
    void Store(const QString& property, const QString& value);

    Set m_set;
    CMediaItem* m_item = nullptr;
    QMap<QString, QCheckBox*> m_boxes;
    QSpinBox* m_channels = nullptr;
    bool m_showing = false;
};
