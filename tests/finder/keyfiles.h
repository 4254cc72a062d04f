#pragma once
// Small key database files for the finder's tests, made with the real creation script at
// the path a test needs (beside a temporary program folder, in a "History" list ...).

#include "firebird.h"
#include "jpeg.h"
#include "schema.h"
#include "testdb.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTest>

namespace keyfiles {

// A connection to a key file with a read-write transaction per statement.
class KeyFile {
public:
    explicit KeyFile(const QString &path, bool create = true) : rw(db, readWriteTransactionParams())
    {
        fb::usePrivateRootBesideProgram();
        db.params = standardConnectionParams();
        if (create) {
            fb::Transaction ddl(db, readWriteTransactionParams());
            schema::createKeyDatabase(db, ddl, path);
        } else {
            db.databaseName = path;
            db.open();
        }
    }
    ~KeyFile()
    {
        try {
            db.close();
        } catch (...) {
        }
    }
    void exec(const QString &sql)
    {
        rw.start();
        fb::Query q(db, rw);
        q.setSql(sql);
        q.execute();
        rw.commit();
    }
    void execBlob(const QString &sql, const QString &param, const QByteArray &bytes)
    {
        rw.start();
        fb::Query q(db, rw);
        q.setSql(sql);
        q.setBlob(param, bytes);
        q.execute();
        rw.commit();
    }
    int addGroup(const QString &name, const QString &lat = {}, const QString &creator = {},
                 const QString &verzio = {}, const QString &desc = {})
    {
        exec(QStringLiteral("insert into tax_group (taxgrp_name, taxgrp_lat, taxgrp_creator, taxgrp_verzio, taxgrp_desc) "
                            "values ('%1', '%2', '%3', '%4', '%5')")
                 .arg(name, lat, creator, verzio, desc));
        fb::Transaction ro(db, readOnlyTransactionParams());
        ro.start();
        fb::Query q(db, ro);
        q.setSql(QStringLiteral("select max(taxgrp_id) from tax_group"));
        q.open();
        const int id = q.field(0).asInt();
        q.close();
        ro.commit();
        return id;
    }

    fb::Database db;
    fb::Transaction rw;
};

// A key database file with the given group names and nothing else.
inline void makeGroupsFile(const QString &path, const QStringList &groups)
{
    KeyFile f(path);
    for (const QString &g : groups)
        f.addGroup(g);
}

// A Firebird database without the key tables.
inline void makeForeignDatabase(const QString &path)
{
    fb::usePrivateRootBesideProgram();
    fb::Database db;
    db.create(path, QString::fromLatin1(schema::kUser), QString::fromLatin1(schema::kPassword), schema::kPageSize,
              QString::fromLatin1(schema::kCharset));
    db.close();
}

inline void writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A JPEG photo of one colour with a white mark, w x h.
inline QByteArray photo(int w, int h, QColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QPainter p(&img);
    p.fillRect(w / 4, h / 4, w / 2, h / 8, Qt::white);
    p.end();
    return pictures::encodeJpeg(img, 90);
}

// The trees of a small forest, enough to identify each one:
//   Levél: tűlevél | lomblevél        Termés: toboz | makk | makkocska
//   Pinus sylvestris (erdeifenyő):  tűlevél +, lomblevél -, toboz +, makk -
//   Quercus robur (kocsányos tölgy): tűlevél -, lomblevél +, toboz -, makk +   (two photos)
//   Fagus sylvatica (közönséges bükk): tűlevél -, lomblevél +, toboz -, makk -, makkocska +
// Returns the group id.
inline int makeForestKey(KeyFile &f)
{
    const int g = f.addGroup(QStringLiteral("Erdei fák"), QStringLiteral("Arbores silvae"), QStringLiteral("Teszt Elek"),
                             QStringLiteral("1.2"), QStringLiteral("Három gyakori fa határozókulcsa."));
    auto q = [&](int id, int parent, const QString &text, int order) {
        f.exec(QStringLiteral("insert into questions (q_id, q_parentid, q_taxgrp_id, q_leafnode, q_question, q_order, q_tmporder) "
                              "values (%1, %2, %3, '%4', '%5', %6, 0)")
                   .arg(id)
                   .arg(parent)
                   .arg(g)
                   .arg(parent == 0 ? QStringLiteral("F") : QStringLiteral("T"))
                   .arg(text)
                   .arg(order));
    };
    q(101, 0, QStringLiteral("Levél"), 1);
    q(102, 101, QStringLiteral("tűlevél"), 1);
    q(103, 101, QStringLiteral("lomblevél"), 2);
    q(104, 0, QStringLiteral("Termés"), 2);
    q(105, 104, QStringLiteral("toboz"), 1);
    q(106, 104, QStringLiteral("makk"), 2);
    q(107, 104, QStringLiteral("makkocska"), 3);
    f.exec(QStringLiteral("update questions set q_hint='A levél alakja' where q_id=101"));

    auto taxon = [&](int id, const QString &lat, const QString &hun, const QString &link) {
        f.exec(QStringLiteral("insert into taxonnames (taxname_id, taxname_lat, taxname_hun, taxname_link, taxname_taxgrp) "
                              "values (%1, '%2', '%3', '%4', %5)")
                   .arg(id)
                   .arg(lat, hun, link)
                   .arg(g));
    };
    taxon(201, QStringLiteral("Pinus sylvestris"), QStringLiteral("erdeifenyő"), QString());
    taxon(202, QStringLiteral("Quercus robur"), QStringLiteral("kocsányos tölgy"), QStringLiteral("https://example.org/tolgy"));
    taxon(203, QStringLiteral("Fagus sylvatica"), QStringLiteral("közönséges bükk"), QString());

    auto value = [&](int question, int taxonId, const char *v) {
        f.exec(QStringLiteral("insert into attrs (a_taxgrp_id, a_kerdes_id, a_taxon_id, a_ertek) values (%1, %2, %3, '%4')")
                   .arg(g)
                   .arg(question)
                   .arg(taxonId)
                   .arg(QString::fromLatin1(v)));
    };
    const int taxa[] = {201, 202, 203};
    const char *values[3][5] = {{"+", "-", "+", "-", "-"}, {"-", "+", "-", "+", "-"}, {"-", "+", "-", "-", "+"}};
    const int questions[] = {102, 103, 105, 106, 107};
    for (int t = 0; t < 3; ++t)
        for (int k = 0; k < 5; ++k)
            value(questions[k], taxa[t], values[t][k]);

    auto addPhoto = [&](int taxonId, const QByteArray &jpeg) {
        f.execBlob(QStringLiteral("insert into photos (photo_taxgrp_id, photo_taxname_id, photo_photo) values (%1, %2, :p)")
                       .arg(g)
                       .arg(taxonId),
                   QStringLiteral("p"), jpeg);
    };
    addPhoto(202, photo(160, 120, QColor(40, 120, 40)));
    addPhoto(202, photo(120, 160, QColor(120, 80, 30)));
    return g;
}

} // namespace keyfiles
