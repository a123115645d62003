#include "base/Files.h"
#include "shell/TKalibrDlg.h"
#include "samples/DataFiles.h"
#include "base/NumberForms.h"
#include "shell/Calibration.h"
#include "image_files/MultImage.h"
#include "widgets/Messages.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TKalibrDlg::TKalibrDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Калибровка"));
    Label1 = new QLabel(tr("Реальный размер объекта, мкм"), this);
    Edit1 = new QLineEdit(QStringLiteral("500"), this);
    Label2 = new QLabel(tr("Размер объекта в пикселах"), this);
    Edit2 = new QLineEdit(this);
    Label3 = new QLabel(tr("Коэффициент пересчета, мкм/пикс"), this);
    KPixEdit = new QLineEdit(QStringLiteral("8") + numtext::SystemDecimalSeparator() + QStringLiteral("7"), this);
    NameAfter(Label1, Edit1);
    NameAfter(Label2, Edit2);
    NameAfter(Label3, KPixEdit);
    BtnOpen = new QPushButton(QStringLiteral("Open"), this);
    BtnOK = new QPushButton(tr("ОК"), this);
    // The toolkit's own Cancel caption, translated like every standard button.
    auto *standard = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    BtnCancel = standard->button(QDialogButtonBox::Cancel);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnOpen, &QPushButton::clicked, this, &TKalibrDlg::BtnOpenClick);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setFixedSize(351, 165);
    Image = new TKalibrImage(this);
    ScrollBox->setWidget(Image);

    OpenDialog = new QFileDialog(this, tr("Открыть"));
    OpenDialog->setOption(QFileDialog::DontUseNativeDialog, true);
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    // After the classic list, every kind of picture the program reads.
    OpenDialog->setNameFilters({tr("Графические файлы (*.bmp *.gif *.jpg *.tif *.pcx)"),
                                QStringLiteral("Windows Bitmap Files (*.bmp)"), QStringLiteral("GIF Files(*.gif)"),
                                QStringLiteral("JPEG Files (*.jpg)"), QStringLiteral("TIFF Files (*.tif)"),
                                QStringLiteral("PCX Files (*.pcx)"), QStringLiteral("All Files (*.*)"),
                                tr("Все графические файлы (*.bmp *.jpg *.jpeg *.gif *.emf *.wmf *.tif "
                                   "*.tiff *.png *.ico *.pcx)")});
    BtnWindowPicture = new QPushButton(tr("Из окна изображения"), this);
    BtnWindowPicture->setToolTip(tr("Калибровка по изображению активного окна"));
    BtnWindowPicture->setEnabled(false);
    connect(BtnWindowPicture, &QPushButton::clicked, this, [this] { Image->SetPicture(offered_); });

    auto *fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Edit1, 1, 0);
    fields->addWidget(Label2, 2, 0);
    fields->addWidget(Edit2, 3, 0);
    fields->addWidget(Label3, 4, 0);
    fields->addWidget(KPixEdit, 5, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BtnOpen);
    buttons->addWidget(BtnWindowPicture);
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(standard);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox, 0, Qt::AlignHCenter);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TKalibrDlg::BtnOpenClick()
{
    if (ExecDialog(OpenDialog) != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty())
        return;
    LoadPictureFile(OpenDialog->selectedFiles().first());
}

void TKalibrDlg::LoadPictureFile(const QString &fileName)
{
    const QString ext = TMultImage::CommonExtension(fileio::UpperExtension(fileName));
    if (!TMultImage::IsReadableExtension(ext)) {
        ShowMessage(tr("Файл \"%1\" не является изображением").arg(fileName));
        return;
    }
    QImage img;
    QString error;
    if (!TMultImage::LoadPictureAs(fileName, ext, img, error)) {
        ShowMessage(error);
        return;
    }
    Image->SetPicture(img);
}

void TKalibrDlg::OfferPicture(const QImage &picture)
{
    offered_ = picture;
    BtnWindowPicture->setEnabled(!picture.isNull());
}

void TKalibrDlg::LineMeasured(QPoint from, QPoint to)
{
    const QPoint d = to - from;
    const int L = calibration::LineLength(d.x(), d.y());
    Edit2->setText(QString::number(L));
    if (L == 0)
        return;
    QString text;
    if (!calibration::MeasuredKPixText(Edit1->text(), L, numtext::SystemDecimalSeparator(), text)) {
        ShowMessage(tr("Не удается вычислить коэффициент пересчета"));
        return;
    }
    KPixEdit->setText(text);
}

TKalibrImage::TKalibrImage(TKalibrDlg *dlg) : QWidget(dlg), dlg_(dlg)
{
    resize(0, 0);
}

void TKalibrImage::SetPicture(const QImage &img)
{
    picture_ = img;
    resize(img.size());
    update();
}

void TKalibrImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    if (drawing_) {
        // The rubber line inverts what lies under it and never touches the picture itself.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(start_, end_);
    }
}

void TKalibrImage::mousePressEvent(QMouseEvent *e)
{
    drawing_ = true;
    start_ = end_ = e->position().toPoint();
    update();
}

void TKalibrImage::mouseMoveEvent(QMouseEvent *e)
{
    if (!drawing_)
        return;
    end_ = e->position().toPoint();
    update();
}

void TKalibrImage::mouseReleaseEvent(QMouseEvent *)
{
    if (!drawing_)
        return;
    drawing_ = false;
    update();
    dlg_->LineMeasured(start_, end_);
}
