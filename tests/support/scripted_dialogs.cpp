#include "scripted_dialogs.h"

#include <QTest>

namespace {
const char *kindName(ScriptedDialogs::Kind k)
{
    switch (k) {
    case ScriptedDialogs::Kind::Error: return "error";
    case ScriptedDialogs::Kind::Information: return "information";
    case ScriptedDialogs::Kind::Confirm: return "confirmation";
    case ScriptedDialogs::Kind::OpenFile: return "open-file question";
    case ScriptedDialogs::Kind::SaveFile: return "save-file question";
    }
    return "?";
}
} // namespace

ScriptedDialogs::ScriptedDialogs() : m_previous(setDialogService(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogService(m_previous);
    if (!m_answers.empty()) {
        QString left;
        for (const auto &a : m_answers)
            left += QString::fromLatin1(kindName(a.kind)) + u' ';
        QTest::qFail(qPrintable(QStringLiteral("unused dialog answers: ") + left), __FILE__, __LINE__);
    }
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const auto &a : m_asked)
        out << a.text;
    return out;
}

QString ScriptedDialogs::take(Kind kind, const QString &text)
{
    m_asked.push_back({kind, text});
    if (m_answers.empty() || m_answers.front().kind != kind) {
        m_failed = true;
        QTest::qFail(qPrintable(QStringLiteral("unexpected %1: %2").arg(QString::fromLatin1(kindName(kind)), text)),
                     __FILE__, __LINE__);
        return {};
    }
    const QString v = m_answers.front().value;
    m_answers.pop_front();
    return v;
}

void ScriptedDialogs::error(const QString &text) { take(Kind::Error, text); }
void ScriptedDialogs::information(const QString &text) { take(Kind::Information, text); }
bool ScriptedDialogs::confirm(const QString &text) { return take(Kind::Confirm, text) != u"no"; }
QString ScriptedDialogs::openFile(const FileQuestion &q) { return take(Kind::OpenFile, q.title); }
QString ScriptedDialogs::saveFile(const FileQuestion &q) { return take(Kind::SaveFile, q.title); }
