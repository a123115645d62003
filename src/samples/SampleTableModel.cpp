#include "samples/SampleTableModel.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace {
// Longer texts are cut for showing only: a huge pasted line must not stall the painting.
constexpr int kShownChars = 200;
} // namespace

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
        if (index.column() == 0)
            return QString::number(r + 1);
        const QString &t = index.column() == 1 ? table_->SizeText(r) : table_->CountText(r);
        if (role == Qt::DisplayRole && t.size() > kShownChars)
            return t.left(kShownChars) + QChar(0x2026);
        return t;
    }
    if (role == Qt::BackgroundRole) {
        if (index.column() == 0)
            return QGuiApplication::palette().brush(QPalette::Button);
        if (index == endMark_)
            return QBrush(QColor(255, 190, 190));
    }
    // The row numbers are not enabled, so that no cursor lands there, but read as text.
    if (role == Qt::ForegroundRole && index.column() == 0)
        return QGuiApplication::palette().brush(QPalette::Active, QPalette::ButtonText);
    return {};
}

bool SampleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0)
        return false;
    const QString text = value.toString();
    if (index.column() == 1) {
        table_->SetSizeText(index.row(), text);
    } else {
        if (CountOutOfRange(text)) {
            emit CountRefused(index.row(), text);
            return false;
        }
        table_->SetCountText(index.row(), text);
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit TextsChanged();
    return true;
}

Qt::ItemFlags SampleTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.column() == 0)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void SampleTableModel::TableReset()
{
    beginResetModel();
    endResetModel();
    emit TextsChanged();
}

void SampleTableModel::ClearCells(int top, int bottom, int left, int right)
{
    left = std::max(left, 1);
    if (top > bottom || left > right)
        return;
    for (int r = top; r <= bottom; ++r) {
        if (left <= 1)
            table_->SetSizeText(r, {});
        if (right >= 2)
            table_->SetCountText(r, {});
    }
    emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole, Qt::EditRole});
    emit TextsChanged();
}

void SampleTableModel::SetEndMark(const QModelIndex &cell)
{
    const QModelIndex old = endMark_;
    if (old == cell)
        return;
    endMark_ = cell;
    if (old.isValid())
        emit dataChanged(old, old, {Qt::BackgroundRole});
    if (cell.isValid())
        emit dataChanged(cell, cell, {Qt::BackgroundRole});
}
