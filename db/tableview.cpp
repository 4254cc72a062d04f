#include "tableview.h"

namespace db {

TableView::TableView(fb::Database &db, fb::Transaction &tra, QString table, QStringList columns, QString keyColumn,
                     QObject *parent)
    : QObject(parent), m_db(db), m_tra(tra), m_table(std::move(table)), m_columns(std::move(columns)),
      m_key(std::move(keyColumn))
{
}

QString TableView::selectText() const
{
    QString text = QStringLiteral("select %1 from %2").arg(m_columns.isEmpty() ? QStringLiteral("*") : m_columns.join(u','), m_table);
    if (m_filtered && !m_filter.trimmed().isEmpty())
        text += QStringLiteral(" where ") + m_filter;
    if (!m_orderBy.isEmpty())
        text += QStringLiteral(" order by ") + m_orderBy;
    return text;
}

void TableView::fetch()
{
    fb::Query q(m_db, m_tra);
    q.setSql(selectText());
    m_rows = q.fetchAll();
    if (m_columns.isEmpty() || m_columns.contains(QStringLiteral("*")))
        m_columns = q.fieldNames();
}

void TableView::open()
{
    if (m_open)
        return;
    fetch();
    m_open = true;
    m_current = -1;
    emit refreshed();
    first();
}

void TableView::close()
{
    m_open = false;
    m_rows.clear();
    emit refreshed();
    if (m_current != -1) {
        m_current = -1;
        emit currentChanged(-1);
    }
}

void TableView::refresh()
{
    if (!m_open) {
        open();
        return;
    }
    const QVariant key = m_key.isEmpty() ? QVariant() : field(m_key);
    const int old = m_current;
    fetch();
    emit refreshed();
    if (key.isValid() && locate(m_key, key))
        return;
    m_current = -1;
    setCurrent(m_rows.empty() ? -1 : std::clamp(old, 0, rowCount() - 1));
}

int TableView::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TableView::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const auto &r = m_rows[static_cast<size_t>(row)];
    return column < static_cast<int>(r.size()) ? r[static_cast<size_t>(column)] : QVariant();
}

QVariant TableView::value(int row, const QString &column) const
{
    return value(row, columnIndex(column));
}

void TableView::setCurrent(int row)
{
    if (row < -1 || row >= rowCount())
        row = rowCount() ? 0 : -1;
    if (row == m_current)
        return;
    m_current = row;
    emit currentChanged(row);
}

QVariant TableView::field(const QString &column) const
{
    return value(m_current, column);
}

bool TableView::locate(const QString &column, const QVariant &value)
{
    const int c = columnIndex(column);
    if (c < 0)
        return false;
    const QString wanted = value.toString();
    for (int r = 0; r < rowCount(); ++r) {
        if (this->value(r, c).toString() == wanted) {
            setCurrent(r);
            return true;
        }
    }
    return false;
}

TableViewModel::TableViewModel(TableView &view, QStringList columns, QStringList captions, QObject *parent)
    : QAbstractTableModel(parent), m_view(view), m_columns(std::move(columns)), m_captions(std::move(captions))
{
    connect(&m_view, &TableView::refreshed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TableViewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_view.rowCount();
}

int TableViewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableViewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_view.value(index.row(), m_columns.value(index.column()));
}

QVariant TableViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_captions.value(section);
    return section + 1;
}

} // namespace db
