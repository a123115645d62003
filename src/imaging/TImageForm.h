#pragma once
// The document window of one picture: its tool bars, the zoomable display, the scale bar
// and the date in the status bar.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

class TPictures;

class QAction;
class QCheckBox;
class QLabel;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class QToolBar;
class QToolButton;
class TImageView;

class TImageForm : public QWidget {
    Q_OBJECT
public:
    explicit TImageForm(QWidget *parent = nullptr);

    QImage &Picture() { return picture_; }
    // Puts a new picture in the window (converted to the engine's pixel form) and repaints.
    void SetPicture(const QImage &picture);
    // Repaints after the picture was changed in place.
    void PictureChanged();

    double ZoomFactor = 1.0;
    bool MouseIsDown = false;
    bool PickColour1 = false, PickColour2 = false;

    QPoint ToPicture(QPoint display) const;
    QSize DisplaySize() const;

    void ZoomIn();
    void ZoomOut();
    void StretchWidth();
    void StretchHeight();
    void ActualSize();

    void Copy();
    void Cut();
    void Paste();

    void DrawCalibrate();
    void ArrangeWithSeries();

    void UnMode();
    void ModeDiff();
    void ModeFiltr();
    void ModeBandW();
    void ModeSelect();
    void ModeGraph();
    void ModeAnalis2();
    enum class Mode { None, Diff, Filtr, BandW, Select, Graph, Analis2 };
    Mode CurrentMode() const { return mode_; }

    void FormActivate();
    void FormDeactivate();

    // BarImage
    QToolBar *BarImage;
    QAction *BtnGraph, *BtnFiltr, *BtnNegative, *BtnMirrorH, *BtnMirrorV, *BtnDiffImage, *BtnBandW, *BtnGray,
        *BtnClearRect, *BtnSelect, *BtnAnalis1, *btnAnalis2, *BtnP;
    // The mode bars, in their order under BarImage.
    QToolBar *BarDiffImage, *BarFiltrImage, *BarBandW, *BarBrush, *BarPen, *BarSelect, *BarAnalis2;
    QToolButton *BarDiffColor1, *BarDiffColor2;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
    QAction *BtnDiffImageApply;
    QLabel *Label1, *Label2;
    QSpinBox *EditFiltrX, *EditFiltrY;
    QAction *BtnFiltrApply;
    QLabel *Label3;
    QSpinBox *EditBright;
    QAction *BtnBandWApply;
    uint32_t DiffColor1 = 0x000000, DiffColor2 = 0xFFFFFF;
    QLabel *Label4;
    QSpinBox *EditGrad;
    QToolButton *BarAnalis2Color;
    QAction *BtnAnalis2Select, *BtnAnalis2Calc;
    uint32_t Analis2Color = 0xFFFFFF;
    // The display and the status bar.
    QScrollArea *ScrollBox1;
    TImageView *Image;
    QWidget *StatusBar;
    QLabel *ImageCalibrate;
    QLabel *LabelDate;
    QCheckBox *CheckBoxSave;
    QToolButton *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5, *SpeedButton6;
    QTimer *Timer1;

    // Mouse on the picture, in display coordinates (the handlers convert them).
    void ImageMouseDown(QPoint display, Qt::MouseButton button);
    void ImageMouseMove(QPoint display);
    void ImageMouseUp(QPoint display);

signals:
    // The picture was changed by a command of this window.
    void pictureEdited();

public slots:
    void BtnGraphClick();
    void BtnFiltrClick();
    void BtnFiltrApplyClick();
    void BtnNegativeClick();
    void BtnMirrorHClick();
    void BtnMirrorVClick();
    void BtnDiffImageClick();
    void BtnDiffImageApplyClick();
    void BtnBandWClick();
    void BtnBandWApplyClick();
    void BtnGrayClick();
    void BtnClearRectClick();
    void BtnSelectClick();
    void BtnAnalis1Click();
    void btnAnalis2Click();
    void BtnPClick();
    void BtnAnalis2SelectClick();
    void BtnAnalis2CalcClick();
    void Timer1Timer();
    void ImageCalibrateClick();

protected:
    void closeEvent(class QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void ShowDisplaySize(QSize size);
    void SetDiffColour(QToolButton *panel, uint32_t colour);
    void EnableUndo();
    // A new sample window with the particles of `picture` (this window's or a mask's).
    void AnalyseInto(QImage &picture);
    void RunOperation(const std::function<void(TPictures &, QImage &)> &op);

    QImage picture_;
    Mode mode_ = Mode::None;
};

// The picture, drawn stretched to the widget's size; mouse events go to the window.
class TImageView : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(TImageForm *form);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    TImageForm *form_;
};
