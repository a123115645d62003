#include "imaging/TParticlesForm.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/NumberForms.h"
#include "samples/SampleData.h"
#include "widgets/Messages.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

// The particles as rows: shown texts, and numbers to sort by.
class ParticlesModel : public QAbstractTableModel {
public:
    enum Column { File, Id, X, Y, AreaPx, Area, Ecd, Perimeter, FeretMax, FeretMin, Angle, Aspect, Circularity, Border, Columns };

    void Set(const std::vector<particles::Particle> *list, std::vector<int> fileOf, QStringList names, double kpix)
    {
        beginResetModel();
        list_ = list;
        fileOf_ = std::move(fileOf);
        names_ = std::move(names);
        kpix_ = kpix;
        sep_ = numtext::SystemDecimalSeparator();
        endResetModel();
    }
    bool Batch() const { return !names_.isEmpty(); }
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() || !list_ ? 0 : int(list_->size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : Columns; }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, o, role);
        static const char *const texts[Columns] = {
            QT_TRANSLATE_NOOP("TParticlesForm", "Файл"),
            QT_TRANSLATE_NOOP("TParticlesForm", "№"),
            QT_TRANSLATE_NOOP("TParticlesForm", "X, пикс."),
            QT_TRANSLATE_NOOP("TParticlesForm", "Y, пикс."),
            QT_TRANSLATE_NOOP("TParticlesForm", "Площадь, пикс."),
            QT_TRANSLATE_NOOP("TParticlesForm", "Площадь, мкм²"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Экв. диаметр, мкм"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Периметр, мкм"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Ферет макс., мкм"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Ферет мин., мкм"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Угол Ферета, °"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Удлинение"),
            QT_TRANSLATE_NOOP("TParticlesForm", "Круглость"),
            QT_TRANSLATE_NOOP("TParticlesForm", "У края")};
        return QCoreApplication::translate("TParticlesForm", texts[section]);
    }

    double Number(const particles::Particle &p, int column) const
    {
        using particles::Measure;
        switch (column) {
        case Id: return p.id;
        case X: return p.x;
        case Y: return p.y;
        case AreaPx: return double(p.area);
        case Area: return particles::ValueOf(p, Measure::Area, kpix_);
        case Ecd: return particles::ValueOf(p, Measure::Ecd, kpix_);
        case Perimeter: return particles::ValueOf(p, Measure::Perimeter, kpix_);
        case FeretMax: return particles::ValueOf(p, Measure::FeretMax, kpix_);
        case FeretMin: return particles::ValueOf(p, Measure::FeretMin, kpix_);
        case Angle: return p.feretAngle;
        case Aspect: return p.aspect;
        case Circularity: return p.circularity;
        case Border: return p.touchesBorder ? 1 : 0;
        default: return 0;
        }
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || !list_)
            return {};
        const particles::Particle &p = (*list_)[size_t(index.row())];
        const int c = index.column();
        if (role == Qt::UserRole) { // what the table sorts by
            if (c == File)
                return Batch() ? fileOf_[size_t(index.row())] : 0;
            return Number(p, c);
        }
        if (role == Qt::TextAlignmentRole)
            return c == File ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        switch (c) {
        case File: return Batch() ? names_[fileOf_[size_t(index.row())]] : QString();
        case Id:
        case AreaPx: return QString::number(qlonglong(Number(p, c)));
        case Border: return p.touchesBorder ? QCoreApplication::translate("TParticlesForm", "да") : QString();
        case Angle:
        case X:
        case Y: return numtext::FormatFixed(Number(p, c), 15, 1, sep_);
        default: return numtext::FormatFixed(Number(p, c), 15, 3, sep_);
        }
    }

    const std::vector<int> &FileOf() const { return fileOf_; }
    const QStringList &Names() const { return names_; }

private:
    const std::vector<particles::Particle> *list_ = nullptr;
    std::vector<int> fileOf_;
    QStringList names_;
    double kpix_ = 1;
    QChar sep_ = QLatin1Char(',');
};

TParticlesForm::TParticlesForm(QWidget *parent)
    : QWidget(parent), result_(std::make_unique<particles::Result>())
{
    Summary = new QLabel(this);
    Summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    model_ = new ParticlesModel;
    model_->setParent(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(Qt::UserRole);
    Table = new QTableView(this);
    Table->setModel(sorted_);
    Table->setSortingEnabled(true);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->sortByColumn(ParticlesModel::Id, Qt::AscendingOrder);
    connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &now) {
        // Only one picture's particles have their pixels here to be shown.
        if (model_->Batch() || !now.isValid()) {
            emit particleChosen(QImage(), QPoint());
            return;
        }
        const int row = sorted_->mapToSource(now).row();
        QPoint at;
        const QImage piece = particles::Highlight(*result_, result_->particles[size_t(row)].id, at);
        emit particleChosen(piece, at);
    });

    BtnSave = new QPushButton(tr("Сохранить таблицу..."), this);
    BtnSave->setToolTip(tr("Сохранить таблицу частиц в файл CSV"));
    ComboMeasure = new QComboBox(this);
    ComboMeasure->addItems({tr("Эквивалентный диаметр"), tr("Площадь"), tr("Периметр"),
                            tr("Максимальный диаметр Ферета"), tr("Минимальный диаметр Ферета")});
    BtnSample = new QPushButton(tr("Выборка"), this);
    BtnSample->setToolTip(tr("Открыть выборку выбранной величины в окне статистики"));
    auto *sampleLabel = new QLabel(tr("&Величина:"), this);
    NameAfter(sampleLabel, ComboMeasure);
    connect(BtnSave, &QPushButton::clicked, this, &TParticlesForm::SaveClick);
    connect(BtnSample, &QPushButton::clicked, this, &TParticlesForm::SampleClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BtnSave);
    buttons->addStretch();
    buttons->addWidget(sampleLabel);
    buttons->addWidget(ComboMeasure);
    buttons->addWidget(BtnSample);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(4, 4, 4, 4);
    all->addWidget(Summary);
    all->addWidget(Table, 1);
    all->addLayout(buttons);
    resize(760, 420);
}

TParticlesForm::~TParticlesForm() = default;

const std::vector<particles::Particle> &TParticlesForm::List() const
{
    return result_->particles;
}

void TParticlesForm::SetResult(particles::Result result, const particles::Recipe &recipe)
{
    *result_ = std::move(result);
    recipe_ = recipe;
    model_->Set(&result_->particles, {}, {}, recipe.kpix);
    Filled();
}

void TParticlesForm::SetBatch(std::vector<particles::Particle> list, std::vector<int> fileOf, QStringList names,
                              const particles::Recipe &recipe)
{
    *result_ = particles::Result();
    result_->particles = std::move(list);
    recipe_ = recipe;
    model_->Set(&result_->particles, std::move(fileOf), std::move(names), recipe.kpix);
    Filled();
}

void TParticlesForm::Filled()
{
    Table->setColumnHidden(ParticlesModel::File, !model_->Batch());
    // A batch's particles by picture, in each by number: the sort is stable.
    Table->sortByColumn(model_->Batch() ? ParticlesModel::File : ParticlesModel::Id, Qt::AscendingOrder);
    ComboMeasure->setCurrentIndex(int(recipe_.measure));
    Summary->setText(SummaryText());
    Table->resizeColumnsToContents();
}

QString TParticlesForm::SummaryText() const
{
    const auto &list = List();
    QString text = tr("Частиц: %1").arg(list.size());
    if (!list.empty()) {
        const QChar sep = numtext::SystemDecimalSeparator();
        const particles::Percentiles d = particles::EcdPercentiles(list, recipe_.kpix);
        text += tr("   Эквивалентный диаметр, мкм: d10 = %1   d50 = %2   d90 = %3")
                    .arg(numtext::Fixed6(d.d10, sep), numtext::Fixed6(d.d50, sep), numtext::Fixed6(d.d90, sep));
    }
    return text;
}

QByteArray TParticlesForm::Csv() const
{
    if (!model_->Batch())
        return particles::Csv(List(), recipe_.kpix);
    // As a batch writes particles.csv: rows grouped by picture, in the pictures' order.
    QByteArray out = "file," + particles::CsvHeader();
    const auto &list = List();
    const auto &fileOf = model_->FileOf();
    size_t k = 0;
    while (k < list.size()) {
        size_t end = k;
        while (end < list.size() && fileOf[end] == fileOf[k])
            ++end;
        const std::vector<particles::Particle> part(list.begin() + long(k), list.begin() + long(end));
        particles::AppendCsvRows(out, part, recipe_.kpix, particles::CsvField(model_->Names()[fileOf[k]]) + ',');
        k = end;
    }
    return out;
}

bool TParticlesForm::MakeSample(TSampleData &out) const
{
    int rows = 0;
    try {
        rows = particles::ToSample(List(), particles::Measure(ComboMeasure->currentIndex()), recipe_.kpix, out);
    } catch (const GrizalError &e) {
        ShowMessage(e.text());
        return false;
    }
    if (rows > TSampleData::Capacity) {
        ShowMessage(tr("Различных значений (%1) больше, чем вмещает выборка (%2)").arg(rows).arg(TSampleData::Capacity));
        return false;
    }
    return true;
}

void TParticlesForm::SampleClick()
{
    auto data = std::make_unique<TSampleData>();
    if (MakeSample(*data))
        emit sampleReady(*data);
}

void TParticlesForm::SaveClick()
{
    QFileDialog *dlg = MakeFileDialog(this, tr("Сохранить таблицу частиц"),
                                      tr("Файлы CSV (*.csv)|*.csv|Все файлы (*.*)|*.*"), true, QStringLiteral("csv"));
    dlg->setAttribute(Qt::WA_DeleteOnClose, false);
    const bool chosen = ExecDialog(dlg) == QDialog::Accepted && !dlg->selectedFiles().isEmpty();
    const QString file = chosen ? ChosenSaveFile(dlg) : QString();
    dlg->deleteLater();
    if (file.isEmpty())
        return;
    QString error;
    if (!fileio::WriteFileAtomically(file, Csv(), error))
        ShowMessage(error);
}
