#include "samples/NumberForms.h"
#include "samples/SampleTableModel.h"
#include "samples/TStatForm.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(StatForm, LayoutTexts)
{
    TStatForm f;
    const QStringList hints = {"Удалить строку", "Добавить строку", "Среднее значение", "Сумма",
                               "Минимальное значение", "Максимальное значение", "Функция пользователя",
                               "Группировка данных", "Расчет параметров статистических распределений",
                               "Экспорт данных в Excel", "Экспорт результатов в Word", "Сохранить результаты"};
    QStringList actual;
    for (QAction *a : f.BarSelect->actions())
        actual << a->toolTip();
    EXPECT_EQ(actual, hints);
    EXPECT_EQ(f.Label4->text(), "D(L, P, S), мкм");
    EXPECT_EQ(f.Model()->rowCount(), 10000);
    EXPECT_EQ(f.Model()->data(f.Model()->index(9999, 0), Qt::DisplayRole).toString(), "10000");
}

TEST(StatForm, SetDataThenGetDataRoundsToTheTablesDecimals)
{
    const QChar sep = numtext::SystemDecimalSeparator();
    TStatForm f;
    auto d = std::make_unique<TSampleData>();
    d->Count = 2;
    d->SetSize(0, 0.12345L);
    d->N[0] = 4;
    d->SetSize(1, 7);
    d->N[1] = 0;
    f.SetData(*d);
    EXPECT_EQ(f.Model()->Table().SizeText(0), QString("0") + sep + "123");
    EXPECT_EQ(f.Model()->Table().CountText(1), "0");
    auto back = std::make_unique<TSampleData>();
    f.GetData(*back);
    EXPECT_EQ(back->Count, 2);
    EXPECT_NEAR(double(back->Size(0)), 0.123, 1e-12);
    f.ClearData();
    f.GetData(*back);
    EXPECT_EQ(back->Count, 0);
    EXPECT_EQ(f.Model()->data(f.Model()->index(0, 0), Qt::DisplayRole).toString(), "1");
}

TEST(StatForm, RowNumbersAreNotEditable)
{
    TStatForm f;
    EXPECT_FALSE(f.Model()->setData(f.Model()->index(0, 0), "x", Qt::EditRole));
    EXPECT_FALSE(f.Model()->flags(f.Model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(f.Model()->flags(f.Model()->index(0, 2)) & Qt::ItemIsEditable);
}

} // namespace
