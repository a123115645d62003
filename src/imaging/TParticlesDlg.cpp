#include "imaging/TParticlesDlg.h"
#include "widgets/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

TParticlesDlg::TParticlesDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Частицы"));
    auto *threshold = new QGroupBox(tr("Порог"), this);
    RadioOtsu = new QRadioButton(tr("Автоматический (метод Оцу)"), threshold);
    RadioPercent = new QRadioButton(tr("Яркость, %:"), threshold);
    EditPercent = new QSpinBox(threshold);
    EditPercent->setRange(0, 100);
    EditPercent->setValue(50);
    EditPercent->setAccessibleName(tr("Яркость, %"));
    RadioOtsu->setChecked(true);
    auto *percentRow = new QHBoxLayout;
    percentRow->addWidget(RadioPercent);
    percentRow->addWidget(EditPercent);
    percentRow->addStretch();
    auto *tl = new QVBoxLayout(threshold);
    tl->addWidget(RadioOtsu);
    tl->addLayout(percentRow);

    ComboObjects = new QComboBox(this);
    ComboObjects->addItems({tr("тёмные на светлом"), tr("светлые на тёмном")});
    CheckFill = new QCheckBox(tr("Заполнять отверстия"), this);
    CheckBorder = new QCheckBox(tr("Исключать касающиеся края"), this);
    EditMinArea = new QSpinBox(this);
    EditMinArea->setRange(0, std::numeric_limits<int>::max());
    CheckSeparate = new QCheckBox(tr("Разделять касающиеся частицы"), this);
    EditDepth = new QDoubleSpinBox(this);
    EditDepth->setRange(0, 1000);
    EditDepth->setDecimals(1);
    EditDepth->setSingleStep(0.5);
    EditDepth->setValue(1);
    ComboConnectivity = new QComboBox(this);
    ComboConnectivity->addItems({tr("8 соседей"), tr("4 соседа")});
    ComboMeasure = new QComboBox(this);
    ComboMeasure->addItems({tr("Эквивалентный диаметр"), tr("Площадь"), tr("Периметр"),
                            tr("Максимальный диаметр Ферета"), tr("Минимальный диаметр Ферета")});

    auto *form = new QFormLayout;
    auto row = [form](const QString &text, QWidget *field) {
        auto *label = new QLabel(text);
        form->addRow(label, field);
        NameAfter(label, field);
    };
    row(tr("&Объекты:"), ComboObjects);
    form->addRow(CheckFill);
    form->addRow(CheckBorder);
    row(tr("&Минимальная площадь, пикс.:"), EditMinArea);
    form->addRow(CheckSeparate);
    row(tr("&Глубина разделения, пикс.:"), EditDepth);
    row(tr("&Связность:"), ComboConnectivity);
    row(tr("&Величина для выборки:"), ComboMeasure);

    Preview = new QLabel(this);
    Preview->setMinimumSize(320, 240);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Preview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    PreviewText = new QLabel(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *left = new QVBoxLayout;
    left->addWidget(threshold);
    left->addLayout(form);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(Preview, 1);
    right->addWidget(PreviewText);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addWidget(buttons);

    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(120);
    connect(previewTimer_, &QTimer::timeout, this, &TParticlesDlg::ShowPreview);
    for (QRadioButton *r : {RadioOtsu, RadioPercent})
        connect(r, &QRadioButton::toggled, this, [this] {
            UpdateControls();
            SchedulePreview();
        });
    connect(EditPercent, &QSpinBox::valueChanged, this, &TParticlesDlg::SchedulePreview);
    connect(ComboObjects, &QComboBox::currentIndexChanged, this, &TParticlesDlg::SchedulePreview);
    connect(CheckSeparate, &QCheckBox::toggled, this, &TParticlesDlg::UpdateControls);
    UpdateControls();
    resize(720, 420);
}

void TParticlesDlg::UpdateControls()
{
    EditPercent->setEnabled(RadioPercent->isChecked());
    EditDepth->setEnabled(CheckSeparate->isChecked());
}

void TParticlesDlg::SetPicture(const QImage &picture)
{
    picture_ = picture;
    shown_ = QImage();
    ShowPreview();
}

particles::Options TParticlesDlg::Options() const
{
    particles::Options o;
    o.thresholdPercent = RadioPercent->isChecked() ? EditPercent->value() : -1;
    o.objects = ComboObjects->currentIndex() == 1 ? particles::Objects::Light : particles::Objects::Dark;
    o.fillHoles = CheckFill->isChecked();
    o.excludeBorder = CheckBorder->isChecked();
    o.minArea = EditMinArea->value();
    o.separate = CheckSeparate->isChecked();
    o.splitDepth = EditDepth->value();
    o.connectivity = ComboConnectivity->currentIndex() == 1 ? 4 : 8;
    return o;
}

particles::Measure TParticlesDlg::Measure() const
{
    return particles::Measure(ComboMeasure->currentIndex());
}

particles::Recipe TParticlesDlg::Recipe(double kpix) const
{
    particles::Recipe r;
    r.options = Options();
    r.measure = Measure();
    r.kpix = kpix;
    return r;
}

void TParticlesDlg::SetRecipe(const particles::Recipe &recipe)
{
    const particles::Options &o = recipe.options;
    (o.thresholdPercent >= 0 ? RadioPercent : RadioOtsu)->setChecked(true);
    if (o.thresholdPercent >= 0)
        EditPercent->setValue(o.thresholdPercent);
    ComboObjects->setCurrentIndex(o.objects == particles::Objects::Light ? 1 : 0);
    CheckFill->setChecked(o.fillHoles);
    CheckBorder->setChecked(o.excludeBorder);
    EditMinArea->setValue(int(std::min<long long>(o.minArea, std::numeric_limits<int>::max())));
    CheckSeparate->setChecked(o.separate);
    EditDepth->setValue(o.splitDepth);
    ComboConnectivity->setCurrentIndex(o.connectivity == 4 ? 1 : 0);
    ComboMeasure->setCurrentIndex(int(recipe.measure));
    UpdateControls();
}

void TParticlesDlg::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    shown_ = QImage();
    SchedulePreview();
}

void TParticlesDlg::SchedulePreview()
{
    previewTimer_->start();
}

// The objects the threshold takes, tinted red over the picture in grey.
void TParticlesDlg::ShowPreview()
{
    if (picture_.isNull()) {
        Preview->setPixmap(QPixmap());
        Preview->setText(tr("Нет изображения"));
        PreviewText->clear();
        return;
    }
    QImage mask;
    previewLevel_ = finder_.Mask(picture_, Options(), mask);
    const QSize box = Preview->contentsRect().size() - QSize(4, 4);
    if (shown_.isNull()) // made again when the picture or the dialog's size changes
        shown_ = picture_.scaled(box.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_Grayscale8)
                     .convertToFormat(QImage::Format_RGB32);
    const QImage small = mask.scaled(shown_.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage tint(shown_.size(), QImage::Format_ARGB32_Premultiplied);
    tint.fill(Qt::transparent);
    for (int y = 0; y < small.height(); ++y) {
        const uchar *m = small.constScanLine(y);
        auto *t = reinterpret_cast<QRgb *>(tint.scanLine(y));
        for (int x = 0; x < small.width(); ++x)
            if (m[x])
                t[x] = qRgba(150, 0, 0, 150); // premultiplied red at 60 %
    }
    QImage out = shown_;
    QPainter(&out).drawImage(0, 0, tint);
    Preview->setPixmap(QPixmap::fromImage(out));
    PreviewText->setText(tr("Порог: уровень серого %1; объекты показаны красным").arg(previewLevel_));
}
