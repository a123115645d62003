// image and analyse: the image window's pixel operations and binary analysis on files.
#include "base/Files.h"
#include "cli/Cli.h"
#include "imaging/Pictures.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "samples/SampleTable.h"

#include <QRegularExpression>

#include <cmath>
#include <functional>
#include <memory>

namespace {

bool ParseInt(const QString &text, int lo, int hi, int &out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

// A packed colour 0xBBGGRR, hex with 0x or decimal.
bool ParseColour(const QString &text, uint32_t &out)
{
    bool ok = false;
    const qulonglong v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                             ? text.mid(2).toULongLong(&ok, 16)
                             : text.toULongLong(&ok, 10);
    if (!ok || v > 0xFFFFFF)
        return false;
    out = uint32_t(v);
    return true;
}

} // namespace

namespace cli {

bool ParseOps(const QStringList &args, std::vector<Op> &ops, QString &why)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto need = [&](int n) {
            if (i + n >= args.size()) {
                why = a + QStringLiteral(": value missing");
                return false;
            }
            return true;
        };
        if (a == QLatin1String("--median")) {
            if (!need(1))
                return false;
            const auto m = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(args[++i]);
            int X = 0, Y = 0;
            if (!m.hasMatch() || !ParseInt(m.captured(1), pictures::FiltrMin, pictures::FiltrMax, X)
                || !ParseInt(m.captured(2), pictures::FiltrMin, pictures::FiltrMax, Y)) {
                why = QStringLiteral("--median takes XxY with X and Y from 1 to 10");
                return false;
            }
            ops.push_back([X, Y](TPictures &e, QImage &p) { e.MedianFilter(X, Y, p); });
        } else if (a == QLatin1String("--negative")) {
            ops.push_back([](TPictures &e, QImage &p) { e.Negative(p); });
        } else if (a == QLatin1String("--bw")) {
            int B = 0;
            if (!need(1) || !ParseInt(args[++i], pictures::BrightMin, pictures::BrightMax, B)) {
                why = QStringLiteral("--bw takes a percentage from 0 to 100");
                return false;
            }
            ops.push_back([B](TPictures &e, QImage &p) { e.BlackAndWhite(B, p); });
        } else if (a == QLatin1String("--gray")) {
            ops.push_back([](TPictures &e, QImage &p) { e.Grayscale(p); });
        } else if (a == QLatin1String("--mirror-h")) {
            ops.push_back([](TPictures &e, QImage &p) { e.MirrorHorizontal(p); });
        } else if (a == QLatin1String("--mirror-v")) {
            ops.push_back([](TPictures &e, QImage &p) { e.MirrorVertical(p); });
        } else if (a == QLatin1String("--shades")) {
            if (!need(3))
                return false;
            const QString rel = args[++i];
            uint32_t c1 = 0, c2 = 0;
            const int r = rel == QLatin1String("lt") ? 0 : rel == QLatin1String("ge") ? 1
                        : rel == QLatin1String("between") ? 2 : -1;
            if (r < 0 || !ParseColour(args[++i], c1) || !ParseColour(args[++i], c2)) {
                why = QStringLiteral("--shades takes lt|ge|between and two colours 0xBBGGRR");
                return false;
            }
            ops.push_back([r, c1, c2](TPictures &e, QImage &p) { e.SeparateByShades(r, c1, c2, p); });
        } else if (a == QLatin1String("--clear-edges")) {
            ops.push_back([](TPictures &e, QImage &p) { e.ClearEdges(p); });
        } else if (a == QLatin1String("--mask")) {
            const QStringList parts = need(1) ? args[++i].split(QLatin1Char(',')) : QStringList();
            int R = 0, G = 0, B = 0, T = 0;
            if (parts.size() != 4 || !ParseInt(parts[0], 0, 255, R) || !ParseInt(parts[1], 0, 255, G)
                || !ParseInt(parts[2], 0, 255, B)
                || !ParseInt(parts[3], pictures::GradMin, pictures::GradMax, T)) {
                why = QStringLiteral("--mask takes R,G,B,T with channels 0..255 and T 1..128");
                return false;
            }
            const uint32_t c = pictures::Pack(R, G, B);
            ops.push_back([c, T](TPictures &e, QImage &p) { e.MarkColour(c, T, p); });
        } else if (a == QLatin1String("--mask-to-binary")) {
            ops.push_back([](TPictures &, QImage &p) { p = TPictures::MaskToBinary(p); });
        } else {
            why = QStringLiteral("unknown operation ") + a;
            return false;
        }
    }
    return true;
}

bool ReadAndApply(const QString &file, const std::vector<Op> &ops, TPictures &engine, QImage &picture)
{
    engine.SetUndoKept(false); // there is no Undo here
    if (!cli::ReadPicture(file, picture))
        return false;
    for (const Op &op : ops)
        op(engine, picture);
    return true;
}

} // namespace cli

using cli::Op;
using cli::ParseOps;
using cli::ReadAndApply;

int CmdImage(const QStringList &args)
{
    if (args.size() < 2)
        return cli::UsageError("image");
    std::vector<Op> ops;
    QString why;
    if (!ParseOps(args.mid(2), ops, why))
        return cli::UsageError("image", why);
    QImage picture;
    TPictures engine;
    if (!ReadAndApply(args[0], ops, engine, picture))
        return 1;
    return cli::WritePicture(args[1], picture) ? 0 : 1;
}

int CmdAnalyse(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString measureText, kpixText, out, marked;
    const bool hasMeasure = cli::TakeOption(args, QStringLiteral("--measure"), measureText);
    const bool hasKpix = cli::TakeOption(args, QStringLiteral("--kpix"), kpixText);
    const bool hasOut = cli::TakeOption(args, QStringLiteral("-o"), out);
    const bool hasMarked = cli::TakeOption(args, QStringLiteral("--marked"), marked);
    const bool raw = cli::TakeFlag(args, QStringLiteral("--raw"));
    if (args.isEmpty())
        return cli::UsageError("analyse");
    int measure = pictures::MeasureLinear;
    if (hasMeasure) {
        if (measureText == QLatin1String("linear"))
            measure = pictures::MeasureLinear;
        else if (measureText == QLatin1String("area"))
            measure = pictures::MeasureArea;
        else if (measureText == QLatin1String("perimeter"))
            measure = pictures::MeasurePerimeter;
        else
            return cli::UsageError("analyse", QStringLiteral("--measure takes linear, area or perimeter"));
    }
    double kpix = 1;
    if (hasKpix && (!cli::ParseCliNumber(kpixText, kpix) || !(kpix > 0) || !std::isfinite(kpix)))
        return cli::UsageError("analyse", QStringLiteral("--kpix takes a positive number"));
    std::vector<Op> ops;
    QString why;
    if (!ParseOps(args.mid(1), ops, why))
        return cli::UsageError("analyse", why);
    QImage picture;
    TPictures engine;
    if (!ReadAndApply(args[0], ops, engine, picture))
        return 1;
    auto data = std::make_unique<TSampleData>();
    try {
        engine.AnalyseBinary(*data, measure, (long double)kpix, picture);
    } catch (const GrizalError &e) {
        cli::Message(e.text());
        return 1;
    }
    // The new sample window holds the sample as its table's texts.
    auto table = std::make_unique<SampleTable>();
    table->SetData(*data, cli::Sep());
    cli::PrintSample(*data, raw);
    if (hasMarked && !cli::WritePicture(marked, picture))
        return 1;
    if (hasOut) {
        auto shown = std::make_unique<TSampleData>();
        try {
            table->GetData(*shown, cli::Sep());
        } catch (const GrizalError &e) {
            cli::Message(e.text());
            return 1;
        }
        const QString ext = fileio::UpperExtension(out);
        if (ext == QLatin1String(".GRZ"))
            return cli::WriteOutput(out, datafiles::EncodeGrz(*shown)) ? 0 : 1;
        if (ext == QLatin1String(".TXT"))
            return cli::WriteOutput(out, datafiles::EncodeTxt(*shown, cli::Sep())) ? 0 : 1;
    }
    return 0;
}
