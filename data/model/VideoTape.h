#pragma once
// A video tape of one of ten tape formats, with its recordings. The formats
// double as pseudo media types 116..125 (CMediaUtils::MEDIA_VIDEOTAPEVHS
// ...), under which tapes are numbered and listed per format.

#include "data/model/MediaItemT.h"
#include "data/model/MediaUtils.h"
#include "data/model/RecordingTrack.h"
#include "data/model/VideoRecordableMedia.h"

class CVideoTapeRecording;

class CVideoTape
    : public CMediaItemT<CVideoTape, CVideoRecordableMedia, CMediaUtils::MEDIA_VIDEOTAPE, CVideoTapeRecording> {
public:
    // Tape types, stored as a word; the order of the format ids 116..125.
    enum TapeType {
        typeVHS = 0,
        type8mm = 1,
        typeDV = 2,
        typeVHSC = 3,
        typeBeta = 4,
        typeDVHS = 5,
        typeSVHS = 6,
        typeMiniDV = 7,
        typeDigitalS = 8,
        typeDigital8 = 9
    };
    static constexpr int TAPETYPE_FIRST = typeVHS;
    static constexpr int TAPETYPE_LAST = typeDigital8;

    // The recordable video flags with a publisher and special features (many
    // tapes are bought pre-recorded); VHS; recordings ordered by "Track #".
    CVideoTape();

    // Same tape type, and library ID, title, subtitle and series number equal
    // ignoring case (library IDs are numbered per format).
    bool operator==(const CItem& other) const override;
    // "Type" (the format name) besides the recordable video keys.
    void GetData(CMapStringToString& data) const override;
    // "Type" takes a format name (ParseType); an unknown name changes nothing.
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CVideoRecordableMedia's: version word (1), tape type
    // (word; a value outside 0..9 loads as VHS).
    void Serialize(CArchive& ar) override;
    // As the video media, then " [format]".
    CString GetUniqueDescription(bool withMediaName, const CString& sortProp) const override;
    // By format: the longest common cassette at standard speed (GetMaxTapeLength).
    int GetMaxContentSize() const override;

protected:
    // "Counter": by counter position; otherwise as CTrackMedia.
    void SortSubItems() override;

public:
    TapeType GetTapeType() const { return m_tapeType; }
    // A value outside 0..9 becomes VHS.
    void SetTapeType(int type);
    // The format id (116..125) of this tape.
    int GetFormatID() const { return ConvertTypeToID(m_tapeType); }

    // Format id 116..125 to tape type 0..9; -1 for any other id.
    static int ConvertType(int formatID);
    // Tape type 0..9 to format id 116..125; 0 for any other type.
    static int ConvertTypeToID(int tapeType);
    // "VHS", "8mm", "DV", "VHS-c", "Beta", "D-VHS", "S-VHS", "MiniDV",
    // "Digital-S", "Digital8"; "" for any other type.
    static CString GetTypeText(int tapeType);
    // The name of a format id 116..125; "" for any other id.
    static CString GetFormatName(int formatID);
    // Tape type of a format name, ignoring case; -1 when none matches.
    static int ParseType(const CString& text);
    // Appends the ten format names in type order.
    static void GetTypeList(CStringList& list);
    // Seconds: VHS T-160 160 min, 8mm P6-120 120, DV (large) 180, VHS-c
    // TC-45 45, Beta L-750 (Beta II) 180, D-VHS DF-480 (HS) 240, S-VHS ST-160
    // 160, MiniDV 80, Digital-S 124, Digital8 (on a 120 tape) 60; 0 for any
    // other type.
    static int GetMaxTapeLength(int tapeType);
    // -1/0/1 by counter position; a sub-item that is no video tape
    // recording sorts after one that is.
    static int SortRecordingsByCounter(const CMediaSubItem* a, const CMediaSubItem* b);

private:
    TapeType m_tapeType = typeVHS;
};

// A recording on a video tape: numbered in tape order, with the counter
// position where it starts; no category of its own.
class CVideoTapeRecording : public CMediaSubItemT<CVideoTapeRecording, CRecordingTrack, CMediaUtils::MEDIA_VIDEOTAPE> {
public:
    CVideoTapeRecording();

    // Same tape (see CMediaSubItem), track number and start, and titles
    // equal ignoring case.
    bool operator==(const CItem& other) const override;
    // "Counter" (start as h:mm:ss) besides the recording keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CRecordingTrack's: version word (1), start (32-bit).
    void Serialize(CArchive& ar) override;
    // A title that is not effectively empty, or a length above 0.
    bool HaveValidData() const override;

    // Counter position in seconds.
    int GetStart() const { return m_start; }
    void SetStart(int seconds) { m_start = seconds < 0 ? 0 : seconds; }
    // CMediaUtils::ConvertToHHMMSS(start).
    CString GetStartText() const;

private:
    int m_start = 0;
};
