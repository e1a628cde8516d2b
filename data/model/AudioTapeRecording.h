#pragma once
// A recording on an audio tape: its side and counter position.

#include "data/model/RecordingTrack.h"

class CAudioTapeRecording : public CRecordingTrack {
public:
    CAudioTapeRecording(bool usesCategory, bool usesTrackNumbers);
    CAudioTapeRecording(const CAudioTapeRecording& source);

    // "Side" (side text) and "Counter" (start text) besides the recording keys.
    void GetData(CMapStringToString& data) const override;
    void SetData(const CMapStringToString& data, bool applyCategory) override;
    // Record after CRecordingTrack's: version word (1), side A (boolean),
    // start (32-bit).
    void Serialize(CArchive& ar) override;

    virtual CAudioTapeRecording& operator=(const CAudioTapeRecording& source);
    // Counter position in seconds.
    virtual void SetStart(int seconds) { m_start = seconds; }
    virtual int GetStart() const { return m_start; }
    // CMediaUtils::ConvertToMMSS(start).
    virtual CString GetStartText() const;

    bool GetSideA() const { return m_sideA; }
    void SetSideA(bool sideA) { m_sideA = sideA; }
    // "A" or "B".
    CString GetSideText() const { return m_sideA ? "A" : "B"; }

private:
    bool m_sideA = true;
    int m_start = 0;
};
