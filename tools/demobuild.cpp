// Builds the demo key database from its readable source: the question tree, the taxa with
// their drawn photos and the matrix, written the way the editor writes them.
#include "drawing.h"
#include "firebird.h"
#include "jpeg.h"
#include "schema.h"
#include "sqlhelpers.h"
#include "treekey.h"
#include "utree_dm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

int insertReturningId(fb::Query &q)
{
    q.open();
    const int id = q.field(0).asInt();
    q.close();
    return id;
}

struct Writer {
    fb::Database &db;
    fb::Transaction &tr;
    int group = 0;
    int tmpOrder = 0;
    std::vector<int> answerIds; // question id of every answer option, in pre-order

    void question(const DemoQuestion &node, int parentId, int order)
    {
        fb::Query q(db, tr);
        q.setSql("insert into questions (q_parentid, q_taxgrp_id, q_leafnode, q_question, q_hint, q_order, q_tmporder) "
                 "values (:parent, :grp, :leaf, :text, :hint, :ord, :tmp) returning q_id");
        q.setInteger("parent", parentId);
        q.setInteger("grp", group);
        q.setString("leaf", node.isAnswer() ? "T" : "F");
        q.setString("text", node.text.trimmed());
        q.setString("hint", node.hint.trimmed());
        q.setInteger("ord", order);
        q.setInteger("tmp", ++tmpOrder);
        const int id = insertReturningId(q);
        if (!node.pictureStyle.isEmpty()) {
            fb::Query p(db, tr);
            p.setSql(QStringLiteral("update questions set q_hintpic=:ahintpic where q_id=%1").arg(id));
            p.setBlob("ahintpic", pictures::encodeJpeg(drawHintPicture(node.pictureStyle), 75));
            p.execute();
        }
        if (node.isAnswer())
            answerIds.push_back(id);
        for (size_t i = 0; i < node.children.size(); ++i)
            question(node.children[i], id, static_cast<int>(i));
    }
};

void build(const QString &source, const QString &target)
{
    const DemoKey key = parseDemoKey(source);
    const QString temp = target + ".part";
    QFile::remove(temp);
    fb::Database db;
    db.params = connectionParams();
    fb::Transaction tr(db, readWriteParams());
    schema::createKeyDatabase(db, tr, temp);
    db.setForcedWrites(false);
    tr.start();

    fb::Query q(db, tr);
    q.setSql("insert into tax_group (taxgrp_name, taxgrp_lat, taxgrp_desc, taxgrp_creator, taxgrp_verzio) "
             "values (:name, :lat, :desc, :creator, :verz) returning taxgrp_id");
    q.setString("name", key.name);
    q.setString("lat", key.lat);
    q.setMemo("desc", key.description);
    q.setString("creator", key.creator);
    q.setString("verz", key.version);
    Writer w{db, tr, 0, 0, {}};
    w.group = insertReturningId(q);

    for (size_t i = 0; i < key.questions.size(); ++i)
        w.question(key.questions[i], 0, static_cast<int>(i));

    fb::Query t(db, tr);
    t.setSql("insert into taxonnames (taxname_lat, taxname_hun, taxname_link, taxname_taxgrp, taxname_desc) "
             "values (:lat, :hun, :link, :grp, :desc) returning taxname_id");
    fb::Query p(db, tr);
    p.setSql("insert into photos (photo_taxgrp_id, photo_taxname_id, photo_photo) values (:grp, :taxon, :aphoto)");
    fb::Query a(db, tr);
    a.setSql("insert into attrs (a_taxgrp_id, a_kerdes_id, a_taxon_id, a_ertek) values (:grp, :q, :taxon, :v)");
    for (const DemoTaxon &taxon : key.taxa) {
        t.setString("lat", taxon.latin);
        t.setString("hun", taxon.hungarian);
        t.setString("link", taxon.link);
        t.setInteger("grp", w.group);
        t.setMemo("desc", taxon.description);
        const int taxonId = insertReturningId(t);
        for (int i = 0; i < taxon.photoStyles.size(); ++i) {
            p.setInteger("grp", w.group);
            p.setInteger("taxon", taxonId);
            p.setBlob("aphoto", pictures::encodeJpeg(drawPhoto(taxon, i), 90));
            p.execute();
        }
        if (static_cast<size_t>(taxon.values.size()) != w.answerIds.size())
            throw std::runtime_error(qPrintable(QStringLiteral("%1: %2 values for %3 answer options")
                                                    .arg(taxon.latin).arg(taxon.values.size()).arg(w.answerIds.size())));
        for (size_t k = 0; k < w.answerIds.size(); ++k) {
            a.setInteger("grp", w.group);
            a.setInteger("q", w.answerIds[k]);
            a.setInteger("taxon", taxonId);
            a.setString("v", QString(taxon.values.at(static_cast<qsizetype>(k))));
            a.execute();
        }
    }
    tr.commit();
    // The shipped file protects itself against a crash like any other key database.
    db.setForcedWrites(true);
    db.close();
    QFile::remove(target);
    if (!QFile::rename(temp, target))
        throw std::runtime_error(qPrintable("cannot write " + target));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: demobuild <key source> <database file>\n");
        return 2;
    }
    fb::usePrivateRootBesideProgram();
    try {
        build(QString::fromLocal8Bit(argv[1]), QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "demobuild: %s\n", e.what());
        return 1;
    }
    return 0;
}
