#include "widgets/Commands.h"

QAction *AddCommand(QToolBar *bar, const QIcon &icon, const QString &hint)
{
    QAction *a = bar->addAction(icon, hint);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}
