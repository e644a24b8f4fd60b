// The least a Qt Widgets program does to show a window: one empty widget of
// the program's window size. measure_startup.sh times it beside the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(876, 650);
    window.show();
    return app.exec();
}
