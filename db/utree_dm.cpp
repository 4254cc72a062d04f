#include "utree_dm.h"

#include "dialogs.h"

QStringList connectionParams()
{
    return {QStringLiteral("user_name=sysdba"), QStringLiteral("password=quillbend"), QStringLiteral("lc_ctype=ISO8859_2")};
}

QStringList readOnlyParams()
{
    return {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait"), QStringLiteral("read")};
}

QStringList readWriteParams()
{
    return {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
}

TDM::TDM(QObject *parent)
    : QObject(parent), Trans_readonly(DB_Zuderirav, readOnlyParams()), trans_readwrite(DB_Zuderirav, readWriteParams()),
      tmpquery(DB_Zuderirav, Trans_readonly), tmpquery2(DB_Zuderirav, Trans_readonly),
      tmpExecSQL(DB_Zuderirav, trans_readwrite), tmpExecSQL2(DB_Zuderirav, trans_readwrite),
      q_taxphoto(DB_Zuderirav, Trans_readonly),
      T_ro_group(DB_Zuderirav, Trans_readonly, QStringLiteral("TAX_GROUP"),
                 {QStringLiteral("TAXGRP_ID"), QStringLiteral("TAXGRP_NAME"), QStringLiteral("TAXGRP_LAT"),
                  QStringLiteral("TAXGRP_DESC"), QStringLiteral("TAXGRP_CREATOR"), QStringLiteral("TAXGRP_VERZIO")},
                 QStringLiteral("TAXGRP_ID"), this),
      T_ro_kerdes(DB_Zuderirav, Trans_readonly, QStringLiteral("QUESTIONS"),
                  {QStringLiteral("Q_ID"), QStringLiteral("Q_PARENTID"), QStringLiteral("Q_TAXGRP_ID"),
                   QStringLiteral("Q_LEAFNODE"), QStringLiteral("Q_QUESTION"), QStringLiteral("Q_HINT"),
                   QStringLiteral("Q_ORDER"), QStringLiteral("Q_TMPORDER"), QStringLiteral("EXPORT")},
                  QStringLiteral("Q_ID"), this),
      t_ro_attrs(DB_Zuderirav, Trans_readonly, QStringLiteral("ATTRS"), {}, QStringLiteral("ATTR_ID"), this),
      t_ro_taxon(DB_Zuderirav, Trans_readonly, QStringLiteral("TAXONNAMES"),
                 {QStringLiteral("TAXNAME_ID"), QStringLiteral("TAXNAME_LAT"), QStringLiteral("TAXNAME_HUN"),
                  QStringLiteral("TAXNAME_LINK"), QStringLiteral("TAXNAME_TAXGRP"), QStringLiteral("TAXNAME_DESC"),
                  QStringLiteral("EXPORT")},
                 QStringLiteral("TAXNAME_ID"), this),
      NewDBTrans(NewDB, readWriteParams()), newdbQ(NewDB, NewDBTrans)
{
    DB_Zuderirav.params = connectionParams();
    NewDB.params = connectionParams();
    q_taxphoto.setSql(QStringLiteral("select PHOTO_ID, PHOTO_PHOTO from PHOTOS\nwhere \nPHOTO_TAXGRP_ID=:ataxgrpid \nand PHOTO_TAXNAME_ID=:ataxnameid;"));
    t_ro_taxon.setOrderBy(QStringLiteral("TAXNAME_LAT, TAXNAME_TAXGRP"));
    // The group selector lists the groups alphabetically.
    T_ro_group.setOrderBy(QStringLiteral("TAXGRP_NAME, TAXGRP_ID"));
    // Opened filtered to one group only: the whole table of every group would be far too
    // large to fetch at start-up.
    t_ro_attrs.setFilter(QStringLiteral("1=0"));
    t_ro_attrs.setFiltered(true);
    t_ro_taxon.setFilter(QStringLiteral("1=0"));
    t_ro_taxon.setFiltered(true);
}

TDM::~TDM() = default;

void TDM::DataModuleCreate(const QString &programFolder, const QString &configPath)
{
    const config::Resolution r = config::resolveEditor(programFolder, configPath);
    PU = r.pu;
    if (r.pathSet)
        DB_Zuderirav.databaseName = r.dbPath;
    try {
        if (!DB_Zuderirav.isOpen()) {
            DB_Zuderirav.loginPrompt = false;
            DB_Zuderirav.open();
        }
        if (!Trans_readonly.isActive())
            Trans_readonly.start();
        for (db::TableView *v : {&T_ro_group, &T_ro_kerdes, &t_ro_attrs, &t_ro_taxon})
            if (!v->isOpen())
                v->open();
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
    }
}

void TDM::StartWrite()
{
    RollBackIfActive(trans_readwrite);
    trans_readwrite.start();
}

void TDM::CommitWrite()
{
    trans_readwrite.commit();
}
