#pragma once
// "Калибровка": the scale coefficient typed in or measured on a picture of an object of
// known size by drawing a line along it.
#include <QDialog>
#include <QImage>
#include <QPoint>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QFileDialog;
class TKalibrImage;

class TKalibrDlg : public QDialog {
    Q_OBJECT
public:
    explicit TKalibrDlg(QWidget *parent = nullptr);

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit1, *Edit2, *KPixEdit;
    QPushButton *BtnOpen, *BtnOK, *BtnCancel;
    // Takes the picture of the image window that was active when the dialog opened.
    QPushButton *BtnWindowPicture;
    QScrollArea *ScrollBox;
    TKalibrImage *Image;
    QFileDialog *OpenDialog;

    // Reads a calibration picture, as the Open button does after its dialog.
    void LoadPictureFile(const QString &fileName);
    // The end of a drag from `from` to `to`: the length and the measured coefficient.
    void LineMeasured(QPoint from, QPoint to);
    // The active image window's picture, offered to calibrate on; none disables the offer.
    void OfferPicture(const QImage &picture);

private:
    QImage offered_;

public slots:
    void BtnOpenClick();
};

// The picture at its own size; a drag draws an inverting rubber line over it.
class TKalibrImage : public QWidget {
    Q_OBJECT
public:
    explicit TKalibrImage(TKalibrDlg *dlg);
    void SetPicture(const QImage &img);
    const QImage &Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    TKalibrDlg *dlg_;
    QImage picture_;
    bool drawing_ = false;
    QPoint start_, end_;
};
