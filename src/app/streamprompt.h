#pragma once

#include "core/prompt.h"

#include <QString>

#include <cstdio>
#include <stdexcept>

namespace korvane {

// Writes a text to a stream as UTF-8.
void WriteText(std::FILE* f, const QString& s);

// For the command line: what would be a message box goes to standard error, one line each, and
// a question is answered "no".
class ErrorStreamPrompt : public Prompt {
public:
    explicit ErrorStreamPrompt(std::FILE* err) : err_(err) {}
    void message(const QString& text, const QString& caption, Kind kind) override;
    bool askYesNo(const QString& text, const QString& caption, bool defaultNo) override;
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, bool = true) override {
        return {};
    }
    QString folderName(const QString&, const QString&) override { return {}; }

    // Tabs and line breaks become blanks.
    static QString OneLine(QString text);

protected:
    std::FILE* err_;
};

// A question no one is there to answer.
class QuestionAsked : public std::runtime_error {
public:
    explicit QuestionAsked(const QString& text)
        : std::runtime_error(text.toStdString()), Text(text) {}
    QString Text;
};

// The same, but a question or a dialog ends the command: it throws QuestionAsked.
class NoAnswerPrompt : public ErrorStreamPrompt {
public:
    using ErrorStreamPrompt::ErrorStreamPrompt;
    bool askYesNo(const QString& text, const QString& caption, bool defaultNo) override;
    bool printerDialog(const QString& caption, PrinterChoice& choice) override;
};

// Installs a prompt for as long as it lives.
class PromptScope {
public:
    explicit PromptScope(Prompt* p) : previous_(Prompt::install(p)) {}
    ~PromptScope() { Prompt::install(previous_); }
    PromptScope(const PromptScope&) = delete;
    PromptScope& operator=(const PromptScope&) = delete;

private:
    Prompt* previous_;
};

}  // namespace korvane
