#include "analysis/TFitDlg.h"
#include "base/NumberForms.h"
#include "widgets/Commands.h"
#include "widgets/Messages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFitDlg::TFitDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Статистика (максимальное правдоподобие)"));
    auto group = [this](const QString &title, QRadioButton *&first, const QString &a, QRadioButton *&second,
                        const QString &b) {
        auto *box = new QGroupBox(title, this);
        first = new QRadioButton(a, box);
        second = new QRadioButton(b, box);
        first->setChecked(true);
        auto *l = new QVBoxLayout(box);
        l->addWidget(first);
        l->addWidget(second);
        return box;
    };
    QGroupBox *by = group(tr("Распределение"), ButtonD, tr("По &числу частиц"), ButtonV, tr("По &объему частиц"));
    QGroupBox *rows = group(tr("Строки таблицы"), ButtonRows, tr("&Размеры частиц"), ButtonClasses,
                            tr("&Классы (размер — верхняя граница класса)"));

    auto *boot = new QGroupBox(tr("Доверительные интервалы (бутстреп)"), this);
    EditBoot = new QLineEdit(QStringLiteral("1000"), boot);
    EditLevel = new QLineEdit(numtext::FormatGeneral(0.95, numtext::SystemDecimalSeparator()), boot);
    EditSeed = new QLineEdit(QStringLiteral("1"), boot);
    auto *form = new QFormLayout(boot);
    for (auto [text, field] : {std::pair{tr("Число &выборок"), EditBoot},
                               {tr("&Доверительная вероятность"), EditLevel},
                               {tr("&Начальное число генератора"), EditSeed}}) {
        auto *label = new QLabel(text, boot);
        NameAfter(label, field);
        form->addRow(label, field);
    }

    QHBoxLayout *buttons = OkCancelRow(this, tr("Отмена"), BtnOK, BtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(by);
    layout->addWidget(rows);
    layout->addWidget(boot);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this);
}

mle::OptionField TFitDlg::Read(mle::Options &o) const
{
    return mle::ReadOptions(EditBoot->text(), EditLevel->text(), EditSeed->text(),
                            numtext::SystemDecimalSeparator(), o);
}

void TFitDlg::accept()
{
    mle::Options o;
    const mle::OptionField wrong = Read(o);
    if (wrong == mle::OptionField::None) {
        QDialog::accept();
        return;
    }
    ShowMessage(mle::OptionFieldText(wrong, true));
    QLineEdit *field = wrong == mle::OptionField::Resamples ? EditBoot
                       : wrong == mle::OptionField::Level   ? EditLevel
                                                            : EditSeed;
    field->setFocus();
    field->selectAll();
}
