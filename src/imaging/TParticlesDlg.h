#pragma once
// The options of the particles analysis, with the mask the threshold makes shown over the
// picture as they change. Its maker keeps it from start to end, so the choices stay until
// the program closes; the batch dialog takes its recipe from here too.
#include "imaging/ParticleRecipe.h"
#include "imaging/Particles.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTimer;

class TParticlesDlg : public QDialog {
    Q_OBJECT
public:
    explicit TParticlesDlg(QWidget *parent = nullptr);

    // The picture the preview shows; null shows none.
    void SetPicture(const QImage &picture);
    particles::Options Options() const;
    particles::Measure Measure() const;
    // The options and measure at `kpix` micrometres per pixel; no operations.
    particles::Recipe Recipe(double kpix) const;
    // Sets the controls from a recipe (operations and scale are not the dialog's).
    void SetRecipe(const particles::Recipe &recipe);
    // The grey level of the preview shown last, -1 before any.
    int PreviewLevel() const { return previewLevel_; }

    QRadioButton *RadioOtsu, *RadioPercent;
    QSpinBox *EditPercent;
    QComboBox *ComboObjects;
    QCheckBox *CheckFill, *CheckBorder, *CheckSeparate;
    QSpinBox *EditMinArea;
    QDoubleSpinBox *EditDepth;
    QComboBox *ComboConnectivity, *ComboMeasure;
    QLabel *Preview, *PreviewText;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void UpdateControls();
    void SchedulePreview();
    void ShowPreview();

    QImage picture_;
    QImage shown_; // the picture at the preview's size, grey
    particles::Finder finder_;
    QTimer *previewTimer_;
    int previewLevel_ = -1;
};
