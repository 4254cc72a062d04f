// The demo key database the build puts beside the programs: it holds what its source
// says, and the real loader and filter identify trees with it.
#include "filter.h"
#include "loader.h"
#include "paths.h"
#include "sqlhelpers.h"
#include "testdb.h"
#include "treekey.h"

#include <QFileInfo>
#include <QTest>

class TestDemoDatabase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void holdsTheSource();
    void identifies_data();
    void identifies();

private:
    DemoKey m_source;
    fb::Database m_db;
    fb::Transaction *m_ro = nullptr;
    identify::Key m_key;
    std::vector<int> m_answerNumbers; // answer number of each source answer, by source order
};

void TestDemoDatabase::initTestCase()
{
    fb::usePrivateRootBesideProgram();
    const QString file = paths::programFolder() + "hazai_fak.fdb";
    QVERIFY2(QFileInfo::exists(file), qPrintable(file));
    m_source = parseDemoKey(DEMO_KEY_FILE);
    m_db.params = standardConnectionParams();
    m_db.databaseName = file;
    m_db.open();
    m_ro = new fb::Transaction(m_db, readOnlyTransactionParams());
    m_ro->start();
    fb::Query q1(m_db, *m_ro), q2(m_db, *m_ro);
    QCOMPARE(sql::SelectString(q1, "select count(*) from tax_group"), QString("1"));
    const int group = sql::SelectString(q1, "select taxgrp_id from tax_group").toInt();
    identify::loadFinderKey(m_key, q1, q2, group);
}

void TestDemoDatabase::cleanupTestCase()
{
    delete m_ro;
    m_db.close();
}

void TestDemoDatabase::holdsTheSource()
{
    const auto answers = demoAnswers(m_source);
    QCOMPARE(m_key.answerCount, int(answers.size()));
    QCOMPARE(m_key.taxonCount(), int(m_source.taxa.size()));
    // The tree in the same pre-order, with the source's texts.
    std::vector<QString> answerTexts;
    for (const auto &n : m_key.nodes)
        if (n.isAnswer())
            answerTexts.push_back(n.text);
    for (size_t i = 0; i < answers.size(); ++i)
        QCOMPARE(answerTexts[i], answers[i]->text);
    // Every taxon's value string is its source row, cell by cell.
    for (const DemoTaxon &taxon : m_source.taxa) {
        const int t = m_key.SpeciesList.indexOf(taxon.latin);
        QVERIFY2(t >= 0, qPrintable(taxon.latin));
        QCOMPARE(QString::fromLatin1(m_key.AttrList[size_t(t)]), taxon.values);
        QCOMPARE(m_key.SpeciesHunList[t], taxon.hungarian);
        QCOMPARE(m_key.LinkList[t], taxon.link);
        QVERIFY(m_key.JPEGImageList1[size_t(t)].size().width() > 0);
    }
    // Hint pictures are marked up in the hint texts.
    int pictures = 0;
    for (const QString &h : m_key.QuestionHintList)
        pictures += h.startsWith("<PIC>");
    QVERIFY(pictures >= 4);
    // The file is stored with synchronous writes, like any key database.
    fb::Query q(m_db, *m_ro);
    QCOMPARE(sql::SelectString(q, "select mon$forced_writes from mon$database"), QString("1"));
}

void TestDemoDatabase::identifies_data()
{
    QTest::addColumn<QStringList>("present"); // answer codes chosen as "has it"
    QTest::addColumn<QStringList>("absent");  // answer codes chosen as "does not have it"
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("acorn on a long stalk") << QStringList{"makk", "hosszúkocsány"} << QStringList{} << QStringList{"Quercus robur"};
    QTest::newRow("needles in pairs") << QStringList{"tű", "páros"} << QStringList{} << QStringList{"Pinus sylvestris"};
    QTest::newRow("maples") << QStringList{"átellenes", "tenyeres", "iker"} << QStringList{}
                            << QStringList{"Acer campestre", "Acer platanoides", "Acer pseudoplatanus", "Acer tataricum"};
    QTest::newRow("ash without black buds") << QStringList{"összetett"} << QStringList{"feketerügy"} << QStringList{"Fraxinus angustifolia"};
}

void TestDemoDatabase::identifies()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(QStringList, expected);
    std::vector<identify::ChosenAnswer> chosen;
    for (const QString &code : present)
        chosen.push_back({demoAnswerIndex(m_source, code) + 1, 1});
    for (const QString &code : absent)
        chosen.push_back({demoAnswerIndex(m_source, code) + 1, 2});
    for (const auto &c : chosen)
        QVERIFY(c.answerNumber >= 1);
    const std::vector<char> fits = identify::filterSpecies(m_key, chosen);
    QStringList names;
    for (int t = 0; t < m_key.taxonCount(); ++t)
        if (fits[size_t(t)])
            names << m_key.SpeciesList[t];
    QCOMPARE(names, expected);
}

QTEST_MAIN(TestDemoDatabase)
#include "tst_demodb.moc"
