#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstring>

// A bare Qt window, shown as the main window is: what start-up costs without any program.
// With "text" it holds one line of text, so its start includes the fonts, as any window with words.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("BareWindow"));
    if (argc > 1 && std::strcmp(argv[1], "text") == 0)
        (new QVBoxLayout(&window))->addWidget(new QLabel(QStringLiteral("Léčivé byliny"), &window));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
