#include "imaging/ParticleBatchFiles.h"
#include "analysis/FitTable.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "samples/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace particles {

BatchFiles::BatchFiles(const QString &folder, const Recipe &recipe, Report report)
    : folder_(folder), recipe_(recipe), report_(std::move(report)), counts_(TSampleData::Capacity + 1)
{
}

BatchFiles::~BatchFiles() = default;

QString BatchFiles::Path(const char *name) const
{
    return QDir(folder_).filePath(QLatin1String(name));
}

bool BatchFiles::Start()
{
    if (!QDir().mkpath(folder_)) {
        report_(Problem::CannotMakeFolder, folder_);
        return false;
    }
    csv_ = std::make_unique<QSaveFile>(Path("particles.csv"));
    csvOk_ = csv_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const QByteArray header = "file," + CsvHeader();
    csvOk_ = csvOk_ && csv_->write(header) == header.size();
    summary_ = "file,particles,d10,d50,d90\r\n";
    return true;
}

void BatchFiles::Add(const Measured &m, const QString &name)
{
    if (!m.error.isEmpty())
        return;
    ++measured_;
    const QByteArray field = CsvField(name);
    QByteArray rows;
    AppendCsvRows(rows, m.particles, recipe_.kpix, field + ',');
    csvOk_ = csvOk_ && csv_ && csv_->write(rows) == rows.size();
    summary_ += field + ',' + QByteArray::number(qulonglong(m.particles.size()));
    if (m.particles.empty()) {
        summary_ += ",,,";
    } else {
        const Percentiles d = EcdPercentiles(m.particles, recipe_.kpix);
        for (const double v : {d.d10, d.d50, d.d90}) {
            summary_ += ',';
            AppendCsvNumber(summary_, v);
        }
    }
    summary_ += "\r\n";
    try {
        counts_.Add(m.particles, recipe_.measure, recipe_.kpix);
    } catch (const GrizalError &e) {
        valueError_ = e.text();
    }
}

bool BatchFiles::Finish(const Fit &fit, const QString &program, QChar sep)
{
    bool ok = true;
    auto write = [&](const QString &file, const QByteArray &bytes) {
        QString error;
        if (fileio::WriteFileAtomically(file, bytes, error))
            return true;
        report_(Problem::CannotWrite, file);
        return false;
    };
    const QString csvName = Path("particles.csv");
    if (!csvOk_ || !csv_ || !csv_->commit()) {
        report_(Problem::CannotWrite, csvName);
        ok = false;
    }
    csv_.reset();
    ok = write(Path("summary.csv"), summary_) && ok;

    // The sample, and the fit made of it as `fit` makes it of the file.
    const QString sampleName = Path("sample.grz"), fitName = Path("fit.txt");
    auto data = std::make_unique<TSampleData>();
    const int rows = valueError_.isEmpty() ? counts_.ToSample(*data) : 0;
    bool sampleOk = false;
    if (!valueError_.isEmpty())
        report_(Problem::Value, valueError_);
    else if (rows > TSampleData::Capacity)
        report_(Problem::TooManyValues, QString());
    else
        sampleOk = write(sampleName, datafiles::EncodeGrz(*data));
    mle::Result result;
    bool fitOk = sampleOk && fit(sampleName, result);
    if (fitOk) {
        QStringList lines = {QStringLiteral("version\t") + program,
                             QStringLiteral("recipe\t") + RecipeWords(recipe_).join(QLatin1Char(' ')),
                             QStringLiteral("images\t%1").arg(measured_)};
        lines += mle::TableLines(result, sep);
        fitOk = write(fitName, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }
    if (!sampleOk)
        RemoveStale(sampleName);
    if (!fitOk)
        RemoveStale(fitName);
    return ok && sampleOk && fitOk;
}

void BatchFiles::Abandon()
{
    if (csv_)
        csv_->cancelWriting();
    csv_.reset();
}

void BatchFiles::RemoveStale(const QString &file)
{
    if (QFileInfo::exists(file) && !QFile::remove(file))
        report_(Problem::Stale, file);
}

} // namespace particles
