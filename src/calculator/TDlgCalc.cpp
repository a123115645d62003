#include "calculator/TDlgCalc.h"

#include "base/NumberForms.h"
#include "widgets/Messages.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace {

QPushButton *MakeButton(QWidget *parent, const QString &caption, const char *color)
{
    auto *b = new QPushButton(caption, parent);
    b->setStyleSheet(QStringLiteral("QPushButton { color: %1; font-weight: bold; }").arg(QLatin1String(color)));
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(40, 28);
    return b;
}

} // namespace

TDlgCalc::TDlgCalc(QWidget *parent, QChar sep)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      engine_(sep.isNull() ? numtext::SystemDecimalSeparator() : sep)
{
    setObjectName(QStringLiteral("DlgCalc"));
    setWindowTitle(tr("Калькулятор"));

    Edit1 = new QLineEdit(this);
    Edit1->setAlignment(Qt::AlignRight);
    // Typing into the display is discarded: it changes only through the buttons.
    Edit1->setReadOnly(true);
    connect(Edit1, &QLineEdit::textEdited, this, &TDlgCalc::Edit1Change);

    const char *navy = "navy", *red = "red";
    Button0 = MakeButton(this, QStringLiteral("0"), navy);
    Button1 = MakeButton(this, QStringLiteral("1"), navy);
    Button2 = MakeButton(this, QStringLiteral("2"), navy);
    Button3 = MakeButton(this, QStringLiteral("3"), navy);
    Button4 = MakeButton(this, QStringLiteral("4"), navy);
    Button5 = MakeButton(this, QStringLiteral("5"), navy);
    Button6 = MakeButton(this, QStringLiteral("6"), navy);
    Button7 = MakeButton(this, QStringLiteral("7"), navy);
    Button8 = MakeButton(this, QStringLiteral("8"), navy);
    Button9 = MakeButton(this, QStringLiteral("9"), navy);
    // The key writes the separator the number format reads.
    ButtonZ = MakeButton(this, QString(engine_.Separator()), navy);
    ButtonDiv = MakeButton(this, QStringLiteral("/"), red);
    ButtonMult = MakeButton(this, QStringLiteral("*"), red);
    ButtonMinus = MakeButton(this, QStringLiteral("-"), red);
    ButtonPlus = MakeButton(this, QStringLiteral("+"), red);
    ButtonEnter = MakeButton(this, QStringLiteral("="), red);
    ButtonSqrt = MakeButton(this, QStringLiteral("Sqrt"), red);
    ButtonInvert = MakeButton(this, QStringLiteral("1/x"), red);
    ButtonC = MakeButton(this, QStringLiteral("c"), red);

    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->addWidget(Edit1, 0, 0, 1, 5);
    QPushButton *rows[4][5] = {{Button7, Button8, Button9, ButtonDiv, ButtonSqrt},
                               {Button4, Button5, Button6, ButtonMult, ButtonInvert},
                               {Button1, Button2, Button3, ButtonMinus, ButtonC},
                               {Button0, nullptr, ButtonZ, ButtonPlus, ButtonEnter}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            if (rows[r][c])
                grid->addWidget(rows[r][c], r + 1, c, 1, rows[r][c] == Button0 ? 2 : 1);

    QPushButton *digits[10] = {Button0, Button1, Button2, Button3, Button4,
                               Button5, Button6, Button7, Button8, Button9};
    for (int d = 0; d < 10; ++d)
        connect(digits[d], &QPushButton::clicked, this, [this, d] { DigitClick(d); });
    connect(ButtonZ, &QPushButton::clicked, this, &TDlgCalc::ButtonZClick);
    for (QPushButton *b : {ButtonPlus, ButtonMinus, ButtonMult, ButtonDiv, ButtonEnter})
        connect(b, &QPushButton::clicked, this, &TDlgCalc::ButtonPlusClick);
    for (QPushButton *b : {ButtonSqrt, ButtonInvert})
        connect(b, &QPushButton::clicked, this, &TDlgCalc::ButtonSqrtClick);
    connect(ButtonC, &QPushButton::clicked, this, &TDlgCalc::ButtonCClick);

    FormCreate();
}

void TDlgCalc::FormCreate()
{
    Edit1->setText(engine_.Display());
    // A fixed border, centred on the screen.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TDlgCalc::Show(const QString &message)
{
    Edit1->setText(engine_.Display());
    if (!message.isEmpty())
        ShowMessage(message);
}

void TDlgCalc::DigitClick(int d)
{
    engine_.Digit(d);
    Show({});
}

void TDlgCalc::ButtonZClick()
{
    engine_.Comma();
    Show({});
}

void TDlgCalc::ButtonPlusClick()
{
    const QObject *b = sender();
    const CalcEngine::Op code = b == ButtonPlus    ? CalcEngine::OpPlus
                     : b == ButtonMinus ? CalcEngine::OpMinus
                     : b == ButtonMult  ? CalcEngine::OpMult
                     : b == ButtonDiv   ? CalcEngine::OpDiv
                                        : CalcEngine::OpEnter;
    Show(engine_.Operator(code));
}

void TDlgCalc::ButtonSqrtClick()
{
    Show(engine_.Root(sender() == ButtonInvert ? CalcEngine::OpInvert : CalcEngine::OpSqrt));
}

void TDlgCalc::ButtonCClick()
{
    engine_.Clear();
    Show({});
}

void TDlgCalc::Edit1Change()
{
    Edit1->setText(engine_.Display());
}

void TDlgCalc::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit VisibilityChanged(true);
}

void TDlgCalc::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit VisibilityChanged(false);
}
