// "Выбрать источник": the list shows the devices and the choice becomes the source.
#include "widgets/Messages.h"
#include "shell/TSelectSource.h"

#include <QListWidget>
#include <gtest/gtest.h>

class SelectSource : public ::testing::Test {
protected:
    void SetUp() override { scanner::SetSelectedDevice({}); }
    void TearDown() override
    {
        SetDialogRunner({});
        scanner::SetSelectedDevice({});
    }
    const QList<scanner::Device> devices{{"test:0", "Noname frontend-tester"}, {"net:host:x", ""}};
};

TEST_F(SelectSource, ChoiceBecomesTheSource)
{
    TSelectSource dlg;
    QStringList shown;
    SetDialogRunner([&](QDialog *) {
        for (int i = 0; i < dlg.ListSources->count(); ++i)
            shown << dlg.ListSources->item(i)->text();
        EXPECT_EQ(dlg.ListSources->currentRow(), 0);
        dlg.ListSources->setCurrentRow(1);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(dlg.Execute(devices));
    EXPECT_EQ(shown, (QStringList{"Noname frontend-tester (test:0)", "net:host:x"}));
    EXPECT_EQ(scanner::SelectedDevice(), "net:host:x");
    // Opened again, the current source is marked.
    SetDialogRunner([&](QDialog *) {
        EXPECT_EQ(dlg.ListSources->currentRow(), 1);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(dlg.Execute(devices));
}

TEST_F(SelectSource, CancelOrNoDevicesKeepsTheSource)
{
    scanner::SetSelectedDevice("test:0");
    TSelectSource dlg;
    SetDialogRunner([&](QDialog *) {
        dlg.ListSources->setCurrentRow(1);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(dlg.Execute(devices));
    EXPECT_EQ(scanner::SelectedDevice(), "test:0");
    QStringList said;
    SetMessageSink([&](const QString &t) { said << t; });
    SetDialogRunner([](QDialog *) { return int(QDialog::Accepted); });
    EXPECT_FALSE(dlg.Execute({}));
    EXPECT_EQ(said, QStringList({"Устройства сканирования не найдены"}));
    EXPECT_EQ(scanner::SelectedDevice(), "test:0");
    SetMessageSink({});
}
