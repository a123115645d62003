#include "shell/SmallDialogs.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QDialogButtonBox *OkCancel(QDialog *d)
{
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return box;
}

void TwoChoices(QDialog *d, QRadioButton *&first, const QString &a, QRadioButton *&second,
                const QString &b)
{
    auto *layout = new QVBoxLayout(d);
    first = new QRadioButton(a, d);
    second = new QRadioButton(b, d);
    first->setChecked(true);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(OkCancel(d));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addStrut(260);
}

} // namespace

TNewDlg::TNewDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Создать"));
    TwoChoices(this, BtnImg, tr("Файл изображения"), BtnStt, tr("Файл данных"));
}

TOpenDlg::TOpenDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Файл данных"));
    TwoChoices(this, RadioButton1, tr("Открыть"), RadioButton2, tr("Дописать"));
}

TNewBMPForm::TNewBMPForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Размеры изображения"));
    WidthEdit = new QLineEdit(this);
    HeightEdit = new QLineEdit(this);
    auto *w = new QLabel(tr("По &Горизонтали"), this);
    auto *h = new QLabel(tr("По &Вертикали"), this);
    NameAfter(w, WidthEdit);
    NameAfter(h, HeightEdit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(w);
    layout->addWidget(WidthEdit);
    layout->addWidget(h);
    layout->addWidget(HeightEdit);
    layout->addWidget(OkCancel(this));
}

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("О программе"));
    auto *layout = new QVBoxLayout(this);
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48)
                        : QApplication::windowIcon().pixmap(48, 48));
    auto *name = new QLabel(QStringLiteral("Grizal 2"), this);
    QFont f = name->font();
    f.setPointSize(24);
    f.setBold(true);
    f.setItalic(true);
    name->setFont(f);
    name->setStyleSheet(QStringLiteral("color: blue"));
    auto *build = new QLabel(tr("сборка 2.31"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(build, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TAboutBox::keyPressEvent(QKeyEvent *)
{
    accept();
}
