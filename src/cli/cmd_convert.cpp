// convert: any readable image file to the format of the output's extension.
#include "cli/Cli.h"
#include "image_files/MultImage.h"

int CmdConvert(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString quality = QStringLiteral("100");
    cli::TakeOption(args, QStringLiteral("--quality"), quality);
    if (args.size() != 2)
        return cli::UsageError("convert");
    QImage picture;
    QString message;
    if (!TMultImage::LoadPicture(args[0], picture, message)) {
        cli::Message(message);
        return 1;
    }
    if (!cli::WritePicture(args[1], picture, TMultImage::JpegQualityFromText(quality)))
        return 1;
    return 0;
}
