#include "samples/SampleGrid.h"
#include "samples/SampleTableModel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

constexpr QKeySequence::StandardKey kClipboardKeys[] = {QKeySequence::Cut, QKeySequence::Copy,
                                                        QKeySequence::Paste};

QKeySequence::StandardKey ClipboardKeyOf(const QKeyEvent *e)
{
    for (QKeySequence::StandardKey k : kClipboardKeys)
        if (e->matches(k))
            return k;
    return QKeySequence::UnknownKey;
}

bool LeavesTheCell(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t');
}

// The part of `now` that an edit put in place of a part of `before`.
QString Inserted(const QString &before, const QString &now)
{
    qsizetype prefix = 0;
    const qsizetype most = std::min(before.size(), now.size());
    while (prefix < most && before[prefix] == now[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix && before[before.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    return now.mid(prefix, now.size() - prefix - suffix);
}

const char *kTextBefore = "textBeforeEdit";

} // namespace

QWidget *SampleGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *self = const_cast<SampleGridDelegate *>(this); // createEditor is const by its base
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        connect(line, &QLineEdit::textEdited, self, [self, line](const QString &text) { self->EditorTextEdited(line, text); });
    editor_ = editor;
    return editor;
}

void SampleGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setProperty(kTextBefore, line->text());
}

// A cell holds one line: lines or cells pasted into it (menu, middle button, dropping)
// are meant for the table.
void SampleGridDelegate::EditorTextEdited(QWidget *editor, const QString &text)
{
    const QString before = editor->property(kTextBefore).toString();
    if (!std::any_of(text.begin(), text.end(), LeavesTheCell)) {
        editor->setProperty(kTextBefore, text);
        return;
    }
    emit closeEditor(editor, NoHint);
    emit TablePaste(Inserted(before, text));
}

bool SampleGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        const QKeySequence::StandardKey key = ClipboardKeyOf(k);
        if (key != QKeySequence::UnknownKey) {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            emit ClipboardKey(key);
            return true;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            emit EnterPressed();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

SampleGrid::SampleGrid(QWidget *parent) : QTableView(parent), delegate_(new SampleGridDelegate(this))
{
    setItemDelegate(delegate_);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    connect(delegate_, &SampleGridDelegate::ClipboardKey, this, &SampleGrid::RunClipboardKey);
    connect(delegate_, &SampleGridDelegate::TablePaste, this, &SampleGrid::PasteTextRequested);
    connect(delegate_, &SampleGridDelegate::EnterPressed, this, &SampleGrid::MoveDown);
}

void SampleGrid::CommitEdit()
{
    QWidget *editor = delegate_->Editor();
    if (state() != EditingState || !editor)
        return;
    commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void SampleGrid::RunClipboardKey(QKeySequence::StandardKey key)
{
    if (key == QKeySequence::Cut)
        emit CutRequested();
    else if (key == QKeySequence::Copy)
        emit CopyRequested();
    else if (key == QKeySequence::Paste)
        emit PasteRequested();
}

// The table keeps its clipboard and Delete keys from the window's short-cuts.
bool SampleGrid::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (ClipboardKeyOf(k) != QKeySequence::UnknownKey || (k->key() == Qt::Key_Delete && k->modifiers() == Qt::NoModifier)) {
            e->accept();
            return true;
        }
    }
    return QTableView::event(e);
}

void SampleGrid::keyPressEvent(QKeyEvent *e)
{
    const QKeySequence::StandardKey key = ClipboardKeyOf(e);
    if (key != QKeySequence::UnknownKey) {
        RunClipboardKey(key);
        return;
    }
    if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier) {
        ClearSelectedCells();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != EditingState) {
        MoveDown();
        return;
    }
    QTableView::keyPressEvent(e);
}

// A click on a row number picks that row.
void SampleGrid::mousePressEvent(QMouseEvent *e)
{
    const QModelIndex at = indexAt(e->position().toPoint());
    if (at.isValid() && at.column() == 0 && e->button() == Qt::LeftButton) {
        setCurrentIndex(model()->index(at.row(), 1));
        selectionModel()->select(QItemSelection(model()->index(at.row(), 1), model()->index(at.row(), 2)),
                                 QItemSelectionModel::ClearAndSelect);
        return;
    }
    QTableView::mousePressEvent(e);
}

// Only the size and count cells are stops: Tab goes size, count, next row's size.
QModelIndex SampleGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, 1);
    const int last = model()->rowCount() - 1;
    int row = current.row(), col = std::max(1, current.column());
    switch (action) {
    case MoveNext:
        if (col == 1)
            col = 2;
        else if (row < last)
            ++row, col = 1;
        break;
    case MovePrevious:
        if (col == 2)
            col = 1;
        else if (row > 0)
            --row, col = 2;
        break;
    default: {
        const QModelIndex i = QTableView::moveCursor(action, modifiers);
        if (!i.isValid())
            return i;
        row = i.row();
        col = std::max(1, i.column());
    }
    }
    return model()->index(row, col);
}

void SampleGrid::MoveDown()
{
    const QModelIndex current = currentIndex();
    if (current.isValid())
        MoveTo(current.row() + 1, current.column());
}

void SampleGrid::MoveTo(int row, int column)
{
    if (row >= 0 && row < model()->rowCount())
        setCurrentIndex(model()->index(row, column));
}

// Tab commits and goes on without editing the next cell.
void SampleGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if (!next && hint != QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex to = moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier);
    MoveTo(to.row(), to.column());
}

void SampleGrid::ClearSelectedCells()
{
    auto *m = qobject_cast<SampleTableModel *>(model());
    if (!m)
        return;
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex c = currentIndex();
        if (c.isValid())
            m->ClearCells(c.row(), c.row(), c.column(), c.column());
        return;
    }
    for (const QItemSelectionRange &r : selection)
        m->ClearCells(r.top(), r.bottom(), r.left(), r.right());
}
