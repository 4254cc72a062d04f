// The finder's loading of a group's key from a real database file.
#include "fold.h"
#include "jpeg.h"
#include "loader.h"
#include "sqlhelpers.h"
#include "testdb.h"

#include <QImage>
#include <QTest>

namespace {

QByteArray jpeg(int w, int h, QColor c = Qt::darkGreen)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return pictures::encodeJpeg(img, 90);
}

struct Loaded {
    TestDb t;
    fb::Query q1{t.db, t.ro};
    fb::Query q2{t.db, t.ro};
    identify::Key key;
    void load(int group) { identify::loadFinderKey(key, q1, q2, group); }
    void question(int id, int parent, const QString &text, int tmporder, const QString &hint = {}, int group = 1)
    {
        t.exec(QString("insert into questions (q_id, q_parentid, q_taxgrp_id, q_leafnode, q_question, q_hint, q_tmporder) "
                       "values (%1, %2, %3, 'F', '%4', '%5', %6)")
                   .arg(id).arg(parent).arg(group).arg(text, hint).arg(tmporder));
    }
    void taxon(int id, const QString &lat, const QString &hun = {}, const QString &link = {}, int group = 1)
    {
        t.exec(QString("insert into taxonnames (taxname_id, taxname_lat, taxname_hun, taxname_link, taxname_taxgrp) "
                       "values (%1, '%2', %3, %4, %5)")
                   .arg(id).arg(lat, hun.isNull() ? "null" : "'" + hun + "'", link.isNull() ? "null" : "'" + link + "'")
                   .arg(group));
    }
    void value(int question, int taxon, const QString &v, int group = 1)
    {
        t.exec(QString("insert into attrs (a_taxgrp_id, a_kerdes_id, a_taxon_id, a_ertek) values (%1, %2, %3, '%4')")
                   .arg(group).arg(question).arg(taxon).arg(v));
    }
    void blob(const QString &sql, const QByteArray &bytes)
    {
        t.rw.start();
        fb::Query q(t.db, t.rw);
        q.setSql(sql);
        q.setBlob("b", bytes);
        q.execute();
        t.rw.commit();
    }
    QStringList texts() const
    {
        QStringList out;
        for (const auto &n : key.nodes)
            out << QString("%1%2#%3").arg(QString(n.parent < 0 ? 0 : 1 + (key.nodes[n.parent].parent < 0 ? 0 : 1), u'.'), n.text).arg(n.answerNumber);
        return out;
    }
};

} // namespace

class TestLoader : public QObject {
    Q_OBJECT
private slots:
    void foldExamples_data();
    void foldExamples();
    void treeInPreOrderWithAnswerNumbers();
    void orphanGoesToTopLevel();
    void hintsAndHintPictures();
    void badHintPictureStopsTheLoadKeepingWhatWasLoaded();
    void taxaNamesLinksAndFirstPhotos();
    void valuesFoldedTrimmedAndFiltered();
    void emptyGroups();
    void noFixedLimits();
};

void TestLoader::foldExamples_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("code");
    QTest::newRow("+-") << QByteArray("+-") << 243;
    QTest::newRow("ab") << QByteArray("ab") << 242;
    QTest::newRow("AB") << QByteArray("AB") << 114; // the letter "r"
    QTest::newRow("five characters") << QByteArray("a+-?*") << int(identify::FoldAttrValue("a+-?*"));
    QTest::newRow("padded single") << QByteArray("+    ") << int('+');
    QTest::newRow("padded pair") << QByteArray(" +-  ") << 243;
    QTest::newRow("blanks only") << QByteArray("     ") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
}

void TestLoader::foldExamples()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, code);
    QCOMPARE(int(identify::storedValueCode(std::string_view(stored.constData(), size_t(stored.size())))), code);
    // The first character takes no part in folding.
    QCOMPARE(identify::FoldAttrValue("x-"), identify::FoldAttrValue("+-"));
}

void TestLoader::treeInPreOrderWithAnswerNumbers()
{
    Loaded l;
    // Read order is q_tmporder; children are added in read order under their parents.
    l.question(10, 0, "Levél", 1);
    l.question(20, 0, "Termés", 2);
    l.question(11, 10, "Állás", 3);
    l.question(21, 20, "makk", 4);
    l.question(12, 11, "átellenes", 5);
    l.question(13, 11, "szórt", 6);
    l.question(22, 20, "toboz", 7);
    l.question(14, 10, "Üres kérdés", 8); // an inner question without options is an option
    l.load(1);
    QCOMPARE(l.texts(), QStringList({"Levél#0", ".Állás#0", "..átellenes#1", "..szórt#2", ".Üres kérdés#3",
                                     "Termés#0", ".makk#4", ".toboz#5"}));
    QCOMPARE(l.key.answerCount, 5);
    QCOMPARE(l.key.nodes[2].questionId, 12);
    QCOMPARE(l.key.nodes[1].children, std::vector<int>({2, 3}));
    QCOMPARE(l.key.topLevel(), std::vector<int>({0, 5}));
    QCOMPARE(l.key.QuestionHintList.size(), 8);
    QCOMPARE(l.key.HintPicList.size(), size_t(8));
}

void TestLoader::orphanGoesToTopLevel()
{
    Loaded l;
    l.question(5, 0, "Levél", 2);
    l.question(6, 5, "ép", 1);     // read before its parent
    l.question(7, 99, "árva", 3);  // parent does not exist
    l.t.exec("insert into questions (q_id, q_taxgrp_id, q_question, q_tmporder) values (8, 1, 'NULL szülő', 4)");
    l.load(1);
    QCOMPARE(l.texts(), QStringList({"ép#1", "Levél#2", "árva#3", "NULL szülő#4"}));
}

void TestLoader::hintsAndHintPictures()
{
    Loaded l;
    l.question(1, 0, "Levél", 1, "A levél alakja");
    l.question(2, 1, "karéjos", 2, "Bemetszett szél");
    l.question(3, 1, "ép", 3);
    l.blob("update questions set q_hintpic=:b where q_id=2", jpeg(300, 150));
    l.blob("update questions set q_hintpic=:b where q_id=3", QByteArray()); // a removed picture
    l.load(1);
    QCOMPARE(l.key.QuestionHintList, QStringList({"A levél alakja", "<PIC>1</PIC>Bemetszett szél", ""}));
    QCOMPARE(l.key.HintPicList[1].size(), QSize(300, 150));
    QVERIFY(l.key.HintPicList[0].isNull());
    QVERIFY(l.key.HintPicList[2].isNull());
}

void TestLoader::badHintPictureStopsTheLoadKeepingWhatWasLoaded()
{
    Loaded l;
    l.question(1, 0, "Levél", 1, "szöveg");
    l.taxon(1, "Acer campestre");
    l.blob("update questions set q_hintpic=:b where q_id=1", QByteArray("nem kép"));
    QVERIFY_THROWS_EXCEPTION(pictures::JpegError, l.load(1));
    QCOMPARE(l.key.nodes.size(), size_t(1)); // the tree was loaded before the error
    QCOMPARE(l.key.taxonCount(), 0);         // the taxa were not
}

void TestLoader::taxaNamesLinksAndFirstPhotos()
{
    Loaded l;
    l.question(1, 0, "kérdés", 1);
    l.taxon(3, "Tilia cordata", "kislevelű hárs", "https://hu.wikipedia.org/wiki/Kislevelű_hárs");
    l.taxon(1, "Acer campestre", "   ");
    l.taxon(2, "Fagus sylvatica");
    l.taxon(4, "Quercus robur", "kocsányos tölgy", {}, 2); // another group
    l.blob("insert into photos (photo_id, photo_taxgrp_id, photo_taxname_id, photo_photo) values (7, 1, 3, :b)", jpeg(40, 20, Qt::red));
    l.blob("insert into photos (photo_id, photo_taxgrp_id, photo_taxname_id, photo_photo) values (5, 1, 3, :b)", jpeg(30, 30, Qt::blue));
    l.blob("insert into photos (photo_id, photo_taxgrp_id, photo_taxname_id, photo_photo) values (6, 1, 1, :b)", jpeg(10, 20));
    l.load(1);
    QCOMPARE(l.key.SpeciesList, QStringList({"Acer campestre", "Fagus sylvatica", "Tilia cordata"}));
    QCOMPARE(l.key.SpeciesHunList, QStringList({"Acer campestre", "Fagus sylvatica", "kislevelű hárs"}));
    QCOMPARE(l.key.LinkList, QStringList({"", "", "https://hu.wikipedia.org/wiki/Kislevelű_hárs"}));
    QCOMPARE(l.key.Fajok, std::vector<int>({1, 2, 3}));
    QCOMPARE(l.key.AttrList, std::vector<std::string>({"?", "?", "?"}));
    QCOMPARE(l.key.JPEGImageList1.size(), size_t(3));
    QCOMPARE(l.key.JPEGImageList1[0].image().size(), QSize(10, 20));
    QVERIFY(l.key.JPEGImageList1[1].isEmpty());        // no photo: empty entry keeps the indexes
    QVERIFY(l.key.JPEGImageList1[1].image().isNull());
    QCOMPARE(l.key.JPEGImageList1[2].image().size(), QSize(30, 30)); // smallest PHOTO_ID
    // Thumbnails decode without the database.
    l.t.db.close();
    QCOMPARE(l.key.JPEGImageList1[0].image().width(), 10);
}

void TestLoader::valuesFoldedTrimmedAndFiltered()
{
    Loaded l;
    l.question(1, 0, "Levél", 1);
    l.question(2, 1, "karéjos", 2);
    l.question(3, 1, "ép", 3);
    l.question(4, 0, "Termés", 4);
    l.question(5, 4, "makk", 5);
    l.question(9, 0, "másik csoporté", 1, {}, 2);
    l.taxon(1, "A");
    l.taxon(2, "B");
    l.value(2, 1, "+");     // padded to five characters by the column
    l.value(3, 1, "+-");    // folded
    l.value(5, 1, "  ");    // blanks leave "?"
    l.value(2, 2, "a");
    l.value(5, 2, "*");
    l.value(1, 2, "-");     // an inner question: passed over
    l.value(9, 2, "-");     // a question of another group
    l.value(2, 77, "-");    // a taxon that is not loaded
    l.value(77, 1, "-");    // a question that is not in the tree
    l.load(1);
    QCOMPARE(l.key.AttrList[0], std::string("+\xF3?"));
    QCOMPARE(l.key.AttrList[1], std::string("a?*"));
}

void TestLoader::emptyGroups()
{
    Loaded l;
    l.taxon(1, "Acer campestre");
    l.load(1);
    QVERIFY(l.key.nodes.empty());
    QCOMPARE(l.key.AttrList, std::vector<std::string>({""}));
    Loaded m;
    m.question(1, 0, "kérdés", 1);
    m.load(1);
    QCOMPARE(m.key.taxonCount(), 0);
    QVERIFY(m.key.JPEGImageList1.empty());
}

void TestLoader::noFixedLimits()
{
    // More taxa and more nodes than the old fixed tables held.
    Loaded l;
    l.t.exec("execute block as declare i int = 1; begin "
             "insert into questions (q_id, q_parentid, q_taxgrp_id, q_question, q_tmporder) values (1, 0, 1, 'gyökér', 0); "
             "while (i <= 10050) do begin "
             "insert into questions (q_id, q_parentid, q_taxgrp_id, q_question, q_tmporder) values (:i + 1, 1, 1, 'válasz', :i); "
             "insert into taxonnames (taxname_id, taxname_lat, taxname_taxgrp) values (:i, 'T' || lpad(:i, 6, '0'), 1); "
             "i = i + 1; end end");
    l.value(10051, 10050, "+");
    l.load(1);
    QCOMPARE(l.key.nodes.size(), size_t(10051));
    QCOMPARE(l.key.answerCount, 10050);
    QCOMPARE(l.key.taxonCount(), 10050);
    QCOMPARE(l.key.AttrList.back().back(), '+');
}

QTEST_GUILESS_MAIN(TestLoader)
#include "tst_loader.moc"
