#pragma once
// The sample window's table view, made to behave as a spreadsheet: a click selects, typing,
// a double click or F2 edits; Tab and Enter move over the editable cells only; the
// clipboard keys run the table's own Cut, Copy and Paste, also while a cell is edited;
// Delete empties the selected cells.
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

class SampleGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    QWidget *Editor() const { return editor_; }

signals:
    // A clipboard key pressed in the editor; the editor has been committed and closed.
    void ClipboardKey(QKeySequence::StandardKey key);
    // Text of several lines or cells pasted into the editor, which has been closed unchanged.
    void TablePaste(const QString &text);
    // Enter in the editor; the editor has been committed and closed.
    void EnterPressed();

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void EditorTextEdited(QWidget *editor, const QString &text);
    mutable QPointer<QWidget> editor_;
};

class SampleGrid : public QTableView {
    Q_OBJECT
public:
    explicit SampleGrid(QWidget *parent = nullptr);
    // Writes the text of an open cell editor into the table and closes the editor.
    void CommitEdit();
    SampleGridDelegate *Delegate() const { return delegate_; }

signals:
    void CutRequested();
    void CopyRequested();
    void PasteRequested();
    void PasteTextRequested(const QString &text);

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void RunClipboardKey(QKeySequence::StandardKey key);
    void MoveDown();
    void MoveTo(int row, int column);
    void ClearSelectedCells();
    SampleGridDelegate *delegate_;
};
