#pragma once
// The three files the program saves again and again (a library, the shared
// data file, the settings record), each with two known contents A and B and
// a save that writes one of them the way the program does.

#include <functional>
#include <memory>
#include <string>

namespace vemotest {

class SaveTarget {
public:
    virtual ~SaveTarget() = default;
    virtual std::string Name() const = 0;
    // The bytes the file holds after Save(variant).
    const std::string& Bytes(int variant) const { return variant == 0 ? m_bytesA : m_bytesB; }
    // Saves content A (0) or B (1) to path; false with error on failure.
    virtual bool Save(const std::string& path, int variant, std::string& error) = 0;
    // Reads path the way the program does at start; false when it fails.
    virtual bool Load(const std::string& path, std::string& error) = 0;

protected:
    std::string m_bytesA;
    std::string m_bytesB;
};

// A fresh folder for files saved over and over, removed with the object:
// under $VEMO_SAVE_TEST_DIR when set (scripts/killtest puts it on the disk),
// else on the RAM disk /dev/shm where there is one (a rename replaces a file
// the same way there, and no flush to a busy disk slows the suite down),
// else in the test run's folder.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A library of itemCount items (A and B differ in notes and a few titles).
std::unique_ptr<SaveTarget> MakeLibraryTarget(int itemCount);
// The shared lists with count records of each kind.
std::unique_ptr<SaveTarget> MakeSharedDataTarget(int count);
// The settings record (A and B differ in the balloon reading speed).
std::unique_ptr<SaveTarget> MakeSettingsTarget();

} // namespace vemotest
