#pragma once
// "Формирование выборки": the law, its two parameters, the number of points and the size
// range of a synthetic sample. One dialog for the whole run, keeping its texts.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TFormStatDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFormStatDlg(QWidget *parent = nullptr);

    QRadioButton *BtnGoden, *BtnRosin, *BtnLogNorm;
    QSpinBox *SpinEdit;
    QLineEdit *Edit3, *Edit4, *Edit1, *Edit2;
    QLabel *Label2, *Label3;
    QPushButton *BtnOK, *BtnCancel;

private:
    void LawChanged();
};
