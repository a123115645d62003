#include "samples/SampleTableModel.h"

#include <QBrush>
#include <QPalette>
#include <QGuiApplication>

SampleTableModel::SampleTableModel(QObject *parent)
    : QAbstractTableModel(parent), table_(std::make_unique<SampleTable>())
{
}

int SampleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : SampleTable::Rows;
}

int SampleTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant SampleTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case 0: return QString::number(r + 1);
        case 1: return table_->SizeText(r);
        case 2: return table_->CountText(r);
        }
    }
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QGuiApplication::palette().brush(QPalette::Button);
    return {};
}

bool SampleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0)
        return false;
    if (index.column() == 1)
        table_->SetSizeText(index.row(), value.toString());
    else
        table_->SetCountText(index.row(), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags SampleTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void SampleTableModel::TableReset()
{
    beginResetModel();
    endResetModel();
}
