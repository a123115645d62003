#include "shell/TForm1.h"

#include <QMdiArea>

TForm1::TForm1(const QStringList &, QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Grizal 2"));
    mdi_ = new QMdiArea(this);
    setCentralWidget(mdi_);
}
