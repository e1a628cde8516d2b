#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("VemoLibrary");
    QMainWindow window;
    window.setWindowTitle("VemoLibrary");
    window.resize(737, 583);
    window.show();
    return app.exec();
}
