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

bool writeText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

QString ppd(bool grey) {
    struct Paper {
        const char *key, *name;
        int w, h;
    };
    const Paper papers[] = {{"A4", "A4", 595, 842},
                            {"A3", "A3", 842, 1191},
                            {"B5", "JIS B5", 516, 729},
                            {"Postcard", "Postcard", 284, 419}};  // as PPD files give it
    QString t = QStringLiteral(
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
        "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"KORVANE.PPD\"\n"
        "*Manufacturer: \"Korvane\"\n*Product: \"(Korvane test queue)\"\n"
        "*ModelName: \"Korvane PDF pass-through\"\n*ShortNickName: \"Korvane PDF\"\n"
        "*NickName: \"Korvane PDF pass-through\"\n*PSVersion: \"(3010.000) 0\"\n"
        "*LanguageLevel: \"3\"\n"
        "*FileSystem: False\n*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
        "*TTRasterizer: Type42\n"
        "*cupsFilter2: \"application/vnd.cups-pdf application/pdf 0 -\"\n");
    t += grey ? QStringLiteral(
                    "*ColorDevice: False\n*DefaultColorSpace: Gray\n"
                    "*OpenUI *Resolution: PickOne\n*DefaultResolution: 600dpi\n"
                    "*Resolution 600dpi/600 DPI: \"\"\n*CloseUI: *Resolution\n")
              : QStringLiteral("*ColorDevice: True\n*DefaultColorSpace: RGB\n");
    // value gets the paper's width and height in points.
    const auto block = [&](const char* keyword, auto value) {
        for (const Paper& p : papers)
            t += QStringLiteral("*%1 %2/%3: \"%4\"\n")
                     .arg(QLatin1String(keyword), QLatin1String(p.key), QLatin1String(p.name),
                          value(p.w, p.h));
    };
    const auto pageSize = [](int w, int h) {
        return QStringLiteral("<</PageSize[%1 %2]>>setpagedevice").arg(w).arg(h);
    };
    t += QStringLiteral(
        "*OpenUI *PageSize/Media Size: PickOne\n"
        "*OrderDependency: 10 AnySetup *PageSize\n*DefaultPageSize: A4\n");
    block("PageSize", pageSize);
    t += QStringLiteral(
        "*CloseUI: *PageSize\n*OpenUI *PageRegion: PickOne\n"
        "*OrderDependency: 10 AnySetup *PageRegion\n*DefaultPageRegion: A4\n");
    block("PageRegion", pageSize);
    t += QStringLiteral("*CloseUI: *PageRegion\n*DefaultImageableArea: A4\n");
    // The postcard goes nearer to the edge: 5 pt. The grey printer's edges all differ.
    block("ImageableArea", [grey](int w, int h) {
        if (grey) return QStringLiteral("10 20 %1 %2").arg(w - 30).arg(h - 40);
        const int edge = w < 300 ? 5 : 10;
        return QStringLiteral("%1 %1 %2 %3").arg(edge).arg(w - edge).arg(h - edge);
    });
    t += QStringLiteral(
        "*OpenUI *InputSlot/Media Source: PickOne\n"
        "*OrderDependency: 10 AnySetup *InputSlot\n*DefaultInputSlot: Tray1\n"
        "*InputSlot Tray1/Tray 1: \"\"\n*InputSlot Manual/Manual Feed: \"\"\n"
        "*CloseUI: *InputSlot\n");
    t += QStringLiteral(
             "*OpenUI *Duplex/2-Sided Printing: PickOne\n"
             "*OrderDependency: 10 AnySetup *Duplex\n*DefaultDuplex: %1\n"
             "*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
             "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble false>>setpagedevice\"\n"
             "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble true>>setpagedevice\"\n"
             "*CloseUI: *Duplex\n")
             .arg(grey ? "DuplexNoTumble" : "None");
    t += QStringLiteral("*DefaultPaperDimension: A4\n");
    block("PaperDimension", [](int w, int h) { return QStringLiteral("%1 %2").arg(w).arg(h); });
    return t;
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
    const QString conf = QStringLiteral(
                             "Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                             "</Policy>\n")
                             .arg(socket);
    const QString files = QStringLiteral(
                              "ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                              "StateDir %1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\n"
                              "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                              "FileDevice Yes\n")
                              .arg(root);
    if (!writeText(root + "/cupsd.conf", conf) || !writeText(root + "/cups-files.conf", files) ||
        !writeText(root + "/ppd/korvane.ppd", ppd(false)) ||
        !writeText(root + "/ppd/korvane-grey.ppd", ppd(true))) {
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
