#pragma once
// A command of a tool bar: its picture, its hint (the tool tip and the status strip's text)
// and what it runs. Every window's bars are built with it.
#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QToolBar>

QAction *AddCommand(QToolBar *bar, const QIcon &icon, const QString &hint);

template <class Receiver, class Slot>
QAction *AddCommand(QToolBar *bar, const QIcon &icon, const QString &hint, Receiver *receiver, Slot slot)
{
    QAction *a = AddCommand(bar, icon, hint);
    QObject::connect(a, &QAction::triggered, receiver, slot);
    return a;
}

// A dialog's "OK" and cancel buttons, right-aligned; "OK" is the default and accepts, the
// other rejects. `cancelText` comes translated in the dialog's own context.
QHBoxLayout *OkCancelRow(QDialog *dialog, const QString &cancelText, QPushButton *&ok, QPushButton *&cancel);
