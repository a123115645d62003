// grizal2-cli functions and apply-function: the add-on library's user functions.
#include "cli/Cli.h"
#include "imaging/UserFunctions.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace {

// Reads a picture as the image window holds it. Kept small and local until the image
// file layer is shared with the command line.
bool ReadPicture(const QString &fileName, QImage &out)
{
    if (!QFileInfo(fileName).isFile()) {
        cli::Message(QStringLiteral("Файл не найден!"));
        return false;
    }
    QImageReader reader(fileName);
    out = reader.read();
    if (out.isNull()) {
        cli::Message(QStringLiteral("cannot read image %1").arg(fileName));
        return false;
    }
    out.convertTo(QImage::Format_RGBX8888);
    return true;
}

// Writes a picture in the format of the file's extension.
bool WritePicture(const QImage &picture, const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    const char *format = ext == QLatin1String("BMP")   ? "bmp"
                         : ext == QLatin1String("JPG") ? "jpeg"
                         : ext == QLatin1String("PNG") ? "png"
                         : ext == QLatin1String("TIF") ? "tiff"
                                                       : nullptr;
    if (!format) {
        cli::Message(QStringLiteral("cannot write images of type %1").arg(fileName));
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        cli::Message(QStringLiteral("cannot write %1").arg(fileName));
        return false;
    }
    return cli::WriteOutput(fileName, bytes);
}

// Loading at start, as the main window does: a missing library is reported and the
// program goes on without functions.
UserFunctions &Library()
{
    UserFunctions &lib = LoadedUserFunctions();
    if (!lib.Loaded() && !lib.Load())
        cli::Message(QString::fromUtf8(UserFunctions::NotFoundMessage));
    return lib;
}

} // namespace

int CmdFunctions(const QStringList &args)
{
    if (!args.isEmpty())
        return cli::UsageError("functions", QStringLiteral("unexpected argument %1").arg(args.first()));
    const UserFunctions &lib = Library();
    for (int i = 0; i < lib.Count(); ++i)
        cli::Print(QString::number(i) + QLatin1Char('\t') + lib.Name(i));
    return 0;
}

int CmdApplyFunction(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString out;
    const bool hasOut = cli::TakeOption(args, QStringLiteral("-o"), out);
    if (args.size() != 2 || (hasOut && out.isEmpty()))
        return cli::UsageError("apply-function");
    bool ok = false;
    const int n = args[1].toInt(&ok);
    if (!ok)
        return cli::UsageError("apply-function", QStringLiteral("not a function number: %1").arg(args[1]));
    QImage picture;
    if (!ReadPicture(args[0], picture))
        return 1;
    const UserFunctions &lib = Library();
    double result = 0;
    if (!lib.Has(n) || !lib.Apply(n, picture, result))
        return cli::UsageError("apply-function", QStringLiteral("no user function %1").arg(args[1]));
    cli::Print(UserFunctionResultText(result, cli::Sep()));
    if (hasOut && !WritePicture(picture, out))
        return 1;
    return 0;
}
