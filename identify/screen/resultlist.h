#pragma once
// The result list's model: the fitting taxa as (shown name, taxon index) rows in list
// order, replaced as a whole by every filter run; and the delegate that draws the
// thumbnail rows.

#include <QAbstractListModel>
#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>
#include <vector>

namespace identify {

class SpeciesListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int TaxonRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;
    // names: the shown name of every taxon index; taxa: the listed taxon indexes in order.
    void setRows(const QStringList &names, std::vector<int> taxa);
    void clear() { setRows({}, {}); }
    int taxonAt(int row) const;
    const std::vector<int> &taxa() const { return m_taxa; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_names;
    std::vector<int> m_taxa;
};

// Plain rows are the standard ones; in the thumbnail style the rows are 140 pixels high
// and drawn by the given function.
class SpeciesListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using DrawItem = std::function<void(QPainter *, const QStyleOptionViewItem &, const QModelIndex &)>;
    SpeciesListDelegate(DrawItem drawItem, QObject *parent);
    void setThumbnails(bool on);
    bool thumbnails() const { return m_thumbnails; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    DrawItem m_drawItem;
    bool m_thumbnails = false;
};

} // namespace identify
