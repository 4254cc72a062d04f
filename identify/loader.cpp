#include "loader.h"

#include "firebird.h"
#include "fold.h"
#include "idindex.h"
#include "jpeg.h"
#include "sqlhelpers.h"

namespace identify {

QString questionsSql(int groupId)
{
    return QStringLiteral("select q_id,q_parentid,q_leafnode,q_question,q_order,q_tmporder from questions where q_taxgrp_id=%1 order by q_tmporder,q_order,q_parentid,q_id;")
        .arg(groupId);
}

QString hintsSql(int groupId)
{
    return QStringLiteral("select q_id,q_hint,q_hintpic from questions where q_taxgrp_id=%1;").arg(groupId);
}

QString taxaSql(int groupId)
{
    return QStringLiteral("SELECT TAXNAME_ID, TAXNAME_LAT, TAXNAME_HUN, TAXNAME_LINK FROM TAXONNAMES where TAXNAME_TAXGRP=%1 order by taxname_lat;")
        .arg(groupId);
}

// Every photo of the group's taxa in one statement, smallest PHOTO_ID first per taxon;
// only the first photo's bytes are read. (One statement per taxon with a min() subquery
// scans the whole photo table for every taxon.)
QString firstPhotosSql(int groupId)
{
    return QStringLiteral("select p.photo_taxname_id, p.photo_id, p.photo_photo from photos p "
                          "join taxonnames t on t.taxname_id=p.photo_taxname_id "
                          "where t.taxname_taxgrp=%1 order by p.photo_taxname_id, p.photo_id;")
        .arg(groupId);
}

QString valuesSql(int groupId)
{
    return QStringLiteral("select A_KERDES_ID, A_TAXON_ID, A_ERTEK from attrs where A_TAXGRP_ID=%1;").arg(groupId);
}

namespace {

struct BuildNode {
    QString text;
    int questionId = 0;
    int parent = -1;
    std::vector<int> children;
};

void preorder(const std::vector<BuildNode> &built, int n, std::vector<int> &order)
{
    // Iterative, so that deep trees cannot exhaust the stack.
    std::vector<int> stack{n};
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        order.push_back(i);
        const auto &ch = built[static_cast<size_t>(i)].children;
        for (auto it = ch.rbegin(); it != ch.rend(); ++it)
            stack.push_back(*it);
    }
}

QString trimmedText(const fb::Field &f)
{
    return f.asString().trimmed();
}

} // namespace

void loadFinderKey(Key &key, fb::Query &tmpquery, fb::Query &tmpquery2, int groupId)
{
    const GroupInfo about = key.about;
    key.clear();
    key.about = about;

    // Question tree in read order: each row under the node with its parent id, or at the
    // top level when the parent has not been met yet.
    std::vector<BuildNode> built;
    std::vector<int> tops;
    {
        std::unordered_map<int, int> byId;
        sql::OpenQuery(tmpquery, questionsSql(groupId));
        for (; !tmpquery.eof(); tmpquery.next()) {
            BuildNode n;
            n.questionId = tmpquery.field(0).asInt();
            const int parentId = tmpquery.field(1).asInt(); // NULL reads as 0
            n.text = tmpquery.field(3).asString();
            const int idx = static_cast<int>(built.size());
            int parent = -1;
            if (parentId != 0) {
                const auto it = byId.find(parentId);
                if (it != byId.end())
                    parent = it->second;
            }
            n.parent = parent;
            built.push_back(std::move(n));
            if (parent >= 0)
                built[static_cast<size_t>(parent)].children.push_back(idx);
            else
                tops.push_back(idx);
            byId.emplace(built.back().questionId, idx);
        }
        tmpquery.close();
    }

    // Absolute indexes are positions in depth-first pre-order.
    std::vector<int> order;
    order.reserve(built.size());
    for (int t : tops)
        preorder(built, t, order);
    std::vector<int> absOf(built.size());
    for (size_t a = 0; a < order.size(); ++a)
        absOf[static_cast<size_t>(order[a])] = static_cast<int>(a);
    key.nodes.resize(order.size());
    std::vector<int> idByIndex(order.size());
    for (size_t a = 0; a < order.size(); ++a) {
        const BuildNode &b = built[static_cast<size_t>(order[a])];
        QuestionNode &n = key.nodes[a];
        n.text = b.text;
        n.questionId = b.questionId;
        n.parent = b.parent < 0 ? -1 : absOf[static_cast<size_t>(b.parent)];
        n.children.reserve(b.children.size());
        for (int c : b.children)
            n.children.push_back(absOf[static_cast<size_t>(c)]);
        idByIndex[a] = b.questionId;
    }
    key.QuestionHintList = QStringList(static_cast<qsizetype>(key.nodes.size()), QString());
    key.HintPicList.assign(key.nodes.size(), QImage());
    const IdIndex nodeIndex(idByIndex);

    // Hints and hint pictures.
    sql::OpenQuery(tmpquery, hintsSql(groupId));
    for (; !tmpquery.eof(); tmpquery.next()) {
        const int n = nodeIndex.find(tmpquery.field(0).asInt());
        if (n < 0)
            continue;
        QString text = tmpquery.field(1).asString();
        const fb::Field pic = tmpquery.field(2);
        // An empty picture field is how a removed picture is stored: no picture.
        const QByteArray bytes = pic.isNull() ? QByteArray() : pic.asBytes();
        if (!bytes.isEmpty()) {
            QImage img = pictures::decodeJpeg(bytes, pictures::Colours::Full);
            if (img.width() > 0)
                text = QStringLiteral("<PIC>%1</PIC>").arg(n) + text;
            key.HintPicList[static_cast<size_t>(n)] = std::move(img);
        }
        key.QuestionHintList[n] = text;
    }
    tmpquery.close();

    // Answer numbers: leaves in pre-order.
    key.numberAnswers();

    // Taxa in the order of their Latin names.
    sql::OpenQuery(tmpquery, taxaSql(groupId));
    const std::string unknown(static_cast<size_t>(key.answerCount), '?');
    for (; !tmpquery.eof(); tmpquery.next()) {
        key.Fajok.push_back(tmpquery.field(0).asInt());
        const QString lat = tmpquery.field(1).asString();
        const QString hun = trimmedText(tmpquery.field(2));
        key.SpeciesList << lat;
        key.SpeciesHunList << (hun.isEmpty() ? lat : tmpquery.field(2).asString());
        key.LinkList << tmpquery.field(3).asString();
        key.AttrList.push_back(unknown);
    }
    tmpquery.close();
    key.JPEGImageList1.resize(key.Fajok.size());
    const IdIndex taxonIndex(key.Fajok);

    // First photos: the bytes are kept, decoding waits until a thumbnail is drawn.
    sql::OpenQuery(tmpquery2, firstPhotosSql(groupId));
    int lastTaxon = 0;
    bool any = false;
    for (; !tmpquery2.eof(); tmpquery2.next()) {
        const int taxonId = tmpquery2.field(0).asInt();
        if (any && taxonId == lastTaxon)
            continue;
        any = true;
        lastTaxon = taxonId;
        const int t = taxonIndex.find(taxonId);
        if (t >= 0)
            key.JPEGImageList1[static_cast<size_t>(t)] = Thumbnail(tmpquery2.field(2).asBytes());
    }
    tmpquery2.close();

    // Matrix values; rows that do not fit the key are passed over, the last row read wins.
    std::vector<int> answerOfNode(key.nodes.size());
    for (size_t i = 0; i < key.nodes.size(); ++i)
        answerOfNode[i] = key.nodes[i].answerNumber;
    sql::OpenQuery(tmpquery, valuesSql(groupId));
    for (; !tmpquery.eof(); tmpquery.next()) {
        const int n = nodeIndex.find(tmpquery.field(0).asInt());
        if (n < 0)
            continue;
        const int k = answerOfNode[static_cast<size_t>(n)];
        if (k == 0)
            continue;
        const int t = taxonIndex.find(tmpquery.field(1).asInt());
        if (t < 0)
            continue;
        const unsigned char code = storedValueCode(tmpquery.field(2).rawText());
        if (code == 0)
            continue;
        key.AttrList[static_cast<size_t>(t)][static_cast<size_t>(k - 1)] = static_cast<char>(code);
    }
    tmpquery.close();
}

} // namespace identify
