#include "data/model/MediaValueLists.h"

#include "data/model/AudioRecordableMedia.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/Book.h"
#include "data/model/MagazineIssue.h"
#include "data/model/SheetMusic.h"
#include "data/model/VideoMedia.h"
#include "data/model/VideoRecordableMedia.h"
#include "platform/util/StringUtils.h"

void CMediaValueLists::AddValues(const CMediaItem* item) const
{
    if (!item)
        return;
    Add(m_locations, item->GetLocation());

    if (const auto* audio = dynamic_cast<const CAudioTrackMedia*>(item))
        Add(m_artists, audio->GetArtist());
    if (const auto* audio = dynamic_cast<const CAudioRecordableMedia*>(item))
        Add(m_artists, audio->GetArtist());
    if (const auto* recordable = dynamic_cast<const CRecordableMedia*>(item))
        Add(m_manufacturers, recordable->GetManufacturer());
    if (const auto* video = dynamic_cast<const CVideoMedia*>(item)) {
        Add(m_actors, video->GetLeadActor());
        Add(m_actors, video->GetCoStar());
        Add(m_directors, video->GetDirector());
    }
    if (const auto* video = dynamic_cast<const CVideoRecordableMedia*>(item)) {
        Add(m_actors, video->GetLeadActor());
        Add(m_actors, video->GetCoStar());
        Add(m_directors, video->GetDirector());
    }
    if (const auto* book = dynamic_cast<const CBook*>(item)) {
        Add(m_authors, book->GetAuthor());
        Add(m_authors, book->GetCoAuthor());
    }
    if (const auto* issue = dynamic_cast<const CMagazineIssue*>(item); issue && m_authors) {
        POSITION pos = issue->GetHeadSubItem();
        while (pos) {
            if (const auto* article = dynamic_cast<const CMagazineArticle*>(issue->GetNextSubItem(pos)))
                Add(m_authors, CString(article->GetAuthor()));
        }
    }
    if (const auto* sheet = dynamic_cast<const CSheetMusic*>(item)) {
        Add(m_composers, sheet->GetComposer());
        Add(m_arrangers, sheet->GetArranger());
        Add(m_wordsBy, sheet->GetWordsBy());
        Add(m_musicBy, sheet->GetMusicBy());
        Add(m_instrumentations, sheet->GetInstrumentation());
    }
}

void CMediaValueLists::Add(CStringList* list, const CString& value)
{
    if (list && !CStringUtils::IsEffectivelyEmpty(value))
        list->AddTail(value);
}
