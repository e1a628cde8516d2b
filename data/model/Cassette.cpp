#include "data/model/Cassette.h"

#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"

CCassette::CCassette()
    : CMediaItemT(true)
{
}

bool CCassette::operator==(const CItem& other) const
{
    const CCassette* same = OtherOfSameClass(other);
    return same && SameKeyFields(*same);
}

void CCassette::GetData(CMapStringToString& data) const
{
    CAudioRecTape::GetData(data);
    CPropMapUtils::Answer(data, CMediaUtils::MEDIA_PROP_TYPE, m_tapeType);
}

void CCassette::SetData(const CMapStringToString& data, bool applyCategory)
{
    CAudioRecTape::SetData(data, applyCategory);
    CPropMapUtils::TakeText(data, CMediaUtils::MEDIA_PROP_TYPE, m_tapeType, applyCategory);
}

void CCassette::Serialize(CArchive& ar)
{
    CAudioRecTape::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_tapeType);
}

int CCassette::GetMaxContentSize() const
{
    return 120 * 60;
}

void CCassette::GetTapeTypeList(CStringList& list)
{
    for (const char* type : { "Type I (normal)", "Type II (chrome)", "Type III (ferrichrome)", "Type IV (metal)" })
        list.AddTail(type);
}
