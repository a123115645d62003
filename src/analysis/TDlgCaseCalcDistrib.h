#pragma once
// "Распределение": the distribution by number or by volume of particles. One dialog for the
// whole run, keeping the last choice.
#include <QDialog>

class QRadioButton;

class TDlgCaseCalcDistrib : public QDialog {
    Q_OBJECT
public:
    explicit TDlgCaseCalcDistrib(QWidget *parent = nullptr);
    QRadioButton *ButtonD;
    QRadioButton *ButtonV;

};
