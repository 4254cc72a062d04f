#pragma once
// The in-memory key of one group, as identification uses it: the question tree with
// answer numbers, hints with pictures, the taxa with names, links and first photos, and
// one value string per taxon. Built by the loaders; read by the identification screen.
// Compiles without widgets.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace identify {

struct QuestionNode {
    QString text;
    int parent = -1;            // absolute index of the parent, -1 at the top level
    std::vector<int> children;  // absolute indexes, in order
    int answerNumber = 0;       // 1-based rank among answer options; 0 for inner nodes
    int questionId = 0;         // Q_ID (0 for the editor's group node)
    bool isAnswer() const { return children.empty(); }
};

// A first photo: the stored JPEG bytes, decoded when drawn, without the database. The
// decoded picture is not kept: thousands of full-size photos would not fit in memory, and
// whoever draws rows keeps the small copies it needs.
class Thumbnail {
public:
    Thumbnail() = default;
    explicit Thumbnail(QByteArray jpeg) : m_jpeg(std::move(jpeg)) {}
    const QByteArray &jpeg() const { return m_jpeg; }
    bool isEmpty() const { return m_jpeg.isEmpty(); }
    // Full-colour picture; a null image when there is no photo or it cannot be decoded.
    QImage image() const;
    // The picture's size, remembered after the first decoding; empty when there is none.
    QSize size() const;

private:
    QByteArray m_jpeg;
    mutable QSize m_size;
    mutable bool m_sized = false;
};

struct GroupInfo {
    QString name, lat, creator, verzio, desc;
};

struct Key {
    // Question tree in depth-first pre-order: index = absolute node index.
    std::vector<QuestionNode> nodes;
    int answerCount = 0; // L

    // One entry per node (absolute index).
    QStringList QuestionHintList;   // hint text, "<PIC>n</PIC>text" when the node has a picture
    std::vector<QImage> HintPicList; // decoded hint picture or a null image

    // One entry per taxon index t, in ascending order of Latin name.
    QStringList SpeciesList;        // Latin name
    QStringList SpeciesHunList;     // Hungarian name, Latin when blank
    QStringList LinkList;           // web link, "" when none
    std::vector<int> Fajok;         // taxon id (TAXNAME_ID)
    std::vector<Thumbnail> JPEGImageList1; // first photo
    std::vector<std::string> AttrList;     // value string: one 8-bit code per answer option

    GroupInfo about;

    int taxonCount() const { return static_cast<int>(SpeciesList.size()); }
    // Appends a node as the last child of `parent` (-1: top level) with an empty hint and
    // picture; valid in pre-order when nodes are added parents first, depth first.
    int addNode(const QString &text, int parent = -1);
    // Answer numbers: every node without children, in pre-order, counted from 1.
    void numberAnswers();
    void clear() { *this = Key(); }
    // Absolute indexes of the top-level nodes, in order.
    std::vector<int> topLevel() const;
};

} // namespace identify
