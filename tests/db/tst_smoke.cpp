#include "testdb.h"
#include <QTest>
class Smoke : public QObject {
    Q_OBJECT
private slots:
    void creates()
    {
        TestDb t;
        t.exec("insert into tax_group (taxgrp_name) values ('Fák')");
        QCOMPARE(t.scalar("select taxgrp_name from tax_group"), QString("Fák"));
    }
};
QTEST_MAIN(Smoke)
#include "tst_smoke.moc"
