#include "imaging/TImageForm.h"
#include "image_files/PcxCodec.h"
#include "imaging/BinaryAnalysis.h"
#include "imaging/Measure.h"
#include "imaging/ScaleBar.h"
#include "imaging/UserFunctions.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "base/NumberForms.h"
#include "widgets/Glyphs.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QColorDialog>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

TImageForm::TImageForm(TPictures &engine, QWidget *parent) : QWidget(parent), engine_(engine)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(695, 420);

    BarImage = new QToolBar(this);
    BarImage->setIconSize(QSize(20, 20));
    auto button = [this](const QString &glyph, const QString &hint, void (TImageForm::*slot)()) {
        QAction *a = BarImage->addAction(TextGlyph(glyph), hint);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    BtnGraph = button(QStringLiteral("✎"), QStringLiteral("Графический редактор"), &TImageForm::BtnGraphClick);
    BtnFiltr = button(QStringLiteral("M"), QStringLiteral("Медианная фильтрация изображения"), &TImageForm::BtnFiltrClick);
    BtnNegative = button(QStringLiteral("◐"), QStringLiteral("Преобразование в негативное изображение"),
                         &TImageForm::BtnNegativeClick);
    BtnMirrorH = button(QStringLiteral("↔"), QStringLiteral("Отразить по горизонтали"), &TImageForm::BtnMirrorHClick);
    BtnMirrorV = button(QStringLiteral("↕"), QStringLiteral("Отразить по вертикали"), &TImageForm::BtnMirrorVClick);
    BtnDiffImage = button(QStringLiteral("▤"), QStringLiteral("Разделить по оттенкам"), &TImageForm::BtnDiffImageClick);
    BtnBandW = button(QStringLiteral("BW"), QStringLiteral("Преобразование в черно-белое изображение"),
                      &TImageForm::BtnBandWClick);
    BtnGray = button(QStringLiteral("G"), QStringLiteral("Преобразование в оттенки серого"), &TImageForm::BtnGrayClick);
    BtnClearRect = button(QStringLiteral("▢"), QStringLiteral("Обработка краев изображения"),
                          &TImageForm::BtnClearRectClick);
    BtnSelect = button(QStringLiteral("⌖"), QStringLiteral("Ручные измерения"), &TImageForm::BtnSelectClick);
    BtnAnalis1 = button(QStringLiteral("A1"), QStringLiteral("Анализ бинарного изображения"), &TImageForm::BtnAnalis1Click);
    btnAnalis2 = button(QStringLiteral("A2"), QStringLiteral("Анализ по оттенкам"), &TImageForm::btnAnalis2Click);
    BtnP = button(QStringLiteral("P"), QStringLiteral("Функция пользователя"), &TImageForm::BtnPClick);
    // The mirrors are standard actions with the desktop's own pictures.
    BtnMirrorH->setIcon(StandardIcon(QStringLiteral("object-flip-horizontal")));
    BtnMirrorV->setIcon(StandardIcon(QStringLiteral("object-flip-vertical")));

    auto bar = [this] {
        auto *b = new QToolBar(this);
        b->setFixedHeight(29);
        b->hide();
        return b;
    };
    BarDiffImage = bar();
    BarFiltrImage = bar();
    BarBandW = bar();
    BarBrush = bar();
    BarPen = bar();
    BarSelect = bar();
    BarAnalis2 = bar();

    // Separation by shades: the two colours, the relation, apply.
    BarDiffColor1 = new QToolButton(BarDiffImage);
    BarDiffColor1->setText(QStringLiteral("Цвет 1"));
    BarDiffColor2 = new QToolButton(BarDiffImage);
    BarDiffColor2->setText(QStringLiteral("Цвет 2"));
    SetDiffColour(BarDiffColor1, DiffColor1);
    SetDiffColour(BarDiffColor2, DiffColor2);
    connect(BarDiffColor1, &QToolButton::clicked, this, [this] {
        PickColour1 = true;
        PickColour2 = false;
    });
    connect(BarDiffColor2, &QToolButton::clicked, this, [this] {
        PickColour1 = false;
        PickColour2 = true;
    });
    RadioButton1 = new QRadioButton(QStringLiteral("<Цвет 1"), BarDiffImage);
    RadioButton2 = new QRadioButton(QStringLiteral(">Цвет 1"), BarDiffImage);
    RadioButton3 = new QRadioButton(QStringLiteral("Цвет 1<X<Цвет 2"), BarDiffImage);
    QRadioButton *relations[] = {RadioButton1, RadioButton2, RadioButton3}; // by ShadeRelation
    relations[pictures::ShadeDefault]->setChecked(true);
    BarDiffImage->addWidget(BarDiffColor1);
    BarDiffImage->addWidget(BarDiffColor2);
    BarDiffImage->addWidget(RadioButton1);
    BarDiffImage->addWidget(RadioButton2);
    BarDiffImage->addWidget(RadioButton3);
    BtnDiffImageApply = BarDiffImage->addAction(QStringLiteral("Применить"));
    connect(BtnDiffImageApply, &QAction::triggered, this, &TImageForm::BtnDiffImageApplyClick);

    // The median filter's window.
    Label1 = new QLabel(QStringLiteral("X="), BarFiltrImage);
    EditFiltrX = new QSpinBox(BarFiltrImage);
    EditFiltrX->setRange(pictures::FiltrMin, pictures::FiltrMax);
    EditFiltrX->setValue(pictures::FiltrDefault);
    Label2 = new QLabel(QStringLiteral("X="), BarFiltrImage);
    EditFiltrY = new QSpinBox(BarFiltrImage);
    EditFiltrY->setRange(pictures::FiltrMin, pictures::FiltrMax);
    EditFiltrY->setValue(pictures::FiltrDefault);
    NameAfter(Label1, EditFiltrX);
    NameAfter(Label2, EditFiltrY);
    EditFiltrY->setAccessibleName(QStringLiteral("Y=")); // its label repeats "X="
    BarFiltrImage->addWidget(Label1);
    BarFiltrImage->addWidget(EditFiltrX);
    BarFiltrImage->addWidget(Label2);
    BarFiltrImage->addWidget(EditFiltrY);
    BtnFiltrApply = BarFiltrImage->addAction(QStringLiteral("Применить"));
    connect(BtnFiltrApply, &QAction::triggered, this, &TImageForm::BtnFiltrApplyClick);

    // Black and white by brightness.
    Label3 = new QLabel(QStringLiteral("Яркость, % ="), BarBandW);
    EditBright = new QSpinBox(BarBandW);
    EditBright->setRange(pictures::BrightMin, pictures::BrightMax);
    EditBright->setValue(pictures::BrightDefault);
    NameAfter(Label3, EditBright);
    BarBandW->addWidget(Label3);
    BarBandW->addWidget(EditBright);
    BtnBandWApply = BarBandW->addAction(QStringLiteral("Применить"));
    connect(BtnBandWApply, &QAction::triggered, this, &TImageForm::BtnBandWApplyClick);

    // Analysis by shades: the colour, its tolerance, marking and computing.
    Label4 = new QLabel(QStringLiteral("Градиент ="), BarAnalis2);
    EditGrad = new QSpinBox(BarAnalis2);
    EditGrad->setRange(pictures::GradMin, pictures::GradMax);
    EditGrad->setValue(pictures::GradDefault);
    BarAnalis2Color = new QToolButton(BarAnalis2);
    BarAnalis2Color->setText(QStringLiteral("Цвет"));
    SetDiffColour(BarAnalis2Color, Analis2Color);
    NameAfter(Label4, EditGrad);
    BarAnalis2->addWidget(Label4);
    BarAnalis2->addWidget(EditGrad);
    BarAnalis2->addWidget(BarAnalis2Color);
    BtnAnalis2Select = BarAnalis2->addAction(QStringLiteral("Отметить"));
    BtnAnalis2Calc = BarAnalis2->addAction(QStringLiteral("Рассчитать"));
    connect(BtnAnalis2Select, &QAction::triggered, this, &TImageForm::BtnAnalis2SelectClick);
    connect(BtnAnalis2Calc, &QAction::triggered, this, &TImageForm::BtnAnalis2CalcClick);

    BuildSelectBar();
    BuildDrawingBars();

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
    CheckBoxSave = new QCheckBox(QStringLiteral("Добавлять при сохранении"), StatusBar);
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
    SpeedButton2 = zoomButton(QStringLiteral("+"), QStringLiteral("Увеличить"), &TImageForm::ZoomIn);
    SpeedButton3 = zoomButton(QStringLiteral("-"), QStringLiteral("Уменьшить"), &TImageForm::ZoomOut);
    SpeedButton4 = zoomButton(QStringLiteral("W"), QStringLiteral("Вписать по горизонтали"), &TImageForm::StretchWidth);
    SpeedButton5 = zoomButton(QStringLiteral("H"), QStringLiteral("Вписать по вертикали"), &TImageForm::StretchHeight);
    SpeedButton6 = zoomButton(QStringLiteral("A"), QStringLiteral("Исходный размер"), &TImageForm::ActualSize);
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

void TImageForm::UnMode()
{
    // Leaving manual measurement takes its marks off the picture.
    if (mode_ == Mode::Select) {
        RestoreMarks();
        SelectTools.selection.Clear();
    }
    SelectTools.mouseIsDown = GraphTool.mouseIsDown = MouseIsDown = false;
    for (QToolBar *b : {BarDiffImage, BarFiltrImage, BarBandW, BarBrush, BarPen, BarSelect, BarAnalis2})
        b->hide();
    mode_ = Mode::None;
}

void TImageForm::ModeDiff()
{
    UnMode();
    BarDiffImage->show();
    mode_ = Mode::Diff;
}

void TImageForm::ModeFiltr()
{
    UnMode();
    BarFiltrImage->show();
    mode_ = Mode::Filtr;
}

void TImageForm::ModeBandW()
{
    UnMode();
    BarBandW->show();
    mode_ = Mode::BandW;
}

void TImageForm::ModeSelect()
{
    UnMode();
    BarSelect->show();
    mode_ = Mode::Select;
    selectCopyKey_ = 0;
    if (!picture_.isNull()) {
        engine_.SaveUndoCopy(picture_);
        selectCopyKey_ = undoCopyKey_ = engine_.WorkingCopy().cacheKey();
    }
    marksDrawn_ = false;
    BtnSelect0->setChecked(true);
    SelectTools.SetTool(SelectionTools::Segment);
}

void TImageForm::ModeGraph()
{
    UnMode();
    BarBrush->show();
    BarPen->show();
    mode_ = Mode::Graph;
    ApplyGraphControls();
}

void TImageForm::ModeAnalis2()
{
    UnMode();
    BarAnalis2->show();
    mode_ = Mode::Analis2;
}

void TImageForm::SetDiffColour(QToolButton *panel, uint32_t c)
{
    const QColor colour(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    panel->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                             .arg(colour.name(), colour.lightness() > 128 ? "black" : "white"));
}

void TImageForm::ImageMouseDown(QPoint display, Qt::MouseButton)
{
    const QPoint p = ToPicture(display);
    if (mode_ == Mode::Diff && picture_.valid(p)) {
        const uint32_t c = reinterpret_cast<const uint32_t *>(picture_.constScanLine(p.y()))[p.x()] & 0xFFFFFF;
        if (PickColour1) {
            DiffColor1 = c;
            SetDiffColour(BarDiffColor1, c);
        }
        if (PickColour2) {
            DiffColor2 = c;
            SetDiffColour(BarDiffColor2, c);
        }
    } else if (mode_ == Mode::Analis2 && picture_.valid(p)) {
        Analis2Color = reinterpret_cast<const uint32_t *>(picture_.constScanLine(p.y()))[p.x()] & 0xFFFFFF;
        SetDiffColour(BarAnalis2Color, Analis2Color);
    } else if (mode_ == Mode::Select && !picture_.isNull() && ZoomFactor > 0) {
        SelectTools.Press(picture_, p);
        MouseIsDown = SelectTools.mouseIsDown;
        marksDrawn_ = true;
        PictureChanged();
    } else if (mode_ == Mode::Graph && !picture_.isNull() && ZoomFactor > 0) {
        GraphTool.Press(p);
        MouseIsDown = true;
    }
}

void TImageForm::ImageMouseMove(QPoint display)
{
    if (picture_.isNull() || ZoomFactor <= 0)
        return;
    const QPoint p = ToPicture(display);
    if (mode_ == Mode::Select && SelectTools.mouseIsDown) {
        SelectTools.Move(picture_, p);
        marksDrawn_ = true;
        PictureChanged();
    } else if (mode_ == Mode::Graph && GraphTool.mouseIsDown) {
        GraphTool.Move(picture_, p);
        PictureChanged();
    }
}

void TImageForm::ImageMouseUp(QPoint display)
{
    if (picture_.isNull() || ZoomFactor <= 0)
        return;
    const QPoint p = ToPicture(display);
    if (mode_ == Mode::Select) {
        QPoint start, end;
        if (SelectTools.Release(picture_, p, start, end))
            EditMesure->setText(
                measure::LinearSizeText(start, end, settings_.kpix, numtext::SystemDecimalSeparator()));
        PictureChanged();
    } else if (mode_ == Mode::Graph && GraphTool.mouseIsDown) {
        GraphTool.Release(picture_, p);
        PictureChanged();
        emit pictureEdited();
    }
    MouseIsDown = false;
}

void TImageForm::FormActivate()
{
    PickColour1 = PickColour2 = false;
    DrawCalibrate();
}

void TImageForm::BtnGraphClick() { ModeGraph(); }
void TImageForm::BtnFiltrClick() { ModeFiltr(); }
void TImageForm::BtnDiffImageClick() { ModeDiff(); }
void TImageForm::BtnBandWClick() { ModeBandW(); }
void TImageForm::btnAnalis2Click() { ModeAnalis2(); }

void TImageForm::BtnSelectClick()
{
    emit seriesWanted(false);
    ModeSelect();
    setFocus();
}

// Each pixel operation enables undo, runs on the picture, then repaints.
void TImageForm::RunOperation(const std::function<void(TPictures &, QImage &)> &op)
{
    if (picture_.isNull())
        return;
    // The selection marks are no part of the picture: they go before the operation.
    if (mode_ == Mode::Select) {
        RestoreMarks();
        SelectTools.selection.Clear();
    }
    emit undoAvailable(true);
    op(engine_, picture_);
    undoCopyKey_ = engine_.WorkingCopy().cacheKey();
    PictureChanged();
    // The command is given: the keyboard goes back from the bar's field to the picture.
    if (isAncestorOf(QApplication::focusWidget()))
        Image->setFocus();
}

bool TImageForm::HoldsUndoCopy() const
{
    const QImage &copy = engine_.WorkingCopy();
    return undoCopyKey_ != 0 && !copy.isNull() && copy.cacheKey() == undoCopyKey_;
}

void TImageForm::BtnFiltrApplyClick()
{
    const int x = EditFiltrX->value(), y = EditFiltrY->value();
    RunOperation([x, y](TPictures &e, QImage &p) { e.MedianFilter(x, y, p); });
}

void TImageForm::BtnNegativeClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.Negative(p); });
}

void TImageForm::BtnMirrorHClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.MirrorHorizontal(p); });
}

void TImageForm::BtnMirrorVClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.MirrorVertical(p); });
}

void TImageForm::BtnDiffImageApplyClick()
{
    const pictures::ShadeRelation relation = RadioButton1->isChecked()   ? pictures::ShadeBelow
                                             : RadioButton2->isChecked() ? pictures::ShadeAtLeast
                                                                         : pictures::ShadeMidpoint;
    const uint32_t c1 = DiffColor1, c2 = DiffColor2;
    RunOperation([=](TPictures &e, QImage &p) { e.SeparateByShades(relation, c1, c2, p); });
}

void TImageForm::BtnBandWApplyClick()
{
    const int b = EditBright->value();
    RunOperation([b](TPictures &e, QImage &p) { e.BlackAndWhite(b, p); });
}

void TImageForm::BtnGrayClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.Grayscale(p); });
}

void TImageForm::BtnClearRectClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.ClearEdges(p); });
}

// The particles of the black-and-white picture become a new numbered sample window; the
// picture shows the marked copy.
void TImageForm::AnalyseInto(QImage &picture)
{
    if (picture.isNull())
        return;
    emit undoAvailable(false);
    auto data = std::make_unique<TSampleData>();
    engine_.AnalyseBinary(*data, settings_.measure, settings_.kpix, picture);
    emit analysisReady(*data);
    const int n = data->Count;
    if (n >= pictures::MaxParticles)
        ShowMessage(QStringLiteral("Анализ остановлен на %1 частицах: в выборку вошли первые %1")
                        .arg(pictures::MaxParticles));
    else if (n == 0)
        ShowMessage(QStringLiteral("Частицы не найдены: анализ ищет черные частицы на белом фоне. "
                                   "Сначала преобразуйте изображение в черно-белое."));
}

void TImageForm::BtnAnalis1Click()
{
    AnalyseInto(picture_);
    PictureChanged();
}

void TImageForm::BtnAnalis2SelectClick()
{
    const int t = EditGrad->value();
    const uint32_t c = Analis2Color;
    RunOperation([=](TPictures &e, QImage &p) { e.MarkColour(c, t, p); });
}

// The marks become black shapes on white in a new image window, which is then analysed.
void TImageForm::BtnAnalis2CalcClick()
{
    if (!picture_.isNull())
        emit maskForAnalysis(TPictures::MaskToBinary(picture_));
}

// The chosen user function of the add-on library on this picture. It takes no undo copy:
// what the function changes cannot be undone.
void TImageForm::BtnPClick()
{
    UserFunctions &library = LoadedUserFunctions();
    if (!library.Loaded()) {
        // Without the library there is nothing to call; say why instead of doing nothing.
        ShowMessage(QString::fromUtf8(UserFunctions::NotFoundMessage));
        return;
    }
    const int i = settings_.userFunction;
    double result = 0;
    if (!library.Apply(i, picture_, result))
        return; // no such function, or no picture
    PictureChanged();
    emit seriesWanted(false);
    emit seriesLines({QStringLiteral("Функция пользователя: ") + library.Name(i),
                      UserFunctionResultText(result, numtext::SystemDecimalSeparator())});
    setFocus();
}

void TImageForm::BuildSelectBar()
{
    auto action = [this](const QString &glyph, const QString &hint, void (TImageForm::*slot)()) {
        QAction *a = BarSelect->addAction(TextGlyph(glyph), hint);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    selectGroup_ = new QActionGroup(this);
    selectGroup_->setExclusive(true);
    auto tool = [&](const QString &glyph, const QString &hint, void (TImageForm::*slot)()) {
        QAction *a = action(glyph, hint, slot);
        a->setCheckable(true);
        selectGroup_->addAction(a);
        return a;
    };
    BtnSelect0 = tool(QStringLiteral("↗"), QStringLiteral("Линейные измерения"), &TImageForm::ModeSelect0);
    BtnSelect1 = tool(QStringLiteral("□"), QStringLiteral("Выделение прямоугольником"), &TImageForm::ModeSelect1);
    BtnSelect2 = tool(QStringLiteral("○"), QStringLiteral("Выделение эллипсом"), &TImageForm::BtnSelect2Click);
    BtnSelect3 = tool(QStringLiteral("⌇"), QStringLiteral("Выделение отрезками"), &TImageForm::ModeSelect3);
    BtnSelect4 = tool(QStringLiteral("~"), QStringLiteral("Непрерывное выделение"), &TImageForm::ModeSelect4);
    BtnSelect0->setChecked(true);
    BarSelect->addSeparator();
    BtnUnselect = action(QStringLiteral("✕"), QStringLiteral("Отменить выделение"), &TImageForm::UnselectClick);
    BtnSelectCopy = action(QStringLiteral("⧉"), QStringLiteral("Дублировать выделение"), &TImageForm::SelectCopyClick);
    BtnSelectNew = action(QStringLiteral("N"), QStringLiteral("Новая серия измерений"), &TImageForm::SelectNewClick);
    BarSelect->addSeparator();
    BtnMesurePerimetrCalc = action(QStringLiteral("P"), QStringLiteral("Вычисление периметра"),
                                   &TImageForm::MesurePerimetrCalcClick);
    BtnMesureAreaCalc = action(QStringLiteral("S"), QStringLiteral("Вычисление площади"),
                               &TImageForm::MesureAreaCalcClick);
    BtnMesureSpectrCalc = action(QStringLiteral("D"), QStringLiteral("Вычисление спектральной плотности"),
                                 &TImageForm::BtnMesureSpectrCalcClick);
    Label5 = new QLabel(QStringLiteral("Размер = "), BarSelect);
    EditMesure = new QLineEdit(QStringLiteral("0,0"), BarSelect);
    EditMesure->setFixedWidth(100);
    NameAfter(Label5, EditMesure);
    BarSelect->addWidget(Label5);
    BarSelect->addWidget(EditMesure);
    BtnMesureAccept = BarSelect->addAction(QStringLiteral("Принять"));
    BtnMesureAccept->setToolTip(QStringLiteral("Принять"));
    BtnMesureAccept->setStatusTip(QStringLiteral("Принять"));
    connect(BtnMesureAccept, &QAction::triggered, this, &TImageForm::MesureAcceptClick);
    BarSelect->installEventFilter(this);
}

void TImageForm::BuildDrawingBars()
{
    auto group = [this](QToolBar *bar, QActionGroup *g, const QString &glyph, const QString &hint) {
        QAction *a = bar->addAction(TextGlyph(glyph), hint);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        a->setCheckable(true);
        g->addAction(a);
        return a;
    };
    auto panel = [this](QToolBar *bar, const QString &hint) {
        auto *b = new QToolButton(bar);
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setFixedSize(25, 25);
        SetPanelColour(b, Qt::black);
        bar->addWidget(b);
        return b;
    };

    brushGroup_ = new QActionGroup(this);
    SolidBrush = group(BarBrush, brushGroup_, QStringLiteral("■"), QStringLiteral("Сплошное заполнение"));
    ClearBrush = group(BarBrush, brushGroup_, QStringLiteral("□"), QStringLiteral("Невидимое заполнение"));
    HorizontalBrush = group(BarBrush, brushGroup_, QStringLiteral("≡"), QStringLiteral("Горизонтальное заполнение"));
    VerticalBrush = group(BarBrush, brushGroup_, QStringLiteral("|||"), QStringLiteral("Вертикальное заполнение"));
    FDiagonalBrush = group(BarBrush, brushGroup_, QStringLiteral("///"), QStringLiteral("Диагональное заполнение"));
    BDiagonalBrush = group(BarBrush, brushGroup_, QStringLiteral("\\\\\\"), QStringLiteral("Диагональное заполнение"));
    CrossBrush = group(BarBrush, brushGroup_, QStringLiteral("#"), QStringLiteral("Заполнение в клеточку"));
    DiagCrossBrush = group(BarBrush, brushGroup_, QStringLiteral("X"), QStringLiteral("Заполнение в косую решоточку"));
    SolidBrush->setChecked(true);
    connect(brushGroup_, &QActionGroup::triggered, this, &TImageForm::BrushClick);
    BtnBrushColor = panel(BarBrush, QStringLiteral("Цвет заполнения"));
    connect(BtnBrushColor, &QToolButton::clicked, this, &TImageForm::BtnBrushColorClick);
    BarBrush->addSeparator();
    shapeGroup_ = new QActionGroup(this);
    PointButton = group(BarBrush, shapeGroup_, QStringLiteral("·"), QStringLiteral("Точка"));
    LineButton = group(BarBrush, shapeGroup_, QStringLiteral("/"), QStringLiteral("Линия"));
    RectangleButton = group(BarBrush, shapeGroup_, QStringLiteral("▭"), QStringLiteral("Квадрат"));
    EllipseButton = group(BarBrush, shapeGroup_, QStringLiteral("◯"), QStringLiteral("Круг"));
    RoundRectButton = group(BarBrush, shapeGroup_, QStringLiteral("▢"), QStringLiteral("Элипс"));
    PointButton->setChecked(true);
    for (auto [button, shape] : {std::pair{PointButton, ShapePoint}, {LineButton, ShapeLine},
                                 {RectangleButton, ShapeRectangle}, {EllipseButton, ShapeEllipse},
                                 {RoundRectButton, ShapeRoundRect}})
        button->setData(int(shape));
    connect(shapeGroup_, &QActionGroup::triggered, this, &TImageForm::DrawingToolClick);

    penGroup_ = new QActionGroup(this);
    SolidPen = group(BarPen, penGroup_, QStringLiteral("—"), QStringLiteral("Сплошная линия"));
    DashPen = group(BarPen, penGroup_, QStringLiteral("- -"), QStringLiteral("Пунктирная линия"));
    DotPen = group(BarPen, penGroup_, QStringLiteral("···"), QStringLiteral("Пунктирная линия"));
    DashDotPen = group(BarPen, penGroup_, QStringLiteral("-·-"), QStringLiteral("Штрихпунктирная линия"));
    DashDotDotPen = group(BarPen, penGroup_, QStringLiteral("-··"), QStringLiteral("Штрихпунктирная линия"));
    ClearPen = group(BarPen, penGroup_, QStringLiteral(" "), QStringLiteral("Невидимая линия"));
    SolidPen->setChecked(true);
    connect(penGroup_, &QActionGroup::triggered, this, &TImageForm::PenClick);
    BtnPenColor = panel(BarPen, QStringLiteral("Цвет карандаша"));
    connect(BtnPenColor, &QToolButton::clicked, this, &TImageForm::BtnPenColorClick);
    PenWidth = new QScrollBar(Qt::Horizontal, BarPen);
    PenWidth->setRange(1, 100);
    PenWidth->setValue(1);
    PenWidth->setPageStep(10);
    PenWidth->setFixedWidth(120);
    PenWidth->setToolTip(QStringLiteral("Размер карандаша"));
    PenWidth->setStatusTip(QStringLiteral("Размер карандаша"));
    PenWidth->setAccessibleName(QStringLiteral("Размер карандаша"));
    PenSize = new QLabel(QStringLiteral("1"), BarPen);
    PenSize->setMinimumWidth(24);
    BarPen->addWidget(PenWidth);
    BarPen->addWidget(PenSize);
    connect(PenWidth, &QScrollBar::valueChanged, this, &TImageForm::PenWidthChange);
}

void TImageForm::SetPanelColour(QToolButton *panel, const QColor &colour)
{
    panel->setStyleSheet(QStringLiteral("background-color: %1").arg(colour.name()));
}

void TImageForm::RestoreMarks()
{
    const QImage &copy = engine_.WorkingCopy();
    if (marksDrawn_ && selectCopyKey_ != 0 && copy.cacheKey() == selectCopyKey_ && copy.size() == picture_.size()
        && copy.format() == picture_.format()) {
        engine_.RestoreFromCopy(picture_);
        PictureChanged();
    }
    marksDrawn_ = false;
}

void TImageForm::StartSelectTool(SelectionTools::Tool tool)
{
    UnselectClick();
    SelectTools.SetTool(tool);
    MouseIsDown = false;
}

void TImageForm::ModeSelect0() { StartSelectTool(SelectionTools::Segment); }
void TImageForm::ModeSelect1() { StartSelectTool(SelectionTools::Rectangle); }
void TImageForm::BtnSelect2Click() { StartSelectTool(SelectionTools::Ellipse); }
void TImageForm::ModeSelect3() { StartSelectTool(SelectionTools::Segments); }
void TImageForm::ModeSelect4() { StartSelectTool(SelectionTools::Freehand); }

void TImageForm::UnselectClick()
{
    RestoreMarks();
    SelectTools.selection.Clear();
}

void TImageForm::SelectCopyClick()
{
    if (SelectTools.selection.Count() < 3 || picture_.isNull())
        return;
    RestoreMarks();
    const QImage part = CopySelection(picture_, SelectTools.selection);
    if (!part.isNull())
        emit newPicture(part);
    BarSelect->hide();
}

void TImageForm::SelectNewClick()
{
    emit seriesWanted(true);
    setFocus();
}

void TImageForm::MesurePerimetrCalcClick()
{
    EditMesure->setText(
        measure::PerimeterText(SelectTools.selection, settings_.kpix, numtext::SystemDecimalSeparator()));
    UnselectClick();
}

void TImageForm::MesureAreaCalcClick()
{
    EditMesure->setText(measure::AreaText(SelectTools.selection, settings_.kpix, numtext::SystemDecimalSeparator()));
    UnselectClick();
}

void TImageForm::BtnMesureSpectrCalcClick()
{
    // Measured with the outline still drawn: its inverted pixels inside count as they are.
    const measure::Densities d = measure::ChannelDensity(picture_, SelectTools.selection);
    emit seriesLines(measure::DensityLines(d, numtext::SystemDecimalSeparator()));
    UnselectClick();
}

void TImageForm::MesureAcceptClick()
{
    long double value = 0;
    // A text that is no number adds nothing.
    if (numtext::ReadNumber(EditMesure->text().trimmed(), numtext::SystemDecimalSeparator(), value))
        emit seriesValueAccepted(value);
}

namespace {
// The shape a button of the shape group draws; the point when none is chosen.
ToolShapeKind ShapeOf(const QAction *button)
{
    return button ? ToolShapeKind(button->data().toInt()) : ShapePoint;
}
} // namespace

void TImageForm::ApplyGraphControls()
{
    const QList<QAction *> brushes = brushGroup_->actions();
    const QList<QAction *> pens = penGroup_->actions();
    GraphTool.toolShape = ShapeOf(shapeGroup_->checkedAction());
    GraphTool.style.brushStyle = BrushStyleOfButton(int(brushes.indexOf(brushGroup_->checkedAction())));
    GraphTool.style.brushColor = BrushColor;
    GraphTool.style.penColor = PenColor;
    GraphTool.style.penWidth = PenWidth->value();
    GraphTool.style.penStyle = PenStyleOfButton(int(pens.indexOf(penGroup_->checkedAction())));
}

void TImageForm::BrushClick(QAction *button)
{
    GraphTool.style.brushStyle = BrushStyleOfButton(int(brushGroup_->actions().indexOf(button)));
}

void TImageForm::PenClick(QAction *button)
{
    GraphTool.style.penStyle = PenStyleOfButton(int(penGroup_->actions().indexOf(button)));
}

void TImageForm::DrawingToolClick(QAction *button)
{
    GraphTool.toolShape = ShapeOf(button);
}

void TImageForm::BtnBrushColorClick()
{
    QColorDialog dialog(BrushColor, this);
    if (ExecDialog(&dialog) != QDialog::Accepted || !dialog.currentColor().isValid())
        return;
    BrushColor = dialog.currentColor();
    SetPanelColour(BtnBrushColor, BrushColor);
    GraphTool.style.brushColor = BrushColor;
}

void TImageForm::BtnPenColorClick()
{
    QColorDialog dialog(PenColor, this);
    if (ExecDialog(&dialog) != QDialog::Accepted || !dialog.currentColor().isValid())
        return;
    PenColor = dialog.currentColor();
    SetPanelColour(BtnPenColor, PenColor);
    GraphTool.style.penColor = PenColor;
}

void TImageForm::PenWidthChange()
{
    PenSize->setText(QString::number(PenWidth->value()));
    GraphTool.style.penWidth = PenWidth->value();
}

TImageView::TImageView(TImageForm *form) : QWidget(), form_(form)
{
    setMouseTracking(false);
    setFocusPolicy(Qt::ClickFocus); // a click on the picture takes the keyboard from a field
}

void TImageView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!form_->Picture().isNull())
        p.drawImage(rect(), form_->Picture());
}

void TImageView::mousePressEvent(QMouseEvent *e)
{
    form_->ImageMouseDown(e->position().toPoint(), e->button());
}

void TImageView::mouseMoveEvent(QMouseEvent *e)
{
    form_->ImageMouseMove(e->position().toPoint());
}

void TImageView::mouseReleaseEvent(QMouseEvent *e)
{
    form_->ImageMouseUp(e->position().toPoint());
}
