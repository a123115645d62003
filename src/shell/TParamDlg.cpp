#include "shell/TParamDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QGroupBox *Group(QWidget *parent, const QString &caption, QWidget *a, QWidget *b = nullptr)
{
    auto *g = new QGroupBox(caption, parent);
    auto *l = new QVBoxLayout(g);
    l->addWidget(a);
    if (b)
        l->addWidget(b);
    return g;
}
} // namespace

TParamDlg::TParamDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Параметры"));
    RasprFunc = new QComboBox(this);
    RasprFunc->addItems({tr("Авто"), tr("Годена-Андреева"),
                         tr("Розина-Раммлера"), tr("Норамльного распределения"),
                         tr("Лог. норм. распределения")});
    CheckBox1 = new QCheckBox(tr("Гистограмма"), this);
    CheckBox2 = new QCheckBox(tr("Расчетная кривая"), this);
    CheckBox1->setChecked(true);
    CheckBox2->setChecked(true);
    MesureFunc = new QComboBox(this);
    MesureFunc->addItems({tr("Линейный размер"), tr("Площадь"),
                          tr("Периметр")});
    ListAddFunc = new QComboBox(this);
    RasprFunc->setCurrentIndex(0);
    MesureFunc->setCurrentIndex(0);

    GroupBox4 = Group(this, tr("Показывать график функции"), RasprFunc);
    GroupBox1 = Group(this, tr("Показывать элементы"), CheckBox1, CheckBox2);
    GroupBox7 = Group(this, tr("Анализ"), MesureFunc);
    GroupBox6 = Group(this, tr("Функция пользователя"), ListAddFunc);
    for (QGroupBox *g : {GroupBox4, GroupBox7, GroupBox6})
        g->findChild<QComboBox *>()->setAccessibleName(g->title());
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(GroupBox4), static_cast<QWidget *>(GroupBox1),
                       static_cast<QWidget *>(GroupBox7), static_cast<QWidget *>(GroupBox6)})
        layout->addWidget(w);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
