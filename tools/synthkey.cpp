#include "synthkey.h"

#include "firebird.h"
#include "jpeg.h"
#include "sqlhelpers.h"
#include "utree_dm.h"

#include <QImage>
#include <QPainter>

namespace synth {

int makeKey(fb::Database &db, const Shape &shape)
{
    fb::Transaction tr(db, readWriteParams());
    tr.start();
    fb::Query q(db, tr);
    sql::RunSql(q, "insert into tax_group (taxgrp_id, taxgrp_name, taxgrp_lat, taxgrp_creator, taxgrp_verzio) "
                   "values (1, 'Szintetikus', 'Synthetica', 'keybench', '1')");

    // Tree: 10 characters groups, each with questions of 5 answer options.
    const int perQuestion = 5;
    const int questions = (shape.answers + perQuestion - 1) / perQuestion;
    const int groups = 10;
    q.setSql("insert into questions (q_id, q_parentid, q_taxgrp_id, q_leafnode, q_question, q_hint, q_order, q_tmporder) "
             "values (:id, :parent, 1, :leaf, :text, :hint, :ord, :tmp)");
    int tmp = 1;
    int nextId = 1;
    int answerId = groups + questions + 1;
    int answersMade = 0;
    for (int g = 0; g < groups; ++g) {
        const int gid = nextId++;
        q.setInteger("id", gid);
        q.setInteger("parent", 0);
        q.setString("leaf", "F");
        q.setString("text", QStringLiteral("Jellegcsoport %1").arg(g + 1));
        q.setString("hint", QStringLiteral("Magyarázat a(z) %1. csoporthoz").arg(g + 1));
        q.setInteger("ord", g);
        q.setInteger("tmp", tmp++);
        q.execute();
        for (int k = g; k < questions; k += groups) {
            const int qid = groups + 1 + k;
            q.setInteger("id", qid);
            q.setInteger("parent", gid);
            q.setString("leaf", "F");
            q.setString("text", QStringLiteral("Kérdés %1").arg(k + 1));
            q.setString("hint", QString());
            q.setInteger("ord", k / groups);
            q.setInteger("tmp", tmp++);
            q.execute();
            for (int a = 0; a < perQuestion && answersMade < shape.answers; ++a, ++answersMade) {
                q.setInteger("id", answerId++);
                q.setInteger("parent", qid);
                q.setString("leaf", "T");
                q.setString("text", QStringLiteral("Válasz %1.%2").arg(k + 1).arg(a + 1));
                q.setString("hint", QString());
                q.setInteger("ord", a);
                q.setInteger("tmp", tmp++);
                q.execute();
            }
        }
    }
    const int firstAnswer = groups + questions + 1;

    // Taxa with one small photo each.
    QImage img(64, 48, QImage::Format_RGB32);
    q.setSql("insert into taxonnames (taxname_id, taxname_lat, taxname_hun, taxname_link, taxname_taxgrp) values (:id, :lat, :hun, :link, 1)");
    fb::Query p(db, tr);
    p.setSql("insert into photos (photo_taxgrp_id, photo_taxname_id, photo_photo) values (1, :id, :pic)");
    for (int t = 1; t <= shape.taxa; ++t) {
        q.setInteger("id", t);
        q.setString("lat", QStringLiteral("Taxon synthetica %1").arg(t, 5, 10, QLatin1Char('0')));
        q.setString("hun", QStringLiteral("szintetikus faj %1").arg(t));
        q.setString("link", QStringLiteral("https://example.org/taxon/%1").arg(t));
        q.execute();
        img.fill(QColor::fromHsv((t * 37) % 360, 160, 200));
        {
            QPainter painter(&img);
            painter.drawEllipse(8 + t % 20, 8, 30, 30);
        }
        p.setInteger("id", t);
        p.setBlob("pic", pictures::encodeJpeg(img, 75));
        p.execute();
    }

    // The full matrix, generated inside the engine: "+", "-", "?" and now and then a mark.
    sql::RunSql(q, QStringLiteral("execute block as declare t int; declare a int; declare v char(1); begin "
                                  "t = 1; while (t <= %1) do begin a = 0; while (a < %2) do begin "
                                  "v = case mod(t * 7 + a * 13, 11) when 0 then '?' when 1 then 'a' when 2 then '+' when 3 then '+' else '-' end; "
                                  "insert into attrs (a_taxgrp_id, a_kerdes_id, a_taxon_id, a_ertek) values (1, %3 + :a, :t, :v); "
                                  "a = a + 1; end t = t + 1; end end")
                        .arg(shape.taxa)
                        .arg(shape.answers)
                        .arg(firstAnswer));
    tr.commit();
    return 1;
}

} // namespace synth
