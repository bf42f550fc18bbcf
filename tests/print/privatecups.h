#pragma once

// A CUPS scheduler of the test's own: its configuration, spool and socket in a temporary folder,
// with file: queues whose output is the PDF that was sent (through the usual PDF filter).
// The process follows it through CUPS_SERVER, so this must come before any other CUPS call.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace korvane::testing {

class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Whether the scheduler runs; why not, when it does not.
    bool ok() const { return ok_; }
    const QString& why() const { return why_; }

    // A queue printing into output; the test PPD offers A4, A3, JIS B5 and the postcard with a
    // 10 pt unprintable edge (5 pt on the postcard) and two-sided printing; a grey one is
    // black-and-white at 600 dpi, two-sided unless told otherwise, with edges of 10 (left), 40
    // (top), 30 (right) and 20 pt (bottom). Empty on success, else lpadmin's complaint.
    QString AddQueue(const QString& name, const QString& output, bool grey = false);
    // lpadmin/cupsreject-like switches; true on success.
    bool Reject(const QString& name);
    // Waits (at most ms) until no job of the queue is pending or printing; true when every job
    // it ever had completed.
    bool WaitIdle(const QString& queue, int ms = 10000);
    QString Log() const;
    // The newest job of the queue (0 when none) and one of its attributes as text, such as
    // "sides" or "print-color-mode"; empty when the scheduler does not know it.
    int LastJob(const QString& queue) const;
    QString JobAttribute(int job, const char* name) const;

private:
    QString run(const QString& tool, const QStringList& args, bool* ok = nullptr) const;

    QTemporaryDir dir_;
    QProcess cupsd_;
    QByteArray previousServer_;
    bool ok_ = false;
    QString why_;
};

}  // namespace korvane::testing
