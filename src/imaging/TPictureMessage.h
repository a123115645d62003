#pragma once
// The progress window of long pixel passes: a title and a bar, repainted between columns.
#include "imaging/Pictures.h"

#include <QFrame>

class QLabel;
class QProgressBar;

class TPictureMessage : public QFrame, public TPictureProgress {
    Q_OBJECT
public:
    explicit TPictureMessage(QWidget *parent = nullptr);
    void Show(const QString &title) override;
    void SetPosition(int percent) override;
    void Close() override;

    QLabel *Label1;
    QProgressBar *ProgressBar1;
};
