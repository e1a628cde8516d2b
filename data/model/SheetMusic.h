#pragma once
// A piece of sheet music. It has no sub-items.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "data/model/SparseTexts.h"

class CSheetMusic : public CMediaItemT<CSheetMusic, CMediaItem, CMediaUtils::MEDIA_SHEETMUSIC> {
public:
    // Category, check-out, publisher and report properties; no special
    // features.
    CSheetMusic();

    // Same title, composer, arranger and instrumentation, ignoring case.
    bool operator==(const CItem& other) const override;
    // "Composer", "Arranger", "Words By", "Music By", "Instrumentation".
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CMediaItem's: version word (1), composer, arranger, words
    // by, music by, instrumentation (strings).
    void Serialize(CArchive& ar) override;
    // The CMediaItem text, then composer - "title" ("title" - composer when
    // sorted by title), then " (instrumentation)".
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;

    const CString& GetComposer() const { return m_composer; }
    void SetComposer(const CString& text) { m_composer = text; }
    const CString& GetArranger() const { return m_sparse.Get(SPARSE_ARRANGER); }
    void SetArranger(const CString& text) { m_sparse.Set(SPARSE_ARRANGER, text); }
    // The lyricist.
    const CString& GetWordsBy() const { return m_sparse.Get(SPARSE_WORDSBY); }
    void SetWordsBy(const CString& text) { m_sparse.Set(SPARSE_WORDSBY, text); }
    const CString& GetMusicBy() const { return m_sparse.Get(SPARSE_MUSICBY); }
    void SetMusicBy(const CString& text) { m_sparse.Set(SPARSE_MUSICBY, text); }
    const CString& GetInstrumentation() const { return m_instrumentation; }
    void SetInstrumentation(const CString& text) { m_instrumentation = text; }

private:
    CString m_composer;
    // Most scores name their composer alone.
    enum { SPARSE_ARRANGER, SPARSE_WORDSBY, SPARSE_MUSICBY, SPARSE_COUNT };
    CSparseTexts<SPARSE_COUNT> m_sparse;
    CString m_instrumentation;
};
