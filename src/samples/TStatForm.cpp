#include "samples/TStatForm.h"
#include "base/NumberForms.h"
#include "samples/RtfWriter.h"
#include "samples/SampleGrid.h"
#include "samples/SampleTableModel.h"
#include "samples/TableOps.h"
#include "widgets/Commands.h"
#include "widgets/Glyphs.h"
#include "widgets/Messages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// A cell's text quoted in a message: the start of it.
QString Elided(const QString &text)
{
    return text.size() > 20 ? text.left(20) + QChar(0x2026) : text;
}

QString SampleEndsAt(int elements)
{
    return elements == 0 ? TStatForm::tr("Выборка пуста")
                         : TStatForm::tr("Выборка заканчивается на строке %1").arg(elements);
}

} // namespace

TStatForm::TStatForm(const SampleDialogs &dialogs, QWidget *parent)
    : QWidget(parent), model_(new SampleTableModel(this)), dialogs_(dialogs)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(623, 392);

    BarSelect = new QToolBar(this);
    BarSelect->setIconSize(QSize(20, 20));
    auto button = [this](const QString &glyph, const QString &hint, void (TStatForm::*slot)()) {
        return AddCommand(BarSelect, TextGlyph(glyph), hint, this, slot);
    };
    BtnDelSel = button(QStringLiteral("−"), tr("Удалить строку"), &TStatForm::DelSelClick);
    BtnAddSel = button(QStringLiteral("+"), tr("Добавить строку"), &TStatForm::AddSelClick);
    BtnMeanSel = button(QStringLiteral("x̄"), tr("Среднее значение"), &TStatForm::CalcSelClick);
    BtnSumSel = button(QStringLiteral("Σ"), tr("Сумма"), &TStatForm::CalcSelClick);
    BtnMinSel = button(QStringLiteral("min"), tr("Минимальное значение"), &TStatForm::CalcSelClick);
    BtnMaxSel = button(QStringLiteral("max"), tr("Максимальное значение"), &TStatForm::CalcSelClick);
    BtnFSel = button(QStringLiteral("f"), tr("Функция пользователя"), &TStatForm::FSelClick);
    BtnGroup = button(QStringLiteral("▥"), tr("Группировка данных"), &TStatForm::BtnGroupClick);
    BtnCalcStat = button(QStringLiteral("∫"), tr("Расчет параметров статистических распределений"),
                         &TStatForm::BtnCalcStatClick);
    BtnToExcel = button(QStringLiteral("XL"), tr("Экспорт данных в Excel"), &TStatForm::ToExcelClick);
    BtnToWord = button(QStringLiteral("W"), tr("Экспорт результатов в Word"), &TStatForm::ToWordClick);
    BtnSaveResults = button(QStringLiteral("▼"), tr("Сохранить результаты"),
                            &TStatForm::SaveResultsClick);
    BtnFit = AddCommand(BarSelect, DrawnIcon(QStringLiteral("grizal-fit")),
                        tr("Статистика (максимальное правдоподобие)"), this, &TStatForm::BtnFitClick);
    for (auto [b, icon] : {std::pair{BtnDelSel, "list-remove"}, {BtnAddSel, "list-add"},
                           {BtnToExcel, "x-office-spreadsheet"}, {BtnToWord, "x-office-document"},
                           {BtnSaveResults, "document-save"}})
        b->setIcon(StandardIcon(QLatin1String(icon))); // the desktop's pictures of standard actions

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(18);
    auto label = [this](const QString &text, int x) {
        auto *l = new QLabel(text, Panel1);
        l->setStyleSheet(QStringLiteral("color: blue"));
        l->move(x, 1);
        return l;
    };
    Label3 = label(tr("№ п/п"), 2);
    Label4 = label(tr("D(L, P, S), мкм"), 48);
    Label5 = label(QStringLiteral("N"), 206);

    StringGrid = new SampleGrid(this);
    StringGrid->setModel(model_);
    StringGrid->setToolTip(tr("Данные о дисперсности"));
    StringGrid->setStatusTip(tr("Данные о дисперсности"));
    StringGrid->horizontalHeader()->hide();
    StringGrid->verticalHeader()->hide();
    StringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid->verticalHeader()->setDefaultSectionSize(20);
    // Wide enough for the last row number, "10000", in the font in use.
    StringGrid->setColumnWidth(0, std::max(34, StringGrid->fontMetrics().horizontalAdvance(QStringLiteral("10000")) + 12));
    StringGrid->setColumnWidth(1, 113);
    StringGrid->setColumnWidth(2, 110);
    StringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PlaceColumnLabels();
    connect(StringGrid, &SampleGrid::CutRequested, this, &TStatForm::Cut);
    connect(StringGrid, &SampleGrid::CopyRequested, this, &TStatForm::Copy);
    connect(StringGrid, &SampleGrid::PasteRequested, this, &TStatForm::Paste);
    connect(StringGrid, &SampleGrid::PasteTextRequested, this, &TStatForm::PasteText);
    connect(model_, &SampleTableModel::TextsChanged, this, &TStatForm::UpdateSampleEnd);
    connect(model_, &SampleTableModel::CountRefused, this, [](int, const QString &text) {
        ShowMessage(tr("Число частиц должно быть целым от 0 до 65535: «%1» не принято.").arg(Elided(text)));
    });

    Memo = new QTextEdit(this);

    auto *tablePart = new QWidget(this);
    auto *tableLayout = new QVBoxLayout(tablePart);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->setSpacing(0);
    tableLayout->addWidget(Panel1);
    tableLayout->addWidget(StringGrid);
    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->addWidget(tablePart);
    Splitter->addWidget(Memo);
    Splitter->setChildrenCollapsible(false);
    Splitter->setStretchFactor(0, 3);
    Splitter->setStretchFactor(1, 2);
    Splitter->setSizes({3000, 2000});

    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BarSelect);
    layout->addWidget(Splitter, 1);
    layout->addWidget(StatusBar);
    UpdateSampleEnd();
}

// The header labels stand over their columns, whatever width the row numbers take.
void TStatForm::PlaceColumnLabels()
{
    const int numbers = StringGrid->columnWidth(0);
    Label4->move(numbers + 14, 1);
    Label5->move(numbers + 113 + 59, 1);
}

TStatForm::~TStatForm() = default;

QChar TStatForm::Sep() const
{
    return numtext::SystemDecimalSeparator();
}

void TStatForm::ClearData()
{
    model_->Table().ClearData();
    ResetKeepingCurrentCell();
}

// What is being typed into a cell counts as written.
void TStatForm::GetData(TSampleData &data) const
{
    StringGrid->CommitEdit();
    model_->Table().GetData(data, Sep());
}

void TStatForm::SetData(const TSampleData &data)
{
    model_->Table().SetData(data, Sep());
    ResetKeepingCurrentCell();
}

// Rewriting the table keeps the current cell where it was, as the grid's cursor stays.
void TStatForm::ResetKeepingCurrentCell()
{
    const QModelIndex current = StringGrid->currentIndex();
    model_->TableReset();
    if (current.isValid())
        StringGrid->setCurrentIndex(model_->index(current.row(), current.column()));
}

void TStatForm::AppendLines(const QStringList &lines)
{
    for (const QString &l : lines)
        Memo->append(l);
}

void TStatForm::Copy()
{
    StringGrid->CommitEdit();
    QGuiApplication::clipboard()->setText(tableops::CopyText(model_->Table()));
}

void TStatForm::Cut()
{
    Copy();
    ClearData();
}

void TStatForm::Paste()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (mime && mime->hasText())
        PasteText(mime->text());
}

void TStatForm::PasteText(const QString &text)
{
    StringGrid->CommitEdit();
    const tableops::PasteResult pasted = tableops::PasteText(model_->Table(), text);
    ResetKeepingCurrentCell();
    const SampleEnd end = model_->Table().FindEnd(Sep());
    if (end.reason == SampleEnd::CountOutOfRange && end.row0 < pasted.rows)
        ShowMessage(tr("Число частиц должно быть целым от 0 до 65535: в строке %1 вставлено «%2». %3.")
                        .arg(end.row0 + 1)
                        .arg(Elided(model_->Table().CountText(end.row0)), SampleEndsAt(end.row0)));
    if (pasted.linesLeftOut)
        ShowMessage(tr("Вставлены первые %1 строк: остальные строки текста в таблицу не помещаются.")
                        .arg(SampleTable::Rows));
}

void TStatForm::UpdateSampleEnd()
{
    const SampleEnd end = model_->Table().FindEnd(Sep());
    model_->SetEndMark(end.leavesRows ? model_->index(end.row0, end.column()) : QModelIndex());
    StatusBar->showMessage(SampleEndText(end));
}

QString TStatForm::SampleEndText(const SampleEnd &end) const
{
    if (!end.leavesRows)
        return tr("Элементов в выборке: %1").arg(end.row0);
    const SampleTable &t = model_->Table();
    QString why;
    switch (end.reason) {
    case SampleEnd::Full:
    case SampleEnd::NoSize:
        why = tr("нет размера");
        break;
    case SampleEnd::NotANumber: {
        why = tr("размер «%1» — не число").arg(Elided(t.SizeText(end.row0)));
        const QChar other = Sep() == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        long double v = 0;
        if (numtext::ReadNumber(t.SizeText(end.row0), other, v))
            why += tr(" (десятичный разделитель — «%1»)").arg(Sep());
        break;
    }
    case SampleEnd::TooLarge:
        why = tr("размер «%1» слишком велик").arg(Elided(t.SizeText(end.row0)));
        break;
    case SampleEnd::CountOutOfRange:
        why = tr("число частиц «%1» вне пределов 0…65535").arg(Elided(t.CountText(end.row0)));
        break;
    }
    return tr("%1: в строке %2 %3. Строки ниже не входят в выборку.")
        .arg(SampleEndsAt(end.row0))
        .arg(end.row0 + 1)
        .arg(why);
}

void TStatForm::InsertPicture(const QImage &picture)
{
    QTextCursor cursor = Memo->textCursor();
    InsertMemoPicture(cursor, picture);
    Memo->setTextCursor(cursor);
}
