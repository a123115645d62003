#include "widgets/Commands.h"

QAction *AddCommand(QToolBar *bar, const QIcon &icon, const QString &hint)
{
    QAction *a = bar->addAction(icon, hint);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}

QHBoxLayout *OkCancelRow(QDialog *dialog, const QString &cancelText, QPushButton *&ok, QPushButton *&cancel)
{
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    cancel = new QPushButton(cancelText, dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
