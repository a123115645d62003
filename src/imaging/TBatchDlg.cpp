#include "imaging/TBatchDlg.h"
#include "analysis/Bootstrap.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/NumberForms.h"
#include "imaging/ParticleBatch.h"
#include "imaging/ParticleBatchFiles.h"
#include "samples/DataFiles.h"
#include "samples/SampleTable.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

TBatchDlg::TBatchDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Пакетная обработка"));
    EditInput = new QLineEdit(this);
    BtnFolder = new QPushButton(tr("Папка..."), this);
    BtnFiles = new QPushButton(tr("Файлы..."), this);
    auto *inputRow = new QHBoxLayout;
    inputRow->addWidget(EditInput, 1);
    inputRow->addWidget(BtnFolder);
    inputRow->addWidget(BtnFiles);

    auto *recipeBox = new QGroupBox(tr("Рецепт"), this);
    RadioCurrent = new QRadioButton(tr("Текущие настройки диалога «Частицы»"), recipeBox);
    RadioFile = new QRadioButton(tr("Файл рецепта:"), recipeBox);
    RadioCurrent->setChecked(true);
    EditRecipe = new QLineEdit(recipeBox);
    EditRecipe->setAccessibleName(tr("Файл рецепта"));
    BtnRecipe = new QPushButton(tr("Обзор..."), recipeBox);
    BtnSaveRecipe = new QPushButton(tr("Сохранить рецепт..."), recipeBox);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(RadioFile);
    fileRow->addWidget(EditRecipe, 1);
    fileRow->addWidget(BtnRecipe);
    auto *rl = new QVBoxLayout(recipeBox);
    rl->addWidget(RadioCurrent);
    rl->addLayout(fileRow);
    rl->addWidget(BtnSaveRecipe, 0, Qt::AlignLeft);

    EditOut = new QLineEdit(this);
    BtnOut = new QPushButton(tr("Обзор..."), this);
    auto *outRow = new QHBoxLayout;
    outRow->addWidget(EditOut, 1);
    outRow->addWidget(BtnOut);
    EditJobs = new QSpinBox(this);
    EditJobs->setRange(0, 1024);
    EditJobs->setSpecialValueText(tr("по числу ядер"));

    auto *form = new QFormLayout;
    auto row = [form](const QString &text, QWidget *field, QLayout *layout) {
        auto *label = new QLabel(text);
        if (layout)
            form->addRow(label, layout);
        else
            form->addRow(label, field);
        NameAfter(label, field);
    };
    row(tr("&Изображения:"), EditInput, inputRow);
    row(tr("Папка &результатов:"), EditOut, outRow);
    row(tr("&Потоков:"), EditJobs, nullptr);

    Progress = new QProgressBar(this);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setFormat(tr("%v из %m"));
    Status = new QLabel(this);
    BtnRun = new QPushButton(tr("Запустить"), this);
    BtnRun->setDefault(true);
    BtnClose = new QPushButton(tr("Закрыть"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnRun);
    buttons->addWidget(BtnClose);

    auto *all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(recipeBox);
    all->addWidget(Progress);
    all->addWidget(Status);
    all->addLayout(buttons);

    connect(BtnFolder, &QPushButton::clicked, this, &TBatchDlg::FolderClick);
    connect(BtnFiles, &QPushButton::clicked, this, &TBatchDlg::FilesClick);
    connect(BtnRecipe, &QPushButton::clicked, this, &TBatchDlg::RecipeClick);
    connect(BtnSaveRecipe, &QPushButton::clicked, this, &TBatchDlg::SaveRecipeClick);
    connect(BtnOut, &QPushButton::clicked, this, &TBatchDlg::OutClick);
    connect(BtnRun, &QPushButton::clicked, this, &TBatchDlg::Run);
    connect(BtnClose, &QPushButton::clicked, this, &TBatchDlg::reject);
    connect(RadioFile, &QRadioButton::toggled, this, &TBatchDlg::UpdateControls);
    UpdateControls();
    resize(640, 0);
}

TBatchDlg::~TBatchDlg()
{
    Cancel();
    if (thread_)
        thread_->wait();
}

void TBatchDlg::UpdateControls()
{
    const bool idle = !Running();
    for (QWidget *w : std::initializer_list<QWidget *>{EditInput, BtnFolder, BtnFiles, RadioCurrent, RadioFile,
                                                       BtnSaveRecipe, EditOut, BtnOut, EditJobs, BtnRun})
        w->setEnabled(idle);
    EditRecipe->setEnabled(idle && RadioFile->isChecked());
    BtnRecipe->setEnabled(idle && RadioFile->isChecked());
    BtnClose->setText(idle ? tr("Закрыть") : tr("Отменить"));
}

QString TBatchDlg::ChooseFile(const QString &title, const QString &filter, bool save, const QString &suffix)
{
    QFileDialog *dlg = MakeFileDialog(this, title, filter, save, suffix);
    const bool chosen = ExecDialog(dlg) == QDialog::Accepted && !dlg->selectedFiles().isEmpty();
    const QString file = !chosen ? QString() : save ? ChosenSaveFile(dlg) : dlg->selectedFiles().first();
    dlg->deleteLater();
    return file;
}

void TBatchDlg::FolderClick()
{
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Папка с изображениями"), EditInput->text());
    if (!dir.isEmpty())
        EditInput->setText(QDir::toNativeSeparators(dir));
}

void TBatchDlg::FilesClick()
{
    QFileDialog *dlg = MakeFileDialog(
        this, tr("Изображения"),
        tr("Все графические файлы|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|Все файлы (*.*)|*.*"), false, {});
    dlg->setFileMode(QFileDialog::ExistingFiles);
    if (ExecDialog(dlg) == QDialog::Accepted)
        SetFiles(dlg->selectedFiles());
    dlg->deleteLater();
}

void TBatchDlg::SetFiles(const QStringList &files)
{
    files_ = files;
    QStringList quoted;
    for (const QString &f : files)
        quoted << QLatin1Char('"') + QFileInfo(f).fileName() + QLatin1Char('"');
    filesText_ = quoted.join(QLatin1Char(' '));
    EditInput->setText(filesText_);
}

void TBatchDlg::RecipeClick()
{
    const QString f = ChooseFile(tr("Файл рецепта"), tr("Рецепты (*.txt)|*.txt|Все файлы (*.*)|*.*"), false, {});
    if (!f.isEmpty()) {
        EditRecipe->setText(f);
        RadioFile->setChecked(true);
    }
}

void TBatchDlg::OutClick()
{
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Папка результатов"), EditOut->text());
    if (!dir.isEmpty())
        EditOut->setText(QDir::toNativeSeparators(dir));
}

bool TBatchDlg::ChosenRecipe(particles::Recipe &recipe)
{
    if (RadioCurrent->isChecked()) {
        recipe = current_;
        return true;
    }
    const QString name = EditRecipe->text().trimmed();
    QFile f(name);
    if (name.isEmpty() || !f.open(QIODevice::ReadOnly) || f.size() > (1 << 20)) {
        ShowMessage(tr("Не удается прочитать рецепт \"%1\"").arg(name));
        return false;
    }
    QString error;
    if (!particles::ReadRecipe(QString::fromUtf8(f.readAll()), recipe, error)) {
        ShowMessage(tr("Ошибка в рецепте \"%1\": %2").arg(name, error));
        return false;
    }
    return true;
}

// One option and its values a line, so that the file reads as the command line would.
void TBatchDlg::SaveRecipeClick()
{
    particles::Recipe recipe;
    if (!ChosenRecipe(recipe))
        return;
    const QString file = ChooseFile(tr("Сохранить рецепт"), tr("Рецепты (*.txt)|*.txt|Все файлы (*.*)|*.*"), true,
                                    QStringLiteral("txt"));
    if (file.isEmpty())
        return;
    QString text = QStringLiteral("# grizal2 " GRIZAL2_VERSION);
    for (const QString &w : particles::RecipeWords(recipe))
        text += (w.startsWith(QLatin1String("--")) ? QLatin1Char('\n') : QLatin1Char(' ')) + w;
    QString error;
    if (!fileio::WriteFileAtomically(file, (text + QLatin1Char('\n')).toUtf8(), error))
        ShowMessage(error);
}

void TBatchDlg::Cancel()
{
    cancelled_ = true;
    if (batch_)
        batch_->Cancel();
}

void TBatchDlg::reject()
{
    if (Running()) {
        Cancel();
        return; // the run ends soon and leaves the dialog open
    }
    QDialog::reject();
}

namespace {

// The fit of a sample file read as a sample window reads it, with the options of `fit`.
bool FitSampleFile(const QString &file, mle::Result &result, QStringList &notes)
{
    auto read = std::make_unique<TSampleData>();
    auto data = std::make_unique<TSampleData>();
    QString error;
    if (!datafiles::ReadGrz(file, *read, error)) {
        notes << error;
        return false;
    }
    const QChar sep = numtext::SystemDecimalSeparator();
    auto table = std::make_unique<SampleTable>();
    table->SetData(*read, sep);
    try {
        table->GetData(*data, sep);
        result = mle::FitSample(mle::Prepare(*data, false, false), mle::Options());
        for (int law = 1; law <= mle::kLaws; ++law)
            if (!result.law[law].fit.ok)
                notes << result.law[law].error.Shown();
    } catch (const mle::FitError &e) {
        notes << e.Shown();
        return false;
    } catch (const GrizalError &e) {
        notes << e.text();
        return false;
    }
    return true;
}

} // namespace

bool TBatchDlg::Run()
{
    if (Running())
        return false;
    outcome_.reset();
    particles::Recipe recipe;
    if (!ChosenRecipe(recipe))
        return false;
    // A folder gives its pictures by name, called by their names alone; chosen files are
    // called as they were given, as on the command line.
    QStringList files, names;
    const QString input = EditInput->text().trimmed();
    if (!files_.isEmpty() && EditInput->text() == filesText_) {
        files = names = files_;
    } else if (!input.isEmpty() && QFileInfo(input).isDir()) {
        files = particles::ImagesInFolder(input);
        for (const QString &f : files)
            names << QFileInfo(f).fileName();
        if (files.isEmpty()) {
            ShowMessage(tr("В папке \"%1\" нет изображений").arg(input));
            return false;
        }
    } else {
        ShowMessage(tr("Выберите папку с изображениями или файлы"));
        return false;
    }
    const QString outDir = EditOut->text().trimmed();
    if (outDir.isEmpty()) {
        ShowMessage(tr("Выберите папку результатов"));
        return false;
    }

    auto outcome = std::make_unique<Outcome>();
    outcome->names = names;
    outcome->recipe = recipe;
    QStringList notes, skipped;
    bool written = false, finished = false;
    const int jobs = EditJobs->value();
    const QChar sep = numtext::SystemDecimalSeparator();
    particles::Batch batch;
    batch_ = &batch;
    cancelled_ = false;
    Progress->setRange(0, int(files.size()));
    Progress->setValue(0);
    Status->setText(tr("Обработка..."));

    // The worker owns everything it touches until it ends; the bar hears from it by queued calls.
    thread_ = QThread::create([&] {
        particles::BatchFiles out(outDir, recipe, [&](particles::BatchFiles::Problem problem, const QString &detail) {
            using P = particles::BatchFiles::Problem;
            switch (problem) {
            case P::CannotMakeFolder: notes << tr("Не удается создать папку \"%1\"").arg(detail); break;
            case P::CannotWrite: notes << fileio::CannotWrite(detail); break;
            case P::Value: notes << detail; break;
            case P::TooManyValues:
                notes << tr("Различных значений больше, чем вмещает выборка (%1); выборка и распределение не записаны")
                             .arg(TSampleData::Capacity);
                break;
            case P::Stale: notes << tr("Файл \"%1\" остался от прежнего запуска и не удален").arg(detail); break;
            }
        });
        if (!out.Start())
            return;
        auto deliver = [&](particles::Measured &m) {
            if (!m.error.isEmpty()) {
                skipped << tr("Пропущено \"%1\": %2").arg(names[m.index], m.error);
                return;
            }
            out.Add(m, names[m.index]);
            for (const particles::Particle &p : m.particles) {
                outcome->list.push_back(p);
                outcome->fileOf.push_back(m.index);
            }
        };
        auto progress = [&](int done, int total, const QString &) {
            QMetaObject::invokeMethod(this, [this, done, total, name = names[done - 1]] {
                Progress->setValue(done);
                Status->setText(tr("Изображение %1 из %2: %3").arg(done).arg(total).arg(name));
            }, Qt::QueuedConnection);
            return !cancelled_;
        };
        if (!batch.Run(files, recipe, jobs, deliver, progress) || cancelled_) {
            out.Abandon();
            return;
        }
        QMetaObject::invokeMethod(this, [this] { Status->setText(tr("Расчет распределения...")); }, Qt::QueuedConnection);
        written = out.Finish([&](const QString &sample, mle::Result &fit) { return FitSampleFile(sample, fit, notes); },
                             QStringLiteral("grizal2 " GRIZAL2_VERSION), sep);
        finished = true;
        if (QFileInfo::exists(QDir(outDir).filePath(QStringLiteral("sample.grz"))) && out.MeasuredCount() > 0)
            outcome->sampleFile = QDir(outDir).filePath(QStringLiteral("sample.grz"));
    });
    QEventLoop wait;
    connect(thread_, &QThread::finished, &wait, &QEventLoop::quit);
    thread_->start();
    UpdateControls();
    wait.exec();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    batch_ = nullptr;
    QCoreApplication::processEvents(); // the last queued updates of the bar, before the outcome
    UpdateControls();

    const QStringList said = skipped + notes;
    if (!finished) {
        Progress->setValue(0);
        Status->setText(cancelled_ ? tr("Отменено; файлы результатов не записаны") : tr("Не выполнено"));
    } else {
        Status->setText(tr("Готово: изображений %1, частиц %2").arg(files.size() - skipped.size()).arg(outcome->list.size()));
    }
    if (!said.isEmpty())
        ShowMessage(said.join(QLatin1Char('\n')));
    if (!finished)
        return false;
    outcome_ = std::move(outcome);
    accept();
    return written && skipped.isEmpty();
}
