#pragma once
// "Калькулятор": a small non-modal calculator that stays on top. Closing it only hides
// it; its state lives as long as the window.
#include "calculator/CalcEngine.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

class TDlgCalc : public QWidget {
    Q_OBJECT
public:
    explicit TDlgCalc(QWidget *parent = nullptr, QChar sep = QChar());

    QLineEdit *Edit1;
    QPushButton *Button0, *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7,
        *Button8, *Button9, *ButtonZ;
    QPushButton *ButtonPlus, *ButtonMinus, *ButtonMult, *ButtonDiv, *ButtonEnter;
    QPushButton *ButtonSqrt, *ButtonInvert, *ButtonC;

    const CalcEngine &Engine() const { return engine_; }

signals:
    // The window was shown (true) or hidden (false), by the program or the close box.
    void VisibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void FormCreate();
    void DigitClick(int d);
    void ButtonZClick();
    void ButtonPlusClick();
    void ButtonSqrtClick();
    void ButtonCClick();
    void Edit1Change();
    void Show(const QString &message);

    CalcEngine engine_;
};
