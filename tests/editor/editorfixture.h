#pragma once
// A key database with a few groups, a program folder whose SK_keret.ini names it, an empty
// per-user folder, and a main window built on them with recording page operations.

#include "editoroperations.h"
#include "groupcombo.h"
#include "testdb.h"
#include "uTreeEdit.h"
#include "utree_dm.h"

#include <QComboBox>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Counts what the shell asks of the pages, in order.
class RecordingOperations : public editor::EditorOperations {
public:
    QStringList calls;
    void LoadQuestionTree() override { calls << QStringLiteral("LoadQuestionTree"); }
    void FullExpandQuestionTree() override { calls << QStringLiteral("FullExpandQuestionTree"); }
    void dbe_helperChange() override { calls << QStringLiteral("dbe_helperChange"); }
    void LoadMatrixDataFromDB() override { calls << QStringLiteral("LoadMatrixDataFromDB"); }
    void LoadKeyForTest() override { calls << QStringLiteral("LoadKeyForTest"); }
    void ExportToNewDB() override { calls << QStringLiteral("ExportToNewDB"); }
    void ExportToMysql() override { calls << QStringLiteral("ExportToMysql"); }
    int count(const QString &name) const { return static_cast<int>(calls.count(name)); }
};

// Groups (ids from the generator, in this order): 1 "Fák" with two taxa, 2 "Üres" without
// taxa, 3 "Cserjék" with one taxon.
inline void seedGroups(TestDb &db)
{
    db.exec(QStringLiteral("insert into tax_group (taxgrp_name,taxgrp_lat,taxgrp_creator,taxgrp_verzio,taxgrp_desc) "
                           "values ('Fák','Arbores','Kiss Anna','1.2','Hazai fák levél alapján.')"));
    db.exec(QStringLiteral("insert into tax_group (taxgrp_name,taxgrp_lat) values ('Üres','Vacua')"));
    db.exec(QStringLiteral("insert into tax_group (taxgrp_name) values ('Cserjék')"));
    db.exec(QStringLiteral("insert into taxonnames (taxname_lat,taxname_hun,taxname_taxgrp) values ('Quercus robur','kocsányos tölgy',1)"));
    db.exec(QStringLiteral("insert into taxonnames (taxname_lat,taxname_hun,taxname_taxgrp) values ('Fagus sylvatica','bükk',1)"));
    db.exec(QStringLiteral("insert into taxonnames (taxname_lat,taxname_taxgrp) values ('Corylus avellana',3)"));
}

class EditorFixture {
public:
    TestDb db;
    QTemporaryDir programDir;
    QTemporaryDir userDir;
    RecordingOperations ops;
    std::unique_ptr<editor::TMainForm> w;

    explicit EditorFixture(bool seed = true)
    {
        if (seed)
            seedGroups(db);
        QSettings ini(programFolder() + QStringLiteral("SK_keret.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Main/DB"), db.path());
        ini.sync();
    }

    QString programFolder() const { return programDir.path() + QStringLiteral("/"); }

    // Builds the main window and opens the database as the program does at start-up.
    editor::TMainForm &open()
    {
        w = std::make_unique<editor::TMainForm>(programFolder(), userDir.path(), nullptr, &ops);
        w->DataModuleCreate();
        return *w;
    }

    // The user picks a group in the selector.
    void choose(const QString &name)
    {
        const int index = w->SelectedGroupCombo->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        w->SelectedGroupCombo->setCurrentIndex(index);
    }

    QString idOf(const QString &name)
    {
        return db.scalar(QStringLiteral("select taxgrp_id from tax_group where taxgrp_name='%1'").arg(name));
    }
};
