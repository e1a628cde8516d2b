#include "app/VemoLibraryApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "app/AppUpgrade.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/SplashWindow.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/CategoryMgr.h"
#include "data/model/MagazineMgr.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/session/VemoLibrarySettings.h"
#include "platform/appcfg/AppPaths.h"
#include "platform/appcfg/TemplateInstaller.h"
#include "platform/util/AppLogger.h"
#include "platform/util/Clock.h"
#include "platform/util/DirUtils.h"

CVemoLibraryApp::CVemoLibraryApp(const CString& programDir, QObject* parent)
    : QObject(parent)
    , m_programDir(programDir)
{
}

CVemoLibraryApp::~CVemoLibraryApp()
{
    ExitInstance();
}

CMainFrame* CVemoLibraryApp::GetMainFrame() const
{
    return m_frame;
}

CSplashWindow* CVemoLibraryApp::GetSplash() const
{
    return m_splash;
}

bool CVemoLibraryApp::InitInstance()
{
    // 1. One copy per user and data directory.
    if (m_singleInstanceCheck) {
        m_instance = new CSingleInstance(QString::fromStdString(CAppPaths::DataDir()), this);
        if (!m_instance->Start(m_filesToOpen))
            return false;
        connect(m_instance, &CSingleInstance::Activated, this, &CVemoLibraryApp::Activate);
    }

    // 3. The log lives in the data directory.
    bool dataDirExisted = CDirUtils::DoesDirExist(CAppPaths::TemplatesDir());
    if (!CAppPaths::EnsureDataDir())
        VemoLog("{D7A41C3E-85B2-4E09-9F6D-2B0C7E4A1F58}");
    CAppLogger::GetInstance()->SetLogFile(CAppPaths::LogFile());

    // 5. Settings; a failed read leaves the defaults.
    m_firstRun = true;
    try {
        m_settings = std::make_unique<CVemoLibrarySettings>(m_programDir);
    } catch (...) {
        m_settings.reset();
        VemoLog("{2B6E9D04-A7C1-4F3B-8E52-D19F0A6C7B38}");
    }
    if (m_settings && !m_settings->Read(m_firstRun))
        VemoLog("{61C0F8A2-3D5E-4B97-A4F1-7E28B9D0C6A3}");
    InstallTemplates(m_firstRun || !dataDirExisted);

    // 6. An upgraded program announces itself once.
    if (m_settings) {
        CVersionNumber before = m_settings->GetVersionNumber();
        if (CAppUpgrade::UpgradeCompleted(*m_settings, CAppUpgrade::RunningVersion())) {
            m_settings->UpgradeDone();
            if (m_settings->GetVersionNumber() > before) {
                m_upgraded = true;
                m_versionBefore = before.ToString();
                m_versionAfter = m_settings->GetVersionNumber().ToString();
            }
        }
    }

    // 8. Splash.
    ShowSplash(m_firstRun);

    // 9, 10. Document and main window.
    m_doc = new CVemoLibraryDoc(m_settings.get(), this);
    m_frame = new CMainFrame(m_doc, m_settings.get());
    m_frame->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_frame, &CMainFrame::ViewSwitched, this, [this](int mediaType) {
        if (mediaType != 0)
            HideSplash();
    });
    if (m_upgraded)
        m_frame->SetUpgraded(QString::fromStdString(m_versionBefore), QString::fromStdString(m_versionAfter));
    if (m_settings && m_settings->GetAutomaticUpgrading()) {
        CAppUpgrade upgrade;
        upgrade.CheckForUpgrades(m_programDir, CAppUpgrade::RunningVersion());
    }
    if (!m_doc->OnNewDocument()) {
        VemoLog("{F05D2B8C-61A4-4E7F-9C3B-A8E4D7102F65}");
        return false;
    }

    // 11. The window as it was left.
    if (m_frame->ApplyKeptShape())
        m_frame->showMaximized();
    else
        m_frame->show();

    // 12, 13.
    if (m_settings && m_settings->GetLibraryCount() == 0)
        m_doc->CreateNewLibrary();
    m_frame->RebuildMediaBar();
    m_frame->ShowMediaType(m_doc->LastMediaType());
    // Once the window is on screen, so that questions about the files
    // have it behind them.
    if (!m_filesToOpen.isEmpty())
        QTimer::singleShot(0, this, [this] { OpenFiles(m_filesToOpen); });
    return true;
}

QStringList CVemoLibraryApp::FilesFromArguments(const QStringList& arguments)
{
    QStringList files;
    for (const QString& argument : arguments.mid(1))
        if (!argument.isEmpty())
            files << QFileInfo(argument).absoluteFilePath();
    return files;
}

void CVemoLibraryApp::OpenFiles(const QStringList& files)
{
    if (!m_doc)
        return;
    for (const QString& file : files)
        m_doc->OpenLibraryFile(file);
}

void CVemoLibraryApp::InstallTemplates(bool firstStart)
{
    if (!firstStart)
        return;
    CString shipped = CTemplateInstaller::FindShippedTemplates(m_programDir);
    if (shipped.empty() || CTemplateInstaller::CopyMissing(shipped, CAppPaths::TemplatesDir()) < 0)
        VemoLog("{4C8F1E6B-92D0-4A37-B5E8-0F3A6D9C2B71}");
}

void CVemoLibraryApp::ShowSplash(bool firstRun)
{
    if (m_splash)
        return;
    COleDateTime lastRun = m_settings ? m_settings->GetLastRun() : COleDateTime::Null();
    m_splash = new CSplashWindow(firstRun, lastRun, CClock::Now());
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    // Over the middle of where the main window will be.
    m_splash->ShowAt(CMainFrame::KeptGeometry(m_settings.get()));
}

void CVemoLibraryApp::HideSplash()
{
    if (m_splash)
        m_splash->close();
    m_splash = nullptr;
}

void CVemoLibraryApp::Activate(const QStringList& files)
{
    if (!m_frame)
        return;
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
    OpenFiles(files);
}

void CVemoLibraryApp::ExitInstance()
{
    if (m_exited)
        return;
    m_exited = true;
    HideSplash();
    // The window keeps its shape, and the library is written if it must be.
    if (m_frame) {
        m_frame->KeepShape();
        delete m_frame;
    }
    delete m_doc;
    m_doc = nullptr;
    CPublisherMgr::DeleteInstance();
    CPersonMgr::DeleteInstance();
    CMagazineMgr::DeleteInstance();
    CCategoryMgr::DeleteInstance();
    if (m_settings) {
        m_settings->SetLastRun(CClock::Now());
        if (!m_settings->Save())
            VemoLog("{A93E5F17-0C2B-4D68-8B41-E6D7F2A05C9B}");
        m_settings.reset();
    }
    CAppLogger::GetInstance()->ForceWrite();
    CAppLogger::DeleteInstance();
}
