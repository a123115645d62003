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
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    SampleTable &Table() { return *table_; }
    const SampleTable &Table() const { return *table_; }
    // Call after changing many texts of Table() directly.
    void TableReset();

private:
    std::unique_ptr<SampleTable> table_;
};
