#include "prompt.h"

#include <atomic>
#include <cstdio>

namespace korvane {
namespace {

ConsolePrompt consolePrompt;
std::atomic<Prompt*> installed{nullptr};

}  // namespace

Prompt& Prompt::current() {
    Prompt* p = installed.load();
    return p ? *p : consolePrompt;
}

Prompt* Prompt::install(Prompt* p) { return installed.exchange(p); }

bool Prompt::printerDialog(const QString& caption, PrinterChoice&) {
    message(QStringLiteral("プリンタの設定画面を開けません．"), caption, Kind::Warning);
    return false;
}

void ConsolePrompt::message(const QString& text, const QString& caption, Kind) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
}

bool ConsolePrompt::askYesNo(const QString& text, const QString& caption, bool) {
    message(text, caption, Kind::Question);
    return false;
}

ScriptedPrompt::ScriptedPrompt() : previous_(Prompt::install(this)) {}

ScriptedPrompt::~ScriptedPrompt() { Prompt::install(previous_); }

void ScriptedPrompt::message(const QString& text, const QString& caption, Kind kind) {
    entries_.push_back({text, caption, kind});
}

bool ScriptedPrompt::askYesNo(const QString& text, const QString& caption, bool defaultNo) {
    entries_.push_back({text, caption, Kind::Question, defaultNo});
    if (answers_.empty()) return false;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

QString ScriptedPrompt::nextName(const QString& caption, const QString& offered) {
    entries_.push_back({offered, caption, Kind::FileChoice});
    if (names_.empty()) return {};
    QString name = names_.front();
    names_.pop_front();
    return name;
}

QString ScriptedPrompt::openFileName(const QString& caption, const QString&, const QString&) {
    return nextName(caption);
}

QString ScriptedPrompt::saveFileName(const QString& caption, const QString& path, const QString&,
                                     bool) {
    return nextName(caption, path);
}

QString ScriptedPrompt::folderName(const QString& caption, const QString&) {
    return nextName(caption);
}

bool ScriptedPrompt::printerDialog(const QString& caption, PrinterChoice& choice) {
    entries_.push_back({QString(), caption, Kind::PrinterDialog});
    printerDialogs_.push_back(choice);
    if (printerEdits_.empty()) return false;
    auto edit = std::move(printerEdits_.front());
    printerEdits_.pop_front();
    return edit(choice);
}

QStringList ScriptedPrompt::texts() const {
    QStringList out;
    for (const Entry& e : entries_) out << e.text;
    return out;
}

}  // namespace korvane
