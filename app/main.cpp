#include <QIcon>

#include "ProductInfo.h"
#include "app/StartReport.h"
#include "app/VemoApplication.h"
#include "app/VemoLibraryApp.h"

int main(int argc, char** argv)
{
    CVemoApplication app(argc, argv);
    QApplication::setApplicationName("VemoLibrary");
    QApplication::setApplicationVersion(VEMO_VERSION);
    // The desktop entry's name: the desktop finds the window's icon by it.
    QGuiApplication::setDesktopFileName(VEMO_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(VEMO_APP_ID));
    CVemoLibraryApp vemo(QCoreApplication::applicationDirPath().toStdString());
    // Library files given on the command line (by the file manager).
    vemo.SetFilesToOpen(CVemoLibraryApp::FilesFromArguments(QApplication::arguments()));
    if (!vemo.InitInstance())
        return 0;
    CStartReport::Arm(vemo.GetDocument());
    int result = QApplication::exec();
    vemo.ExitInstance();
    return result;
}
