#include "DialogRecorder.h"
#include "base/NumberForms.h"
#include "samples/SampleGrid.h"
#include "samples/SampleTableModel.h"
#include "samples/TStatForm.h"

#include "samples/TGroupDlg.h"
#include "samples/TFormStatDlg.h"
#include "analysis/TDlgCaseCalcDistrib.h"
#include "samples/Export.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextEdit>
#include <QLabel>
#include <QToolBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(StatForm, LayoutTexts)
{
    TStatForm f;
    const QStringList hints = {"Удалить строку", "Добавить строку", "Среднее значение", "Сумма",
                               "Минимальное значение", "Максимальное значение", "Функция пользователя",
                               "Группировка данных", "Расчет параметров статистических распределений",
                               "Экспорт данных в Excel", "Экспорт результатов в Word", "Сохранить результаты",
                               "Статистика (максимальное правдоподобие)"};
    QStringList actual;
    for (QAction *a : f.BarSelect->actions())
        actual << a->toolTip();
    EXPECT_EQ(actual, hints);
    EXPECT_EQ(f.Label4->text(), "D(L, P, S), мкм");
    EXPECT_EQ(f.Model()->rowCount(), 10000);
    EXPECT_EQ(f.Model()->data(f.Model()->index(9999, 0), Qt::DisplayRole).toString(), "10000");
}

// Captions as they stand, shown whole; every field named for a screen reader.
TEST(StatForm, DialogsShowTheirCaptionsAndNameTheirFields)
{
    TGroupDlg group;
    TFormStatDlg generation;
    TDlgCaseCalcDistrib distribution;
    const std::pair<QDialog *, QString> dialogs[] = {{&group, "Группировка данных"},
                                                     {&generation, "Формирование выборки"},
                                                     {&distribution, "Распределение"}};
    for (auto [d, caption] : dialogs) {
        EXPECT_EQ(d->windowTitle(), caption);
        QFont bold = d->font();
        bold.setBold(true);
        EXPECT_GT(d->sizeHint().width(), QFontMetrics(bold).horizontalAdvance(caption) + 100) << caption.toStdString();
        for (QWidget *field : d->findChildren<QWidget *>())
            if (qobject_cast<QSpinBox *>(field)
                || (qobject_cast<QLineEdit *>(field) && !qobject_cast<QSpinBox *>(field->parentWidget())))
                EXPECT_FALSE(field->accessibleName().isEmpty()) << caption.toStdString();
    }
    EXPECT_EQ(group.Edit1->accessibleName(), "Длина интервала, мкм");
    EXPECT_EQ(generation.Edit2->accessibleName(), "b =");
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

namespace {

class StatCommands : public DialogRecorder {
protected:
    void Fill(std::initializer_list<std::pair<const char *, const char *>> rows)
    {
        int r = 0;
        for (auto [s, n] : rows) {
            f.Model()->Table().SetSizeText(r, s);
            f.Model()->Table().SetCountText(r++, n);
        }
        f.Model()->TableReset();
    }
    QString Size(int r) { return f.Model()->Table().SizeText(r); }
    QString Count(int r) { return f.Model()->Table().CountText(r); }
    TStatForm f;
    const QChar sep = numtext::SystemDecimalSeparator();
};

TEST_F(StatCommands, DeleteAndInsertAtTheCurrentRow)
{
    Fill({{"1", "1"}, {"2", "1"}, {"3", "1"}});
    f.StringGrid->setCurrentIndex(f.Model()->index(1, 1));
    f.DelSelClick();
    EXPECT_EQ(Size(1), QString("3") + sep + "000");
    EXPECT_EQ(Size(2), "");
    f.AddSelClick();
    EXPECT_EQ(Size(1), QString("0") + sep + "000");
    EXPECT_EQ(Count(1), "0");
}

TEST_F(StatCommands, FiguresAndUserFunctionGoToTheMemo)
{
    Fill({{"1", "4"}, {"5", "1"}, {"7", "2"}, {"9", "3"}});
    f.BtnSumSel->trigger();
    f.FSelClick();
    const QStringList lines = f.Memo->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], "Сумма количеств: 10");
    EXPECT_EQ(lines[4], QString("Среднее значение оставшихся: 6") + sep + "333");
    f.ClearData();
    f.BtnMeanSel->trigger(); // counts add up to 0: the error text, no line
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(f.Memo->toPlainText().split('\n').size(), 5);
}

TEST_F(StatCommands, GroupingThroughTheDialog)
{
    Fill({{"10", "5"}, {"20", "6"}, {"30", "7"}});
    prepare = [](QDialog *d) {
        auto *g = qobject_cast<TGroupDlg *>(d);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->SpinEdit1->value(), 4); // √18 rounded
        g->RadioButton1->setChecked(true);
        g->SpinEdit1->setValue(2);
    };
    f.BtnGroupClick();
    EXPECT_EQ(Size(0), QString("20") + sep + "000");
    EXPECT_EQ(Count(0), "11");
    EXPECT_EQ(Count(1), "7");
    // A length that is not a number makes every mode fail, and the table is rewritten.
    prepare = [](QDialog *d) { qobject_cast<TGroupDlg *>(d)->Edit1->setText("abc"); };
    f.BtnGroupClick();
    EXPECT_EQ(messages, QStringList({"Невозможно сгруппировать данные"}));
    EXPECT_EQ(Count(0), "11");
}

// Made without a main window, the window reads the settings it is given and reports the
// law its chart chose.
TEST_F(StatCommands, StatisticsFollowTheSettingsGiven)
{
    Fill({{"10", "5"}, {"20", "12"}, {"30", "20"}, {"40", "9"}, {"50", "3"}});
    QList<int> laws;
    QObject::connect(&f, &TStatForm::chartLawChosen, [&](int law) { laws << law; });
    ReportSettings settings;
    settings.chartLaw = 2;
    f.SetSettings(settings);
    f.BtnCalcStatClick();
    const QImage both = QGuiApplication::clipboard()->image();
    settings.histogram = false;
    f.SetSettings(settings);
    f.BtnCalcStatClick();
    EXPECT_FALSE(both.isNull());
    EXPECT_NE(QGuiApplication::clipboard()->image(), both); // the chart without its histogram
    settings.chartLaw = 0; // automatic: the best law
    f.SetSettings(settings);
    f.BtnCalcStatClick();
    ASSERT_EQ(laws.size(), 3);
    EXPECT_EQ(laws[0], 2);
    EXPECT_EQ(laws[1], 2);
    EXPECT_GE(laws[2], 1);
    EXPECT_LE(laws[2], 4);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(StatCommands, ClipboardRoundTrip)
{
    Fill({{"12,5", "3"}, {"7", ""}});
    f.Cut();
    EXPECT_EQ(Size(0), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12,5\t3\n7\t\n");
    QGuiApplication::clipboard()->setText("1\t2\r\n3\t4\r\n");
    f.Paste();
    EXPECT_EQ(Size(1), "3");
    EXPECT_EQ(Count(1), "4");
}

TEST_F(StatCommands, HandOverFilesAndSavedResults)
{
    std::vector<exportfiles::Launch> launches;
    exportfiles::SetStarter([&](const exportfiles::Launch &l) {
        launches.push_back(l);
        return true;
    });
    const QByteArray twelve = (QString("12") + sep + "5").toLatin1();
    Fill({{twelve.constData(), "3"}, {"7", "1"}});
    f.ToExcelClick();
    const QString dir = exportfiles::ProgramDirectory();
    QFile txt(dir + "TempFile.txt");
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    EXPECT_EQ(txt.readAll(), QString("12" + QString(sep) + "500\t3\r\n7" + sep + "000\t1\r\n").toLatin1());
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].arguments.last(), dir + "TempFile.txt");

    f.Memo->append("Отчёт {1}");
    f.InsertPicture(QImage(3, 2, QImage::Format_RGB32));
    f.ToWordClick();
    QFile rtf(dir + "TempFile.rtf");
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray doc = rtf.readAll();
    EXPECT_TRUE(doc.startsWith("{\\rtf1"));
    EXPECT_TRUE(doc.contains("\\{1\\}"));
    EXPECT_TRUE(doc.contains("\\pict"));
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[1].arguments.last(), dir + "TempFile.rtf");

    // The chosen file gets the same document; a file that cannot be written is a message.
    QTemporaryDir tmp;
    QString target = tmp.filePath("report.rtf");
    prepare = [&](QDialog *d) { qobject_cast<QFileDialog *>(d)->selectFile(target); };
    f.SaveResultsClick();
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), doc);
    target = tmp.filePath("no/such/dir/report.rtf");
    f.SaveResultsClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(target));
    // No program to open the hand-over file: the message says where it was written.
    exportfiles::SetStarter([](const exportfiles::Launch &) { return false; });
    f.ToExcelClick();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains(dir + "TempFile.txt"));
    exportfiles::SetStarter({});
}

} // namespace

namespace {

// The table driven as a user drives it: real key presses and mouse clicks.
class Grid : public StatCommands {
protected:
    void SetUp() override
    {
        StatCommands::SetUp();
        f.resize(623, 600);
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        f.StringGrid->setFocus();
    }
    QWidget *Port() { return f.StringGrid->viewport(); }
    QPoint At(int row, int col) { return f.StringGrid->visualRect(f.Model()->index(row, col)).center(); }
    void Click(int row, int col) { QTest::mouseClick(Port(), Qt::LeftButton, {}, At(row, col)); }
    bool Editing() { return f.StringGrid->Delegate()->Editor() && f.StringGrid->Delegate()->Editor()->isVisible(); }
    void Type(const char *keys) // each key to the widget that has the focus by then
    {
        for (const char *c = keys; *c; ++c)
            QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*c)));
    }
    void Key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QCoreApplication::processEvents(); // Enter closes the editor through a queued call
    }
    QModelIndex Current() { return f.StringGrid->currentIndex(); }
};

TEST_F(Grid, ClipboardKeysRunTheTablesCommands)
{
    Fill({{"1", "2"}, {"3", "4"}});
    Click(1, 2);
    EXPECT_FALSE(Editing()); // a click selects, it does not edit
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\t2\n3\t4\n");
    QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(1, 2));
    ASSERT_TRUE(Editing());
    QGuiApplication::clipboard()->setText("5\t6\r\n7\t8\r\n");
    Key(Qt::Key_V, Qt::ControlModifier); // the table's paste, not one cell's
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Size(0), "5");
    EXPECT_EQ(Count(1), "8");
    // Lines pasted into an open editor by other means also go to the table.
    Key(Qt::Key_F2);
    ASSERT_TRUE(Editing());
    QGuiApplication::clipboard()->setText("9\n");
    qobject_cast<QLineEdit *>(f.StringGrid->Delegate()->Editor())->paste();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Size(0), "9");
    EXPECT_EQ(Count(1), "8");
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Size(0), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "9\t6\n7\t8\n");
}

TEST_F(Grid, TabAndEnterMoveOverTheEditableCells)
{
    EXPECT_GE(f.StringGrid->columnWidth(0), f.StringGrid->fontMetrics().horizontalAdvance("10000") + 6);
    Click(0, 1);
    Type("5");
    ASSERT_TRUE(Editing());
    Key(Qt::Key_Tab);
    Type("3");
    Key(Qt::Key_Tab); // from the count to the next row's size, not to the row number
    EXPECT_EQ(Current(), f.Model()->index(1, 1));
    Type("7");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), f.Model()->index(2, 1));
    EXPECT_EQ(Size(0), "5");
    EXPECT_EQ(Count(0), "3");
    EXPECT_EQ(Size(1), "7");
    Key(Qt::Key_Left);
    Key(Qt::Key_Backtab);
    EXPECT_EQ(Current(), f.Model()->index(1, 2));
    QTest::mouseClick(Port(), Qt::LeftButton, {}, At(0, 0)); // a row number picks its row
    EXPECT_EQ(Current(), f.Model()->index(0, 1));
    Type("8");
    Key(Qt::Key_Return);
    EXPECT_EQ(Size(0), "8");
}

TEST_F(Grid, DragSelectsAndDeleteClears)
{
    Fill({{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}});
    QTest::mousePress(Port(), Qt::LeftButton, {}, At(1, 1));
    QTest::mouseMove(Port(), At(2, 2));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(2, 2));
    EXPECT_EQ(f.StringGrid->selectionModel()->selectedIndexes().size(), 4);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Size(1) + Count(1) + Size(2) + Count(2), "");
    EXPECT_EQ(Size(3), "4");
}

// Where the sample ends before the last filled row, the cell is marked and the strip says
// why; a count that 16 bits cannot hold is refused, typed or pasted.
TEST_F(Grid, TheEndOfTheSampleIsShown)
{
    Fill({{"1", ""}, {"abc", ""}, {"3", ""}});
    EXPECT_EQ(f.Model()->EndMark(), f.Model()->index(1, 1));
    EXPECT_EQ(f.StatusBar->currentMessage(),
              "Выборка заканчивается на строке 1: в строке 2 размер «abc» — не число. Строки ниже не входят в выборку.");
    Click(1, 1);
    Type("2");
    Key(Qt::Key_Tab);
    EXPECT_FALSE(f.Model()->EndMark().isValid());
    EXPECT_EQ(f.StatusBar->currentMessage(), "Элементов в выборке: 3");
    Type("70000");
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1), "");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("65535"));
    f.PasteText("1\t70000\n");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains("Выборка пуста"));
    EXPECT_EQ(f.Model()->EndMark(), f.Model()->index(0, 2));
}

TEST_F(Grid, TheReportCanBeGivenRoom)
{
    f.Splitter->setSizes({100, 1000});
    EXPECT_GE(f.Memo->height(), 350);
    EXPECT_EQ(f.Splitter->indexOf(f.Memo), 1);
}

} // namespace
