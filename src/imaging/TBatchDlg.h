#pragma once
// Batch processing: a folder (or chosen files) measured with one recipe on a worker thread,
// into the files `grizal2-cli batch` writes. The bar shows the pictures done; a cancelled run
// leaves the output folder as it was. A finished run is kept for the maker to show as a
// particles window and a sample window.
#include "imaging/ParticleRecipe.h"
#include "imaging/Particles.h"

#include <QDialog>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;
namespace particles { class Batch; }

class TBatchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TBatchDlg(QWidget *parent = nullptr);
    ~TBatchDlg() override;

    // The recipe of the particles dialog, used when "current settings" is chosen.
    void SetCurrentRecipe(const particles::Recipe &recipe) { current_ = recipe; }
    // Pictures chosen one by one instead of a folder.
    void SetFiles(const QStringList &files);
    // The recipe the run would use; false after a message.
    bool ChosenRecipe(particles::Recipe &recipe);

    // Runs the batch and returns when it has ended (the dialog stays responsive meanwhile);
    // true when the output files were written. A finished run is accepted.
    bool Run();
    void Cancel();
    bool Running() const { return thread_ != nullptr; }

    // What the last finished run found, for the windows that show it.
    struct Outcome {
        std::vector<particles::Particle> list;
        std::vector<int> fileOf;
        QStringList names;
        particles::Recipe recipe;
        QString sampleFile; // empty when no sample was written
    };
    bool HasOutcome() const { return outcome_ != nullptr; }
    std::unique_ptr<Outcome> TakeOutcome() { return std::move(outcome_); }

    QLineEdit *EditInput, *EditRecipe, *EditOut;
    QPushButton *BtnFolder, *BtnFiles, *BtnRecipe, *BtnSaveRecipe, *BtnOut, *BtnRun, *BtnClose;
    QRadioButton *RadioCurrent, *RadioFile;
    QSpinBox *EditJobs;
    QProgressBar *Progress;
    QLabel *Status;

public slots:
    void reject() override;
    void FolderClick();
    void FilesClick();
    void RecipeClick();
    void SaveRecipeClick();
    void OutClick();

private:
    void UpdateControls();
    QString ChooseFile(const QString &title, const QString &filter, bool save, const QString &suffix);

    particles::Recipe current_;
    QStringList files_;
    QString filesText_;
    QThread *thread_ = nullptr;
    particles::Batch *batch_ = nullptr;
    std::atomic<bool> cancelled_{false};
    std::unique_ptr<Outcome> outcome_;
};
