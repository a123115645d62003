#include "samples/TGroupDlg.h"
#include "samples/Grouping.h"
#include "widgets/Commands.h"
#include "widgets/Messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

TGroupDlg::TGroupDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Группировка данных"));
    auto *kind = new QGroupBox(tr("Вид группировки"), this);
    RadioButton1 = new QRadioButton(tr("По числу интервалов"), kind);
    RadioButton2 = new QRadioButton(tr("По длинне интервалов"), kind);
    RadioButton3 = new QRadioButton(tr("По числу частиц"), kind);
    RadioButton1->setChecked(true);
    auto *kl = new QVBoxLayout(kind);
    kl->addWidget(RadioButton1);
    kl->addWidget(RadioButton2);
    kl->addWidget(RadioButton3);

    auto *params = new QGroupBox(tr("Параметры группировки"), this);
    SpinEdit1 = new QSpinBox(params);
    SpinEdit1->setRange(0, grouping::kMaxIntervals);
    Edit1 = new QLineEdit(params);
    SpinEdit2 = new QSpinBox(params);
    SpinEdit2->setRange(INT_MIN, INT_MAX);
    auto *pl = new QVBoxLayout(params);
    for (auto [label, field] : {std::pair<const char *, QWidget *>{QT_TR_NOOP("Число интервалов"), SpinEdit1},
                                {QT_TR_NOOP("Длина интервала, мкм"), Edit1},
                                {QT_TR_NOOP("Число частиц"), SpinEdit2}}) {
        auto *l = new QLabel(tr(label), params);
        l->setBuddy(field);
        field->setAccessibleName(l->text());
        pl->addWidget(l);
        pl->addWidget(field);
    }

    QHBoxLayout *buttons = OkCancelRow(this, tr("Отмена"), OKBtn, CancelBtn);

    auto *top = new QHBoxLayout;
    top->addWidget(kind);
    top->addWidget(params);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this);

    for (QRadioButton *b : {RadioButton1, RadioButton2, RadioButton3})
        connect(b, &QRadioButton::toggled, this, &TGroupDlg::ModeChanged);
    ModeChanged();
}

void TGroupDlg::ModeChanged()
{
    SpinEdit1->setEnabled(RadioButton1->isChecked());
    Edit1->setEnabled(RadioButton2->isChecked());
    SpinEdit2->setEnabled(RadioButton3->isChecked());
}
