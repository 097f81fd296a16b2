#include <QApplication>
#include <QMainWindow>
#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("OrvikCAD"));
    window.showMaximized();
    return app.exec();
}
