// The Qt application: the same look and behaviour on every machine, message
// boxes, and the end of the program.
#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QProcess>
#include <QStyle>
#include <QStyleFactory>

#include "platform/application.h"
#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv)
    {
        // Every mouse move reaches the handlers; a drag is the sum of its moves.
        QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
        setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        setPalette(style()->standardPalette());
        const QString layoutFace = QString::fromUtf8(kLayoutFace);
    // Fonts are given in the form's pixels; the form's scale makes them larger.
        QFont::insertSubstitutions(layoutFace, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        QFont base(layoutFace);
        base.setPixelSize(12);
        setFont(base);
    }
};

bool ShowReport(const Report& report)
{
    // A message belongs to the window it is about, and bears its title.
    QWidget* parent = QApplication::activeWindow();
    const QString title = parent ? parent->windowTitle() : QString();
    const QString text = qt::ToQString(report.text);
    if (report.kind == Report::Kind::Error)
        QMessageBox::critical(parent, title, text);
    else
        QMessageBox::warning(parent, title, text);
    return false;
}

void Quit()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

// The program itself, started again on the other lesson: a window of its
// own, which lives on when this one ends.
void OpenLesson(const LessonOpening& lesson)
{
    QStringList arguments{QStringLiteral("--lesson"), QString::fromStdString(lesson.name)};
    for (const std::string& text : lesson.texts) arguments << QString::fromStdString(text);
    QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

}  // namespace platform::native

namespace platform {

Application::Application(int& argc, char** argv)
    : native_(new native::Application(argc, argv)), arguments_(argv + (argc > 0), argv + argc)
{
}

Application::~Application() { delete native_; }

int Application::Run() { return native_->exec(); }

}  // namespace platform
