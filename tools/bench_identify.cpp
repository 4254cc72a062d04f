#include "bench_identify.h"

#include "filter.h"
#include "identifyscreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iomanip>
#include <memory>
#include <ostream>
#include <random>

namespace {

constexpr int kTaxa = 10000;
constexpr int kChosen = 20;
constexpr int kChosenOff = 4; // of the chosen, this many in state 2

// 10 groups x 5 questions x 6 options: 300 answer options, 360 nodes. Values mostly "?"
// with some "+", "-", "*" and group marks, so that a good part of the taxa fits and the
// group rule runs for many of them.
identify::Key syntheticKey()
{
    identify::Key key;
    auto add = [&key](const QString &text, int parent) { key.addNode(text, parent); };
    for (int g = 0; g < 10; ++g) {
        const int group = static_cast<int>(key.nodes.size());
        add(QStringLiteral("Kérdéscsoport %1").arg(g + 1), -1);
        for (int q = 0; q < 5; ++q) {
            const int question = static_cast<int>(key.nodes.size());
            add(QStringLiteral("Kérdés %1.%2").arg(g + 1).arg(q + 1), group);
            for (int o = 0; o < 6; ++o)
                add(QStringLiteral("válasz %1").arg(o + 1), question);
        }
    }
    key.numberAnswers();

    std::mt19937 random(20240501);
    std::uniform_int_distribution<int> percent(0, 99);
    const QStringList genera = {"Acer", "Betula", "Carpinus", "Fagus", "Quercus", "Tilia", "Ulmus", "Salix"};
    const QStringList hungarian = {"juhar", "nyír", "gyertyán", "bükk", "tölgy", "hárs", "szil", "fűz", "éger", "cser"};
    for (int t = 0; t < kTaxa; ++t) {
        key.SpeciesList << genera[t % genera.size()] + QStringLiteral(" species%1").arg((t * 7919) % kTaxa);
        key.SpeciesHunList << QStringLiteral("%1 %2").arg(hungarian[(t * 31) % hungarian.size()]).arg(t % 977);
        key.LinkList << QString();
        key.Fajok.push_back(t + 1);
        key.JPEGImageList1.emplace_back();
        std::string values(static_cast<size_t>(key.answerCount), '?');
        for (char &c : values) {
            const int p = percent(random);
            c = p < 75 ? '?' : p < 92 ? '+' : p < 95 ? '-' : p < 96 ? '*' : static_cast<char>('a' + p % 3);
        }
        key.AttrList.push_back(std::move(values));
    }
    std::sort(key.SpeciesList.begin(), key.SpeciesList.end()); // taxon order is Latin order
    return key;
}

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void printLine(std::ostream &out, const char *what, double ms)
{
    out << what << ' ' << kTaxa << " taxa, " << kChosen << " chosen: ";
    if (ms < 10)
        out << std::fixed << std::setprecision(1) << ms;
    else
        out << std::fixed << std::setprecision(0) << ms;
    out << " ms\n";
    out.unsetf(std::ios::floatfield);
}

} // namespace

void benchIdentify(std::ostream &out)
{
    const identify::Key key = syntheticKey();

    // Every 15th answer option from the 7th, the first few as "does not have".
    std::vector<identify::ChosenAnswer> chosen;
    for (int i = 0; i < kChosen; ++i)
        chosen.push_back({7 + 15 * i, i < kChosenOff ? 2 : 1});

    volatile long sink = 0;
    const double filterMs = medianMs(31, [&] {
        const std::vector<char> fits = identify::filterSpecies(key, chosen);
        sink = sink + std::count(fits.begin(), fits.end(), 1);
    });
    printLine(out, "filter", filterMs);

    std::unique_ptr<QApplication> ownApp;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_identify";
        static char *argv[] = {name, nullptr};
        ownApp = std::make_unique<QApplication>(argc, argv);
    }
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        out << "refresh " << kTaxa << " taxa, " << kChosen << " chosen: not measured (needs a QApplication)\n";
        return;
    }

    // The same options chosen through the screen's own handlers.
    identify::IdentifyScreen screen(identify::IdentifyScreen::Arrangement::Finder);
    screen.resize(1000, 700);
    screen.setKey(key);
    auto *all = screen.findChild<QTreeWidget *>(QStringLiteral("AllQuestionsTree"));
    auto *chosenTree = screen.findChild<QTreeWidget *>(QStringLiteral("SelectedQuestions"));
    for (QTreeWidgetItemIterator it(all); *it; ++it) {
        const int answer = (*it)->data(0, identify::IdentifyScreen::AnswerNumberRole).toInt();
        if (std::any_of(chosen.begin(), chosen.end(), [answer](const auto &c) { return c.answerNumber == answer; })) {
            all->setCurrentItem(*it);
            screen.SelectQuestionBtnClick();
        }
    }
    for (QTreeWidgetItemIterator it(chosenTree); *it; ++it) {
        const int answer = (*it)->data(0, identify::IdentifyScreen::AnswerNumberRole).toInt();
        if (std::any_of(chosen.begin(), chosen.end(),
                        [answer](const auto &c) { return c.answerNumber == answer && c.state == 2; })) {
            chosenTree->setCurrentItem(*it);
            screen.SelectedQuestionsDblClick();
        }
    }

    // The whole refresh as the user sees it: the list rebuilt, laid out and drawn.
    screen.show();
    QCoreApplication::processEvents();
    QWidget *list = screen.findChild<QWidget *>(QStringLiteral("SpeciesListBox"));
    const double refreshMs = medianMs(15, [&] {
        screen.RefreshSpeciesList();
        QCoreApplication::processEvents();
        list->repaint();
    });
    printLine(out, "refresh", refreshMs);
    (void)sink;
}
