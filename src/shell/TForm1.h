#pragma once
#include <QMainWindow>
#include <QStringList>

class QMdiArea;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const QStringList &files, QWidget *parent = nullptr);

private:
    QMdiArea *mdi_ = nullptr;
};
