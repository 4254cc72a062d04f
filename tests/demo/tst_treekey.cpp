// The demo key "Hazai fák": its source file parses, is complete, really identifies,
// and its pictures can be drawn; malformed input is reported with its line.
#include "drawing.h"
#include "latin2.h"
#include "treekey.h"

#include <QTest>

#include <functional>
#include <map>
#include <set>

namespace {

struct Choice {
    QString code;
    bool present; // true: the specimen has the feature; false: it does not
};

// Just enough of the identification filter for these tests: "-" excludes a feature chosen as
// present, "+" one chosen as absent, and the options carrying one group mark exclude the taxon
// when every one of them is chosen as absent.
QStringList remaining(const DemoKey &key, const std::vector<Choice> &choices)
{
    QStringList out;
    for (const DemoTaxon &t : key.taxa) {
        bool fits = true;
        std::map<QChar, int> absentMarks;
        for (const Choice &c : choices) {
            const int i = demoAnswerIndex(key, c.code);
            if (i < 0)
                qFatal("unknown answer code %s", qPrintable(c.code));
            const QChar v = t.values.at(i);
            if ((v == u'-' && c.present) || (v == u'+' && !c.present))
                fits = false;
            if (v.isLower() && !c.present)
                ++absentMarks[v];
        }
        for (const auto &[mark, count] : absentMarks)
            if (count == t.values.count(mark))
                fits = false;
        if (fits)
            out << t.latin;
    }
    out.sort();
    return out;
}

void walk(const std::vector<DemoQuestion> &nodes, int depth, const std::function<void(const DemoQuestion &, int)> &visit)
{
    for (const DemoQuestion &q : nodes) {
        visit(q, depth);
        walk(q.children, depth + 1, visit);
    }
}

const QString kSmallKey = QStringLiteral(
    "[csoport]\n"
    "név: Próba\n"
    "[kérdések]\n"
    "kérdés levél: Levél\n"
    "  súgó: A levél széle.\n"
    "  válasz ép: ép\n"
    "  válasz fogas: fogas\n"
    "[taxon]\n"
    "latin: Aa aa\n"
    "magyar: a\n"
    "kép: levél=tojásdad\n"
    "levél: ép=+ fogas=-\n"
    "[taxon]\n"
    "latin: Bb bb\n"
    "magyar: b\n"
    "kép: levél=tojásdad\n"
    "levél: ép=- fogas=+\n");

} // namespace

class TreeKeyTest : public QObject {
    Q_OBJECT

    DemoKey key;

private slots:
    void initTestCase() { key = parseDemoKey(QStringLiteral(DEMO_KEY_FILE)); }

    void hasTheSizeAndShapeOfAKey()
    {
        QCOMPARE(key.name, QStringLiteral("Hazai fák"));
        QVERIFY(!key.lat.isEmpty() && !key.creator.isEmpty() && !key.version.isEmpty() && !key.description.isEmpty());
        QVERIFY(key.taxa.size() >= 20);
        int inner = 0, withPicture = 0;
        walk(key.questions, 1, [&](const DemoQuestion &q, int depth) {
            if (q.isAnswer()) {
                // an answer option hangs under two or three levels of questions
                QVERIFY2(depth == 3 || depth == 4, qPrintable(q.code));
                return;
            }
            ++inner;
            QVERIFY2(!q.hint.isEmpty(), qPrintable(q.code + QStringLiteral(": no hint")));
            withPicture += q.pictureStyle.isEmpty() ? 0 : 1;
        });
        QVERIFY(inner >= 12);
        QVERIFY(demoAnswers(key).size() >= 40);
        QVERIFY(withPicture >= 4 && withPicture <= 6);
        QCOMPARE(demoAnswerPath(key, demoAnswerIndex(key, QStringLiteral("átellenes"))), QStringLiteral("Levél / Levélállás / átellenes"));
    }

    void fillsEveryCell()
    {
        const qsizetype answers = qsizetype(demoAnswers(key).size());
        for (const DemoTaxon &t : key.taxa) {
            QCOMPARE(t.values.size(), answers);
            for (QChar c : t.values)
                QVERIFY2(c == u'+' || c == u'-' || c == u'?' || (c >= u'a' && c <= u'z'), qPrintable(t.latin));
        }
    }

    void separatesEveryPairOfTaxa()
    {
        QStringList together;
        for (size_t i = 0; i < key.taxa.size(); ++i)
            for (size_t j = i + 1; j < key.taxa.size(); ++j) {
                const QString &a = key.taxa[i].values, &b = key.taxa[j].values;
                bool apart = false;
                for (qsizetype k = 0; k < a.size() && !apart; ++k)
                    apart = (a[k] == u'+' && b[k] == u'-') || (a[k] == u'-' && b[k] == u'+');
                if (!apart)
                    together << key.taxa[i].latin + QStringLiteral(" / ") + key.taxa[j].latin;
            }
        QVERIFY2(together.isEmpty(), qPrintable(together.join(QStringLiteral(", "))));
    }

    void hasAlternativeGroups()
    {
        int groups = 0;
        for (const DemoTaxon &t : key.taxa) {
            std::set<QChar> marks;
            for (QChar c : t.values)
                if (c.isLower())
                    marks.insert(c);
            for (QChar m : marks) {
                QVERIFY(t.values.count(m) >= 2);
                ++groups;
            }
        }
        QVERIFY(groups >= 1);
    }

    void textsFitTheirFields()
    {
        const auto fits = [](const QString &text, int limit) { return text.size() <= limit && latin2::canEncode(text); };
        QVERIFY(fits(key.name, demolimits::kName) && fits(key.lat, demolimits::kName));
        QVERIFY(fits(key.creator, demolimits::kCreator) && fits(key.version, demolimits::kVersion));
        QVERIFY(latin2::canEncode(key.description));
        std::set<QString> latinNames;
        for (const DemoTaxon &t : key.taxa) {
            QVERIFY2(fits(t.latin, demolimits::kName) && fits(t.hungarian, demolimits::kName), qPrintable(t.latin));
            QVERIFY2(fits(t.link, demolimits::kLink) && t.link.startsWith(QStringLiteral("https://")), qPrintable(t.latin));
            QVERIFY2(latin2::canEncode(t.description) && !t.description.isEmpty(), qPrintable(t.latin));
            QVERIFY(latinNames.insert(t.latin).second);
        }
        walk(key.questions, 1, [&](const DemoQuestion &q, int) {
            QVERIFY2(fits(q.text, demolimits::kQuestion) && fits(q.hint, demolimits::kQuestion), qPrintable(q.code));
        });
    }

    void identifies_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("maples") << QStringList{"átellenes", "tenyeres", "iker"} << QStringList{}
                                << QStringList{"Acer campestre", "Acer platanoides", "Acer pseudoplatanus", "Acer tataricum"};
        QTest::newRow("maple with horizontal wings") << QStringList{"iker", "vízszintes"} << QStringList{"tompaszög"}
                                                     << QStringList{"Acer campestre"};
        QTest::newRow("maple without milky sap") << QStringList{"átellenes", "tenyeres"} << QStringList{"tejnedv"}
                                                 << QStringList{"Acer pseudoplatanus", "Acer tataricum"};
        QTest::newRow("acorn on a long stalk") << QStringList{"makk", "hosszúkocsány"} << QStringList{}
                                               << QStringList{"Quercus robur"};
        QTest::newRow("shaggy cup") << QStringList{"szálas"} << QStringList{} << QStringList{"Quercus cerris"};
        QTest::newRow("white papery bark") << QStringList{"fehérhámló"} << QStringList{} << QStringList{"Betula pendula"};
        QTest::newRow("needles in pairs") << QStringList{"tű", "páros"} << QStringList{} << QStringList{"Pinus sylvestris"};
        QTest::newRow("conifers") << QStringList{"örökzöld"} << QStringList{}
                                  << QStringList{"Juniperus communis", "Pinus sylvestris", "Taxus baccata"};
        QTest::newRow("hairy lime") << QStringList{"hárstermés", "szőrös"} << QStringList{} << QStringList{"Tilia platyphyllos"};
        QTest::newRow("ash without black buds") << QStringList{"összetett"} << QStringList{"feketerügy"}
                                                << QStringList{"Fraxinus angustifolia"};
        QTest::newRow("flat, glabrous petiole") << QStringList{"lapított", "kopasz"} << QStringList{} << QStringList{"Populus tremula"};
        QTest::newRow("pome on a thorny tree") << QStringList{"almatermés", "tövis"} << QStringList{}
                                               << QStringList{"Malus sylvestris", "Pyrus pyraster"};
        QTest::newRow("brown pome, long petiole") << QStringList{"almatermés", "barnatermés", "hosszúnyél"} << QStringList{}
                                                  << QStringList{"Pyrus pyraster", "Sorbus torminalis"};
    }

    void identifies()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(QStringList, expected);
        std::vector<Choice> choices;
        for (const QString &c : present)
            choices.push_back({c, true});
        for (const QString &c : absent)
            choices.push_back({c, false});
        expected.sort();
        QCOMPARE(remaining(key, choices), expected);
    }

    void alternativeGroupNeedsAllItsOptionsAbsent()
    {
        // Wild cherry leaves are serrate or doubly serrate: its two margin options carry one mark.
        const QString cherry = QStringLiteral("Prunus avium");
        const auto has = [&](const std::vector<Choice> &c) { return remaining(key, c).contains(cherry); };
        QVERIFY(has({{"fűrészes", false}}));
        QVERIFY(has({{"kétszeres", false}}));
        QVERIFY(!has({{"fűrészes", false}, {"kétszeres", false}}));
        QVERIFY(has({{"fűrészes", false}, {"kétszeres", true}}));
        // The same options as "+" would have dropped the cherry already at the first answer.
        QVERIFY(!remaining(key, {{"fűrészes", false}}).contains(QStringLiteral("Salix alba")));
    }

    void drawsEveryPicture()
    {
        QImage previous;
        for (const DemoTaxon &t : key.taxa) {
            QVERIFY2(!t.photoStyles.isEmpty(), qPrintable(t.latin));
            for (int i = 0; i < t.photoStyles.size(); ++i) {
                const QImage img = drawPhoto(t, i);
                QCOMPARE(img.size(), kDemoPictureSize);
                QVERIFY(img != previous);
                previous = img;
            }
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, drawPhoto(t, int(t.photoStyles.size())));
        }
        walk(key.questions, 1, [&](const DemoQuestion &q, int) {
            if (!q.pictureStyle.isEmpty())
                QCOMPARE(drawHintPicture(q.pictureStyle).size(), kDemoPictureSize);
        });
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, drawHintPicture(QStringLiteral("minták=nincsilyen")));
    }

    void readsASmallKey()
    {
        const DemoKey k = parseDemoKeyText(kSmallKey, QStringLiteral("kicsi.key"));
        QCOMPARE(k.taxa.size(), size_t(2));
        QCOMPARE(k.taxa[0].values, QStringLiteral("+-"));
        QCOMPARE(k.taxa[1].values, QStringLiteral("-+"));
        QCOMPARE(k.questions.at(0).hint, QStringLiteral("A levél széle."));
    }

    void reportsMalformedInput_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("unknown answer") << "fogas=+" << "fűrészes=+" << QStringList{"kicsi.key, 17. sor", "fűrészes"};
        QTest::newRow("missing cell") << "levél: ép=- fogas=+" << "levél: ép=-" << QStringList{"13. sor", "levél/fogas"};
        QTest::newRow("bad value") << "ép=- fogas=+" << "ép=! fogas=+" << QStringList{"17. sor", "ép=!"};
        QTest::newRow("lonely mark") << "ép=- fogas=+" << "ép=a fogas=+" << QStringList{"13. sor", "\"a\""};
        QTest::newRow("not Latin-2") << "magyar: b" << QString::fromUtf8("magyar: b\u201d") << QStringList{"15. sor", "ISO-8859-2", "U+201D"};
        QTest::newRow("tab") << "  válasz fogas" << "\tválasz fogas" << QStringList{"7. sor", "tabulátor"};
        QTest::newRow("hint too long") << "A levél széle." << QString(256, u'x') << QStringList{"5. sor", "256"};
        QTest::newRow("picture style") << "kép: levél=tojásdad\nlevél: ép=-" << "kép: levél=tojásdad szél=cakkos\nlevél: ép=-"
                                       << QStringList{"16. sor", "cakkos"};
        QTest::newRow("duplicate code") << "válasz fogas" << "válasz ép" << QStringList{"7. sor", "6. sor"};
    }

    void reportsMalformedInput()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, expected);
        QString text = kSmallKey;
        QCOMPARE(text.count(from), 1);
        text.replace(from, to);
        try {
            parseDemoKeyText(text, QStringLiteral("kicsi.key"));
            QFAIL("no error");
        } catch (const DemoKeyError &e) {
            const QString message = QString::fromStdString(e.what());
            for (const QString &part : expected)
                QVERIFY2(message.contains(part), qPrintable(message));
        }
    }
};

QTEST_MAIN(TreeKeyTest)
#include "tst_treekey.moc"
