#include "samples/TFormStatDlg.h"
#include "base/NumberForms.h"
#include "samples/Generation.h"
#include "widgets/Commands.h"
#include "widgets/Messages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFormStatDlg::TFormStatDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Формирование выборки"));
    const QChar sep = numtext::SystemDecimalSeparator();
    auto text = [sep](const char *s) { return QString::fromLatin1(s).replace(QLatin1Char(','), sep); };

    auto *law = new QGroupBox(tr("Закон распределения"), this);
    BtnGoden = new QRadioButton(tr("Годена-Андреева"), law);
    BtnRosin = new QRadioButton(tr("Розина-Раммлера"), law);
    BtnLogNorm = new QRadioButton(tr("Логарифмически нормальный"), law);
    BtnRosin->setChecked(true);
    auto *ll = new QVBoxLayout(law);
    ll->addWidget(BtnGoden);
    ll->addWidget(BtnRosin);
    ll->addWidget(BtnLogNorm);

    auto *sample = new QGroupBox(tr("Параметры выборки"), this);
    SpinEdit = new QSpinBox(sample);
    SpinEdit->setRange(generation::kMinPoints, generation::kMaxPoints);
    SpinEdit->setValue(1000);
    Edit3 = new QLineEdit(text("0,000"), sample);
    Edit4 = new QLineEdit(text("300,000"), sample);
    auto *sl = new QFormLayout(sample);
    for (auto [label, field] : {std::pair<const char *, QWidget *>{QT_TR_NOOP("Число точек"), SpinEdit},
                                {QT_TR_NOOP("Начальный диаметр, мкм"), Edit3},
                                {QT_TR_NOOP("Конечный диаметр, мкм"), Edit4}}) {
        sl->addRow(tr(label), field);
        field->setAccessibleName(tr(label));
    }

    auto *params = new QGroupBox(tr("Параметры распределения"), this);
    Label2 = new QLabel(params);
    Label3 = new QLabel(params);
    Edit1 = new QLineEdit(text("3,260"), params);
    Edit2 = new QLineEdit(text("176,000"), params);
    auto *pl = new QFormLayout(params);
    pl->addRow(Label2, Edit1);
    pl->addRow(Label3, Edit2);

    QHBoxLayout *buttons = OkCancelRow(this, tr("Отмена"), BtnOK, BtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(law);
    layout->addWidget(sample);
    layout->addWidget(params);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this);

    for (QRadioButton *b : {BtnGoden, BtnRosin, BtnLogNorm})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                LawChanged();
        });
    LawChanged();
}

// The labels name the chosen law's two parameters; so do the fields' accessible names.
void TFormStatDlg::LawChanged()
{
    if (BtnGoden->isChecked()) {
        Label2->setText(QStringLiteral("l\t="));
        Label3->setText(QStringLiteral("a\t="));
    } else if (BtnRosin->isChecked()) {
        Label2->setText(QStringLiteral("a\t="));
        Label3->setText(QStringLiteral("b\t="));
    } else {
        Label2->setText(QStringLiteral("ln(S)\t="));
        Label3->setText(QStringLiteral("ln(d50)\t="));
    }
    Edit1->setAccessibleName(Label2->text().replace(QLatin1Char('\t'), QLatin1Char(' ')));
    Edit2->setAccessibleName(Label3->text().replace(QLatin1Char('\t'), QLatin1Char(' ')));
}
