// The calculator window: buttons drive the display, typing does not, hiding keeps state.
#include "calculator/TDlgCalc.h"
#include "widgets/Messages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

class CalcWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageSink([this](const QString &t) { messages << t; });
    }
    void TearDown() override { SetMessageSink({}); }
    QStringList messages;
};

TEST_F(CalcWindow, IsAStayOnTopToolWindow)
{
    TDlgCalc w(nullptr, ',');
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Калькулятор"));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(w.Edit1->text(), "0");
    EXPECT_EQ(w.ButtonZ->text(), ",");
    EXPECT_EQ(TDlgCalc(nullptr, '.').ButtonZ->text(), ".");
}

TEST_F(CalcWindow, ButtonsComputeAndFaultsShowTheMessage)
{
    TDlgCalc w(nullptr, ',');
    for (QPushButton *b : {w.Button5, w.ButtonDiv, w.Button0, w.ButtonEnter})
        b->click();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("Невозможно выполнить операцию!")});
    EXPECT_EQ(w.Edit1->text(), "5");
    for (QPushButton *b : {w.ButtonC, w.Button2, w.ButtonPlus, w.ButtonMult, w.Button3, w.ButtonEnter})
        b->click();
    EXPECT_EQ(w.Edit1->text(), "6");
    for (QPushButton *b : {w.Button4, w.ButtonInvert})
        b->click();
    EXPECT_EQ(w.Edit1->text(), "0,5");
    for (QPushButton *b : {w.Button9, w.ButtonSqrt})
        b->click();
    EXPECT_EQ(w.Edit1->text(), "3");
    for (QPushButton *b : {w.ButtonC, w.Button1, w.ButtonZ, w.Button5, w.ButtonMinus, w.Button7, w.ButtonEnter})
        b->click();
    EXPECT_EQ(w.Edit1->text(), "-5,5");
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(CalcWindow, TypingIntoTheDisplayChangesNothing)
{
    TDlgCalc w(nullptr, ',');
    w.Button7->click();
    for (const auto &[key, text] : {std::pair{Qt::Key_1, "1"}, {Qt::Key_A, "a"}, {Qt::Key_Backspace, ""}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QCoreApplication::sendEvent(w.Edit1, &press);
    }
    EXPECT_EQ(w.Edit1->text(), "7");
    EXPECT_EQ(w.Engine().Display(), "7");
}

TEST_F(CalcWindow, ShowingAndHidingAreSignalledAndKeepState)
{
    TDlgCalc w(nullptr, ',');
    QList<bool> spy;
    QObject::connect(&w, &TDlgCalc::VisibilityChanged, [&spy](bool v) { spy << v; });
    w.show();
    w.Button8->click();
    w.ButtonPlus->click();
    w.close(); // the close box only hides it
    EXPECT_FALSE(w.isVisible());
    w.show();
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy, (QList<bool>{true, false, true}));
    w.Button2->click();
    w.ButtonEnter->click();
    EXPECT_EQ(w.Edit1->text(), "10");
}
