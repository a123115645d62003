// The mouse on the picture: picking colours, the selection tools and the graphic editor,
// each in its mode.
#include "imaging/TImageForm.h"
#include "base/NumberForms.h"
#include "imaging/Measure.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

void TImageForm::ImageMouseDown(QPoint display, Qt::MouseButton)
{
    const QPoint p = ToPicture(display);
    if (mode_ == Mode::Diff && picture_.valid(p)) {
        const uint32_t c = reinterpret_cast<const uint32_t *>(picture_.constScanLine(p.y()))[p.x()] & 0xFFFFFF;
        if (PickColour1) {
            DiffColor1 = c;
            SetDiffColour(BarDiffColor1, c);
        }
        if (PickColour2) {
            DiffColor2 = c;
            SetDiffColour(BarDiffColor2, c);
        }
    } else if (mode_ == Mode::Analis2 && picture_.valid(p)) {
        Analis2Color = reinterpret_cast<const uint32_t *>(picture_.constScanLine(p.y()))[p.x()] & 0xFFFFFF;
        SetDiffColour(BarAnalis2Color, Analis2Color);
    } else if (mode_ == Mode::Select && !picture_.isNull() && ZoomFactor > 0) {
        SelectTools.Press(picture_, p);
        MouseIsDown = SelectTools.mouseIsDown;
        marksDrawn_ = true;
        PictureChanged();
    } else if (mode_ == Mode::Graph && !picture_.isNull() && ZoomFactor > 0) {
        GraphTool.Press(p);
        MouseIsDown = true;
    }
}

void TImageForm::ImageMouseMove(QPoint display)
{
    if (picture_.isNull() || ZoomFactor <= 0)
        return;
    const QPoint p = ToPicture(display);
    if (mode_ == Mode::Select && SelectTools.mouseIsDown) {
        SelectTools.Move(picture_, p);
        marksDrawn_ = true;
        PictureChanged();
    } else if (mode_ == Mode::Graph && GraphTool.mouseIsDown) {
        GraphTool.Move(picture_, p);
        PictureChanged();
    }
}

void TImageForm::ImageMouseUp(QPoint display)
{
    if (picture_.isNull() || ZoomFactor <= 0)
        return;
    const QPoint p = ToPicture(display);
    if (mode_ == Mode::Select) {
        QPoint start, end;
        if (SelectTools.Release(picture_, p, start, end))
            EditMesure->setText(
                measure::LinearSizeText(start, end, settings_.kpix, numtext::SystemDecimalSeparator()));
        PictureChanged();
    } else if (mode_ == Mode::Graph && GraphTool.mouseIsDown) {
        GraphTool.Release(picture_, p);
        PictureChanged();
        emit pictureEdited();
    }
    MouseIsDown = false;
}

TImageView::TImageView(TImageForm *form) : QWidget(), form_(form)
{
    setMouseTracking(false);
    setFocusPolicy(Qt::ClickFocus); // a click on the picture takes the keyboard from a field
}

void TImageView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QImage &picture = form_->Picture();
    if (picture.isNull())
        return;
    p.drawImage(rect(), picture);
    if (!form_->Marks().isNull())
        p.drawImage(rect(), form_->Marks());
    const QImage &piece = form_->HighlightPiece();
    if (!piece.isNull()) {
        const double sx = double(width()) / picture.width(), sy = double(height()) / picture.height();
        const QRectF box(form_->HighlightAt().x() * sx, form_->HighlightAt().y() * sy, piece.width() * sx,
                         piece.height() * sy);
        p.drawImage(box, piece);
        // A frame a little wider than the particle, so that a small one is found at any zoom.
        p.setPen(QPen(QColor(0, 255, 255), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.adjusted(-4, -4, 4, 4));
    }
}

void TImageView::mousePressEvent(QMouseEvent *e)
{
    form_->ImageMouseDown(e->position().toPoint(), e->button());
}

void TImageView::mouseMoveEvent(QMouseEvent *e)
{
    form_->ImageMouseMove(e->position().toPoint());
}

void TImageView::mouseReleaseEvent(QMouseEvent *e)
{
    form_->ImageMouseUp(e->position().toPoint());
}
