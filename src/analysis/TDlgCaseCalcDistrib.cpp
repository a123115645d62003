#include "analysis/TDlgCaseCalcDistrib.h"
#include "widgets/Messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDlgCaseCalcDistrib::TDlgCaseCalcDistrib(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Распределение"));
    auto *frame = new QGroupBox(this);
    ButtonD = new QRadioButton(tr("По числу частиц"), frame);
    ButtonV = new QRadioButton(tr("По объему частиц"), frame);
    ButtonD->setChecked(true);
    auto *fl = new QVBoxLayout(frame);
    fl->addWidget(ButtonD);
    fl->addWidget(ButtonV);
    auto *cancel = new QPushButton(tr("Отмена"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this);
}
