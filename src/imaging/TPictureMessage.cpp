#include "imaging/TPictureMessage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QThread>
#include <QWindow>

TPictureMessage::TPictureMessage(QWidget *parent)
    : QFrame(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setFixedSize(291, 80);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    Label1 = new QLabel(tr("Сообщение"), this);
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
    raise();
    // The pass that follows does not return to the event loop, so the window must be on
    // screen before it starts: wait, briefly, for the window system to map it, taking no
    // user input meanwhile (what the user does waits until the pass has ended), and paint
    // it at once. From then on each move of the bar repaints it directly.
    QElapsedTimer waited;
    waited.start();
    auto exposed = [this] { return windowHandle() && windowHandle()->isExposed(); };
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    while (!exposed() && waited.elapsed() < 500) {
        QThread::msleep(2);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
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
