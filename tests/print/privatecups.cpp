#include "privatecups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <sys/prctl.h>
#include <algorithm>
#include <csignal>

namespace korvane::testing {
namespace {

QString findTool(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    return path;
}

// The scheduler's files from tests/print/cups, with their folder put in.
bool copyConfig(const QString& name, const QString& root) {
    QFile in(QStringLiteral(KORVANE_CUPS_CONFIG_DIR "/") + name);
    QFile out(root + u'/' + name);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    const QByteArray text = in.readAll().replace("@ROOT@", QFile::encodeName(root));
    return out.write(text) == text.size();
}

}  // namespace

PrivateCups::PrivateCups() {
    previousServer_ = qgetenv("CUPS_SERVER");
    const QString cupsd = findTool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty() || findTool(QStringLiteral("lpadmin")).isEmpty()) {
        why_ = QStringLiteral("cupsd or lpadmin not installed (packages cups, cups-client)");
        return;
    }
    if (!dir_.isValid()) {
        why_ = QStringLiteral("no temporary folder");
        return;
    }
    const QString root = dir_.path();
    for (const char* sub : {"run", "spool", "cache", "state", "tmp", "log", "ppd", "out"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    const QString socket = root + QStringLiteral("/run/cups.sock");
    for (const char* name :
         {"cupsd.conf", "cups-files.conf", "ppd/korvane.ppd", "ppd/korvane-grey.ppd"})
        if (!copyConfig(QString::fromLatin1(name), root)) {
            why_ = QStringLiteral("cannot write the scheduler's configuration");
            return;
        }
    qputenv("CUPS_SERVER", socket.toUtf8());
    cupsSetServer(socket.toUtf8().constData());
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    // A test that dies must not leave its scheduler behind.
    cupsd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root + "/cupsd.conf",
                         QStringLiteral("-s"), root + "/cups-files.conf"});
    if (!cupsd_.waitForStarted(5000)) {
        why_ = QStringLiteral("cupsd does not start: ") + cupsd_.errorString();
        return;
    }
    // lpstat -r exits 0 even when the scheduler is down; its words tell.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains("is running")) {
            ok_ = true;
            return;
        }
        if (cupsd_.state() != QProcess::Running) break;
        QThread::msleep(50);
    }
    why_ = QStringLiteral("cupsd did not come up: ") + QString::fromUtf8(cupsd_.readAll()) + Log();
}

PrivateCups::~PrivateCups() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(2000);
        }
    }
    if (previousServer_.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", previousServer_);
    cupsSetServer(nullptr);
}

QString PrivateCups::run(const QString& tool, const QStringList& args, bool* ok) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(findTool(tool), args);
    const bool done = p.waitForFinished(10000);
    if (!done) p.kill();
    if (ok) *ok = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromUtf8(p.readAll());
}

QString PrivateCups::AddQueue(const QString& name, const QString& output, bool grey) {
    bool ok = false;
    const QString said =
        run(QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
             QStringLiteral("file://") + output, QStringLiteral("-P"),
             dir_.path() + (grey ? "/ppd/korvane-grey.ppd" : "/ppd/korvane.ppd")},
            &ok);
    return ok ? QString() : QStringLiteral("lpadmin failed: ") + said;
}

bool PrivateCups::Reject(const QString& name) {
    bool ok = false;
    run(QStringLiteral("cupsreject"), {name}, &ok);
    return ok;
}

int PrivateCups::LastJob(const QString& queue) const {
    cups_job_t* jobs = nullptr;
    const int n =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int last = 0;
    for (int i = 0; i < n; ++i) last = std::max(last, jobs[i].id);
    cupsFreeJobs(n, jobs);
    return last;
}

QString PrivateCups::JobAttribute(int job, const char* name) const {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QStringLiteral("ipp://localhost/jobs/%1").arg(job).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 name);
    QString value;
    if (ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/")) {
        if (ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO)) {
            char text[256];
            ippAttributeString(a, text, sizeof text);
            value = QString::fromUtf8(text);
        }
        ippDelete(response);
    }
    return value;
}

bool PrivateCups::WaitIdle(const QString& queue, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0,
                                   CUPS_WHICHJOBS_ALL);
        bool busy = false, failed = false;
        for (int i = 0; i < n; ++i) {
            busy = busy || jobs[i].state < IPP_JSTATE_CANCELED;
            failed = failed || (jobs[i].state >= IPP_JSTATE_CANCELED &&
                                jobs[i].state != IPP_JSTATE_COMPLETED);
        }
        cupsFreeJobs(n, jobs);
        if (!busy) return !failed;
        QThread::msleep(50);
    }
    return false;
}

QString PrivateCups::Log() const {
    QFile f(dir_.path() + "/log/error_log");
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace korvane::testing

// libcups keeps strings of the printer's PPD cache that it never frees (the two-sided
// options); not ours to mend.
extern "C" const char* __lsan_default_suppressions() { return "leak:_ppdCacheCreateWithPPD\n"; }
