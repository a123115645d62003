#include "base/Files.h"
#include "cli/Cli.h"
#include "image_files/MultImage.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "base/NumberForms.h"
#include "samples/SampleTable.h"

#include <charconv>
#include <cstdio>
#include <memory>

namespace cli {

namespace {
const char kFitHelp[] =
    "The four laws by maximum likelihood, parameters in this order: 1 gaudin [a, l] with a the\n"
    "largest size, 2 rosin [a, b], 3 normal [mean, sd], 4 lognormal [mean, sd] of ln d.\n"
    "A row is N particles of size D. --by volume weighs each row N*D^3, scaled so that the\n"
    "weights sum to the number of particles: the parameters do not depend on that scale, and\n"
    "loglik and AIC stand on the footing of the by-number fit. Every law has 2 parameters:\n"
    "AIC = 4 - 2 loglik; the best law has the least AIC.\n"
    "--classes: each row is the class (previous size, own size], the first starting at\n"
    "max(0, D1 - (D2 - D1)); loglik is sum w*ln(F(hi) - F(lo)) and KS is taken at the bounds.\n"
    "Without it KS is the largest gap between the weighted empirical distribution and F.\n"
    "--boot B resamples of the particles (default 1000, 0 for none), --seed S (default 1):\n"
    "percentile intervals at level L (default 0.95), linear between order statistics; a\n"
    "resample on which a law cannot be fitted counts at the far end of either bound;\n"
    "n_for_5pct = n * (d50_rel_halfwidth / 0.05)^2, rounded up.\n"
    "Text output is TAB-separated, one row per law: law, name, param1 and its interval,\n"
    "param2 and its interval, d50 and its interval, loglik, aic, ks ('-' where there is none).\n";

const char kBatchHelp[] =
    "RECIPE.txt holds options of particles (operations, threshold, filters, --kpix, --measure),\n"
    "one or more per line, '#' starting a comment. A FOLDER gives the pictures in it that the\n"
    "program reads, by name. Each picture is measured as particles measures it, N at a time\n"
    "(default: one per core). OUTDIR gets particles.csv (all particles, the first column the\n"
    "picture), summary.csv (file, particles, d10, d50, d90 of the ECD), sample.grz (as --sample)\n"
    "and fit.txt (version, recipe and number of pictures, then what fit prints of sample.grz).\n"
    "The outputs do not depend on N. A picture that cannot be read is named and skipped, and\n"
    "the status is then 1.\n";

const Command kCommands[] = {
    {"show", CmdShow, "FILE.grz [--raw]"},
    {"txt", CmdTxt, "FILE.grz OUT.txt"},
    {"merge", CmdMerge, "FILE.grz... -o OUT.grz"},
    {"stats", CmdStats,
     "FILE.grz [--by number|volume] [--law auto|1|2|3|4] [--no-histogram] [--no-curve] "
     "[--chart OUT.png] [--rtf OUT.rtf]"},
    {"group", CmdGroup, "FILE.grz (--intervals K | --length L | --particles P) -o OUT.grz"},
    {"generate", CmdGenerate,
     "--law gaudin|rosin|lognormal --a A --b B --points N --from D1 --to D2 -o OUT.grz"},
    {"convert", CmdConvert, "IN OUT [--quality Q]"},
    {"image", CmdImage, "IN OUT OP..."},
    {"analyse", CmdAnalyse,
     "IN [OP...] [--measure linear|area|perimeter] [--kpix K] [--raw] [-o OUT.grz] [--marked OUT.png]"},
    {"measure", CmdMeasure, "IMAGE (--segment X1,Y1,X2,Y2 | --polygon \"X1,Y1 X2,Y2 ...\") [--kpix K]"},
    {"functions", CmdFunctions, ""},
    {"apply-function", CmdApplyFunction, "IMAGE N [-o OUT]"},
    {"devices", CmdDevices, ""},
    {"scan", CmdScan, "[--device NAME] -o OUT"},
    {"particles", CmdParticles,
     "IMAGE [OP...] [--threshold otsu|PERCENT] [--objects dark|light] [--fill-holes] [--exclude-border] "
     "[--min-area PX] [--separate [--split H]] [--connectivity 4|8] [--kpix K] [--csv OUT.csv] "
     "[--overlay OUT.png] [--sample OUT.grz --measure ecd|area|perimeter|feret-max|feret-min]"},
    {"fit", CmdFit, "FILE.grz [--by number|volume] [--classes] [--boot B] [--level L] [--seed S] [--json]",
     kFitHelp},
    {"batch", CmdBatch, "--recipe RECIPE.txt [--jobs N] -o OUTDIR (FOLDER | IMAGE...)", kBatchHelp},
};
} // namespace

const Command *Commands(int &count)
{
    count = int(sizeof kCommands / sizeof kCommands[0]);
    return kCommands;
}

const Command *FindCommand(const QString &name)
{
    for (const Command &c : kCommands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QChar Sep() { return numtext::SystemDecimalSeparator(); }

void Message(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

int UsageError(const char *command, const QString &why)
{
    if (!why.isEmpty())
        std::fprintf(stderr, "grizal2-cli %s: %s\n", command, why.toUtf8().constData());
    if (const Command *c = FindCommand(QLatin1String(command)))
        std::fprintf(stderr, "usage: grizal2-cli %s %s\n", c->name, c->usage);
    return 2;
}

void Print(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

bool OpenSample(const QString &fileName, TSampleData &out)
{
    auto file = std::make_unique<TSampleData>();
    QString error;
    if (!datafiles::ReadGrz(fileName, *file, error)) {
        Message(error);
        return false;
    }
    auto table = std::make_unique<SampleTable>();
    table->SetData(*file, Sep());
    try {
        table->GetData(out, Sep());
    } catch (const GrizalError &e) {
        Message(e.text());
        return false;
    }
    return true;
}

void PrintSample(const TSampleData &data, bool raw)
{
    QByteArray out;
    const QChar sep = Sep();
    for (int k = 0; k < data.Count; ++k) {
        out += QByteArray::number(k + 1);
        out += '\t';
        if (raw) {
            char buf[64];
            auto res = std::to_chars(buf, buf + sizeof buf, double(data.Size(k)));
            out.append(buf, int(res.ptr - buf));
        } else {
            out += numtext::Fixed6(data.Size(k), sep).toUtf8();
        }
        out += '\t';
        out += QByteArray::number(data.N[k]);
        out += '\n';
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
}

bool WriteOutput(const QString &fileName, const QByteArray &bytes)
{
    QString error;
    if (!fileio::WriteFileAtomically(fileName, bytes, error)) {
        Message(error);
        return false;
    }
    return true;
}

// Saves as the window's save does: the table's texts read into a fresh record, then by
// extension ".GRZ" binary, ".TXT" text, anything else nothing.
int SaveLikeWindow(const TSampleData &shown, const QString &out)
{
    auto table = std::make_unique<SampleTable>();
    table->SetData(shown, Sep());
    auto data = std::make_unique<TSampleData>();
    try {
        table->GetData(*data, Sep());
    } catch (const GrizalError &e) {
        Message(e.text());
        return 1;
    }
    QByteArray bytes;
    if (!datafiles::EncodeForFile(out, *data, Sep(), bytes))
        return 0;
    return WriteOutput(out, bytes) ? 0 : 1;
}


bool ReadPicture(const QString &fileName, QImage &out)
{
    QString message;
    if (!pictures::ReadPicture(fileName, out, message)) {
        Message(message);
        return false;
    }
    return true;
}

bool WritePicture(const QString &fileName, const QImage &picture, int jpegQuality)
{
    QString message;
    // The windows only offer the writable types; here a name of another type would
    // otherwise end in silence with nothing written.
    if (!TMultImage::IsWritableExtension(fileio::UpperExtension(fileName))) {
        Message(fileio::CannotWrite(fileName));
        return false;
    }
    if (!TMultImage::SavePicture(fileName, picture, jpegQuality, message)) {
        Message(message);
        return false;
    }
    return true;
}

bool TakeOption(QStringList &args, const QString &opt, QString &value)
{
    const int i = int(args.indexOf(opt));
    if (i < 0 || i + 1 >= args.size())
        return false;
    value = args.at(i + 1);
    args.removeAt(i + 1);
    args.removeAt(i);
    return true;
}

bool TakeFlag(QStringList &args, const QString &flag)
{
    return args.removeAll(flag) > 0;
}

bool ParseCliNumber(const QString &text, double &out)
{
    long double v = 0;
    if (!numtext::ReadNumber(text, QLatin1Char('.'), v))
        return false;
    out = double(v);
    return true;
}

} // namespace cli
