#pragma once
// The picture of a media item used by reports: file and shown size.

#include "platform/util/VemoTypes.h"

class CArchive;

class CReportProperties : public CPooledObject {
public:
    CReportProperties() = default;
    CReportProperties(const CReportProperties&) = default;
    CReportProperties& operator=(const CReportProperties&) = default;
    CReportProperties(CReportProperties&&) noexcept = default;
    CReportProperties& operator=(CReportProperties&&) noexcept = default;
    ~CReportProperties() = default;

    // Width and height equal, file names equal ignoring case.
    bool operator==(const CReportProperties& other) const;

    // Pixels.
    int GetImageWidth() const { return m_imageWidth; }
    void SetImageWidth(int width) { m_imageWidth = width; }
    int GetImageHeight() const { return m_imageHeight; }
    void SetImageHeight(int height) { m_imageHeight = height; }
    const CString& GetImageFile() const { return m_imageFile; }
    void SetImageFile(const CString& path) { m_imageFile = path; }

    // Record: version word (1), width, height (32-bit each), image file.
    // Loading an empty file name sets width and height to 0.
    void Serialize(CArchive& ar);

private:
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    CString m_imageFile;
};
