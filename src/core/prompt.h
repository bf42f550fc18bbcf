#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace korvane {

// What the printer set-up and properties dialogs show and let the user change. The set-up
// dialog offers the printers; the properties dialog leaves printers empty (its printer is fixed).
struct PrinterChoice {
    QStringList printers;
    QString printer;
    QStringList papers;
    QString paper;
    bool landscape = false;
    QStringList sources;
    QString source;
    bool duplex = false;
    bool colour = true;
    // A print dialog also offers the pages: all of them, or from one page to another.
    bool rangeOffered = false;
    bool allPages = true;
    int minPage = 1, maxPage = 1;
    int fromPage = 1, toPage = 1;
    // Called when the user picks another printer; refills papers and sources for it.
    std::function<void(PrinterChoice&)> printerChanged;
};

// Every message box and question goes through one Prompt, so tests can script the answers and
// check the exact texts. The Qt implementation lives with the windows; without one installed,
// messages go to standard error and questions are answered "no".
class Prompt {
public:
    enum class Kind { Information, Warning, Error, Question, FileChoice, PrinterDialog };

    virtual ~Prompt() = default;
    virtual void message(const QString& text, const QString& caption, Kind kind) = 0;
    // defaultNo makes No the button that Enter presses (for destructive questions).
    virtual bool askYesNo(const QString& text, const QString& caption, bool defaultNo = false) = 0;
    // File and folder choices answer an empty string when the user cancels.
    virtual QString openFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    // confirmOverwrite false: the caller asks its own question about an existing file.
    virtual QString saveFileName(const QString& caption, const QString& path, const QString& filter,
                                 bool confirmOverwrite = true) = 0;
    virtual QString folderName(const QString& caption, const QString& folder) = 0;
    // A printer dialog; true when the user confirms, with the choice changed.
    virtual bool printerDialog(const QString& caption, PrinterChoice& choice);

    // The prompt in use; never null.
    static Prompt& current();
    // Installs p (not owned) and returns the previous one; nullptr restores the default.
    static Prompt* install(Prompt* p);
};

class ConsolePrompt : public Prompt {
public:
    void message(const QString& text, const QString& caption, Kind kind) override;
    bool askYesNo(const QString& text, const QString& caption, bool defaultNo = false) override;
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, bool = true) override {
        return {};
    }
    QString folderName(const QString&, const QString&) override { return {}; }
};

// Records what the program says and answers questions from a queue (then "no"); file and
// folder choices take the next queued name (then cancel); a save choice records the path offered.
class ScriptedPrompt : public Prompt {
public:
    struct Entry {
        QString text;
        QString caption;
        Kind kind;
        bool defaultNo = false;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    void message(const QString& text, const QString& caption, Kind kind) override;
    bool askYesNo(const QString& text, const QString& caption, bool defaultNo = false) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& path, const QString& filter,
                         bool confirmOverwrite = true) override;
    QString folderName(const QString& caption, const QString& folder) override;
    // Printer dialogs take the next queued edit (it returns whether the user confirms); with
    // none queued they are cancelled. The choice each dialog opened with is kept.
    bool printerDialog(const QString& caption, PrinterChoice& choice) override;

    void answer(bool yes) { answers_.push_back(yes); }
    void answerPrinter(std::function<bool(PrinterChoice&)> edit) {
        printerEdits_.push_back(std::move(edit));
    }
    const std::vector<PrinterChoice>& printerDialogs() const { return printerDialogs_; }
    void answerName(const QString& name) { names_.push_back(name); }
    const std::vector<Entry>& entries() const { return entries_; }
    QStringList texts() const;
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
    QString nextName(const QString& caption, const QString& offered = {});

    std::deque<bool> answers_;
    std::deque<QString> names_;
    std::deque<std::function<bool(PrinterChoice&)>> printerEdits_;
    std::vector<PrinterChoice> printerDialogs_;
    Prompt* previous_;
};

}  // namespace korvane
