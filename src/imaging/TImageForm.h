#pragma once
// The document window of one picture: its tool bars, the zoomable display, the scale bar
// and the date in the status bar. It works on its picture with the engine it is given and
// reports to whoever made it by signals; it never names the main window.
// TImageForm.cpp holds the window, its display and clipboard; ImageFormBars.cpp builds the
// bars, ImageFormModes.cpp switches modes, ImageFormMouse.cpp takes the mouse,
// ImageFormCommands.cpp runs the commands on the picture and ImageFormTools.cpp those of
// manual measurement and the graphic editor.
#include "imaging/Drawing.h"
#include "imaging/Pictures.h"
#include "imaging/SelectionTools.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <initializer_list>

struct TSampleData;

// What an image window reads of the program-wide settings; its maker hands it a fresh copy
// whenever they change.
struct ImageSettings {
    double kpix = 1.0; // micrometres per pixel
    pictures::SizeMeasure measure = pictures::MeasureLinear; // of binary analysis
    int userFunction = 0; // index of the chosen function of the add-on library
};

class QAction;
class QActionGroup;
class QCheckBox;
class QLineEdit;
class QScrollBar;
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
    explicit TImageForm(TPictures &engine, QWidget *parent = nullptr);

    // Taken as they are; the scale bar shows a new coefficient when the window is next
    // activated or DrawCalibrate runs.
    void SetSettings(const ImageSettings &settings) { settings_ = settings; }
    const ImageSettings &Settings() const { return settings_; }

    QImage &Picture() { return picture_; }
    // Puts a new picture in the window (converted to the engine's pixel form) and repaints.
    void SetPicture(const QImage &picture);
    // Repaints after the picture was changed in place; the marks go.
    void PictureChanged();
    // Marks laid over the picture without changing it (particles' outlines and ids, of the
    // picture's size), until the picture changes; and one particle's highlight, `piece`
    // with its corner at `at` in picture pixels.
    void SetMarks(const QImage &marks);
    void SetHighlight(const QImage &piece, QPoint at);
    const QImage &Marks() const { return marks_; }
    const QImage &HighlightPiece() const { return highlight_; }
    QPoint HighlightAt() const { return highlightAt_; }

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

    void UnMode();
    void ModeDiff();
    void ModeFiltr();
    void ModeBandW();
    void ModeSelect();
    void ModeGraph();
    void ModeAnalis2();
    enum class Mode { None, Diff, Filtr, BandW, Select, Graph, Analis2 };
    Mode CurrentMode() const { return mode_; }

    // The window became the active child.
    void FormActivate();
    // Whether the engine's undo copy was taken from this window's picture (and not
    // retaken since by another window).
    bool HoldsUndoCopy() const;

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
    uint32_t DiffColor1 = pictures::DiffColor1Default, DiffColor2 = pictures::DiffColor2Default;
    QLabel *Label4;
    QSpinBox *EditGrad;
    QToolButton *BarAnalis2Color;
    QAction *BtnAnalis2Select, *BtnAnalis2Calc;
    uint32_t Analis2Color = pictures::Analis2ColorDefault;
    // Manual measurements: the five selection tools, the selection commands and the
    // measurement field.
    QAction *BtnSelect0, *BtnSelect1, *BtnSelect2, *BtnSelect3, *BtnSelect4;
    QAction *BtnUnselect, *BtnSelectCopy, *BtnSelectNew;
    QAction *BtnMesurePerimetrCalc, *BtnMesureAreaCalc, *BtnMesureSpectrCalc, *BtnMesureAccept;
    QLabel *Label5;
    QLineEdit *EditMesure;
    // The graphic editor: brush styles, brush colour and shapes; pen styles, pen colour
    // and width.
    QAction *SolidBrush, *ClearBrush, *HorizontalBrush, *VerticalBrush, *FDiagonalBrush, *BDiagonalBrush,
        *CrossBrush, *DiagCrossBrush;
    QToolButton *BtnBrushColor;
    QAction *PointButton, *LineButton, *RectangleButton, *EllipseButton, *RoundRectButton;
    QAction *SolidPen, *DashPen, *DotPen, *DashDotPen, *DashDotDotPen, *ClearPen;
    QToolButton *BtnPenColor;
    QScrollBar *PenWidth;
    QLabel *PenSize;
    QColor BrushColor = Qt::black, PenColor = Qt::black;

    // The tools' state: the selection polygon and rubber shapes of manual measurement, the
    // pen, brush and shape of the graphic editor.
    SelectionTools SelectTools;
    DrawingTool GraphTool;
    const ::Selection &CurrentSelection() const { return SelectTools.selection; }
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
    // The engine's undo copy now holds this window's picture before a change (true), or
    // what it holds is no longer worth undoing into (false).
    void undoAvailable(bool available);
    // The particles of a binary analysis, for a new sample window.
    void analysisReady(const TSampleData &sample);
    // A picture for a new image window: the copy of a selection.
    void newPicture(const QImage &picture);
    // The colour marks as black shapes on white, to be opened in a new image window and
    // analysed there.
    void maskForAnalysis(const QImage &mask);
    // The series window is wanted beside this one; `fresh` starts a new, empty series.
    void seriesWanted(bool fresh);
    // Lines for the series window's report, and a measured value for its table.
    void seriesLines(const QStringList &lines);
    void seriesValueAccepted(long double value);
    // The scale bar was clicked: the calibration command.
    void calibrationRequested();

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
    void ModeSelect0();
    void ModeSelect1();
    void BtnSelect2Click();
    void ModeSelect3();
    void ModeSelect4();
    void UnselectClick();
    void SelectCopyClick();
    void SelectNewClick();
    void MesurePerimetrCalcClick();
    void MesureAreaCalcClick();
    void BtnMesureSpectrCalcClick();
    void MesureAcceptClick();
    void BrushClick(QAction *button);
    void PenClick(QAction *button);
    void DrawingToolClick(QAction *button);
    void BtnBrushColorClick();
    void BtnPenColorClick();
    void PenWidthChange();
    void Timer1Timer();
    void ImageCalibrateClick();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void ShowDisplaySize(QSize size);
    void EnterMode(Mode mode, std::initializer_list<QToolBar *> bars);
    bool FieldEvent(QLineEdit *field, QEvent *e);
    void SetDiffColour(QToolButton *panel, uint32_t colour);
    // A new sample window with the particles of `picture` (this window's or a mask's).
    void AnalyseInto(QImage &picture);
    void RunOperation(const std::function<void(TPictures &, QImage &)> &op);
    void BuildBars();
    void BuildSelectBar();
    void BuildDrawingBars();
    void SetPanelColour(QToolButton *panel, const QColor &colour);
    bool PickPanelColour(QToolButton *panel, QColor &colour);
    // Starts a selection tool: the marks go, the polygon empties.
    void StartSelectTool(SelectionTools::Tool tool);
    // Takes back what the selection tools drew, from the undo copy taken on entering
    // manual measurement, while that copy is still this window's.
    void RestoreMarks();
    void ApplyGraphControls();

    TPictures &engine_;
    ImageSettings settings_;
    QImage picture_;
    QImage marks_, highlight_;
    QPoint highlightAt_;
    Mode mode_ = Mode::None;
    QActionGroup *selectGroup_ = nullptr, *brushGroup_ = nullptr, *shapeGroup_ = nullptr, *penGroup_ = nullptr;
    // The engine's undo copy is shared by every window and operation: this is its key when
    // manual measurement took it, so a copy retaken since is never written back here.
    qint64 selectCopyKey_ = 0;
    // Likewise for the last copy any command of this window took.
    qint64 undoCopyKey_ = 0;
    bool marksDrawn_ = false;
    QLineEdit *typedInto_ = nullptr; // the field typed into since it took the focus
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
