#include "resultlist.h"

namespace identify {

void SpeciesListModel::setRows(const QStringList &names, std::vector<int> taxa)
{
    beginResetModel();
    m_names = names;
    m_taxa = std::move(taxa);
    endResetModel();
}

int SpeciesListModel::taxonAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_taxa.size()) ? m_taxa[static_cast<size_t>(row)] : -1;
}

int SpeciesListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_taxa.size());
}

QVariant SpeciesListModel::data(const QModelIndex &index, int role) const
{
    const int t = index.isValid() ? taxonAt(index.row()) : -1;
    if (t < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_names.value(t);
    case TaxonRole:
        return t;
    default:
        return {};
    }
}

SpeciesListDelegate::SpeciesListDelegate(DrawItem drawItem, QObject *parent)
    : QStyledItemDelegate(parent), m_drawItem(std::move(drawItem))
{
}

void SpeciesListDelegate::setThumbnails(bool on)
{
    if (m_thumbnails == on)
        return;
    m_thumbnails = on;
    // The view lays its rows out again on this signal.
    emit sizeHintChanged(QModelIndex());
}

void SpeciesListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_thumbnails && m_drawItem)
        m_drawItem(painter, option, index);
    else
        QStyledItemDelegate::paint(painter, option, index);
}

QSize SpeciesListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (m_thumbnails)
        size.setHeight(140);
    return size;
}

} // namespace identify
