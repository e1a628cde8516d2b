#pragma once
// Shared set-up of the program's tests: a fresh home for every test (data
// and settings folders under a temporary directory), messages answered by
// the test, and small helpers to make library files.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "app/MessageBox.h"
#include "app/QtText.h"
#include "data/model/MediaItem.h"
#include "data/session/VemoLibrarySettings.h"
#include "data/store/Library.h"
#include "data/store/LibraryFile.h"
#include "platform/appcfg/AppPaths.h"
#include "platform/util/DirUtils.h"
#include "platform/util/FileUtils.h"

namespace QTest {
template <> inline char* toString(const std::string& text)
{
    return qstrdup(text.c_str());
}
} // namespace QTest

class CTestHome {
public:
    CTestHome()
    {
        QVERIFY(m_dir.isValid());
        const QByteArray root = m_dir.path().toUtf8();
        qputenv("HOME", root);
        qputenv("XDG_DATA_HOME", root + "/data");
        qputenv("XDG_CONFIG_HOME", root + "/config");
        CAppPaths::EnsureDataDir();
    }
    CString DataDir() const { return CAppPaths::DataDir(); }
    CString LibraryPath(const CString& name) const { return DataDir() + name + ".vly"; }

private:
    QTemporaryDir m_dir;
};

// Writes a library file of the current format with one book per title.
inline void WriteLibraryFile(const CString& path, const CString& name, const std::vector<CString>& bookTitles = {})
{
    CLibrary library(true, true);
    library.SetName(name);
    for (const CString& title : bookTitles)
        library.CreateMediaItem(1, nullptr)->SetTitle(title);
    CString error;
    QVERIFY2(CLibraryFile::Write(library, path, error), error.c_str());
}

// Closes every window a test left open. A dialog may take child windows
// with it, so each is asked for after the one before went.
inline void DeleteTopLevelDialogs()
{
    QList<QPointer<QDialog>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window))
            windows << dialog;
    for (const QPointer<QDialog>& window : windows)
        delete window.data();
}

inline std::string FileBytes(const CString& path)
{
    std::string bytes;
    CFileUtils::ReadFileBytes(path, bytes);
    return bytes;
}
