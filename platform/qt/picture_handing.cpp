// The picture handed on as an image: to the clipboard, or to a PNG file
// through the desktop's own save dialog.
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageWriter>
#include <QStandardPaths>

#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

Handing CopyImage(Element& e, double ratio)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return Handing::Refused;
    clipboard->setImage(static_cast<PictureWidget&>(*e.widget).madeAgain(ratio));
    return Handing::Done;
}

Handing SaveImage(Element& e, double ratio, const std::string& name)
{
    auto& picture = static_cast<PictureWidget&>(*e.widget);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QString path = QFileDialog::getSaveFileName(picture.window(), QStringLiteral("図を保存"),
                                                QDir(folder).filePath(qt::ToQString(name)),
                                                QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty()) return Handing::Done;  // the user changed their mind
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) path += QLatin1String(".png");
    QImageWriter writer(path, "png");
    return writer.write(picture.madeAgain(ratio)) ? Handing::Done : Handing::Refused;
}

}  // namespace platform::native
