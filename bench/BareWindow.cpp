#include <QApplication>
#include <QWidget>

// A bare Qt window, shown as the main window is: what start-up costs without any program.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("BareWindow"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
