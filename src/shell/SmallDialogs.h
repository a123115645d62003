#pragma once
// The small dialogs of the main window: new document, open or append, about.
#include <QDialog>

class QRadioButton;

// "Создать": a new picture or a new data file.
class TNewDlg : public QDialog {
    Q_OBJECT
public:
    explicit TNewDlg(QWidget *parent = nullptr);
    QRadioButton *BtnImg;
    QRadioButton *BtnStt;
};

// "Файл данных": open the file in a new window or append it to the active one.
class TOpenDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOpenDlg(QWidget *parent = nullptr);
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
};

class QLineEdit;

// "Размеры изображения": the size of a new blank picture.
class TNewBMPForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewBMPForm(QWidget *parent = nullptr);
    QLineEdit *WidthEdit;
    QLineEdit *HeightEdit;
};

// "О программе"; any key closes it.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(class QKeyEvent *e) override;
};
