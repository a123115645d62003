#pragma once
// "Группировка данных": the mode of grouping and its parameter. One dialog for the whole
// run, so it keeps the user's last choices.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TGroupDlg : public QDialog {
    Q_OBJECT
public:
    explicit TGroupDlg(QWidget *parent = nullptr);

    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
    QSpinBox *SpinEdit1;
    QLineEdit *Edit1;
    QSpinBox *SpinEdit2;
    QPushButton *OKBtn, *CancelBtn;

private:
    void ModeChanged();
};
