#include "firebird.h"

#include "latin2.h"
#include "paths.h"

#include <firebird/Interface.h>

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>

#include <csignal>
#include <cstdlib>

#include <unistd.h>
#include <cstring>

using namespace Firebird;

namespace fb {
namespace {

constexpr unsigned kDialect = 3;
constexpr unsigned kCharsetIso8859_2 = 22;

IMaster *master()
{
    static IMaster *m = fb_get_master_interface();
    return m;
}

IProvider *provider()
{
    static IProvider *p = master()->getDispatcher();
    return p;
}

IUtil *util()
{
    static IUtil *u = master()->getUtilInterface();
    return u;
}

// Status object that throws FbException on error, turned into fb::Error by guard().
class Status {
public:
    Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}
    ~Status() { m_status->dispose(); }
    ThrowStatusWrapper *operator&() { return &m_wrapper; }

private:
    IStatus *m_status;
    ThrowStatusWrapper m_wrapper;
};

QString formatStatus(const IStatus *status)
{
    char buf[2048];
    util()->formatStatus(buf, sizeof buf, const_cast<IStatus *>(status));
    QString text = latin2::toUnicode(buf, static_cast<qsizetype>(std::strlen(buf))).trimmed();
    return text.isEmpty() ? QStringLiteral("Ismeretlen adatbázis-hiba") : text;
}

template <typename F>
auto guard(F &&f) -> decltype(f())
{
    try {
        return f();
    } catch (const FbException &e) {
        throw Error(formatStatus(e.getStatus()));
    }
}

struct ParamName {
    const char *text;
    unsigned char tag;
    bool hasValue;
};

// Connection parameter texts, as the stored settings spell them.
const ParamName kDpbNames[] = {
    {"user_name", isc_dpb_user_name, true},   {"user", isc_dpb_user_name, true},
    {"password", isc_dpb_password, true},     {"lc_ctype", isc_dpb_lc_ctype, true},
    {"sql_role_name", isc_dpb_sql_role_name, true},
};

const ParamName kTpbNames[] = {
    {"read_committed", isc_tpb_read_committed, false}, {"rec_version", isc_tpb_rec_version, false},
    {"no_rec_version", isc_tpb_no_rec_version, false}, {"nowait", isc_tpb_nowait, false},
    {"wait", isc_tpb_wait, false},                     {"read", isc_tpb_read, false},
    {"write", isc_tpb_write, false},                   {"concurrency", isc_tpb_concurrency, false},
    {"consistency", isc_tpb_consistency, false},
};

std::vector<unsigned char> buildDpb(const QStringList &params, const std::vector<std::pair<unsigned char, QByteArray>> &extraStrings = {},
                                    const std::vector<std::pair<unsigned char, int>> &extraInts = {})
{
    Status st;
    IXpbBuilder *b = util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    for (const QString &p : params) {
        const int eq = p.indexOf(u'=');
        const QString key = (eq < 0 ? p : p.left(eq)).trimmed().toLower();
        const QByteArray value = latin2::fromUnicode(eq < 0 ? QString() : p.mid(eq + 1).trimmed());
        bool known = false;
        for (const auto &n : kDpbNames) {
            if (key == QLatin1String(n.text)) {
                b->insertString(&st, n.tag, value.constData());
                known = true;
                break;
            }
        }
        if (!known) {
            b->dispose();
            throw Error(QStringLiteral("Ismeretlen kapcsolódási paraméter: %1").arg(p));
        }
    }
    for (const auto &[tag, value] : extraStrings)
        b->insertString(&st, tag, value.constData());
    for (const auto &[tag, value] : extraInts)
        b->insertInt(&st, tag, value);
    const unsigned len = b->getBufferLength(&st);
    const unsigned char *buf = b->getBuffer(&st);
    std::vector<unsigned char> out(buf, buf + len);
    b->dispose();
    return out;
}

std::vector<unsigned char> buildTpb(const QStringList &params)
{
    std::vector<unsigned char> out{isc_tpb_version3};
    for (const QString &p : params) {
        const QString key = p.trimmed().toLower();
        bool known = false;
        for (const auto &n : kTpbNames) {
            if (key == QLatin1String(n.text)) {
                out.push_back(n.tag);
                known = true;
                break;
            }
        }
        if (!known)
            throw Error(QStringLiteral("Ismeretlen tranzakció-paraméter: %1").arg(p));
    }
    return out;
}

// Replaces ":name" by "?" outside quotes and comments; returns the names in order.
// Statements with a procedural body (where ":name" is a local variable) are left alone.
std::string translateNamedParams(const QString &sql, std::vector<QString> &names)
{
    static const QRegularExpression psql(QStringLiteral("^\\s*(execute\\s+block|create|alter|recreate)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (psql.match(sql).hasMatch())
        return latin2::fromUnicode(sql).toStdString();
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype start = i++;
            while (i < n) {
                if (sql.at(i) == c) {
                    if (i + 1 < n && sql.at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            out += sql.mid(start, i - start);
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            const qsizetype start = i;
            while (i < n && sql.at(i) != u'\n')
                ++i;
            out += sql.mid(start, i - start);
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            out += sql.mid(i, stop - i);
            i = stop;
        } else if (c == u':' && i + 1 < n && (sql.at(i + 1).isLetter() || sql.at(i + 1) == u'_')) {
            qsizetype j = i + 1;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_' || sql.at(j) == u'$'))
                ++j;
            names.push_back(sql.mid(i + 1, j - i - 1));
            out += u'?';
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return latin2::fromUnicode(out).toStdString();
}

QDate fbDate(ISC_DATE d)
{
    unsigned y = 0, m = 0, day = 0;
    util()->decodeDate(d, &y, &m, &day);
    return QDate(int(y), int(m), int(day));
}

QTime fbTime(ISC_TIME t)
{
    unsigned h = 0, m = 0, s = 0, frac = 0;
    util()->decodeTime(t, &h, &m, &s, &frac);
    return QTime(int(h), int(m), int(s), int(frac / 10));
}

} // namespace

// The client library takes SIGINT, SIGTERM and SIGHUP at the first attach to shut its
// engine down, after which the program would go on with dead connections. The program
// takes them back and ends at once: a graceful detach after such a signal was seen to spin
// forever in the engine, holding locks that other programs on the file wait for. Committed
// work is on disk; the engine treats the rest like any ended process.
namespace {
void onTerminationSignal(int sig)
{
    _exit(128 + sig);
}

void takeOverTerminationSignals()
{
    struct sigaction sa {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &sa, nullptr);
}
} // namespace

void usePrivateRoot(const QString &rootFolder)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (!rootFolder.isEmpty())
        ::setenv("FIREBIRD", rootFolder.toLocal8Bit().constData(), 1);
}

void usePrivateRootBesideProgram()
{
    usePrivateRoot(paths::programFolder() + QStringLiteral("firebird"));
}

// ---------------------------------------------------------------- Database

Database::Database() = default;

Database::~Database()
{
    try {
        close();
    } catch (...) {
    }
}

IAttachment *Database::attachment() const
{
    if (!m_att)
        throw Error(QStringLiteral("Az adatbázis nincs megnyitva."));
    return m_att;
}

void Database::open()
{
    if (m_att)
        return;
    const auto dpb = buildDpb(params);
    const QByteArray path = databaseName.toLocal8Bit();
    m_att = guard([&] {
        Status st;
        return provider()->attachDatabase(&st, path.constData(), static_cast<unsigned>(dpb.size()), dpb.data());
    });
    takeOverTerminationSignals();
}

void Database::create(const QString &path, const QString &user, const QString &password, int pageSize,
                      const QString &defaultCharset)
{
    close();
    // The engine refuses a non-builtin client character set while the file is being made,
    // so the file is created with the owner alone and then opened with the full parameters.
    const auto dpb = buildDpb({QStringLiteral("user_name=%1").arg(user), QStringLiteral("password=%1").arg(password)},
                              {{isc_dpb_set_db_charset, latin2::fromUnicode(defaultCharset)}},
                              {{isc_dpb_page_size, pageSize}, {isc_dpb_sql_dialect, int(kDialect)}});
    const QByteArray file = path.toLocal8Bit();
    IAttachment *att = guard([&] {
        Status st;
        return provider()->createDatabase(&st, file.constData(), static_cast<unsigned>(dpb.size()), dpb.data());
    });
    guard([&] {
        Status st;
        att->detach(&st);
    });
    databaseName = path;
    open();
}

void Database::setForcedWrites(bool on)
{
    // The setting is stored in the file; the engine applies it on attach.
    close();
    const auto dpb = buildDpb(params, {}, {{isc_dpb_force_write, on ? 1 : 0}});
    const QByteArray path = databaseName.toLocal8Bit();
    IAttachment *att = guard([&] {
        Status st;
        return provider()->attachDatabase(&st, path.constData(), static_cast<unsigned>(dpb.size()), dpb.data());
    });
    guard([&] {
        Status st;
        att->detach(&st);
    });
    open();
}

void Database::close()
{
    if (!m_att)
        return;
    for (Query *q : m_queries)
        q->release();
    for (Transaction *t : m_transactions)
        t->forget();
    IAttachment *att = m_att;
    m_att = nullptr;
    try {
        Status st;
        att->detach(&st);
    } catch (const FbException &e) {
        // A connection that cannot detach cleanly is dropped all the same.
        Status st2;
        try {
            att->release();
        } catch (...) {
        }
        throw Error(formatStatus(e.getStatus()));
    }
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database &db, QStringList p) : params(std::move(p)), m_db(&db)
{
    m_db->m_transactions.insert(this);
}

Transaction::~Transaction()
{
    try {
        if (m_tra)
            rollback();
    } catch (...) {
    }
    m_db->m_transactions.erase(this);
}

ITransaction *Transaction::handle() const
{
    if (!m_tra)
        throw Error(QStringLiteral("A tranzakció nem aktív."));
    return m_tra;
}

void Transaction::start()
{
    if (m_tra)
        throw Error(QStringLiteral("A tranzakció már aktív."));
    IAttachment *att = m_db->attachment();
    const auto tpb = buildTpb(params);
    m_tra = guard([&] {
        Status st;
        return att->startTransaction(&st, static_cast<unsigned>(tpb.size()), tpb.data());
    });
}

void Transaction::commit()
{
    ITransaction *tra = handle();
    for (Query *q : m_db->m_queries)
        if (q->m_tra == this)
            q->close();
    guard([&] {
        Status st;
        tra->commit(&st);
    });
    m_tra = nullptr;
}

void Transaction::rollback()
{
    ITransaction *tra = handle();
    for (Query *q : m_db->m_queries)
        if (q->m_tra == this)
            q->close();
    m_tra = nullptr;
    guard([&] {
        Status st;
        tra->rollback(&st);
    });
}

void Transaction::forget()
{
    if (!m_tra)
        return;
    try {
        Status st;
        m_tra->rollback(&st);
    } catch (const FbException &) {
        m_tra->release();
    }
    m_tra = nullptr;
}

// ---------------------------------------------------------------- Query

Query::Query(Database &db, Transaction &tra) : m_db(&db), m_tra(&tra)
{
    m_db->m_queries.insert(this);
}

Query::~Query()
{
    release();
    m_db->m_queries.erase(this);
}

void Query::release()
{
    close();
    if (m_outMeta) {
        m_outMeta->release();
        m_outMeta = nullptr;
    }
    if (m_stmt) {
        try {
            Status st;
            m_stmt->free(&st);
        } catch (const FbException &) {
            m_stmt->release();
        }
        m_stmt = nullptr;
    }
    m_cols.clear();
}

void Query::setSql(const QString &sql)
{
    if (sql == m_sql && m_stmt)
        return;
    release();
    m_sql = sql;
    m_paramOrder.clear();
    m_fbSql = translateNamedParams(sql, m_paramOrder);
    std::vector<Param> kept;
    for (const QString &name : m_paramOrder) {
        const auto same = [&](const Param &p) { return p.name.compare(name, Qt::CaseInsensitive) == 0; };
        if (std::find_if(kept.begin(), kept.end(), same) != kept.end())
            continue;
        auto old = std::find_if(m_params.begin(), m_params.end(), same);
        if (old != m_params.end()) {
            kept.push_back(*old);
        } else {
            Param p;
            p.name = name;
            kept.push_back(p);
        }
    }
    m_params = std::move(kept);
}

QStringList Query::paramNames() const
{
    QStringList out;
    for (const Param &p : m_params)
        out << p.name;
    return out;
}

Query::Param &Query::param(const QString &name)
{
    for (Param &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p;
    throw Error(QStringLiteral("Nincs ilyen paraméter: %1").arg(name));
}

void Query::setString(const QString &name, const QString &value)
{
    Param &p = param(name);
    p.type = ParamType::String;
    p.bytes = latin2::fromUnicode(value);
    p.null = false;
}

void Query::setInteger(const QString &name, qint64 value)
{
    Param &p = param(name);
    p.type = ParamType::Integer;
    p.integer = value;
    p.null = false;
}

void Query::setMemo(const QString &name, const QString &value)
{
    Param &p = param(name);
    p.type = ParamType::Memo;
    p.bytes = latin2::fromUnicode(value);
    p.null = false;
}

void Query::setBlob(const QString &name, const QByteArray &value)
{
    Param &p = param(name);
    p.type = ParamType::Blob;
    p.bytes = value;
    p.null = false;
}

void Query::setBoolean(const QString &name, bool value)
{
    Param &p = param(name);
    p.type = ParamType::Boolean;
    p.bytes = value ? "T" : "F";
    p.null = false;
}

void Query::setNull(const QString &name, ParamType type)
{
    Param &p = param(name);
    p.type = type;
    p.bytes.clear();
    p.null = true;
}

void Query::ensurePrepared()
{
    if (m_stmt)
        return;
    if (m_sql.trimmed().isEmpty())
        throw Error(QStringLiteral("Üres SQL utasítás."));
    IAttachment *att = m_db->attachment();
    ITransaction *tra = m_tra->handle();
    guard([&] {
        Status st;
        m_stmt = att->prepare(&st, tra, 0, m_fbSql.c_str(), kDialect, IStatement::PREPARE_PREFETCH_METADATA);
        m_outMeta = m_stmt->getOutputMetadata(&st);
        const unsigned count = m_outMeta->getCount(&st);
        m_cols.clear();
        m_cols.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            OutCol c;
            const char *alias = m_outMeta->getAlias(&st, i);
            c.name = QString::fromLatin1(alias && *alias ? alias : m_outMeta->getField(&st, i));
            c.type = m_outMeta->getType(&st, i) & ~1u;
            c.subType = m_outMeta->getSubType(&st, i);
            c.scale = m_outMeta->getScale(&st, i);
            c.length = m_outMeta->getLength(&st, i);
            c.offset = m_outMeta->getOffset(&st, i);
            c.nullOffset = m_outMeta->getNullOffset(&st, i);
            m_cols.push_back(c);
        }
        m_row.assign(m_outMeta->getMessageLength(&st), 0);
    });
    if (m_paramOrder.size() != guard([&] {
            Status st;
            IMessageMetadata *in = m_stmt->getInputMetadata(&st);
            const unsigned n = in->getCount(&st);
            in->release();
            return static_cast<size_t>(n);
        }))
        throw Error(QStringLiteral("Az utasítás paraméterei nem egyeznek: %1").arg(m_sql));
}

void Query::prepare()
{
    ensurePrepared();
}

// Builds the input message with the declared parameter types; Firebird converts them
// to the column types and reports overflow or truncation itself.
void Query::bindInput(std::vector<unsigned char> &buffer, IMessageMetadata *&meta)
{
    meta = nullptr;
    if (m_paramOrder.empty())
        return;
    guard([&] {
        Status st;
        IMessageMetadata *described = m_stmt->getInputMetadata(&st);
        IMetadataBuilder *b = described->getBuilder(&st);
        described->release();
        for (unsigned i = 0; i < m_paramOrder.size(); ++i) {
            const Param &p = param(m_paramOrder[i]);
            switch (p.type) {
            case ParamType::String:
            case ParamType::Boolean:
                b->setType(&st, i, SQL_VARYING + 1);
                b->setLength(&st, i, std::max<unsigned>(1, static_cast<unsigned>(p.bytes.size())));
                b->setCharSet(&st, i, kCharsetIso8859_2);
                break;
            case ParamType::Integer:
                b->setType(&st, i, SQL_INT64 + 1);
                b->setLength(&st, i, sizeof(ISC_INT64));
                b->setScale(&st, i, 0);
                break;
            case ParamType::Memo:
                b->setType(&st, i, SQL_BLOB + 1);
                b->setSubType(&st, i, isc_blob_text);
                b->setCharSet(&st, i, kCharsetIso8859_2);
                b->setLength(&st, i, sizeof(ISC_QUAD));
                break;
            case ParamType::Blob:
                b->setType(&st, i, SQL_BLOB + 1);
                b->setSubType(&st, i, isc_blob_untyped);
                b->setLength(&st, i, sizeof(ISC_QUAD));
                break;
            }
        }
        meta = b->getMetadata(&st);
        b->release();
        buffer.assign(meta->getMessageLength(&st), 0);
        IAttachment *att = m_db->attachment();
        ITransaction *tra = m_tra->handle();
        for (unsigned i = 0; i < m_paramOrder.size(); ++i) {
            const Param &p = param(m_paramOrder[i]);
            unsigned char *data = buffer.data() + meta->getOffset(&st, i);
            auto *nullFlag = reinterpret_cast<short *>(buffer.data() + meta->getNullOffset(&st, i));
            *nullFlag = p.null ? -1 : 0;
            if (p.null)
                continue;
            switch (p.type) {
            case ParamType::String:
            case ParamType::Boolean: {
                const auto len = static_cast<unsigned short>(p.bytes.size());
                std::memcpy(data, &len, sizeof len);
                std::memcpy(data + sizeof len, p.bytes.constData(), len);
                break;
            }
            case ParamType::Integer: {
                const ISC_INT64 v = p.integer;
                std::memcpy(data, &v, sizeof v);
                break;
            }
            case ParamType::Memo:
            case ParamType::Blob: {
                ISC_QUAD id;
                unsigned char bpb[] = {isc_bpb_version1, isc_bpb_type, 1, isc_bpb_type_stream};
                IBlob *blob = att->createBlob(&st, tra, &id, sizeof bpb, bpb);
                const char *src = p.bytes.constData();
                qsizetype left = p.bytes.size();
                while (left > 0) {
                    const unsigned chunk = static_cast<unsigned>(std::min<qsizetype>(left, 32768));
                    blob->putSegment(&st, chunk, src);
                    src += chunk;
                    left -= chunk;
                }
                blob->close(&st);
                std::memcpy(data, &id, sizeof id);
                break;
            }
            }
        }
    });
}

void Query::open()
{
    close();
    ensurePrepared();
    std::vector<unsigned char> in;
    IMessageMetadata *inMeta = nullptr;
    ITransaction *tra = m_tra->handle();
    try {
        bindInput(in, inMeta);
        guard([&] {
            Status st;
            const unsigned type = m_stmt->getType(&st);
            if (type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd) {
                m_rs = m_stmt->openCursor(&st, tra, inMeta, inMeta ? in.data() : nullptr, m_outMeta, 0);
            } else {
                m_stmt->execute(&st, tra, inMeta, inMeta ? in.data() : nullptr, m_cols.empty() ? nullptr : m_outMeta,
                                m_cols.empty() ? nullptr : m_row.data());
                m_openNoCursor = true;
            }
        });
    } catch (...) {
        if (inMeta)
            inMeta->release();
        throw;
    }
    if (inMeta)
        inMeta->release();
    m_eof = true;
    if (m_rs)
        next();
}

void Query::next()
{
    if (!m_rs) {
        m_eof = true;
        return;
    }
    const int r = guard([&] {
        Status st;
        return m_rs->fetchNext(&st, m_row.data());
    });
    m_eof = (r != IStatus::RESULT_OK);
}

void Query::close()
{
    m_openNoCursor = false;
    m_eof = true;
    if (!m_rs)
        return;
    IResultSet *rs = m_rs;
    m_rs = nullptr;
    try {
        Status st;
        rs->close(&st);
    } catch (const FbException &) {
        rs->release();
    }
}

void Query::execute()
{
    close();
    ensurePrepared();
    std::vector<unsigned char> in;
    IMessageMetadata *inMeta = nullptr;
    ITransaction *tra = m_tra->handle();
    try {
        bindInput(in, inMeta);
        guard([&] {
            Status st;
            m_stmt->execute(&st, tra, inMeta, inMeta ? in.data() : nullptr, m_cols.empty() ? nullptr : m_outMeta,
                            m_cols.empty() ? nullptr : m_row.data());
        });
    } catch (...) {
        if (inMeta)
            inMeta->release();
        throw;
    }
    if (inMeta)
        inMeta->release();
}

std::vector<std::vector<QVariant>> Query::fetchAll()
{
    std::vector<std::vector<QVariant>> rows;
    open();
    const int n = fieldCount();
    for (; !eof(); next()) {
        std::vector<QVariant> row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.push_back(field(i).value());
        rows.push_back(std::move(row));
    }
    close();
    return rows;
}

int Query::fieldCount() const
{
    return static_cast<int>(m_cols.size());
}

Field Query::field(int index) const
{
    if (index < 0 || index >= fieldCount())
        throw Error(QStringLiteral("Nincs %1. mező az eredményben.").arg(index));
    return Field(this, static_cast<unsigned>(index));
}

int Query::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < m_cols.size(); ++i)
        if (m_cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

Field Query::fieldByName(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("Nincs ilyen mező: %1").arg(name));
    return Field(this, static_cast<unsigned>(i));
}

QStringList Query::fieldNames() const
{
    QStringList out;
    for (const OutCol &c : m_cols)
        out << c.name;
    return out;
}

QByteArray Query::readBlob(const unsigned char *quadBytes) const
{
    ISC_QUAD id;
    std::memcpy(&id, quadBytes, sizeof id);
    IAttachment *att = m_db->attachment();
    ITransaction *tra = m_tra->handle();
    return guard([&] {
        Status st;
        IBlob *blob = att->openBlob(&st, tra, &id, 0, nullptr);
        QByteArray out;
        // The blob's total length lets us read it in few calls.
        const unsigned char items[] = {isc_info_blob_total_length};
        unsigned char info[32] = {};
        blob->getInfo(&st, sizeof items, items, sizeof info, info);
        if (info[0] == isc_info_blob_total_length) {
            const short l = static_cast<short>(info[1] | (info[2] << 8));
            long total = 0;
            for (int k = 0; k < l; ++k)
                total |= static_cast<long>(info[3 + k]) << (8 * k);
            out.reserve(total);
        }
        char buf[65535];
        for (;;) {
            unsigned got = 0;
            const int r = blob->getSegment(&st, sizeof buf, buf, &got);
            if (r == IStatus::RESULT_NO_DATA)
                break;
            out.append(buf, got);
        }
        blob->close(&st);
        return out;
    });
}

// ---------------------------------------------------------------- Field

bool Field::isNull() const
{
    const auto &c = m_q->m_cols[m_i];
    if (m_q->m_eof && !m_q->m_openNoCursor)
        return true;
    short flag;
    std::memcpy(&flag, m_q->m_row.data() + c.nullOffset, sizeof flag);
    return flag != 0;
}

QString Field::name() const
{
    return m_q->m_cols[m_i].name;
}

std::string_view Field::rawText() const
{
    if (isNull())
        return {};
    const auto &c = m_q->m_cols[m_i];
    const char *data = reinterpret_cast<const char *>(m_q->m_row.data() + c.offset);
    if (c.type == SQL_TEXT)
        return {data, c.length};
    if (c.type == SQL_VARYING) {
        unsigned short len;
        std::memcpy(&len, data, sizeof len);
        return {data + sizeof len, len};
    }
    return {};
}

QByteArray Field::asBytes() const
{
    if (isNull())
        return {};
    const auto &c = m_q->m_cols[m_i];
    if (c.type == SQL_BLOB)
        return m_q->readBlob(m_q->m_row.data() + c.offset);
    if (c.type == SQL_TEXT || c.type == SQL_VARYING) {
        const auto v = rawText();
        return QByteArray(v.data(), static_cast<qsizetype>(v.size()));
    }
    return latin2::fromUnicode(asString());
}

namespace {
QString scaledToString(qint64 v, int scale)
{
    if (scale >= 0) {
        QString s = QString::number(v);
        return scale > 0 ? s + QString(scale, u'0') : s;
    }
    const bool neg = v < 0;
    QString digits = QString::number(neg ? -v : v).rightJustified(-scale + 1, u'0');
    digits.insert(digits.size() + scale, u'.');
    return neg ? u'-' + digits : digits;
}
} // namespace

QString Field::asString() const
{
    if (isNull())
        return {};
    const auto &c = m_q->m_cols[m_i];
    const unsigned char *data = m_q->m_row.data() + c.offset;
    switch (c.type) {
    case SQL_TEXT:
    case SQL_VARYING: {
        const auto v = rawText();
        return latin2::toUnicode(v.data(), static_cast<qsizetype>(v.size()));
    }
    case SQL_BLOB:
        return latin2::toUnicode(asBytes());
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return scaledToString(asInt64Raw(), c.scale);
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QString::number(asDouble());
    case SQL_BOOLEAN:
        return *data ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value().toString();
    }
}

qint64 Field::asInt64Raw() const
{
    const auto &c = m_q->m_cols[m_i];
    const unsigned char *data = m_q->m_row.data() + c.offset;
    switch (c.type) {
    case SQL_SHORT: {
        int16_t v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    case SQL_LONG: {
        int32_t v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    case SQL_INT64: {
        int64_t v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    default:
        return 0;
    }
}

qint64 Field::asInt64() const
{
    if (isNull())
        return 0;
    const auto &c = m_q->m_cols[m_i];
    switch (c.type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        qint64 v = asInt64Raw();
        for (int s = c.scale; s < 0; ++s)
            v /= 10;
        for (int s = 0; s < c.scale; ++s)
            v *= 10;
        return v;
    }
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return static_cast<qint64>(asDouble());
    default: {
        bool ok = false;
        const qint64 v = asString().trimmed().toLongLong(&ok);
        return ok ? v : 0;
    }
    }
}

double Field::asDouble() const
{
    if (isNull())
        return 0;
    const auto &c = m_q->m_cols[m_i];
    const unsigned char *data = m_q->m_row.data() + c.offset;
    switch (c.type) {
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        double v = static_cast<double>(asInt64Raw());
        for (int s = c.scale; s < 0; ++s)
            v /= 10;
        return v;
    }
    default:
        return asString().trimmed().toDouble();
    }
}

QVariant Field::value() const
{
    if (isNull())
        return {};
    const auto &c = m_q->m_cols[m_i];
    const unsigned char *data = m_q->m_row.data() + c.offset;
    switch (c.type) {
    case SQL_TEXT:
    case SQL_VARYING:
        return asString();
    case SQL_BLOB:
        return c.subType == isc_blob_text ? QVariant(asString()) : QVariant(asBytes());
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return c.scale == 0 ? QVariant(asInt64Raw()) : QVariant(asDouble());
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return asDouble();
    case SQL_BOOLEAN:
        return bool(*data);
    case SQL_TYPE_DATE: {
        ISC_DATE d;
        std::memcpy(&d, data, sizeof d);
        return fbDate(d);
    }
    case SQL_TYPE_TIME: {
        ISC_TIME t;
        std::memcpy(&t, data, sizeof t);
        return fbTime(t);
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP ts;
        std::memcpy(&ts, data, sizeof ts);
        return QDateTime(fbDate(ts.timestamp_date), fbTime(ts.timestamp_time));
    }
    default:
        return {};
    }
}

// ---------------------------------------------------------------- scripts

QStringList splitScript(const QString &script)
{
    QStringList out;
    QString term = QStringLiteral(";");
    static const QRegularExpression setTerm(QStringLiteral("^SET\\s+TERM\\s+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const qsizetype n = script.size();
    qsizetype start = 0;
    qsizetype i = 0;
    auto flush = [&](qsizetype end) {
        const QString stmt = script.mid(start, end - start).trimmed();
        if (!stmt.isEmpty()) {
            const auto m = setTerm.match(stmt);
            if (m.hasMatch())
                term = m.captured(1);
            else
                out << stmt;
        }
    };
    while (i < n) {
        const QChar c = script.at(i);
        if (c == u'\'' || c == u'"') {
            ++i;
            while (i < n && script.at(i) != c)
                ++i;
            ++i;
        } else if (c == u'-' && i + 1 < n && script.at(i + 1) == u'-') {
            while (i < n && script.at(i) != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < n && script.at(i + 1) == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (script.mid(i, term.size()) == term) {
            flush(i);
            i += term.size();
            start = i;
        } else {
            ++i;
        }
    }
    flush(n);
    return out;
}

void runScript(Transaction &tra, const QString &script)
{
    IAttachment *att = tra.database().attachment();
    for (const QString &stmt : splitScript(script)) {
        if (!tra.isActive())
            tra.start();
        const std::string sql = latin2::fromUnicode(stmt).toStdString();
        guard([&] {
            Status st;
            att->execute(&st, tra.handle(), 0, sql.c_str(), kDialect, nullptr, nullptr, nullptr, nullptr);
        });
        // Later statements (triggers, indexes) need the metadata of earlier ones committed.
        tra.commit();
    }
}

} // namespace fb
