#pragma once
// The taxon filter: which taxa still fit the chosen answer options. Plain functions over
// value strings, so that the rule is testable without windows.

#include "key.h"

#include <QStringList>

#include <span>
#include <string_view>
#include <vector>

namespace identify {

// One chosen answer option: its answer number (1-based) and its state,
// 1 = the specimen has the feature, 2 = it does not.
struct ChosenAnswer {
    int answerNumber = 0;
    int state = 1;
};

// True when no chosen option and no alternative group excludes the taxon whose value
// string is `values`. A position beyond the end of the string counts as "?".
bool taxonFits(std::string_view values, std::span<const ChosenAnswer> chosen);

// SpeciesFits: one flag (0 or 1) per taxon index of the key.
std::vector<char> filterSpecies(const Key &key, std::span<const ChosenAnswer> chosen);

// Taxon indexes in the order of the result list: the names compared as Hungarian text
// without regard to case; equal names keep their taxon order. The names do not change
// while a key is loaded, so the screen sorts once per key and each filter run only
// picks the fitting taxa in this order.
std::vector<int> listOrder(const QStringList &names);

} // namespace identify
