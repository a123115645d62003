#pragma once
// What child windows and dialogs ask of the main window. The main window implements it;
// widget tests install a small stand-in with SetMainWindow.
#include <QString>

class QWidget;
class TImageForm;
class TStatForm;
struct TSampleData;

class IMainWindow {
public:
    virtual ~IMainWindow() = default;

    // Program-wide values.
    virtual double KPix() const = 0;
    virtual void SetKPix(double v) = 0;
    virtual int SizeFlag() const = 0;    // 0 linear size, 1 area, 2 perimeter
    virtual int AddFuncFlag() const = 0; // index of the chosen user function
    virtual int ChartLaw() const = 0;    // 0 automatic, 1..4 a law
    virtual void SetChartLaw(int law) = 0;
    virtual bool HistogramChecked() const = 0; // parameters dialog, "Гистограмма"
    virtual bool CurveChecked() const = 0;     // parameters dialog, "Расчетная кривая"

    // Which kind of child is active; the main window enables its commands from these.
    virtual void SetImageFormActive(bool active) = 0;
    virtual void SetStatFormActive(bool active) = 0;
    // The Edit menu's undo item, enabled after each change of a picture.
    virtual void SetUndoEnabled(bool enabled) = 0;

    // Children are made only here.
    virtual TImageForm *CreateImgChild(const QString &fileName, bool numbered) = 0;
    virtual TStatForm *CreateSttChild(const QString &fileName, bool numbered) = 0;

    // The calibration command (the image window's scale bar calls it).
    virtual void Kalibr() = 0;
    // A line of news for the status strip (until the next hint replaces it).
    virtual void ShowStatus(const QString &) {}

    // The measurement series and the window that shows it (none when it was closed).
    virtual TSampleData &SeriesData() = 0;
    virtual TStatForm *SeriesForm() const = 0;
    virtual void SetSeriesForm(TStatForm *form) = 0;
};

// The one main window of the program, or none (in tests without one).
IMainWindow *MainWindow();
void SetMainWindow(IMainWindow *window);
