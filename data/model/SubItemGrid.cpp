#include "data/model/SubItemGrid.h"

#include <algorithm>
#include <climits>
#include <map>
#include <memory>

#include "data/model/AudioRecTape.h"
#include "data/model/AudioTapeRecording.h"
#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/Book.h"
#include "data/model/CassetteRecording.h"
#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/DAT.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordableMedia.h"
#include "data/model/RecordingTrack.h"
#include "data/model/TrackMedia.h"
#include "data/model/VideoTape.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/LocaleUtils.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

using Field = CSubItemGrid::Field;
using Kind = CSubItemGrid::Kind;

namespace {

constexpr int MAX_TRACK = 9999;
constexpr int MAX_CHAPTER = 0xFFFF;
constexpr int MAX_PAGE = 1000000;
constexpr int MAX_COUNTER = 99999;

std::unique_ptr<CMediaSubItem> Prototype(const CMediaItem& item)
{
    return std::unique_ptr<CMediaSubItem>(item.CreateSubItem(nullptr));
}

// A cassette deck without a timed counter shows a plain count, not a time.
bool HasPlainCounter(const CMediaSubItem& sub)
{
    return dynamic_cast<const CCassetteRecording*>(&sub) && !CCassetteRecording::GetUseTimedCounter();
}

CString FieldNoun(Field field)
{
    switch (field) {
    case Field::Chapter:
        return "chapter number";
    case Field::Page:
        return "page number";
    case Field::Disc:
        return "disc number";
    case Field::Track:
        return "track number";
    case Field::Side:
        return "side";
    case Field::Counter:
        return "counter";
    case Field::Length:
        return "length";
    case Field::Source:
        return "recording source";
    case Field::RecDate:
        return "recording date";
    case Field::Category:
        return "category";
    default:
        return "text";
    }
}

CString NotValid(Field field, const CString& typed)
{
    return CStringUtils::Format("VemoLibrary modified your %s entry, because the entered text of \"%s\" was not valid.",
        FieldNoun(field).c_str(), typed.c_str());
}

CString OutOfRange(Field field, const CString& typed, int minValue, int maxValue)
{
    return NotValid(field, typed) + CStringUtils::Format(" Valid values range from %d to %d.", minValue, maxValue);
}

// A whole number of the column's range: clamped when outside it; a text
// that is no number keeps previous. A blank page or counter is 0, "not
// known".
int TakeNumber(const CSubItemGrid::Column& column, const CString& text, int previous, CString& message)
{
    const CString trimmed = CStringUtils::Trim(text);
    if (trimmed.empty() && (column.field == Field::Page || column.field == Field::Counter))
        return 0;
    int value = 0;
    if (!CNumberTextConv::TryParseInt(trimmed, value)) {
        message = OutOfRange(column.field, text, column.minValue, column.maxValue);
        return previous;
    }
    if (value < column.minValue || value > column.maxValue) {
        message = OutOfRange(column.field, text, column.minValue, column.maxValue);
        return std::clamp(value, column.minValue, column.maxValue);
    }
    return value;
}

// Seconds of a time text; text with anything but digits, blanks and time
// separators keeps previous.
int TakeTime(Field field, const CString& text, int previous, CString& message)
{
    const CString separator = CLocaleUtils::GetTimeSeparator();
    for (char c : text) {
        const bool allowed = (c >= '0' && c <= '9') || c == ':' || c == '.' || c == ',' || c == '-' || c == ' '
            || c == '\t' || separator.find(c) != CString::npos;
        if (!allowed) {
            message = NotValid(field, text);
            return previous;
        }
    }
    bool adjusted = false;
    const int seconds = CMediaUtils::ConvertFromTime(CStringUtils::Trim(text), &adjusted);
    if (adjusted)
        message = NotValid(field, text);
    return seconds;
}

// Track and chapter numbers, grouped by disc.
bool HasNumber(const CMediaSubItem& sub)
{
    if (dynamic_cast<const CBookChapter*>(&sub))
        return true;
    const auto* track = dynamic_cast<const CTrack*>(&sub);
    return track && track->GetUsesTrackNumbers();
}

int GetNumber(const CMediaSubItem& sub)
{
    if (const auto* chapter = dynamic_cast<const CBookChapter*>(&sub))
        return chapter->GetChapter();
    if (const auto* track = dynamic_cast<const CTrack*>(&sub))
        return track->GetTrack();
    return 0;
}

void SetNumber(CMediaSubItem& sub, int number)
{
    if (auto* chapter = dynamic_cast<CBookChapter*>(&sub))
        chapter->SetChapter(number);
    else if (auto* track = dynamic_cast<CTrack*>(&sub))
        track->SetTrack(number);
}

int GroupOf(const CMediaSubItem& sub)
{
    const auto* track = dynamic_cast<const CAudioTrack*>(&sub);
    return track ? track->GetDisc() : 0;
}

bool SameGroup(const CMediaSubItem& a, const CMediaSubItem& b)
{
    return HasNumber(a) && HasNumber(b) && GroupOf(a) == GroupOf(b);
}

// The new row carries on from the row before it.
void FollowPrevious(CMediaSubItem& sub, const CMediaSubItem* previous)
{
    if (!previous)
        return;
    if (auto* track = dynamic_cast<CAudioTrack*>(&sub); track && dynamic_cast<const CAudioTrack*>(previous))
        track->SetDisc(dynamic_cast<const CAudioTrack*>(previous)->GetDisc());
    const auto* before = dynamic_cast<const CRecordingTrack*>(previous);
    if (auto* recording = dynamic_cast<CRecordingTrack*>(&sub); recording && before)
        recording->SetSource(before->GetSource());
    if (auto* tape = dynamic_cast<CAudioTapeRecording*>(&sub)) {
        if (const auto* last = dynamic_cast<const CAudioTapeRecording*>(previous)) {
            tape->SetSideA(last->GetSideA());
            tape->SetStart(HasPlainCounter(*last) ? last->GetStart() : last->GetStart() + last->GetLength());
        }
    }
    if (auto* video = dynamic_cast<CVideoTapeRecording*>(&sub)) {
        if (const auto* last = dynamic_cast<const CVideoTapeRecording*>(previous))
            video->SetStart(last->GetStart() + last->GetLength());
    }
    if (auto* article = dynamic_cast<CMagazineArticle*>(&sub)) {
        if (const auto* last = dynamic_cast<const CMagazineArticle*>(previous))
            article->SetPage(last->GetPage());
    }
}

CString CategoryName(const CMediaSubItem& sub)
{
    const CCategoryMgr* categories = CCategoryMgr::GetInstance();
    const CCategory* category = categories ? categories->GetCategory(sub.GetCategoryID()) : nullptr;
    return category ? category->GetName() : CCategory::GetNoCategory();
}

} // namespace

CSubItemGrid::SubItems CSubItemGrid::GetSubItems(const CMediaItem& item)
{
    const std::unique_ptr<CMediaSubItem> sub = Prototype(item);
    if (dynamic_cast<const CBookChapter*>(sub.get()))
        return SubItems::Chapters;
    if (dynamic_cast<const CMagazineArticle*>(sub.get()))
        return SubItems::Articles;
    if (dynamic_cast<const CRecordingTrack*>(sub.get()))
        return SubItems::Recordings;
    if (dynamic_cast<const CTrack*>(sub.get()))
        return SubItems::Tracks;
    return SubItems::None;
}

std::vector<CSubItemGrid::Column> CSubItemGrid::GetColumns(const CMediaItem& item)
{
    const std::unique_ptr<CMediaSubItem> sub = Prototype(item);
    std::vector<Column> columns;
    if (!sub)
        return columns;
    if (dynamic_cast<const CBookChapter*>(sub.get())) {
        columns.push_back({ Field::Chapter, "Chapter", Kind::Number, 0, MAX_CHAPTER });
        columns.push_back({ Field::Title, "Title", Kind::Text });
        columns.push_back({ Field::Description, "Description", Kind::Text });
        return columns;
    }
    if (dynamic_cast<const CMagazineArticle*>(sub.get())) {
        columns.push_back({ Field::Page, "Page", Kind::Number, 0, MAX_PAGE });
        columns.push_back({ Field::Title, "Title", Kind::Text });
        columns.push_back({ Field::SubTitle, "Subtitle", Kind::Text });
        columns.push_back({ Field::Author, "Author", Kind::Text });
        columns.push_back({ Field::SeriesNumber, "Series Number", Kind::Text });
        columns.push_back({ Field::Category, "Category", Kind::Choice });
        columns.push_back({ Field::Description, "Description", Kind::Text });
        return columns;
    }
    const auto* track = dynamic_cast<const CTrack*>(sub.get());
    if (!track)
        return columns;
    if (dynamic_cast<const CAudioTrack*>(track))
        columns.push_back({ Field::Disc, "Disc", Kind::Choice });
    if (dynamic_cast<const CAudioTapeRecording*>(track)) {
        columns.push_back({ Field::Side, "Side", Kind::Choice });
        if (HasPlainCounter(*track))
            columns.push_back({ Field::Counter, "Counter", Kind::Number, 0, MAX_COUNTER });
        else
            columns.push_back({ Field::Counter, "Counter", Kind::Time });
    }
    if (track->GetUsesTrackNumbers())
        columns.push_back({ Field::Track, "Track", Kind::Number, 1, MAX_TRACK });
    if (dynamic_cast<const CVideoTapeRecording*>(track))
        columns.push_back({ Field::Counter, "Counter", Kind::Time });
    columns.push_back({ Field::Title, "Title", Kind::Text });
    columns.push_back({ Field::Length, "Length", Kind::Time });
    if (dynamic_cast<const CRecordingTrack*>(track)) {
        columns.push_back({ Field::Source, "Source", Kind::Choice });
        columns.push_back({ Field::RecDate, "Recorded", Kind::Date });
    }
    return columns;
}

CString CSubItemGrid::GetText(const CMediaSubItem& sub, Field field)
{
    const auto* chapter = dynamic_cast<const CBookChapter*>(&sub);
    const auto* article = dynamic_cast<const CMagazineArticle*>(&sub);
    const auto* track = dynamic_cast<const CTrack*>(&sub);
    switch (field) {
    case Field::Chapter:
        return chapter ? CStringUtils::Format("%d", chapter->GetChapter()) : CString();
    case Field::Page:
        return article && article->GetPage() > 0 ? CStringUtils::Format("%d", article->GetPage()) : CString();
    case Field::Disc:
        if (const auto* audio = dynamic_cast<const CAudioTrack*>(&sub))
            return audio->GetDiscText();
        return CString();
    case Field::Track:
        return track ? track->GetTrackText() : CString();
    case Field::Side:
        if (const auto* tape = dynamic_cast<const CAudioTapeRecording*>(&sub))
            return tape->GetSideText();
        return CString();
    case Field::Counter:
        if (const auto* tape = dynamic_cast<const CAudioTapeRecording*>(&sub))
            return HasPlainCounter(sub) ? CStringUtils::Format("%d", tape->GetStart()) : tape->GetStartText();
        if (const auto* video = dynamic_cast<const CVideoTapeRecording*>(&sub))
            return video->GetStartText();
        return CString();
    case Field::Title:
        if (chapter)
            return CString(chapter->GetTitle());
        if (article)
            return CString(article->GetTitle());
        return track ? CString(track->GetTitle()) : CString();
    case Field::SubTitle:
        return article ? CString(article->GetSubTitle()) : CString();
    case Field::Author:
        return article ? CString(article->GetAuthor()) : CString();
    case Field::SeriesNumber:
        return article ? CString(article->GetSeriesNumber()) : CString();
    case Field::Category:
        return sub.UsesCategory() ? CategoryName(sub) : CString();
    case Field::Length:
        return track && track->GetLength() > 0 ? track->GetLengthText() : CString();
    case Field::Source:
        if (const auto* recording = dynamic_cast<const CRecordingTrack*>(&sub))
            return CRecordingTrack::ParseSource(recording->GetSource());
        return CString();
    case Field::RecDate:
        if (const auto* recording = dynamic_cast<const CRecordingTrack*>(&sub))
            return recording->GetDateText();
        return CString();
    case Field::Description:
        if (chapter)
            return CString(chapter->GetDescription());
        return article ? CString(article->GetDescription()) : CString();
    }
    return CString();
}

CSubItemGrid::Edit CSubItemGrid::SetText(CMediaSubItem& sub, const Column& column, const CString& text)
{
    Edit edit;
    const CString before = GetText(sub, column.field);
    auto* chapter = dynamic_cast<CBookChapter*>(&sub);
    auto* article = dynamic_cast<CMagazineArticle*>(&sub);
    auto* track = dynamic_cast<CTrack*>(&sub);
    auto* recording = dynamic_cast<CRecordingTrack*>(&sub);
    auto* tape = dynamic_cast<CAudioTapeRecording*>(&sub);
    auto* video = dynamic_cast<CVideoTapeRecording*>(&sub);
    CString& message = edit.message;
    switch (column.field) {
    case Field::Chapter:
        if (chapter)
            chapter->SetChapter(TakeNumber(column, text, chapter->GetChapter(), message));
        break;
    case Field::Page:
        if (article)
            article->SetPage(TakeNumber(column, text, article->GetPage(), message));
        break;
    case Field::Track:
        if (track)
            track->SetTrack(TakeNumber(column, text, track->GetTrack(), message));
        break;
    case Field::Disc:
        if (auto* audio = dynamic_cast<CAudioTrack*>(&sub)) {
            const auto* media = dynamic_cast<const CAudioTrackMedia*>(sub.GetParent());
            const int discs = media ? media->GetDiscs() : 1;
            int disc = 0;
            if (CNumberTextConv::TryParseInt(text, disc) && disc >= 1 && disc <= discs)
                audio->SetDisc(disc);
            else
                message = OutOfRange(column.field, text, 1, discs);
        }
        break;
    case Field::Side:
        if (tape) {
            const CString side = CStringUtils::ToUpper(CStringUtils::Trim(text));
            if (side == "A" || side == "1")
                tape->SetSideA(true);
            else if (side == "B" || side == "2")
                tape->SetSideA(false);
            else
                message = NotValid(column.field, text);
        }
        break;
    case Field::Counter:
        if (tape && column.kind == Kind::Number)
            tape->SetStart(TakeNumber(column, text, tape->GetStart(), message));
        else if (tape)
            tape->SetStart(TakeTime(column.field, text, tape->GetStart(), message));
        else if (video)
            video->SetStart(TakeTime(column.field, text, video->GetStart(), message));
        break;
    case Field::Length:
        if (track)
            track->SetLength(TakeTime(column.field, text, track->GetLength(), message));
        break;
    case Field::Source:
        if (recording) {
            const CString trimmed = CStringUtils::Trim(text);
            CRecordingTrack::Source source = CRecordingTrack::ParseSource(trimmed);
            if (source != CRecordingTrack::srcUnknown || trimmed.empty()
                || CStringUtils::EqualsNoCase(trimmed, CRecordingTrack::ParseSource(CRecordingTrack::srcUnknown)))
                recording->SetSource(source);
            else
                message = NotValid(column.field, text);
        }
        break;
    case Field::RecDate:
        if (recording) {
            COleDateTime date;
            if (CDateTimeUtils::ConvertDateNumbers(text, date) || date.GetStatus() == COleDateTime::null)
                recording->SetDate(date);
            else
                message = NotValid(column.field, text);
        }
        break;
    case Field::Category:
        if (sub.UsesCategory()) {
            CCategoryMgr* categories = CCategoryMgr::GetInstance();
            const CCategory* category = categories ? categories->GetCategory(CStringUtils::Trim(text), false) : nullptr;
            if (category)
                sub.SetCategoryID(category->GetUniqueID());
            else
                message = NotValid(column.field, text);
        }
        break;
    case Field::Title:
        if (chapter)
            chapter->SetTitle(text);
        else if (article)
            article->SetTitle(text);
        else if (track)
            track->SetTitle(text);
        break;
    case Field::SubTitle:
        if (article)
            article->SetSubTitle(text);
        break;
    case Field::Author:
        if (article)
            article->SetAuthor(text);
        break;
    case Field::SeriesNumber:
        if (article)
            article->SetSeriesNumber(text);
        break;
    case Field::Description:
        if (chapter)
            chapter->SetDescription(text);
        else if (article)
            article->SetDescription(text);
        break;
    }
    edit.changed = GetText(sub, column.field) != before;
    return edit;
}

CStringList CSubItemGrid::GetChoices(const CMediaItem& item, Field field)
{
    CStringList choices;
    switch (field) {
    case Field::Disc: {
        const auto* media = dynamic_cast<const CAudioTrackMedia*>(&item);
        for (int disc = 1; disc <= (media ? media->GetDiscs() : 1); ++disc)
            choices.AddTail(CStringUtils::Format("%d", disc));
        break;
    }
    case Field::Side:
        choices.AddTail("A");
        choices.AddTail("B");
        break;
    case Field::Source:
        // Media that are also sold recorded may hold pre-recorded pieces.
        CRecordingTrack::GetSourceList(choices, item.UsesPublisher());
        break;
    case Field::Category:
        if (const CCategoryMgr* categories = CCategoryMgr::GetInstance()) {
            for (POSITION pos = categories->GetHeadPosition(); pos;)
                choices.AddTail(categories->GetNext(pos)->GetName());
        }
        break;
    default:
        break;
    }
    return choices;
}

CMediaSubItem* CSubItemGrid::Insert(CMediaItem& item, int index)
{
    std::unique_ptr<CMediaSubItem> sub = Prototype(item);
    if (!sub)
        return nullptr;
    index = std::clamp(index, 0, item.GetSubItemCount());
    const CMediaSubItem* previous = item.GetSubItemAt(index - 1);
    FollowPrevious(*sub, previous);
    if (HasNumber(*sub)) {
        const int number = previous && SameGroup(*previous, *sub) ? GetNumber(*previous) + 1 : 1;
        SetNumber(*sub, number);
        bool taken = false;
        for (int row = 0; row < item.GetSubItemCount() && !taken; ++row) {
            const CMediaSubItem* other = item.GetSubItemAt(row);
            taken = SameGroup(*other, *sub) && GetNumber(*other) == number;
        }
        for (int row = index; taken && row < item.GetSubItemCount(); ++row) {
            CMediaSubItem* later = item.GetSubItemAt(row);
            if (SameGroup(*later, *sub) && GetNumber(*later) >= number)
                SetNumber(*later, GetNumber(*later) + 1);
        }
    }
    CMediaSubItem* added = sub.get();
    item.InsertSubItem(index, sub.release());
    return added;
}

void CSubItemGrid::CloseGap(CMediaItem& item, const CMediaSubItem& sub)
{
    const int at = item.FindSubItem(&sub);
    if (at < 0 || !HasNumber(sub))
        return;
    const int number = GetNumber(sub);
    for (int row = 0; row < item.GetSubItemCount(); ++row) {
        const CMediaSubItem* other = item.GetSubItemAt(row);
        if (other != &sub && SameGroup(*other, sub) && GetNumber(*other) == number)
            return;
    }
    for (int row = at + 1; row < item.GetSubItemCount(); ++row) {
        CMediaSubItem* later = item.GetSubItemAt(row);
        if (SameGroup(*later, sub) && GetNumber(*later) > number)
            SetNumber(*later, GetNumber(*later) - 1);
    }
}

bool CSubItemGrid::Move(CMediaItem& item, int from, int to)
{
    const int count = item.GetSubItemCount();
    if (from < 0 || from >= count || to < 0 || to >= count)
        return false;
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    std::vector<int> numbers;
    const CMediaSubItem* first = item.GetSubItemAt(low);
    for (int row = low; row <= high; ++row) {
        const CMediaSubItem* sub = item.GetSubItemAt(row);
        if (!SameGroup(*first, *sub) || (!numbers.empty() && GetNumber(*sub) <= numbers.back())) {
            numbers.clear();
            break;
        }
        numbers.push_back(GetNumber(*sub));
    }
    item.MoveSubItem(from, to);
    for (std::size_t i = 0; i < numbers.size(); ++i)
        SetNumber(*item.GetSubItemAt(low + static_cast<int>(i)), numbers[i]);
    return true;
}

bool CSubItemGrid::CanRenumber(const CMediaItem& item)
{
    const std::unique_ptr<CMediaSubItem> sub = Prototype(item);
    return sub && HasNumber(*sub);
}

void CSubItemGrid::Renumber(CMediaItem& item)
{
    const CMediaSubItem* first = item.GetSubItemAt(0);
    // A prologue (chapter 0) keeps its number; tracks always start at 1.
    const int start = first && dynamic_cast<const CBookChapter*>(first) && GetNumber(*first) == 0 ? 0 : 1;
    std::map<int, int> next;
    for (int row = 0; row < item.GetSubItemCount(); ++row) {
        CMediaSubItem* sub = item.GetSubItemAt(row);
        if (!HasNumber(*sub))
            continue;
        auto [slot, added] = next.try_emplace(GroupOf(*sub), start);
        SetNumber(*sub, slot->second++);
    }
}

CString CSubItemGrid::GetLengthSummary(const CMediaItem& item)
{
    const auto* media = dynamic_cast<const CTrackMedia*>(&item);
    return media ? "Total length: " + media->GetContentSizeText() : CString();
}

CString CSubItemGrid::GetRemainingSummary(const CMediaItem& item)
{
    const auto* media = dynamic_cast<const CRecordableMedia*>(&item);
    if (!media)
        return CString();
    const CString remaining = media->GetSizeRemainingText();
    if (remaining.empty())
        return CString();
    CString text = "Recording time left: " + remaining;
    // A DAT records on one side only.
    const auto* tape = dynamic_cast<const CAudioRecTape*>(&item);
    if (tape && !dynamic_cast<const CDAT*>(&item) && !media->IsMediaFull()) {
        if (tape->IsSideAFull())
            text += "; side A full";
        if (tape->IsSideBFull())
            text += "; side B full";
    }
    return text;
}
