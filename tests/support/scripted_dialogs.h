#pragma once
// A dialog service for tests: answers come from a queue, every question's text is
// recorded, and a question without a queued answer or an answer left over fails the test.

#include "dialogs.h"

#include <QStringList>

#include <deque>
#include <variant>

class ScriptedDialogs : public DialogService {
public:
    enum class Kind { Error, Information, Confirm, OpenFile, SaveFile };
    struct Asked {
        Kind kind;
        QString text; // message text, or the file question's title
    };

    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs() override; // restores the previous service; checks nothing is left over

    // Queue the answer to the next question of that kind.
    void expectError() { m_answers.push_back({Kind::Error, {}}); }
    void expectInformation() { m_answers.push_back({Kind::Information, {}}); }
    void answerYes() { m_answers.push_back({Kind::Confirm, QStringLiteral("yes")}); }
    void answerNo() { m_answers.push_back({Kind::Confirm, QStringLiteral("no")}); }
    void answerFile(const QString &path) { m_answers.push_back({Kind::OpenFile, path}); }
    void answerSaveFile(const QString &path) { m_answers.push_back({Kind::SaveFile, path}); }

    const std::vector<Asked> &asked() const { return m_asked; }
    QStringList texts() const;
    QString lastText() const { return m_asked.empty() ? QString() : m_asked.back().text; }
    int pending() const { return static_cast<int>(m_answers.size()); }
    bool failed() const { return m_failed; }

    void error(const QString &text) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    QString openFile(const FileQuestion &q) override;
    QString saveFile(const FileQuestion &q) override;

private:
    struct Answer {
        Kind kind;
        QString value;
    };
    QString take(Kind kind, const QString &text);
    std::deque<Answer> m_answers;
    std::vector<Asked> m_asked;
    DialogService *m_previous;
    bool m_failed = false;
};
