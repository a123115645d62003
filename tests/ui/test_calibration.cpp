#include "base/NumberForms.h"
#include "widgets/Messages.h"
#include "shell/TForm1.h"
#include "shell/Settings.h"
#include "shell/TKalibrDlg.h"
#include "imaging/TImageForm.h"
#include <QPushButton>

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class KalibrTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The settings live in the folder the test run gives (XDG_CONFIG_HOME); start afresh.
        QFile::remove(SettingsFileName());
        SetMessageSink([this](const QString &t) { messages << t; });
        SetDialogRunner([this](QDialog *d) {
            if (auto *k = qobject_cast<TKalibrDlg *>(d)) {
                shown << k->KPixEdit->text();
                if (action)
                    action(k);
            }
            return answer;
        });
    }
    void TearDown() override
    {
        SetMessageSink({});
        SetDialogRunner({});
    }
    QTemporaryDir dir;
    QStringList messages, shown;
    std::function<void(TKalibrDlg *)> action;
    int answer = QDialog::Accepted;
    const QChar sep = numtext::SystemDecimalSeparator();
};

TEST_F(KalibrTest, MeasureALineAndConfirm)
{
    TForm1 f({});
    action = [](TKalibrDlg *k) {
        QImage img(100, 20, QImage::Format_RGBX8888);
        img.fill(Qt::white);
        k->Image->SetPicture(img);
        QTest::mousePress(k->Image, Qt::LeftButton, {}, QPoint(10, 5));
        QTest::mouseMove(k->Image, QPoint(40, 5));
        QTest::mouseMove(k->Image, QPoint(67, 5));
        QTest::mouseRelease(k->Image, Qt::LeftButton, {}, QPoint(67, 5));
        EXPECT_EQ(k->Image->Picture().pixelColor(30, 5), QColor(Qt::white)); // no mark left
    };
    f.Kalibr();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QString("1") + sep + "000");
    EXPECT_EQ(f.KalibrDlg()->Edit2->text(), "57");
    EXPECT_DOUBLE_EQ(f.KPix(), 8.77);
    action = {};
    f.Kalibr(); // shows the stored coefficient with 3 decimals, not the measurement's 5
    EXPECT_EQ(shown[1], QString("8") + sep + "770");
}

TEST_F(KalibrTest, CancelAndBadTextKeepTheCoefficient)
{
    TForm1 f({});
    f.SetKPix(2.5);
    answer = QDialog::Rejected;
    action = [](TKalibrDlg *k) { k->KPixEdit->setText("7"); };
    f.Kalibr();
    EXPECT_EQ(f.KPix(), 2.5);
    answer = QDialog::Accepted;
    action = [](TKalibrDlg *k) { k->KPixEdit->setText("abc"); };
    f.Kalibr();
    EXPECT_EQ(f.KPix(), 2.5);
    EXPECT_EQ(messages, QStringList({"Неверное значение коэффициента пересчета"}));
    // A click without a drag measures 0 and leaves the coefficient alone.
    action = [](TKalibrDlg *k) {
        k->KPixEdit->setText("3");
        k->LineMeasured(QPoint(5, 5), QPoint(5, 5));
        EXPECT_EQ(k->Edit2->text(), "0");
        EXPECT_EQ(k->KPixEdit->text(), "3");
        k->Edit1->setText("x");
        k->LineMeasured(QPoint(0, 0), QPoint(10, 0));
    };
    f.Kalibr();
    EXPECT_EQ(messages.last(), "Не удается вычислить коэффициент пересчета");
    EXPECT_EQ(f.KPix(), 3.0);
}

TEST_F(KalibrTest, EveryPictureKindAndTheActiveWindowsPicture)
{
    TForm1 f({});
    QImage img(30, 10, QImage::Format_RGBX8888);
    img.fill(Qt::blue);
    for (auto [name, format] : {std::pair{"scale.png", "PNG"}, {"scale.JPEG", "JPEG"}, {"scale.tiff", "TIFF"}}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(img.save(path, format));
        f.KalibrDlg()->Image->SetPicture(QImage());
        f.KalibrDlg()->LoadPictureFile(path);
        EXPECT_EQ(f.KalibrDlg()->Image->Picture().size(), QSize(30, 10)) << name;
    }
    f.KalibrDlg()->LoadPictureFile(dir.filePath("notes.txt"));
    EXPECT_EQ(messages.size(), 1); // said, not silently ignored

    TImageForm *image = f.CreateImgChild(QString(), true);
    QImage micrograph(64, 48, QImage::Format_RGBX8888);
    micrograph.fill(Qt::gray);
    image->SetPicture(micrograph);
    action = [](TKalibrDlg *k) {
        ASSERT_TRUE(k->BtnWindowPicture->isEnabled());
        k->BtnWindowPicture->click();
        EXPECT_EQ(k->Image->Picture().size(), QSize(64, 48));
    };
    f.Kalibr();
    f.NewSttFile(); // no image window active: nothing offered
    action = [](TKalibrDlg *k) { EXPECT_FALSE(k->BtnWindowPicture->isEnabled()); };
    f.Kalibr();
}

} // namespace
