#pragma once
// "Статистика (максимальное правдоподобие)": by number or by volume, the table's rows as
// particle sizes or as classes, and the bootstrap (resamples, confidence level, seed). One
// dialog for the whole run, keeping the user's last choices and texts.
#include "analysis/FitOptions.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

class TFitDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFitDlg(QWidget *parent = nullptr);

    // The bootstrap's fields read with the system's decimal separator: None and `o` set,
    // or the first field that is not acceptable.
    mle::OptionField Read(mle::Options &o) const;
    // OK keeps the dialog open on a field that cannot be read, says why and selects it.
    void accept() override;

    QRadioButton *ButtonD, *ButtonV;
    QRadioButton *ButtonRows, *ButtonClasses;
    QLineEdit *EditBoot, *EditLevel, *EditSeed;
    QPushButton *BtnOK, *BtnCancel;
};
