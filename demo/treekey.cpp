#include "treekey.h"

#include "drawing.h"
#include "latin2.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <map>

namespace {

const QRegularExpression &codePattern()
{
    static const QRegularExpression re(QStringLiteral("^[\\p{L}\\p{N}_-]+$"));
    return re;
}

// Keys of a [taxon] section; question codes must differ from them.
const QStringList &taxonKeys()
{
    static const QStringList keys{QStringLiteral("latin"), QStringLiteral("magyar"), QStringLiteral("link"),
                                  QStringLiteral("leírás"), QStringLiteral("kép")};
    return keys;
}

struct Field {
    QString key;
    QString value;
    int line = 0;
};

class Parser {
public:
    Parser(const QString &text, const QString &source) : m_text(text), m_source(source) {}

    DemoKey run()
    {
        QString text = m_text;
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            QString raw = lines.at(i);
            if (raw.endsWith(QLatin1Char('\r')))
                raw.chop(1);
            handleLine(raw, i + 1);
        }
        closeSection();
        finish();
        return std::move(m_key);
    }

private:
    enum class Section { None, Group, Questions, Taxon };

    [[noreturn]] void fail(int line, const QString &message) const
    {
        const QString where = line > 0 ? QStringLiteral("%1, %2. sor: ").arg(m_source).arg(line)
                                        : QStringLiteral("%1: ").arg(m_source);
        throw DemoKeyError((where + message).toStdString());
    }

    void checkText(const QString &text, int maxLength, const QString &what, int line) const
    {
        if (maxLength > 0 && text.size() > maxLength)
            fail(line, QStringLiteral("%1 túl hosszú: %2 karakter, legfeljebb %3 lehet.").arg(what).arg(text.size()).arg(maxLength));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!latin2::canEncode(QString(text.at(i)))) {
                QString shown = text.at(i);
                if (text.at(i).isHighSurrogate() && i + 1 < text.size())
                    shown += text.at(i + 1);
                fail(line, QStringLiteral("%1 olyan karaktert tartalmaz, amelyet az ISO-8859-2 nem tud tárolni: \"%2\" (U+%3).")
                               .arg(what, shown,
                                    QString::number(shown.toUcs4().value(0), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
            }
        }
    }

    void handleLine(const QString &raw, int line)
    {
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            return;
        if (!raw.at(0).isSpace() && trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            openSection(trimmed.mid(1, trimmed.size() - 2).trimmed(), line);
            return;
        }
        switch (m_section) {
        case Section::None:
            fail(line, QStringLiteral("a fájlnak szakaszcímmel ([csoport]) kell kezdődnie."));
        case Section::Group:
        case Section::Taxon:
            fieldLine(raw, trimmed, line);
            return;
        case Section::Questions:
            questionLine(raw, trimmed, line);
            return;
        }
    }

    void openSection(const QString &name, int line)
    {
        closeSection();
        if (name == QLatin1String("csoport")) {
            if (m_seenGroup)
                fail(line, QStringLiteral("a [csoport] szakasz csak egyszer szerepelhet."));
            m_seenGroup = true;
            m_section = Section::Group;
        } else if (name == QStringLiteral("kérdések")) {
            if (m_seenQuestions)
                fail(line, QStringLiteral("a [kérdések] szakasz csak egyszer szerepelhet."));
            m_seenQuestions = true;
            m_section = Section::Questions;
        } else if (name == QLatin1String("taxon")) {
            if (!m_seenQuestions)
                fail(line, QStringLiteral("a [taxon] szakaszok előtt a [kérdések] szakasznak kell állnia."));
            if (m_key.taxa.empty())
                finishQuestions();
            m_section = Section::Taxon;
        } else {
            fail(line, QStringLiteral("ismeretlen szakasz: [%1]; lehet [csoport], [kérdések] vagy [taxon].").arg(name));
        }
        m_sectionLine = line;
        m_fields.clear();
    }

    void fieldLine(const QString &raw, const QString &trimmed, int line)
    {
        if (raw.at(0).isSpace()) {
            if (m_fields.empty())
                fail(line, QStringLiteral("folytatósor, de nincs előtte folytatható sor."));
            m_fields.back().value += QLatin1Char(' ') + trimmed;
            return;
        }
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            fail(line, QStringLiteral("\"kulcs: érték\" alakú sort vártam, ezt kaptam: \"%1\".").arg(trimmed));
        const QString key = trimmed.left(colon).trimmed();
        const QString value = trimmed.mid(colon + 1).trimmed();
        m_fields.push_back({key, value, line});
    }

    void closeSection()
    {
        if (m_section == Section::Group)
            finishGroup();
        else if (m_section == Section::Taxon)
            finishTaxon();
        m_section = Section::None;
    }

    // ---- [csoport] ----

    void finishGroup()
    {
        QSet<QString> seen;
        for (const Field &f : m_fields) {
            if (seen.contains(f.key))
                fail(f.line, QStringLiteral("a(z) \"%1\" mező kétszer szerepel.").arg(f.key));
            seen.insert(f.key);
            if (f.key == QStringLiteral("név")) {
                checkText(f.value, demolimits::kName, QStringLiteral("A csoport neve"), f.line);
                m_key.name = f.value;
            } else if (f.key == QLatin1String("latin")) {
                checkText(f.value, demolimits::kName, QStringLiteral("A csoport latin neve"), f.line);
                m_key.lat = f.value;
            } else if (f.key == QStringLiteral("készítő")) {
                checkText(f.value, demolimits::kCreator, QStringLiteral("A készítő neve"), f.line);
                m_key.creator = f.value;
            } else if (f.key == QStringLiteral("verzió")) {
                checkText(f.value, demolimits::kVersion, QStringLiteral("A verzió"), f.line);
                m_key.version = f.value;
            } else if (f.key == QStringLiteral("leírás")) {
                checkText(f.value, 0, QStringLiteral("A leírás"), f.line);
                m_key.description = f.value;
            } else {
                fail(f.line, QStringLiteral("ismeretlen mező a [csoport] szakaszban: \"%1\"; lehet név, latin, készítő, verzió, leírás.").arg(f.key));
            }
        }
        if (m_key.name.isEmpty())
            fail(m_sectionLine, QStringLiteral("a [csoport] szakaszból hiányzik a név."));
    }

    // ---- [kérdések] ----

    void questionLine(const QString &raw, const QString &trimmed, int line)
    {
        int indent = 0;
        while (indent < raw.size() && raw.at(indent).isSpace()) {
            if (raw.at(indent) != QLatin1Char(' '))
                fail(line, QStringLiteral("a kérdésfában a behúzás csak szóköz lehet, tabulátor nem."));
            ++indent;
        }
        if (indent % 2 != 0)
            fail(line, QStringLiteral("a behúzás szintenként két szóköz; itt %1 szóköz áll.").arg(indent));
        const int level = indent / 2;

        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            fail(line, QStringLiteral("\"kérdés KÓD: szöveg\", \"válasz KÓD: szöveg\", \"súgó: szöveg\" vagy \"súgókép: stílus\" sort vártam."));
        const QString head = trimmed.left(colon).trimmed();
        const QString value = trimmed.mid(colon + 1).trimmed();

        if (head == QStringLiteral("súgó") || head == QStringLiteral("súgókép")) {
            if (!m_last)
                fail(line, QStringLiteral("a(z) \"%1\" sor előtt nincs kérdés vagy válasz.").arg(head));
            if (level <= m_lastLevel)
                fail(line, QStringLiteral("a(z) \"%1\" sort beljebb kell húzni, mint a kérdését (\"%2\").").arg(head, m_last->text));
            if (value.isEmpty())
                fail(line, QStringLiteral("üres \"%1\" sor.").arg(head));
            if (head == QStringLiteral("súgó")) {
                if (!m_last->hint.isEmpty())
                    fail(line, QStringLiteral("a(z) \"%1\" súgója már meg van adva.").arg(m_last->text));
                checkText(value, demolimits::kQuestion, QStringLiteral("A súgó"), line);
                m_last->hint = value;
            } else {
                if (!m_last->pictureStyle.isEmpty())
                    fail(line, QStringLiteral("a(z) \"%1\" súgóképe már meg van adva.").arg(m_last->text));
                const QString error = hintStyleError(value);
                if (!error.isEmpty())
                    fail(line, QStringLiteral("hibás súgókép: %1").arg(error));
                m_last->pictureStyle = value;
            }
            return;
        }

        const qsizetype space = head.indexOf(QLatin1Char(' '));
        const QString kind = space < 0 ? head : head.left(space);
        const QString code = space < 0 ? QString() : head.mid(space + 1).trimmed();
        if (kind != QStringLiteral("kérdés") && kind != QStringLiteral("válasz"))
            fail(line, QStringLiteral("ismeretlen sor a kérdésfában: \"%1\".").arg(head));
        if (!codePattern().match(code).hasMatch())
            fail(line, QStringLiteral("hibás vagy hiányzó kód: \"%1\" (betű, szám, \"-\" és \"_\" lehet, szóköz nem).").arg(code));
        if (m_codes.contains(code))
            fail(line, QStringLiteral("a(z) \"%1\" kód már szerepelt a(z) %2. sorban.").arg(code).arg(m_codes.value(code)));
        if (kind == QStringLiteral("kérdés") && taxonKeys().contains(code))
            fail(line, QStringLiteral("a(z) \"%1\" nem lehet kérdés kódja, mert a [taxon] szakasz mezőneve.").arg(code));
        if (value.isEmpty())
            fail(line, QStringLiteral("hiányzik a(z) \"%1\" szövege.").arg(code));
        checkText(value, demolimits::kQuestion, kind == QStringLiteral("kérdés") ? QStringLiteral("A kérdés szövege")
                                                                               : QStringLiteral("A válasz szövege"),
                  line);
        if (level > int(m_open.size()))
            fail(line, QStringLiteral("túl nagy behúzás: a sor nem egy kérdés alatt áll."));
        if (level == 0 && kind == QStringLiteral("válasz"))
            fail(line, QStringLiteral("válasz nem állhat a legfelső szinten, csak egy kérdés alatt."));
        m_codes.insert(code, line);

        m_open.resize(level);
        std::vector<DemoQuestion> &siblings = level == 0 ? m_key.questions : m_open.back()->children;
        DemoQuestion node;
        node.code = code;
        node.text = value;
        node.line = line;
        siblings.push_back(std::move(node));
        m_last = &siblings.back();
        m_lastLevel = level;
        if (kind == QStringLiteral("kérdés")) {
            m_open.push_back(m_last);
            m_questionCodes.insert(code);
        }
    }

    void indexTree(const std::vector<DemoQuestion> &nodes)
    {
        for (const DemoQuestion &q : nodes) {
            if (m_questionCodes.contains(q.code) && q.children.empty())
                fail(q.line, QStringLiteral("a(z) \"%1\" kérdés alatt nincs se alkérdés, se válasz.").arg(q.code));
            if (q.isAnswer()) {
                m_answerIndex.insert(q.code, int(m_answerOwner.size()));
                m_answerOwner.push_back(m_currentOwner);
                continue;
            }
            int direct = 0;
            for (const DemoQuestion &c : q.children)
                direct += c.isAnswer() ? 1 : 0;
            if (direct > 0)
                m_directAnswers.insert(q.code, direct);
            const QString saved = m_currentOwner;
            m_currentOwner = q.code;
            indexTree(q.children);
            m_currentOwner = saved;
        }
    }

    void finishQuestions()
    {
        if (m_key.questions.empty())
            fail(m_sectionLine, QStringLiteral("a [kérdések] szakasz üres."));
        m_open.clear();
        m_last = nullptr;
        indexTree(m_key.questions);
    }

    // ---- [taxon] ----

    void finishTaxon()
    {
        DemoTaxon taxon;
        taxon.line = m_sectionLine;
        taxon.values = QString(int(m_answerOwner.size()), QChar());
        QSet<QString> seen;
        QSet<QString> matrixLines;
        for (const Field &f : m_fields) {
            const bool repeatable = f.key == QStringLiteral("kép");
            if (taxonKeys().contains(f.key) && !repeatable) {
                if (seen.contains(f.key))
                    fail(f.line, QStringLiteral("a(z) \"%1\" mező kétszer szerepel.").arg(f.key));
                seen.insert(f.key);
            }
            if (f.key == QLatin1String("latin")) {
                checkText(f.value, demolimits::kName, QStringLiteral("A latin név"), f.line);
                taxon.latin = f.value;
            } else if (f.key == QLatin1String("magyar")) {
                checkText(f.value, demolimits::kName, QStringLiteral("A magyar név"), f.line);
                taxon.hungarian = f.value;
            } else if (f.key == QLatin1String("link")) {
                checkText(f.value, demolimits::kLink, QStringLiteral("A link"), f.line);
                taxon.link = f.value;
            } else if (f.key == QStringLiteral("leírás")) {
                checkText(f.value, 0, QStringLiteral("A leírás"), f.line);
                taxon.description = f.value;
            } else if (f.key == QStringLiteral("kép")) {
                const QString error = photoStyleError(f.value);
                if (!error.isEmpty())
                    fail(f.line, QStringLiteral("hibás kép: %1").arg(error));
                taxon.photoStyles << f.value;
            } else {
                matrixLine(taxon, f, matrixLines);
            }
        }
        if (taxon.latin.isEmpty())
            fail(m_sectionLine, QStringLiteral("a taxonnak nincs latin neve."));
        if (taxon.hungarian.isEmpty())
            fail(m_sectionLine, QStringLiteral("a(z) %1 taxonnak nincs magyar neve.").arg(taxon.latin));
        if (taxon.photoStyles.isEmpty())
            fail(m_sectionLine, QStringLiteral("a(z) %1 taxonnak nincs képe (\"kép:\" sor).").arg(taxon.latin));
        for (const DemoTaxon &other : m_key.taxa)
            if (other.latin == taxon.latin)
                fail(m_sectionLine, QStringLiteral("a(z) %1 latin név már szerepelt a(z) %2. sorban.").arg(taxon.latin).arg(other.line));

        QStringList missing;
        for (auto it = m_answerIndex.cbegin(); it != m_answerIndex.cend(); ++it)
            if (taxon.values.at(it.value()).isNull())
                missing << QStringLiteral("%1/%2").arg(m_answerOwner.at(it.value()), it.key());
        if (!missing.isEmpty()) {
            missing.sort();
            fail(m_sectionLine, QStringLiteral("a(z) %1 taxon mátrixából hiányzik: %2.").arg(taxon.latin, missing.join(QStringLiteral(", "))));
        }

        std::map<QChar, int> marks;
        for (QChar c : taxon.values)
            if (c.isLower())
                ++marks[c];
        for (const auto &[mark, count] : marks)
            if (count < 2)
                fail(m_sectionLine, QStringLiteral("a(z) %1 taxon \"%2\" csoportjele csak egy válasznál szerepel; "
                                                   "egy alternatív csoport legalább két válaszból áll.")
                                        .arg(taxon.latin, mark));
        m_key.taxa.push_back(std::move(taxon));
    }

    void matrixLine(DemoTaxon &taxon, const Field &f, QSet<QString> &done)
    {
        if (!m_questionCodes.contains(f.key))
            fail(f.line, QStringLiteral("ismeretlen mező vagy kérdéskód: \"%1\".").arg(f.key));
        if (!m_directAnswers.contains(f.key))
            fail(f.line, QStringLiteral("a(z) \"%1\" kérdésnek nincsenek közvetlen válaszai, az alkérdéseinek adj értéket.").arg(f.key));
        if (done.contains(f.key))
            fail(f.line, QStringLiteral("a(z) \"%1\" kérdés mátrixsora kétszer szerepel.").arg(f.key));
        done.insert(f.key);
        static const QRegularExpression spaces(QStringLiteral("\\s+"));
        const QStringList tokens = f.value.split(spaces, Qt::SkipEmptyParts);
        for (const QString &token : tokens) {
            const qsizetype eq = token.indexOf(QLatin1Char('='));
            if (eq <= 0)
                fail(f.line, QStringLiteral("\"válaszkód=érték\" alakot vártam, ezt kaptam: \"%1\".").arg(token));
            const QString code = token.left(eq);
            const QString value = token.mid(eq + 1);
            if (!m_answerIndex.contains(code))
                fail(f.line, QStringLiteral("ismeretlen válaszkód: \"%1\".").arg(code));
            const int index = m_answerIndex.value(code);
            if (m_answerOwner.at(index) != f.key)
                fail(f.line, QStringLiteral("a(z) \"%1\" válasz nem a(z) \"%2\" kérdéshez tartozik, hanem a(z) \"%3\" kérdéshez.")
                                 .arg(code, f.key, m_answerOwner.at(index)));
            if (value.size() != 1 || !(value == QLatin1String("+") || value == QLatin1String("-") || value == QLatin1String("?")
                                       || (value.at(0) >= QLatin1Char('a') && value.at(0) <= QLatin1Char('z'))))
                fail(f.line, QStringLiteral("hibás érték: \"%1\"; lehet +, -, ? vagy egy kisbetű (a-z).").arg(token));
            if (!taxon.values.at(index).isNull())
                fail(f.line, QStringLiteral("a(z) \"%1\" válasz kétszer kapott értéket.").arg(code));
            taxon.values[index] = value.at(0);
        }
    }

    void finish()
    {
        if (!m_seenGroup)
            fail(0, QStringLiteral("hiányzik a [csoport] szakasz."));
        if (!m_seenQuestions)
            fail(0, QStringLiteral("hiányzik a [kérdések] szakasz."));
        if (m_key.taxa.empty())
            fail(0, QStringLiteral("a kulcsban nincs egyetlen [taxon] sem."));
    }

    QString m_text;
    QString m_source;
    DemoKey m_key;
    Section m_section = Section::None;
    int m_sectionLine = 0;
    bool m_seenGroup = false;
    bool m_seenQuestions = false;
    std::vector<Field> m_fields;

    // question tree while it is read
    std::vector<DemoQuestion *> m_open;
    DemoQuestion *m_last = nullptr;
    int m_lastLevel = 0;
    QHash<QString, int> m_codes; // every code -> line
    QSet<QString> m_questionCodes;

    // index of the finished tree
    QHash<QString, int> m_answerIndex;     // answer code -> answer index
    std::vector<QString> m_answerOwner;    // answer index -> code of its question
    QHash<QString, int> m_directAnswers;   // question code -> number of answers directly below
    QString m_currentOwner;
};

void collectAnswers(const std::vector<DemoQuestion> &nodes, std::vector<const DemoQuestion *> &out)
{
    for (const DemoQuestion &q : nodes) {
        if (q.isAnswer())
            out.push_back(&q);
        else
            collectAnswers(q.children, out);
    }
}

bool findPath(const std::vector<DemoQuestion> &nodes, const DemoQuestion *target, QStringList &path)
{
    for (const DemoQuestion &q : nodes) {
        path << q.text;
        if (&q == target || findPath(q.children, target, path))
            return true;
        path.removeLast();
    }
    return false;
}

} // namespace

DemoKey parseDemoKeyText(const QString &text, const QString &sourceName)
{
    return Parser(text, sourceName).run();
}

DemoKey parseDemoKey(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DemoKeyError(QStringLiteral("%1: nem nyitható meg (%2).").arg(path, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        // Find the first line that does not decode, to name it.
        const QList<QByteArray> lines = bytes.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            QStringDecoder probe(QStringDecoder::Utf8);
            (void)probe(lines.at(i));
            if (probe.hasError())
                throw DemoKeyError(QStringLiteral("%1, %2. sor: a sor nem érvényes UTF-8 szöveg.").arg(name).arg(i + 1).toStdString());
        }
        throw DemoKeyError(QStringLiteral("%1: a fájl nem érvényes UTF-8 szöveg.").arg(name).toStdString());
    }
    return parseDemoKeyText(text, name);
}

std::vector<const DemoQuestion *> demoAnswers(const DemoKey &key)
{
    std::vector<const DemoQuestion *> out;
    collectAnswers(key.questions, out);
    return out;
}

int demoAnswerIndex(const DemoKey &key, const QString &code)
{
    const auto answers = demoAnswers(key);
    for (size_t i = 0; i < answers.size(); ++i)
        if (answers[i]->code == code)
            return int(i);
    return -1;
}

QString demoAnswerPath(const DemoKey &key, int answerIndex)
{
    const auto answers = demoAnswers(key);
    if (answerIndex < 0 || answerIndex >= int(answers.size()))
        return {};
    QStringList path;
    findPath(key.questions, answers[size_t(answerIndex)], path);
    return path.join(QStringLiteral(" / "));
}
