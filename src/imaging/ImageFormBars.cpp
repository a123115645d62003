// The image window's bars: the command bar, the bars of the modes under it, the manual
// measurement bar and the graphic editor's two bars.
#include "imaging/TImageForm.h"
#include "widgets/Commands.h"
#include "widgets/Glyphs.h"
#include "widgets/Messages.h"

#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

void TImageForm::BuildBars()
{
    BarImage = new QToolBar(this);
    BarImage->setIconSize(QSize(20, 20));
    auto button = [this](const QString &glyph, const QString &hint, void (TImageForm::*slot)()) {
        return AddCommand(BarImage, TextGlyph(glyph), hint, this, slot);
    };
    BtnGraph = button(QStringLiteral("✎"), tr("Графический редактор"), &TImageForm::BtnGraphClick);
    BtnFiltr = button(QStringLiteral("M"), tr("Медианная фильтрация изображения"), &TImageForm::BtnFiltrClick);
    BtnNegative = button(QStringLiteral("◐"), tr("Преобразование в негативное изображение"),
                         &TImageForm::BtnNegativeClick);
    BtnMirrorH = button(QStringLiteral("↔"), tr("Отразить по горизонтали"), &TImageForm::BtnMirrorHClick);
    BtnMirrorV = button(QStringLiteral("↕"), tr("Отразить по вертикали"), &TImageForm::BtnMirrorVClick);
    BtnDiffImage = button(QStringLiteral("▤"), tr("Разделить по оттенкам"), &TImageForm::BtnDiffImageClick);
    BtnBandW = button(QStringLiteral("BW"), tr("Преобразование в черно-белое изображение"),
                      &TImageForm::BtnBandWClick);
    BtnGray = button(QStringLiteral("G"), tr("Преобразование в оттенки серого"), &TImageForm::BtnGrayClick);
    BtnClearRect = button(QStringLiteral("▢"), tr("Обработка краев изображения"),
                          &TImageForm::BtnClearRectClick);
    BtnSelect = button(QStringLiteral("⌖"), tr("Ручные измерения"), &TImageForm::BtnSelectClick);
    BtnAnalis1 = button(QStringLiteral("A1"), tr("Анализ бинарного изображения"), &TImageForm::BtnAnalis1Click);
    btnAnalis2 = button(QStringLiteral("A2"), tr("Анализ по оттенкам"), &TImageForm::btnAnalis2Click);
    BtnP = button(QStringLiteral("P"), tr("Функция пользователя"), &TImageForm::BtnPClick);
    // The mirrors are standard actions with the desktop's own pictures.
    BtnMirrorH->setIcon(StandardIcon(QStringLiteral("object-flip-horizontal")));
    BtnMirrorV->setIcon(StandardIcon(QStringLiteral("object-flip-vertical")));
    BtnSelect->setIcon(DrawnIcon(QStringLiteral("grizal-manual-measure")));

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
    BarDiffColor1->setText(tr("Цвет 1"));
    BarDiffColor2 = new QToolButton(BarDiffImage);
    BarDiffColor2->setText(tr("Цвет 2"));
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
    RadioButton1 = new QRadioButton(tr("<Цвет 1"), BarDiffImage);
    RadioButton2 = new QRadioButton(tr(">Цвет 1"), BarDiffImage);
    RadioButton3 = new QRadioButton(tr("Цвет 1<X<Цвет 2"), BarDiffImage);
    QRadioButton *relations[] = {RadioButton1, RadioButton2, RadioButton3}; // by ShadeRelation
    relations[pictures::ShadeDefault]->setChecked(true);
    BarDiffImage->addWidget(BarDiffColor1);
    BarDiffImage->addWidget(BarDiffColor2);
    BarDiffImage->addWidget(RadioButton1);
    BarDiffImage->addWidget(RadioButton2);
    BarDiffImage->addWidget(RadioButton3);
    BtnDiffImageApply = BarDiffImage->addAction(tr("Применить"));
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
    BtnFiltrApply = BarFiltrImage->addAction(tr("Применить"));
    connect(BtnFiltrApply, &QAction::triggered, this, &TImageForm::BtnFiltrApplyClick);

    // Black and white by brightness.
    Label3 = new QLabel(tr("Яркость, % ="), BarBandW);
    EditBright = new QSpinBox(BarBandW);
    EditBright->setRange(pictures::BrightMin, pictures::BrightMax);
    EditBright->setValue(pictures::BrightDefault);
    NameAfter(Label3, EditBright);
    BarBandW->addWidget(Label3);
    BarBandW->addWidget(EditBright);
    BtnBandWApply = BarBandW->addAction(tr("Применить"));
    connect(BtnBandWApply, &QAction::triggered, this, &TImageForm::BtnBandWApplyClick);

    // Analysis by shades: the colour, its tolerance, marking and computing.
    Label4 = new QLabel(tr("Градиент ="), BarAnalis2);
    EditGrad = new QSpinBox(BarAnalis2);
    EditGrad->setRange(pictures::GradMin, pictures::GradMax);
    EditGrad->setValue(pictures::GradDefault);
    BarAnalis2Color = new QToolButton(BarAnalis2);
    BarAnalis2Color->setText(tr("Цвет"));
    SetDiffColour(BarAnalis2Color, Analis2Color);
    NameAfter(Label4, EditGrad);
    BarAnalis2->addWidget(Label4);
    BarAnalis2->addWidget(EditGrad);
    BarAnalis2->addWidget(BarAnalis2Color);
    BtnAnalis2Select = BarAnalis2->addAction(tr("Отметить"));
    BtnAnalis2Calc = BarAnalis2->addAction(tr("Рассчитать"));
    connect(BtnAnalis2Select, &QAction::triggered, this, &TImageForm::BtnAnalis2SelectClick);
    connect(BtnAnalis2Calc, &QAction::triggered, this, &TImageForm::BtnAnalis2CalcClick);

    BuildSelectBar();
    BuildDrawingBars();
}

void TImageForm::BuildSelectBar()
{
    auto action = [this](const QString &glyph, const QString &hint, void (TImageForm::*slot)()) {
        return AddCommand(BarSelect, TextGlyph(glyph), hint, this, slot);
    };
    selectGroup_ = new QActionGroup(this);
    selectGroup_->setExclusive(true);
    auto tool = [&](const QString &glyph, const QString &hint, void (TImageForm::*slot)()) {
        QAction *a = action(glyph, hint, slot);
        a->setCheckable(true);
        selectGroup_->addAction(a);
        return a;
    };
    BtnSelect0 = tool(QStringLiteral("↗"), tr("Линейные измерения"), &TImageForm::ModeSelect0);
    BtnSelect1 = tool(QStringLiteral("□"), tr("Выделение прямоугольником"), &TImageForm::ModeSelect1);
    BtnSelect2 = tool(QStringLiteral("○"), tr("Выделение эллипсом"), &TImageForm::BtnSelect2Click);
    BtnSelect3 = tool(QStringLiteral("⌇"), tr("Выделение отрезками"), &TImageForm::ModeSelect3);
    BtnSelect4 = tool(QStringLiteral("~"), tr("Непрерывное выделение"), &TImageForm::ModeSelect4);
    BtnSelect0->setChecked(true);
    BarSelect->addSeparator();
    BtnUnselect = action(QStringLiteral("✕"), tr("Отменить выделение"), &TImageForm::UnselectClick);
    BtnSelectCopy = action(QStringLiteral("⧉"), tr("Дублировать выделение"), &TImageForm::SelectCopyClick);
    BtnSelectCopy->setIcon(DrawnIcon(QStringLiteral("grizal-duplicate-selection")));
    BtnSelectNew = action(QStringLiteral("N"), tr("Новая серия измерений"), &TImageForm::SelectNewClick);
    BarSelect->addSeparator();
    BtnMesurePerimetrCalc = action(QStringLiteral("P"), tr("Вычисление периметра"),
                                   &TImageForm::MesurePerimetrCalcClick);
    BtnMesureAreaCalc = action(QStringLiteral("S"), tr("Вычисление площади"),
                               &TImageForm::MesureAreaCalcClick);
    BtnMesureSpectrCalc = action(QStringLiteral("D"), tr("Вычисление спектральной плотности"),
                                 &TImageForm::BtnMesureSpectrCalcClick);
    Label5 = new QLabel(tr("Размер = "), BarSelect);
    EditMesure = new QLineEdit(QStringLiteral("0,0"), BarSelect);
    EditMesure->setFixedWidth(100);
    NameAfter(Label5, EditMesure);
    BarSelect->addWidget(Label5);
    BarSelect->addWidget(EditMesure);
    BtnMesureAccept = AddCommand(BarSelect, QIcon(), tr("Принять"), this, &TImageForm::MesureAcceptClick);
    BarSelect->installEventFilter(this);
}

void TImageForm::BuildDrawingBars()
{
    auto group = [](QToolBar *bar, QActionGroup *g, const QString &glyph, const QString &hint) {
        QAction *a = AddCommand(bar, TextGlyph(glyph), hint);
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
    SolidBrush = group(BarBrush, brushGroup_, QStringLiteral("■"), tr("Сплошное заполнение"));
    ClearBrush = group(BarBrush, brushGroup_, QStringLiteral("□"), tr("Невидимое заполнение"));
    HorizontalBrush = group(BarBrush, brushGroup_, QStringLiteral("≡"), tr("Горизонтальное заполнение"));
    VerticalBrush = group(BarBrush, brushGroup_, QStringLiteral("|||"), tr("Вертикальное заполнение"));
    FDiagonalBrush = group(BarBrush, brushGroup_, QStringLiteral("///"), tr("Диагональное заполнение"));
    BDiagonalBrush = group(BarBrush, brushGroup_, QStringLiteral("\\\\\\"), tr("Диагональное заполнение"));
    CrossBrush = group(BarBrush, brushGroup_, QStringLiteral("#"), tr("Заполнение в клеточку"));
    DiagCrossBrush = group(BarBrush, brushGroup_, QStringLiteral("X"), tr("Заполнение в косую решоточку"));
    SolidBrush->setChecked(true);
    connect(brushGroup_, &QActionGroup::triggered, this, &TImageForm::BrushClick);
    BtnBrushColor = panel(BarBrush, tr("Цвет заполнения"));
    connect(BtnBrushColor, &QToolButton::clicked, this, &TImageForm::BtnBrushColorClick);
    BarBrush->addSeparator();
    shapeGroup_ = new QActionGroup(this);
    PointButton = group(BarBrush, shapeGroup_, QStringLiteral("·"), tr("Точка"));
    LineButton = group(BarBrush, shapeGroup_, QStringLiteral("/"), tr("Линия"));
    RectangleButton = group(BarBrush, shapeGroup_, QStringLiteral("▭"), tr("Квадрат"));
    EllipseButton = group(BarBrush, shapeGroup_, QStringLiteral("◯"), tr("Круг"));
    RoundRectButton = group(BarBrush, shapeGroup_, QStringLiteral("▢"), tr("Элипс"));
    PointButton->setChecked(true);
    for (auto [button, shape] : {std::pair{PointButton, ShapePoint}, {LineButton, ShapeLine},
                                 {RectangleButton, ShapeRectangle}, {EllipseButton, ShapeEllipse},
                                 {RoundRectButton, ShapeRoundRect}})
        button->setData(int(shape));
    connect(shapeGroup_, &QActionGroup::triggered, this, &TImageForm::DrawingToolClick);

    penGroup_ = new QActionGroup(this);
    SolidPen = group(BarPen, penGroup_, QStringLiteral("—"), tr("Сплошная линия"));
    DashPen = group(BarPen, penGroup_, QStringLiteral("- -"), tr("Пунктирная линия"));
    DotPen = group(BarPen, penGroup_, QStringLiteral("···"), tr("Пунктирная линия"));
    DashDotPen = group(BarPen, penGroup_, QStringLiteral("-·-"), tr("Штрихпунктирная линия"));
    DashDotDotPen = group(BarPen, penGroup_, QStringLiteral("-··"), tr("Штрихпунктирная линия"));
    ClearPen = group(BarPen, penGroup_, QStringLiteral(" "), tr("Невидимая линия"));
    SolidPen->setChecked(true);
    connect(penGroup_, &QActionGroup::triggered, this, &TImageForm::PenClick);
    BtnPenColor = panel(BarPen, tr("Цвет карандаша"));
    connect(BtnPenColor, &QToolButton::clicked, this, &TImageForm::BtnPenColorClick);
    PenWidth = new QScrollBar(Qt::Horizontal, BarPen);
    PenWidth->setRange(1, 100);
    PenWidth->setValue(1);
    PenWidth->setPageStep(10);
    PenWidth->setFixedWidth(120);
    PenWidth->setToolTip(tr("Размер карандаша"));
    PenWidth->setStatusTip(tr("Размер карандаша"));
    PenWidth->setAccessibleName(tr("Размер карандаша"));
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

void TImageForm::SetDiffColour(QToolButton *panel, uint32_t c)
{
    const QColor colour(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    panel->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                             .arg(colour.name(), colour.lightness() > 128 ? "black" : "white"));
}
