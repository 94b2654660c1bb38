#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Cindrel");
    QMainWindow window;
    window.setWindowTitle("Cindrel");
    window.resize(7800 / 15, 7000 / 15);
    window.show();
    return app.exec();
}
