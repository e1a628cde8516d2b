#pragma once
// Small concrete media and sub-item classes for testing the item bases and
// the track families without the real media types.

#include "data/model/AudioRecDisc.h"
#include "data/model/AudioRecTape.h"
#include "data/model/AudioTrack.h"
#include "data/model/AudioTrackMedia.h"
#include "data/model/CassetteRecording.h"
#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/MediaUtils.h"
#include "data/model/PublisherMgr.h"
#include "data/model/RecordingTrack.h"
#include "data/model/VideoMedia.h"
#include "data/model/VideoRecordableMedia.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

namespace vemotest {

// Gives tests the protected sub-item list of any medium class.
template <class Base> class CExposed : public Base {
public:
    using Base::Base;
    CMediaSubItemList& List() { return this->GetSubItems(); }
    void Resort() { this->SortSubItems(); }
};

class CTestAudioTrack : public CAudioTrack {
public:
    CTestAudioTrack()
        : CAudioTrack(false, true)
    {
    }
    CTestAudioTrack(int disc, int track, const CString& title, int length = 0)
        : CAudioTrack(false, true)
    {
        SetDisc(disc);
        SetTrack(track);
        SetTitle(title);
        SetLength(length);
    }
    bool operator==(const CItem& other) const override
    {
        const auto* track = dynamic_cast<const CTestAudioTrack*>(&other);
        return track && CAudioTrack::operator==(other) && track->GetDisc() == GetDisc()
            && track->GetTrack() == GetTrack() && track->GetLength() == GetLength() && track->GetTitle() == GetTitle();
    }
    bool HaveValidData() const override { return !GetTitle().empty(); }
    int GetMediaType() const override { return CMediaUtils::MEDIA_CD; }
};

class CTestAudioTrackMedia : public CExposed<CAudioTrackMedia> {
public:
    CTestAudioTrackMedia()
        : CExposed<CAudioTrackMedia>(false)
    {
    }
    CTestAudioTrackMedia(const CTestAudioTrackMedia& source)
        : CExposed<CAudioTrackMedia>(source)
    {
        CopyDynamicData(source);
    }
    CTestAudioTrackMedia& operator=(const CTestAudioTrackMedia& source)
    {
        if (this != &source) {
            CAudioTrackMedia::operator=(source);
            CopyDynamicData(source);
        }
        return *this;
    }
    bool operator==(const CItem& other) const override
    {
        const auto* medium = dynamic_cast<const CTestAudioTrackMedia*>(&other);
        return medium && this != medium && CStringUtils::EqualsNoCase(medium->GetTitle(), GetTitle());
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override
    {
        if (const auto* track = dynamic_cast<const CTestAudioTrack*>(source))
            return new CTestAudioTrack(*track);
        return new CTestAudioTrack;
    }
    CMediaItem* Clone() const override { return new CTestAudioTrackMedia(*this); }
    int GetMediaType() const override { return CMediaUtils::MEDIA_CD; }
    CTestAudioTrack* AddTrack(int disc, int track, const CString& title, int length = 0)
    {
        auto* added = new CTestAudioTrack(disc, track, title, length);
        AddSubItem(added);
        return added;
    }
};

// A sub-item with a category of its own, as magazine articles have.
class CTestArticle : public CTrack {
public:
    CTestArticle()
        : CTrack(true, true)
    {
    }
    bool HaveValidData() const override { return !GetTitle().empty(); }
    int GetMediaType() const override { return CMediaUtils::MEDIA_MAGAZINE; }
};

class CTestIssue : public CExposed<CTrackMedia> {
public:
    CTestIssue()
        : CExposed<CTrackMedia>(true, true, true, true, false, CMediaUtils::MEDIA_PROP_TRACKNUMBER, true)
    {
    }
    CTestIssue(const CTestIssue& source)
        : CExposed<CTrackMedia>(source)
    {
        CopyDynamicData(source);
    }
    CTestIssue& operator=(const CTestIssue&) = default;
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override
    {
        if (const auto* article = dynamic_cast<const CTestArticle*>(source))
            return new CTestArticle(*article);
        return new CTestArticle;
    }
    CMediaItem* Clone() const override { return new CTestIssue(*this); }
    int GetMediaType() const override { return CMediaUtils::MEDIA_MAGAZINE; }
};

class CTestTape : public CExposed<CAudioRecTape> {
public:
    CTestTape()
        : CExposed<CAudioRecTape>(true)
    {
    }
    CTestTape(const CTestTape& source)
        : CExposed<CAudioRecTape>(source)
    {
        CopyDynamicData(source);
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override
    {
        if (const auto* recording = dynamic_cast<const CCassetteRecording*>(source))
            return new CCassetteRecording(*recording);
        return new CCassetteRecording;
    }
    CMediaItem* Clone() const override { return new CTestTape(*this); }
    int GetMediaType() const override { return CMediaUtils::MEDIA_CASSETTE; }
    int GetMaxContentSize() const override { return 120 * 60; }
    CCassetteRecording* AddRecording(bool sideA, int start, int length, const CString& title = "x")
    {
        auto* recording = new CCassetteRecording;
        recording->SetSideA(sideA);
        recording->SetStart(start);
        recording->SetLength(length);
        recording->SetTitle(title);
        AddSubItem(recording);
        return recording;
    }
};

class CTestRecording : public CRecordingTrack {
public:
    CTestRecording()
        : CRecordingTrack(false, true)
    {
    }
    bool HaveValidData() const override { return true; }
    int GetMediaType() const override { return CMediaUtils::MEDIA_CDREC; }
};

class CTestRecDisc : public CExposed<CAudioRecDisc> {
public:
    CTestRecDisc()
        : CExposed<CAudioRecDisc>(true)
    {
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override
    {
        if (const auto* recording = dynamic_cast<const CTestRecording*>(source))
            return new CTestRecording(*recording);
        return new CTestRecording;
    }
    CMediaItem* Clone() const override { return nullptr; }
    int GetMediaType() const override { return CMediaUtils::MEDIA_CDREC; }
    int GetMaxContentSize() const override { return 80 * 60; }
    CTestRecording* AddRecording(int length)
    {
        auto* recording = new CTestRecording;
        recording->SetLength(length);
        AddSubItem(recording);
        return recording;
    }
};

class CTestVideoRec : public CExposed<CVideoRecordableMedia> {
public:
    CTestVideoRec()
        : CExposed<CVideoRecordableMedia>(true, true, CMediaUtils::MEDIA_PROP_TRACKNUMBER)
    {
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem*) const override { return new CTestRecording; }
    CMediaItem* Clone() const override { return nullptr; }
    int GetMediaType() const override { return CMediaUtils::MEDIA_DVDREC; }
    int GetMaxContentSize() const override { return 6 * 3600; }
};

// A medium without sub-items.
class CTestVideo : public CVideoMedia {
public:
    CTestVideo()
        : CVideoMedia("")
    {
    }
    CTestVideo(const CTestVideo& source)
        : CVideoMedia(source)
    {
        CopyDynamicData(source);
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem*) const override { return nullptr; }
    CMediaItem* Clone() const override { return new CTestVideo(*this); }
    int GetMediaType() const override { return CMediaUtils::MEDIA_DVD; }
};

// Fresh category and publisher lists for every test.
class CStoreFixture {
public:
    CStoreFixture() { Reset(); }
    ~CStoreFixture() { Reset(); }
    static void Reset()
    {
        CCategoryMgr::DeleteInstance();
        CPublisherMgr::DeleteInstance();
    }
    static CCategoryMgr& Categories() { return *CCategoryMgr::GetInstance(); }
    static int AddCategory(const CString& name, const CString& description = "")
    {
        CCategory* category = Categories().GetCategory(name, true);
        category->SetDescription(description);
        return category->GetUniqueID();
    }
    static int UseCount(int id) { return Categories().GetCategory(id)->GetDepItems(); }
};

// The bytes an item writes.
inline std::string Store(CItem& item)
{
    CArchive ar;
    item.Serialize(ar);
    return ar.GetBuffer();
}

// Reads bytes into an item; true when the whole record was read.
inline bool Load(CItem& item, const std::string& bytes)
{
    CArchive ar { std::string_view(bytes) };
    item.Serialize(ar);
    return ar.AtEnd();
}

} // namespace vemotest
