#include "imaging/TImageForm.h"
#include "base/Errors.h"
#include "base/NumberForms.h"
#include "image_files/PcxCodec.h"
#include "imaging/ScaleBar.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TImageForm::TImageForm(TPictures &engine, QWidget *parent) : QWidget(parent), engine_(engine)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(695, 420);

    BuildBars();

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    Image = new TImageView(this);
    Image->resize(423, 240);
    ScrollBox1->setWidget(Image);

    StatusBar = new QWidget(this);
    StatusBar->setFixedHeight(29);
    ImageCalibrate = new QLabel(StatusBar);
    ImageCalibrate->setFixedSize(200, 20);
    ImageCalibrate->setCursor(Qt::PointingHandCursor);
    ImageCalibrate->installEventFilter(this);
    LabelDate = new QLabel(StatusBar);
    CheckBoxSave = new QCheckBox(tr("Добавлять при сохранении"), StatusBar);
    CheckBoxSave->setChecked(true);
    auto zoomButton = [this](const QString &text, const QString &hint, void (TImageForm::*slot)()) {
        auto *b = new QToolButton(StatusBar);
        b->setText(text);
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    SpeedButton2 = zoomButton(QStringLiteral("+"), tr("Увеличить"), &TImageForm::ZoomIn);
    SpeedButton3 = zoomButton(QStringLiteral("-"), tr("Уменьшить"), &TImageForm::ZoomOut);
    SpeedButton4 = zoomButton(QStringLiteral("W"), tr("Вписать по горизонтали"), &TImageForm::StretchWidth);
    SpeedButton5 = zoomButton(QStringLiteral("H"), tr("Вписать по вертикали"), &TImageForm::StretchHeight);
    SpeedButton6 = zoomButton(QStringLiteral("A"), tr("Исходный размер"), &TImageForm::ActualSize);
    auto *sl = new QHBoxLayout(StatusBar);
    sl->setContentsMargins(4, 2, 4, 2);
    sl->addWidget(ImageCalibrate);
    sl->addWidget(LabelDate);
    sl->addWidget(CheckBoxSave);
    sl->addStretch();
    for (QToolButton *b : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6})
        sl->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QWidget *w : {static_cast<QWidget *>(BarImage), static_cast<QWidget *>(BarDiffImage),
                       static_cast<QWidget *>(BarFiltrImage), static_cast<QWidget *>(BarBandW),
                       static_cast<QWidget *>(BarBrush), static_cast<QWidget *>(BarPen),
                       static_cast<QWidget *>(BarSelect), static_cast<QWidget *>(BarAnalis2)})
        layout->addWidget(w);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(StatusBar);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TImageForm::Timer1Timer);
    Timer1->start();
    Timer1Timer();
    DrawCalibrate();

    // Every text field of the bars, the spin boxes' own included.
    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->installEventFilter(this);
    for (QAbstractSpinBox *spin : findChildren<QAbstractSpinBox *>())
        spin->installEventFilter(this);
}

void TImageForm::SetPicture(const QImage &picture)
{
    picture_ = picture.format() == QImage::Format_RGBX8888 ? picture
                                                           : picture.convertToFormat(QImage::Format_RGBX8888);
    PictureChanged();
}

void TImageForm::PictureChanged()
{
    // Marks of particles found on the picture before it changed would mislead.
    marks_ = QImage();
    highlight_ = QImage();
    Image->update();
}

void TImageForm::SetMarks(const QImage &marks)
{
    marks_ = marks.size() == picture_.size() ? marks : QImage();
    highlight_ = QImage();
    Image->update();
}

void TImageForm::SetHighlight(const QImage &piece, QPoint at)
{
    highlight_ = marks_.isNull() ? QImage() : piece;
    highlightAt_ = at;
    Image->update();
}

QSize TImageForm::DisplaySize() const
{
    return Image->size();
}

void TImageForm::ShowDisplaySize(QSize size)
{
    Image->resize(size);
    ZoomFactor = double(size.width()) / picture_.width();
    Image->update();
}

QPoint TImageForm::ToPicture(QPoint d) const
{
    return QPoint(zoom::ToPicture(d.x(), ZoomFactor), zoom::ToPicture(d.y(), ZoomFactor));
}

void TImageForm::ZoomIn()
{
    if (!picture_.isNull())
        ShowDisplaySize(zoom::ZoomIn(Image->size()));
}

void TImageForm::ZoomOut()
{
    if (!picture_.isNull())
        ShowDisplaySize(zoom::ZoomOut(Image->size()));
}

void TImageForm::StretchWidth()
{
    if (!picture_.isNull())
        ShowDisplaySize(zoom::StretchWidth(picture_.size(), ScrollBox1->width()));
}

void TImageForm::StretchHeight()
{
    if (!picture_.isNull())
        ShowDisplaySize(zoom::StretchHeight(picture_.size(), ScrollBox1->height()));
}

void TImageForm::ActualSize()
{
    if (!picture_.isNull())
        ShowDisplaySize(picture_.size());
}

namespace {
// The clipboard format "PCX Image": a PCX file image, put beside the bitmap.
const QString kPcxMime = QStringLiteral("image/x-pcx");
} // namespace

void TImageForm::Copy()
{
    if (picture_.isNull())
        return;
    auto *mime = new QMimeData;
    mime->setImageData(picture_);
    try {
        mime->setData(kPcxMime, pcx::Encode(picture_));
    } catch (const GrizalError &) {
        // Wider than a PCX file holds: the bitmap alone goes on the clipboard.
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TImageForm::Cut()
{
    Copy();
    QPainter p(&picture_);
    p.fillRect(QRect(QPoint(0, 0), Image->size()), Qt::white);
    p.end();
    PictureChanged();
}

void TImageForm::Paste()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || picture_.isNull())
        return;
    QImage img;
    if (mime->hasFormat(kPcxMime)) {
        try {
            img = pcx::Decode(mime->data(kPcxMime));
        } catch (const GrizalError &) {
            img = QImage(); // a damaged PCX stream: the bitmap beside it, if any
        }
    }
    if (img.isNull() && mime->hasImage())
        img = qvariant_cast<QImage>(mime->imageData());
    if (img.isNull())
        return;
    QPainter p(&picture_);
    p.drawImage(0, 0, img);
    p.end();
    ActualSize();
}

void TImageForm::DrawCalibrate()
{
    ImageCalibrate->setPixmap(
        QPixmap::fromImage(scalebar::DrawCalibrate(settings_.kpix, numtext::SystemDecimalSeparator())));
}

void TImageForm::Timer1Timer()
{
    LabelDate->setText(scalebar::DateText(QDate::currentDate()));
}

void TImageForm::ImageCalibrateClick()
{
    emit calibrationRequested();
}

bool TImageForm::eventFilter(QObject *watched, QEvent *e)
{
    // A click on the free area of the selection bar chooses the linear measurement.
    if (watched == BarSelect && e->type() == QEvent::MouseButtonRelease) {
        BtnSelect0->setChecked(true);
        ModeSelect0();
        return false;
    }
    if (watched == ImageCalibrate && e->type() == QEvent::MouseButtonRelease) {
        ImageCalibrateClick();
        return true;
    }
    if (auto *field = qobject_cast<QLineEdit *>(watched))
        return FieldEvent(field, e);
    // A key the field leaves goes on to its spin box, which would claim it in its stead.
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(watched))
        return e->type() == QEvent::ShortcutOverride && FieldEvent(spin->findChild<QLineEdit *>(), e);
    return QWidget::eventFilter(watched, e);
}

namespace {

bool IsEditShortcut(const QKeyEvent *k)
{
    return k->matches(QKeySequence::Copy) || k->matches(QKeySequence::Cut) || k->matches(QKeySequence::Paste);
}

// A key that writes into a text field or moves or selects within its text.
bool IsTyping(const QKeyEvent *k)
{
    if (k->matches(QKeySequence::SelectAll))
        return true;
    switch (k->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return !k->text().isEmpty() && k->text().at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier);
    }
}

} // namespace

// The Edit short-cuts act on the picture whatever control of the window has the focus;
// only a field the user is typing into, or selecting in, keeps them for its text.
bool TImageForm::FieldEvent(QLineEdit *field, QEvent *e)
{
    switch (e->type()) {
    case QEvent::FocusIn:
        typedInto_ = nullptr;
        break;
    case QEvent::KeyPress:
        if (IsTyping(static_cast<QKeyEvent *>(e)))
            typedInto_ = field;
        break;
    case QEvent::MouseButtonDblClick:
        typedInto_ = field;
        break;
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent *>(e)->buttons())
            typedInto_ = field;
        break;
    case QEvent::ShortcutOverride:
        if (typedInto_ != field && IsEditShortcut(static_cast<QKeyEvent *>(e))) {
            e->ignore(); // the field does not claim it: the main window's short-cut runs
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void TImageForm::FormActivate()
{
    PickColour1 = PickColour2 = false;
    DrawCalibrate();
}
