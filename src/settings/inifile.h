#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace korvane {

// Raised when an INI file cannot be written; the message names the file.
class EIniError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An INI file with the Windows profile semantics the settings files were made with: sections and
// keys without regard to letter case, values trimmed of blanks and tabs (and unquoted) on reading
// and at most 2047 characters long, the reader supplying the default, CP932 text and CR LF lines.
// Outside a Hold, every operation reads the file afresh and every write reaches the disk before it
// returns (atomically); lines that are not touched keep their bytes exactly. A value is written on
// one line (line breaks become spaces); a key that is there keeps its spelling. A file that starts
// with the UTF-8 byte-order mark is read as UTF-8 and written back as CP932 (as UTF-8 when it holds
// text CP932 cannot). A file that exists but cannot be read is never written over.
class IniFile {
public:
    static constexpr int kMaxValueLength = 2047;

    explicit IniFile(QString fileName) : fileName_(std::move(fileName)) {}
    // An INI text held in memory (CP932 bytes, CR LF lines) instead of a file.
    static IniFile InMemory(QByteArray bytes = {});
    const QString& FileName() const { return fileName_; }
    bool IsInMemory() const { return inMemory_; }
    QByteArray Bytes() const { return memory_; }
    void SetBytes(QByteArray bytes) { memory_ = std::move(bytes); }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // A value that is not a whole number reads as the default ("$" introduces hexadecimal).
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Any non-zero integer is true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    bool SectionExists(const QString& section) const;
    // False when the file exists but cannot be read (it then reads as empty and is never written).
    bool Readable() const;
    bool ValueExists(const QString& section, const QString& key) const;
    // The key names of a section, in file order.
    QStringList ReadSection(const QString& section) const;
    // Every key of a section with its value as ReadString gives it (the first of keys that stand
    // twice), from one reading of the file; names are lower-cased.
    QHash<QString, QString> ReadSectionValues(const QString& section) const;

    // Writes throw EIniError when the file cannot be written or the text cannot be held in CP932.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

    // While it lives, every IniFile of that name reads the file once and keeps its changes in
    // memory; Commit() (or the end of the outermost hold) writes them in one go. Nested holds
    // of one file share it.
    class Hold {
    public:
        explicit Hold(QString fileName);
        // A file in memory needs no hold: nothing happens.
        explicit Hold(const IniFile& file) : Hold(file.inMemory_ ? QString() : file.fileName_) {}
        ~Hold();  // writes what Commit() has not; a failure then goes unheard
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        // Throws EIniError when the file cannot be written; the outermost hold alone writes.
        void Commit();

    private:
        QString fileName_;
    };

    // One line of the file as read (public for the table of held files).
    struct Line {
        QByteArray raw;
        enum Kind { Other, Section, Key } kind = Other;
        QString name;   // section or key name, trimmed
        QString value;  // for keys: the raw value text, trimmed
    };

private:
    // A file that exists but cannot be read reads as empty (readable false); writes refuse it.
    std::vector<Line> load() const;
    // keepUtf8: the file is UTF-8 and holds text CP932 cannot: it is written back as UTF-8.
    std::vector<Line> load(bool& readable, bool* keepUtf8 = nullptr) const;
    std::vector<Line> loadForWriting() const;
    void save(const std::vector<Line>& lines);
    // The held lines of the file, or null; forWriting: throws when the file could not be read.
    // The table of held files is shared state, so a const reader may hand out its lines.
    std::vector<Line>* held(bool forWriting) const;
    [[noreturn]] void refuseUnreadable() const;
    // The lines to read or change: the held ones, or scratch loaded from the file.
    const std::vector<Line>& view(std::vector<Line>& scratch) const;
    std::vector<Line>& edit(std::vector<Line>& scratch);
    // Writes changed lines, or marks the held ones changed.
    void store(const std::vector<Line>& lines);
    static Line parse(const QByteArray& raw);
    static Line parse(const QByteArray& raw, const QString& decoded);
    // Index range [begin, end) of the section's body, or begin = -1 when absent.
    static void findSection(const std::vector<Line>& lines, const QString& section,
                            qsizetype& header, qsizetype& end);
    QByteArray encodeOrThrow(const QString& text) const;

    QString fileName_;
    bool inMemory_ = false;
    mutable bool utf8File_ = false;  // of the write in progress
    QByteArray memory_;
};

}  // namespace korvane
