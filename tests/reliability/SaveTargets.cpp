#include "SaveTargets.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

#include "SampleLibrary.h"
#include "data/model/PersonMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "data/store/SharedData.h"
#include "platform/appcfg/AppSettings.h"
#include "platform/util/Archive.h"
#include "platform/util/Person.h"

namespace vemotest {

ScratchDir::ScratchDir()
{
    std::string root;
    if (const char* chosen = std::getenv("VEMO_SAVE_TEST_DIR"))
        root = chosen;
    else if (::access("/dev/shm", W_OK) == 0)
        root = "/dev/shm";
    else if (const char* run = std::getenv("VEMO_TEST_TMP"))
        root = run;
    else
        root = "/tmp";
    std::string pattern = root + "/vemosave-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("no scratch folder under " + root);
    m_path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

namespace {

class LibraryTarget : public SaveTarget {
public:
    explicit LibraryTarget(int itemCount)
    {
        FillSampleLibrary(m_a, itemCount, 0);
        FillSampleLibrary(m_b, itemCount, 1);
        CString error;
        CLibraryFile::WriteBytes(m_a, m_bytesA, error);
        CLibraryFile::WriteBytes(m_b, m_bytesB, error);
    }
    std::string Name() const override { return "library"; }
    bool Save(const std::string& path, int variant, std::string& error) override
    {
        return CLibraryFile::Write(variant == 0 ? m_a : m_b, path, error);
    }
    bool Load(const std::string& path, std::string& error) override
    {
        CLibrary library(true, false);
        bool converted = false;
        return CLibraryFile::Read(library, path, converted, error);
    }

private:
    CLibrary m_a { true, false };
    CLibrary m_b { true, false };
};

class SharedDataTarget : public SaveTarget {
public:
    explicit SharedDataTarget(int count)
        : m_count(count)
    {
        for (int variant : { 0, 1 }) {
            Vary(variant);
            CArchive ar;
            CSharedData::Serialize(ar);
            (variant == 0 ? m_bytesA : m_bytesB) = ar.GetBuffer();
        }
        ResetSharedLists();
        m_filled = false;
    }
    std::string Name() const override { return "shared data"; }
    bool Save(const std::string& path, int variant, std::string& error) override
    {
        Vary(variant);
        try {
            CArchive ar;
            CSharedData::Serialize(ar);
            ar.WriteToFile(path);
            return true;
        } catch (const CArchiveException& e) {
            error = e.what();
            return false;
        }
    }
    bool Load(const std::string& path, std::string& error) override
    {
        ResetSharedLists();
        // The lists read hold A or B, so the next save only changes a phone.
        m_filled = false;
        try {
            CArchive ar = CArchive::FromFile(path);
            CSharedData::Serialize(ar);
            m_filled = ar.AtEnd();
            return m_filled;
        } catch (const CArchiveException& e) {
            error = e.what();
            return false;
        }
    }

private:
    // A and B differ in the first borrower's phone. Only that changes
    // between saves, so that the time of a save goes to writing the file
    // (where the kills are meant to land), not to building the lists.
    void Vary(int variant)
    {
        if (!m_filled) {
            FillSampleSharedData(m_count, 0);
            m_filled = true;
        }
        CPersonMgr* persons = CPersonMgr::GetInstance();
        POSITION pos = persons->GetHeadPosition();
        persons->GetNext(pos)->SetHomePhone(variant == 0 ? "555-0100" : "555-0199");
    }

    int m_count;
    bool m_filled = false;
};

class SettingsTarget : public SaveTarget {
public:
    SettingsTarget()
    {
        for (int variant : { 0, 1 }) {
            Vary(variant);
            CArchive ar;
            m_settings.Serialize(ar);
            (variant == 0 ? m_bytesA : m_bytesB) = ar.GetBuffer();
        }
    }
    std::string Name() const override { return "settings"; }
    bool Save(const std::string& path, int variant, std::string& error) override
    {
        Vary(variant);
        m_settings.SetSettingsFile(path);
        bool saved = m_settings.Save();
        error = m_settings.GetLastError();
        return saved;
    }
    bool Load(const std::string& path, std::string& error) override
    {
        CAppSettings settings("/nonexistent/bin", "VemoLibrary");
        settings.SetSettingsFile(path);
        bool firstRun = true;
        bool read = settings.Read(firstRun);
        error = settings.GetLastError();
        return read && !firstRun;
    }

private:
    void Vary(int variant) { m_settings.SetBalloonWPMSpeed(variant == 0 ? 200 : 320); }

    CAppSettings m_settings { "/nonexistent/bin", "VemoLibrary" };
};

} // namespace

std::unique_ptr<SaveTarget> MakeLibraryTarget(int itemCount)
{
    return std::make_unique<LibraryTarget>(itemCount);
}

std::unique_ptr<SaveTarget> MakeSharedDataTarget(int count)
{
    return std::make_unique<SharedDataTarget>(count);
}

std::unique_ptr<SaveTarget> MakeSettingsTarget()
{
    return std::make_unique<SettingsTarget>();
}

} // namespace vemotest
