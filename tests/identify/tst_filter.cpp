// The taxon filter as a plain function, and the order of the result list.

#include "filter.h"

#include <QTest>

#include <algorithm>

using identify::ChosenAnswer;
using Chosen = std::vector<ChosenAnswer>;
Q_DECLARE_METATYPE(Chosen)

class FilterTest : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void filterSpeciesOverKey();
    void listOrder_data();
    void listOrder();
};

void FilterTest::rule_data()
{
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<Chosen>("chosen");
    QTest::addColumn<bool>("fits");

    const char folded = static_cast<char>(243); // "+-" folded

    QTest::newRow("nothing chosen") << QByteArray("+-?*a") << Chosen{} << true;
    QTest::newRow("+ has") << QByteArray("+") << Chosen{{1, 1}} << true;
    QTest::newRow("+ has not") << QByteArray("+") << Chosen{{1, 2}} << false;
    QTest::newRow("- has") << QByteArray("-") << Chosen{{1, 1}} << false;
    QTest::newRow("- has not") << QByteArray("-") << Chosen{{1, 2}} << true;
    QTest::newRow("? has") << QByteArray("?") << Chosen{{1, 1}} << true;
    QTest::newRow("? has not") << QByteArray("?") << Chosen{{1, 2}} << true;
    QTest::newRow("* has") << QByteArray("*") << Chosen{{1, 1}} << false;
    QTest::newRow("* has not") << QByteArray("*") << Chosen{{1, 2}} << false;
    QTest::newRow("* not chosen") << QByteArray("*+") << Chosen{{2, 1}} << true;

    // The mark "a" on options 3 and 7.
    const QByteArray marks("++a+++a+");
    QTest::newRow("group: 3 off") << marks << Chosen{{3, 2}} << true;
    QTest::newRow("group: 7 off") << marks << Chosen{{7, 2}} << true;
    QTest::newRow("group: 3 and 7 off") << marks << Chosen{{3, 2}, {7, 2}} << false;
    QTest::newRow("group: 3 off, 7 on") << marks << Chosen{{3, 2}, {7, 1}} << true;
    QTest::newRow("group: 3 on, 7 on") << marks << Chosen{{3, 1}, {7, 1}} << true;
    QTest::newRow("group: 3 on") << marks << Chosen{{3, 1}} << true;
    QTest::newRow("group off with a + option on") << marks << Chosen{{1, 1}, {3, 2}, {7, 2}} << false;
    QTest::newRow("group partly off, + option off") << marks << Chosen{{1, 2}, {3, 2}} << false;

    QTest::newRow("single mark off") << QByteArray("?b??") << Chosen{{2, 2}} << false;
    QTest::newRow("single mark on") << QByteArray("?b??") << Chosen{{2, 1}} << true;

    QTest::newRow("folded code once, off") << QByteArray("+?").append(folded) << Chosen{{3, 2}} << false;
    QTest::newRow("folded code once, on") << QByteArray("+?").append(folded) << Chosen{{3, 1}} << true;
    QTest::newRow("folded code twice, one off") << QByteArray(1, folded).append('+').append(folded) << Chosen{{1, 2}}
                                                << true;
    QTest::newRow("folded code twice, both off")
        << QByteArray(1, folded).append('+').append(folded) << Chosen{{1, 2}, {3, 2}} << false;

    QTest::newRow("two marks, each single, both off") << QByteArray("ab") << Chosen{{1, 2}, {2, 2}} << false;
    QTest::newRow("two groups, one wholly off") << QByteArray("aabb") << Chosen{{1, 2}, {2, 2}, {3, 2}} << false;
    QTest::newRow("two groups, both partly off") << QByteArray("aabb") << Chosen{{1, 2}, {3, 2}} << true;
    QTest::newRow("two groups, wholly chosen, one on") << QByteArray("aabb") << Chosen{{1, 2}, {2, 1}, {3, 2}, {4, 2}}
                                                       << false;

    // Options of one question (1..3) and of different questions (1 and 5) combine alike.
    QTest::newRow("one question, both +") << QByteArray("++-??") << Chosen{{1, 1}, {2, 1}} << true;
    QTest::newRow("one question, + and -") << QByteArray("++-??") << Chosen{{1, 1}, {3, 1}} << false;
    QTest::newRow("two questions, + and ?") << QByteArray("++-??") << Chosen{{1, 1}, {5, 2}} << true;
    QTest::newRow("two questions, + off") << QByteArray("++-?+") << Chosen{{3, 2}, {5, 2}} << false;

    QTest::newRow("beyond the string counts as ?") << QByteArray("+") << Chosen{{4, 2}} << true;
    QTest::newRow("empty value string") << QByteArray() << Chosen{{1, 1}, {2, 2}} << true;
}

void FilterTest::rule()
{
    QFETCH(QByteArray, values);
    QFETCH(Chosen, chosen);
    QFETCH(bool, fits);
    const std::string_view s(values.constData(), static_cast<size_t>(values.size()));
    QCOMPARE(identify::taxonFits(s, chosen), fits);

    // The order of choosing does not matter.
    Chosen reversed(chosen.rbegin(), chosen.rend());
    QCOMPARE(identify::taxonFits(s, reversed), fits);
    if (chosen.size() > 2) {
        Chosen rotated = chosen;
        std::rotate(rotated.begin(), rotated.begin() + 1, rotated.end());
        QCOMPARE(identify::taxonFits(s, rotated), fits);
    }
}

void FilterTest::filterSpeciesOverKey()
{
    identify::Key key;
    key.SpeciesList = {"A", "B", "C", "D"};
    key.AttrList = {"+-", "-+", "??", "*a"};
    QCOMPARE(identify::filterSpecies(key, Chosen{}), (std::vector<char>{1, 1, 1, 1}));
    QCOMPARE(identify::filterSpecies(key, Chosen{{1, 1}}), (std::vector<char>{1, 0, 1, 0}));
    QCOMPARE(identify::filterSpecies(key, Chosen{{1, 2}}), (std::vector<char>{0, 1, 1, 0}));
    QCOMPARE(identify::filterSpecies(key, Chosen{{2, 2}}), (std::vector<char>{1, 0, 1, 0}));
    QCOMPARE(identify::filterSpecies(key, Chosen{{2, 1}}), (std::vector<char>{0, 1, 1, 1}));
}

void FilterTest::listOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("Hungarian letters")
        << QStringList{"Tölgy", "Csalán", "alma", "Cukor", "Ákác", "bükk", "Zab", "Öszike", "Orgona"}
        << QStringList{"Ákác", "alma", "bükk", "Cukor", "Csalán", "Orgona", "Öszike", "Tölgy", "Zab"};
    QTest::newRow("case does not matter, ties keep taxon order")
        << QStringList{"nyír", "Juhar", "juhar", "JUHAR"} << QStringList{"Juhar", "juhar", "JUHAR", "nyír"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void FilterTest::listOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QStringList got;
    for (int t : identify::listOrder(names))
        got << names.at(t);
    QCOMPARE(got, sorted);
}

QTEST_GUILESS_MAIN(FilterTest)
#include "tst_filter.moc"
