#pragma once
// A read-only view of a table: rows fetched when opened and refreshed, an optional
// filter and order, a current row, locate. Never edited through; changes go through SQL.

#include "firebird.h"

#include <QAbstractTableModel>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace db {

class TableView : public QObject {
    Q_OBJECT
public:
    TableView(fb::Database &db, fb::Transaction &tra, QString table, QStringList columns = {},
              QString keyColumn = {}, QObject *parent = nullptr);

    void setOrderBy(const QString &orderBy) { m_orderBy = orderBy; }
    // SQL condition (e.g. "taxname_taxgrp=5"), applied while filtered is on.
    void setFilter(const QString &filter) { m_filter = filter; }
    const QString &filter() const { return m_filter; }
    void setFiltered(bool on) { m_filtered = on; }
    bool filtered() const { return m_filtered; }

    void open();
    void close();
    bool isOpen() const { return m_open; }
    // Refetches every row and stays on the row with the same key when it still exists.
    void refresh();

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    const QStringList &columns() const { return m_columns; }
    int columnIndex(const QString &name) const; // case-insensitive, -1 when missing
    QVariant value(int row, const QString &column) const;
    QVariant value(int row, int column) const;

    int current() const { return m_current; } // -1 when empty or closed
    void setCurrent(int row);
    void first() { setCurrent(m_rows.empty() ? -1 : 0); }
    bool eof() const { return m_current < 0; }
    // Value of a column in the current row (invalid when there is none).
    QVariant field(const QString &column) const;
    QString fieldText(const QString &column) const { return field(column).toString(); }
    // Moves to the first row whose column equals the value (compared as text); false when none.
    bool locate(const QString &column, const QVariant &value);

    QString selectText() const;

signals:
    void currentChanged(int row);
    void refreshed();

private:
    void fetch();
    fb::Database &m_db;
    fb::Transaction &m_tra;
    QString m_table;
    QStringList m_columns;
    QString m_key;
    QString m_orderBy;
    QString m_filter;
    bool m_filtered = false;
    bool m_open = false;
    std::vector<std::vector<QVariant>> m_rows;
    int m_current = -1;
};

// Shows chosen columns of a TableView with their captions; follows its refreshes.
class TableViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableViewModel(TableView &view, QStringList columns, QStringList captions, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TableView &m_view;
    QStringList m_columns, m_captions;
};

} // namespace db
