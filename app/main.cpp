#include <QApplication>

#include "app/VemoLibraryApp.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("VemoLibrary");
    QApplication::setApplicationVersion(VEMO_VERSION);
    CVemoLibraryApp vemo(QCoreApplication::applicationDirPath().toStdString());
    if (!vemo.InitInstance())
        return 0;
    int result = QApplication::exec();
    vemo.ExitInstance();
    return result;
}
