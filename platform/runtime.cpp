#include "platform/runtime.h"

#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <map>

namespace platform {

namespace {

std::vector<Report>& reports()
{
    static std::vector<Report> list;
    return list;
}

Reporter& reporter()
{
    static Reporter r;
    return r;
}

std::function<void()>& endHook()
{
    static std::function<void()> hook;
    return hook;
}

const char* const kTitle = "２元１次方程式のグラフ";

void present(const Report& report)
{
    reports().push_back(report);
    if (reporter()) {
        reporter()(report);
        return;
    }
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    QWidget* parent = QApplication::activeWindow();
    if (report.kind == Report::Kind::Error)
        QMessageBox::critical(parent, QString::fromUtf8(kTitle), report.text);
    else
        QMessageBox::warning(parent, QString::fromUtf8(kTitle), report.text);
}

}  // namespace

void SetUpApplication()
{
    // Every mouse move reaches the handlers; a drag is the sum of its moves.
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont::insertSubstitutions(QString::fromUtf8(kLayoutFace),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QFont base(QString::fromUtf8(kLayoutFace));
    base.setPixelSize(12);
    QApplication::setFont(base);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    SetUpApplication();
}

int Application::Run() { return exec(); }

void SetReporter(Reporter r) { reporter() = std::move(r); }
const std::vector<Report>& Reports() { return reports(); }
void ClearReports() { reports().clear(); }

QString ErrorText(const RuntimeError& error)
{
    QString what;
    switch (error.code()) {
    case RuntimeError::Overflow: what = QStringLiteral("オーバーフローしました。"); break;
    case RuntimeError::DivisionByZero: what = QStringLiteral("0 で除算しました。"); break;
    case RuntimeError::SubscriptOutOfRange: what = QStringLiteral("インデックスが有効範囲にありません。"); break;
    case RuntimeError::InvalidProcedureCall: what = QStringLiteral("プロシージャの呼び出し、または引数が不正です。"); break;
    }
    return QStringLiteral("実行時エラー '%1':\n\n%2").arg(static_cast<int>(error.code())).arg(what);
}

void ReportError(const RuntimeError& error) { present({Report::Kind::Error, ErrorText(error)}); }

void MsgBox(const QString& text) { present({Report::Kind::Message, text}); }

namespace {

std::map<int, std::function<void()>>& afterEvent()
{
    static std::map<int, std::function<void()>> work;
    return work;
}

}  // namespace

int AfterEachEvent(std::function<void()> work)
{
    static int next = 0;
    afterEvent().emplace(++next, std::move(work));
    return next;
}

void ForgetAfterEachEvent(int id) { afterEvent().erase(id); }

namespace {
int eventDepth = 0;  // events being delivered, one inside another (a message box's own loop)
}  // namespace

void EventBegins() { ++eventDepth; }

void EventEnds()
{
    if (--eventDepth > 0) return;
    for (const auto& [id, work] : afterEvent()) work();
}

void End()
{
    if (endHook()) {
        endHook()();
        return;
    }
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void SetEndHook(std::function<void()> hook) { endHook() = std::move(hook); }

}  // namespace platform
