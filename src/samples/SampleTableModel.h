#pragma once
// The sample window's table as a view model over SampleTable's texts: column 0 the row
// numbers, column 1 the sizes, column 2 the counts.
#include "samples/SampleTable.h"

#include <QAbstractTableModel>
#include <memory>

class SampleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SampleTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // A count outside 0..65535 is refused (CountRefused), the cell keeps its text.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    SampleTable &Table() { return *table_; }
    const SampleTable &Table() const { return *table_; }
    // Call after changing many texts of Table() directly.
    void TableReset();
    // Empties the size and count cells of rows top..bottom, columns left..right.
    void ClearCells(int top, int bottom, int left, int right);
    // The cell shown as the one that ends the sample; an invalid index shows none.
    void SetEndMark(const QModelIndex &cell);
    QModelIndex EndMark() const { return endMark_; }

signals:
    void CountRefused(int row0, const QString &text);
    // Any cell text changed.
    void TextsChanged();

private:
    std::unique_ptr<SampleTable> table_;
    QPersistentModelIndex endMark_;
};
