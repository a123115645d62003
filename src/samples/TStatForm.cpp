#include "samples/TStatForm.h"
#include "samples/NumberForms.h"
#include "samples/SampleTableModel.h"
#include "shell/Glyphs.h"
#include "shell/MainWindowApi.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

TStatForm::TStatForm(QWidget *parent) : QWidget(parent), model_(new SampleTableModel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(623, 392);

    BarSelect = new QToolBar(this);
    BarSelect->setIconSize(QSize(20, 20));
    auto button = [this](const QString &glyph, const QString &hint, void (TStatForm::*slot)()) {
        QAction *a = BarSelect->addAction(TextGlyph(glyph), hint);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    BtnDelSel = button(QStringLiteral("−"), QStringLiteral("Удалить строку"), &TStatForm::DelSelClick);
    BtnAddSel = button(QStringLiteral("+"), QStringLiteral("Добавить строку"), &TStatForm::AddSelClick);
    BtnMeanSel = button(QStringLiteral("x̄"), QStringLiteral("Среднее значение"), &TStatForm::CalcSelClick);
    BtnSumSel = button(QStringLiteral("Σ"), QStringLiteral("Сумма"), &TStatForm::CalcSelClick);
    BtnMinSel = button(QStringLiteral("min"), QStringLiteral("Минимальное значение"), &TStatForm::CalcSelClick);
    BtnMaxSel = button(QStringLiteral("max"), QStringLiteral("Максимальное значение"), &TStatForm::CalcSelClick);
    BtnFSel = button(QStringLiteral("f"), QStringLiteral("Функция пользователя"), &TStatForm::FSelClick);
    BtnGroup = button(QStringLiteral("▥"), QStringLiteral("Группировка данных"), &TStatForm::BtnGroupClick);
    BtnCalcStat = button(QStringLiteral("∫"), QStringLiteral("Расчет параметров статистических распределений"),
                         &TStatForm::BtnCalcStatClick);
    BtnToExcel = button(QStringLiteral("XL"), QStringLiteral("Экспорт данных в Excel"), &TStatForm::ToExcelClick);
    BtnToWord = button(QStringLiteral("W"), QStringLiteral("Экспорт результатов в Word"), &TStatForm::ToWordClick);
    BtnSaveResults = button(QStringLiteral("▼"), QStringLiteral("Сохранить результаты"),
                            &TStatForm::SaveResultsClick);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(18);
    auto label = [this](const QString &text, int x) {
        auto *l = new QLabel(text, Panel1);
        l->setStyleSheet(QStringLiteral("color: blue"));
        l->move(x, 1);
        return l;
    };
    Label3 = label(QStringLiteral("№ п/п"), 2);
    Label4 = label(QStringLiteral("D(L, P, S), мкм"), 48);
    Label5 = label(QStringLiteral("N"), 206);

    StringGrid = new QTableView(this);
    StringGrid->setModel(model_);
    StringGrid->setToolTip(QStringLiteral("Данные о дисперсности"));
    StringGrid->setStatusTip(QStringLiteral("Данные о дисперсности"));
    StringGrid->horizontalHeader()->hide();
    StringGrid->verticalHeader()->hide();
    StringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid->verticalHeader()->setDefaultSectionSize(20);
    StringGrid->setColumnWidth(0, 34);
    StringGrid->setColumnWidth(1, 113);
    StringGrid->setColumnWidth(2, 110);
    StringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);

    Memo = new QTextEdit(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BarSelect);
    layout->addWidget(Panel1);
    layout->addWidget(StringGrid, 3);
    layout->addWidget(Memo, 2);
}

TStatForm::~TStatForm() = default;

QChar TStatForm::Sep() const
{
    return numtext::SystemDecimalSeparator();
}

void TStatForm::ClearData()
{
    model_->Table().ClearData();
    model_->TableReset();
}

void TStatForm::GetData(TSampleData &data) const
{
    model_->Table().GetData(data, Sep());
}

void TStatForm::SetData(const TSampleData &data)
{
    model_->Table().SetData(data, Sep());
    model_->TableReset();
}

void TStatForm::FormActivate()
{
    if (IMainWindow *m = MainWindow())
        m->SetStatFormActive(true);
}

void TStatForm::FormDeactivate()
{
    if (IMainWindow *m = MainWindow())
        m->SetStatFormActive(false);
}

void TStatForm::closeEvent(QCloseEvent *e)
{
    FormDeactivate();
    e->accept();
}

// Commands of the table operations, grouping, statistics and export come with their parts.
void TStatForm::Cut() {}
void TStatForm::Copy() {}
void TStatForm::Paste() {}
void TStatForm::DelSelClick() {}
void TStatForm::AddSelClick() {}
void TStatForm::CalcSelClick() {}
void TStatForm::FSelClick() {}
void TStatForm::BtnGroupClick() {}
void TStatForm::BtnCalcStatClick() {}
void TStatForm::ToExcelClick() {}
void TStatForm::ToWordClick() {}
void TStatForm::SaveResultsClick() {}
