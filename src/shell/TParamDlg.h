#pragma once
// "Параметры": the chart law, the chart elements, the analysis measure, the user function.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

class TParamDlg : public QDialog {
    Q_OBJECT
public:
    explicit TParamDlg(QWidget *parent = nullptr);

    QGroupBox *GroupBox4;
    QComboBox *RasprFunc;
    QGroupBox *GroupBox1;
    QCheckBox *CheckBox1;
    QCheckBox *CheckBox2;
    QGroupBox *GroupBox7;
    QComboBox *MesureFunc;
    QGroupBox *GroupBox6;
    QComboBox *ListAddFunc;
    QPushButton *BitBtn1;
};
