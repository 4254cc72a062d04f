// Speed figures of whole-key work on large synthetic keys, each against a bare read of the
// same rows through the same database layer in the same run.
#include "firebird.h"
#include "loader.h"
#include "schema.h"
#include "sqlhelpers.h"
#include "synthkey.h"
#include "utree_dm.h"

#if __has_include("bench_identify.h")
#include "bench_identify.h"
#define HAVE_BENCH_IDENTIFY 1
#endif

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Reads every row the loader reads, touching each field it uses, building nothing.
void bareRead(fb::Query &q1, fb::Query &q2, int group)
{
    long long sink = 0;
    sql::OpenQuery(q1, identify::questionsSql(group));
    for (; !q1.eof(); q1.next())
        sink += q1.field(0).asInt() + q1.field(1).asInt() + q1.field(3).rawText().size();
    sql::OpenQuery(q1, identify::hintsSql(group));
    for (; !q1.eof(); q1.next())
        sink += q1.field(0).asInt() + q1.field(1).rawText().size() + q1.field(2).asBytes().size();
    sql::OpenQuery(q1, identify::taxaSql(group));
    for (; !q1.eof(); q1.next())
        sink += q1.field(0).asInt() + q1.field(1).rawText().size() + q1.field(2).rawText().size() + q1.field(3).rawText().size();
    sql::OpenQuery(q2, identify::firstPhotosSql(group));
    int last = 0;
    for (; !q2.eof(); q2.next()) {
        const int t = q2.field(0).asInt();
        if (t != last)
            sink += q2.field(2).asBytes().size();
        last = t;
    }
    sql::OpenQuery(q1, identify::valuesSql(group));
    for (; !q1.eof(); q1.next())
        sink += q1.field(0).asInt() + q1.field(1).asInt() + q1.field(2).rawText().size();
    q1.close();
    q2.close();
    // Keeps the reads from being optimised away.
    if (sink == -1)
        std::puts("");
}

void benchLoad(int taxa, int answers)
{
    QTemporaryDir dir;
    fb::Database db;
    db.params = connectionParams();
    fb::Transaction ddl(db, readWriteParams());
    schema::createKeyDatabase(db, ddl, dir.filePath("bench.fdb"));
    db.setForcedWrites(false);
    const int group = synth::makeKey(db, {taxa, answers});
    fb::Transaction ro(db, readOnlyParams());
    ro.start();
    fb::Query q1(db, ro), q2(db, ro);

    std::vector<double> load, floor;
    bareRead(q1, q2, group); // warm the page cache for both
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        bareRead(q1, q2, group);
        floor.push_back(t.nsecsElapsed() / 1e6);
        identify::Key key;
        t.start();
        identify::loadFinderKey(key, q1, q2, group);
        load.push_back(t.nsecsElapsed() / 1e6);
        if (key.taxonCount() != taxa || key.answerCount != answers) {
            std::fprintf(stderr, "loader produced %d taxa x %d answers\n", key.taxonCount(), key.answerCount);
            std::exit(1);
        }
    }
    const double l = median(load), f = median(floor);
    std::printf("load %dx%d: %.0f ms, floor %.0f ms, ratio %.2f\n", taxa, answers, l, f, l / f);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    fb::usePrivateRootBesideProgram();
    try {
        benchLoad(2000, 1000);
        benchLoad(20000, 50);
#ifdef HAVE_BENCH_IDENTIFY
        benchIdentify(std::cout);
#endif
    } catch (const std::exception &e) {
        std::fprintf(stderr, "keybench: %s\n", e.what());
        return 1;
    }
    return 0;
}
