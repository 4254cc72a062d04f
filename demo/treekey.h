#pragma once
// The demo key "Hazai fák": reading its readable source file (trees.key) into plain structs.
// The format is described at the top of trees.key itself.

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

// One node of the question tree: an inner question when it has children, else an answer option.
struct DemoQuestion {
    QString code;         // short name that the matrix lines of the file use
    QString text;         // question or answer text
    QString hint;         // empty = none
    QString pictureStyle; // hint picture style for drawHintPicture(); empty = none
    std::vector<DemoQuestion> children;
    int line = 0;         // line of the file that defines the node

    bool isAnswer() const { return children.empty(); }
};

struct DemoTaxon {
    QString latin, hungarian, link, description;
    QStringList photoStyles; // one drawPhoto() style per picture, at least one
    // One matrix value per answer option, in depth-first pre-order of the question tree:
    // '+', '-', '?' or a lower-case letter marking an alternative group.
    QString values;
    int line = 0;            // line of the file where the taxon starts
};

struct DemoKey {
    QString name, lat, creator, version, description;
    std::vector<DemoQuestion> questions; // top-level questions
    std::vector<DemoTaxon> taxa;         // in the order of the file
};

// Malformed input: the message names the file and the line ("trees.key, 12. sor: ...").
class DemoKeyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Field limits of the key database.
namespace demolimits {
constexpr int kName = 80;        // group name, group Latin name, taxon names
constexpr int kCreator = 100;
constexpr int kVersion = 12;
constexpr int kLink = 250;
constexpr int kQuestion = 255;   // question and answer texts, hints
}

DemoKey parseDemoKey(const QString &path);                                // throws DemoKeyError
DemoKey parseDemoKeyText(const QString &text, const QString &sourceName); // same, from memory

// The answer options of the key in depth-first pre-order (the order of DemoTaxon::values).
std::vector<const DemoQuestion *> demoAnswers(const DemoKey &key);

// Path of the answer option with the given code, e.g. "Levél / Levélállás / átellenes";
// -1 / empty when there is no such answer.
int demoAnswerIndex(const DemoKey &key, const QString &code);
QString demoAnswerPath(const DemoKey &key, int answerIndex);
