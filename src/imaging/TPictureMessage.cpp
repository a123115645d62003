#include "imaging/TPictureMessage.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

TPictureMessage::TPictureMessage(QWidget *parent)
    : QFrame(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setFixedSize(291, 80);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    Label1 = new QLabel(QStringLiteral("Сообщение"), this);
    Label1->setGeometry(7, 16, 277, 20);
    Label1->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setItalic(true);
    Label1->setFont(f);
    Label1->setStyleSheet(QStringLiteral("color: navy"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(10, 48, 271, 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
}

void TPictureMessage::Show(const QString &title)
{
    Label1->setText(title);
    ProgressBar1->setValue(0);
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    show();
    QApplication::processEvents();
}

void TPictureMessage::SetPosition(int percent)
{
    if (ProgressBar1->value() == percent)
        return;
    ProgressBar1->setValue(percent);
    ProgressBar1->repaint(); // the pass does not return to the event loop
}

void TPictureMessage::Close()
{
    hide();
}

TPictures &PicturesEngine()
{
    static TPictures engine;
    static TPictureMessage *message = nullptr;
    if (!message && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        message = new TPictureMessage;
        engine.SetProgress(message);
    }
    return engine;
}
