// The Analysis menu: particles of the active picture, and batches of pictures.
#include "imaging/ParticleReport.h"
#include "imaging/TBatchDlg.h"
#include "imaging/TImageForm.h"
#include "imaging/TParticlesDlg.h"
#include "imaging/TParticlesForm.h"
#include "imaging/TPictureMessage.h"
#include "samples/TStatForm.h"
#include "shell/TForm1.h"
#include "widgets/Messages.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <algorithm>
#include <new>
#include <opencv2/core.hpp>

void TForm1::ParticlesClick()
{
    TImageForm *image = ActiveImageForm();
    if (!image || image->Picture().isNull()) {
        ShowMessage(tr("Нет изображения для анализа"));
        return;
    }
    ParticlesDlg_->SetPicture(image->Picture());
    const bool go = ExecDialog(ParticlesDlg_) == QDialog::Accepted;
    ParticlesDlg_->SetPicture(QImage()); // the dialog keeps its choices, not the picture
    if (go)
        RunParticles(image, ParticlesDlg_->Recipe(KPix_));
}

TParticlesForm *TForm1::RunParticles(TImageForm *image, const particles::Recipe &recipe)
{
    auto result = std::make_unique<particles::Result>();
    QImage marks;
    progress_->Show(tr("Поиск частиц"));
    try {
        particles::Finder finder;
        finder.Find(image->Picture(), recipe.options, *result, [this](int percent) {
            progress_->SetPosition(percent);
            return true;
        });
        marks = particles::Marks(*result);
    } catch (const std::bad_alloc &) {
        progress_->Close();
        ShowMessage(tr("Недостаточно памяти для поиска частиц"));
        return nullptr;
    } catch (const cv::Exception &) {
        progress_->Close();
        ShowMessage(tr("Недостаточно памяти для поиска частиц"));
        return nullptr;
    }
    progress_->Close();
    image->SetMarks(marks);

    auto *form = new TParticlesForm;
    form->SetResult(std::move(*result), recipe);
    connect(form, &TParticlesForm::sampleReady, this,
            [this](const TSampleData &sample) { CreateSttChild(QString(), true)->SetData(sample); });
    connect(form, &TParticlesForm::particleChosen, this,
            [picture = QPointer<TImageForm>(image)](const QImage &piece, QPoint at) {
                if (picture)
                    picture->SetHighlight(piece, at);
            });
    QMdiSubWindow *sub = AddChild(form, tr("Частицы %1").arg(++ParticlesCount));
    // Beside the picture when there is room, so that choosing a row shows its particle.
    if (auto *pictureWindow = qobject_cast<QMdiSubWindow *>(image->parentWidget())) {
        const QRect at = pictureWindow->geometry();
        const int room = mdi_->viewport()->width() - at.right() - 1;
        if (room >= 360)
            sub->setGeometry(at.right() + 1, at.top(), std::min(sub->width(), room), sub->height());
    }
    Panel1->setText(form->SummaryText());
    return form;
}

void TForm1::BatchClick()
{
    BatchDlg_->SetCurrentRecipe(ParticlesDlg_->Recipe(KPix_));
    ExecDialog(BatchDlg_);
    const std::unique_ptr<TBatchDlg::Outcome> out = BatchDlg_->TakeOutcome();
    if (!out)
        return;
    auto *form = new TParticlesForm;
    const size_t count = out->list.size();
    form->SetBatch(std::move(out->list), std::move(out->fileOf), out->names, out->recipe);
    connect(form, &TParticlesForm::sampleReady, this,
            [this](const TSampleData &sample) { CreateSttChild(QString(), true)->SetData(sample); });
    AddChild(form, tr("Частицы %1").arg(++ParticlesCount));
    // The sample the batch wrote, in its own window for the statistics.
    if (!out->sampleFile.isEmpty())
        OpenData(out->sampleFile);
    Panel1->setText(tr("Изображений: %1, частиц: %2").arg(out->names.size()).arg(count));
}

bool TForm1::SetStartParticles(const QStringList &words, QString &why)
{
    particles::Recipe recipe;
    QStringList rest;
    int at = 0;
    if (!particles::ParseRecipe(words, recipe, rest, why, at))
        return false;
    if (!rest.isEmpty() || !recipe.ops.empty()) {
        why = QStringLiteral("only the options of the particles themselves are taken here");
        return false;
    }
    ParticlesDlg_->SetRecipe(recipe);
    // No words: the defaults, spelled out so that the list says a run is wanted.
    startParticles_ = words.isEmpty() ? QStringList{QStringLiteral("--threshold"), QStringLiteral("otsu")} : words;
    return true;
}

void TForm1::StartParticles()
{
    if (startParticles_.isEmpty())
        return;
    // The scale is the program's unless the words give one.
    const bool ownScale = startParticles_.contains(QLatin1String("--kpix"));
    particles::Recipe recipe = ParticlesDlg_->Recipe(KPix_);
    if (ownScale) {
        QStringList rest;
        QString why;
        int at = 0;
        particles::ParseRecipe(startParticles_, recipe, rest, why, at);
    }
    for (QMdiSubWindow *w : mdi_->subWindowList())
        if (auto *image = qobject_cast<TImageForm *>(w->widget()); image && !image->Picture().isNull())
            RunParticles(image, recipe);
}
