#pragma once
// The window of the particles found in a picture, or in a batch of pictures: a table of
// every particle, sortable by any column, the count and the size percentiles, saving the
// table as the command line writes it, and a sample of one measure for the statistics. It
// reports by signals: the sample wanted, the particle chosen in the table.
#include "imaging/ParticleRecipe.h"
#include "imaging/Particles.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
struct TSampleData;
class ParticlesModel;

class TParticlesForm : public QWidget {
    Q_OBJECT
public:
    explicit TParticlesForm(QWidget *parent = nullptr);
    ~TParticlesForm() override;

    // The particles of one picture, with its labels, measured with `recipe`.
    void SetResult(particles::Result result, const particles::Recipe &recipe);
    // The particles of many pictures: `fileOf` gives each particle's place in `names`.
    void SetBatch(std::vector<particles::Particle> list, std::vector<int> fileOf, QStringList names,
                  const particles::Recipe &recipe);

    const std::vector<particles::Particle> &List() const;
    // The table as `particles --csv` writes it (with the file column of `batch` for many pictures).
    QByteArray Csv() const;
    // The sample of the measure chosen below the table, as `particles --sample` makes it; false
    // after a message.
    bool MakeSample(TSampleData &out) const;
    // The line above the table: the count and d10, d50, d90.
    QString SummaryText() const;

    QLabel *Summary;
    QTableView *Table;
    QPushButton *BtnSave, *BtnSample;
    QComboBox *ComboMeasure;

signals:
    void sampleReady(const TSampleData &sample);
    // The particle chosen in the table, as a highlight for its picture (null: none).
    void particleChosen(const QImage &piece, QPoint at);

public slots:
    void SaveClick();
    void SampleClick();

private:
    void Filled();

    std::unique_ptr<particles::Result> result_; // one picture's, with labels; or a batch's list
    particles::Recipe recipe_;
    ParticlesModel *model_;
    QSortFilterProxyModel *sorted_;
};
