#pragma once
// Start-up and exit of the program: one copy per user, the settings, the
// log, the splash window, the document and the main window, and at exit
// the last run and the settings written back.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "platform/util/VemoTypes.h"

class CMainFrame;
class CSingleInstance;
class CSplashWindow;
class CVemoLibraryDoc;
class CVemoLibrarySettings;

class CVemoLibraryApp : public QObject {
    Q_OBJECT

public:
    // programDir is the folder of the program file.
    explicit CVemoLibraryApp(const CString& programDir, QObject* parent = nullptr);
    ~CVemoLibraryApp() override;

    // False when the program is not to run (another copy runs, or the main
    // window could not be made).
    bool InitInstance();
    void ExitInstance();
    // Tests run several starts in one process: no single-instance socket.
    void SetSingleInstanceCheck(bool on) { m_singleInstanceCheck = on; }
    // Library files the program was started with (absolute paths): handed
    // to the running copy, or opened once the window is up.
    void SetFilesToOpen(const QStringList& files) { m_filesToOpen = files; }
    // The library files of a command line: every argument after the
    // program's name, made absolute.
    static QStringList FilesFromArguments(const QStringList& arguments);

    void ShowSplash(bool firstRun);
    void HideSplash();

    CVemoLibrarySettings* GetSettings() const { return m_settings.get(); }
    CVemoLibraryDoc* GetDocument() const { return m_doc; }
    CMainFrame* GetMainFrame() const;
    CSplashWindow* GetSplash() const;
    bool IsFirstRun() const { return m_firstRun; }
    bool IsUpgraded() const { return m_upgraded; }

private:
    void InstallTemplates(bool firstRun);
    void Activate(const QStringList& files);
    void OpenFiles(const QStringList& files);

    CString m_programDir;
    bool m_singleInstanceCheck = true;
    QStringList m_filesToOpen;
    CSingleInstance* m_instance = nullptr;
    std::unique_ptr<CVemoLibrarySettings> m_settings;
    QPointer<CSplashWindow> m_splash;
    CVemoLibraryDoc* m_doc = nullptr;
    QPointer<CMainFrame> m_frame;
    bool m_firstRun = true;
    bool m_upgraded = false;
    CString m_versionBefore;
    CString m_versionAfter;
    bool m_exited = false;
};
