#include "filter.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace identify {

namespace {

char valueAt(std::string_view values, int answerNumber)
{
    const auto k = static_cast<size_t>(answerNumber);
    return answerNumber >= 1 && k <= values.size() ? values[k - 1] : '?';
}

bool isMark(char c)
{
    return c != '*' && c != '+' && c != '-' && c != '?';
}

} // namespace

bool taxonFits(std::string_view values, std::span<const ChosenAnswer> chosen)
{
    bool markMet = false;
    for (const ChosenAnswer &a : chosen) {
        const char c = valueAt(values, a.answerNumber);
        switch (c) {
        case '*':
            return false;
        case '+':
            if (a.state == 2)
                return false;
            break;
        case '-':
            if (a.state == 1)
                return false;
            break;
        case '?':
            break;
        default:
            markMet = true;
        }
    }
    if (!markMet)
        return true;

    // Group rule: the options on which the taxon carries one mark exclude it only when
    // every one of them is chosen and every one is in state 2. Each distinct mark is
    // examined once, at its first chosen option; the chosen options are few, so the
    // quadratic walk costs less than building a set.
    for (size_t first = 0; first < chosen.size(); ++first) {
        const char g = valueAt(values, chosen[first].answerNumber);
        if (!isMark(g))
            continue;
        bool seenBefore = false;
        for (size_t e = 0; e < first && !seenBefore; ++e)
            seenBefore = valueAt(values, chosen[e].answerNumber) == g;
        if (seenBefore)
            continue;
        long chosenWithMark = 0;
        long chosenOffWithMark = 0;
        for (size_t e = first; e < chosen.size(); ++e) {
            if (valueAt(values, chosen[e].answerNumber) == g) {
                ++chosenWithMark;
                if (chosen[e].state == 2)
                    ++chosenOffWithMark;
            }
        }
        const long inString = std::count(values.begin(), values.end(), g);
        if (chosenWithMark == inString && chosenOffWithMark == chosenWithMark)
            return false;
    }
    return true;
}

std::vector<char> filterSpecies(const Key &key, std::span<const ChosenAnswer> chosen)
{
    const int n = key.taxonCount();
    std::vector<char> fits(static_cast<size_t>(n), 1);
    if (chosen.empty())
        return fits;
    for (int t = 0; t < n; ++t) {
        const std::string_view s = t < static_cast<int>(key.AttrList.size())
                                       ? std::string_view(key.AttrList[static_cast<size_t>(t)])
                                       : std::string_view();
        fits[static_cast<size_t>(t)] = taxonFits(s, chosen) ? 1 : 0;
    }
    return fits;
}

std::vector<int> listOrder(const QStringList &names)
{
    QCollator collator(QLocale(QLocale::Hungarian, QLocale::Hungary));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(names.size()));
    for (const QString &name : names)
        keys.push_back(collator.sortKey(name));
    std::vector<int> order(static_cast<size_t>(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]) < 0;
    });
    return order;
}

} // namespace identify
