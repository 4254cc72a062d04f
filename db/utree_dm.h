#pragma once
// The editor's data module: the one connection, its two transactions, the scratch
// statements, the table views and the SQL helpers every page uses.

#include "config.h"
#include "firebird.h"
#include "sqlhelpers.h"
#include "tableview.h"

#include <QObject>

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    fb::Database DB_Zuderirav;
    fb::Transaction Trans_readonly;
    fb::Transaction trans_readwrite;

    fb::Query tmpquery;
    fb::Query tmpquery2;
    fb::Query tmpExecSQL;
    fb::Query tmpExecSQL2;
    fb::Query q_taxphoto;

    db::TableView T_ro_group;
    db::TableView T_ro_kerdes;
    db::TableView t_ro_attrs;
    db::TableView t_ro_taxon;

    // Second connection for creating and filling another database file.
    fb::Database NewDB;
    fb::Transaction NewDBTrans;
    fb::Query newdbQ;

    bool PU = false;

    // Resolves the database file from the configuration files and opens it with the
    // read-only transaction and the views. A failure to open is shown in an error box and
    // the rest is skipped; the program stays usable.
    void DataModuleCreate(const QString &programFolder, const QString &configPath);

    void OpenQuery(fb::Query &query, const QString &text) { sql::OpenQuery(query, text); }
    QString SelectString(fb::Query &query, const QString &text) { return sql::SelectString(query, text); }
    void RunSql(fb::Query &query, const QString &text) { sql::RunSql(query, text); }
    void RollBackIfActive(fb::Transaction &t) { sql::RollBackIfActive(t); }

    // The write pattern: roll back what a failed action left, start; ... ; commit.
    void StartWrite();
    void CommitWrite();

    // The selected group's id as the views see it ("" when none).
    QString selectedGroupId() const { return T_ro_group.fieldText(QStringLiteral("TAXGRP_ID")); }
};

// Connection and transaction parameter texts shared by both programs.
QStringList connectionParams();
QStringList readOnlyParams();
QStringList readWriteParams();
