#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace korvane {

namespace {

// Qt's text for a failed write, or the system's where Qt has none ("Unknown error").
QString reason(const QFileDevice& file, int error) {
    const QString qt = file.errorString();
    return qt.isEmpty() || qt == QLatin1String("Unknown error")
               ? QString::fromLocal8Bit(std::strerror(error))
               : qt;
}

}  // namespace

// Passes writes on to the file and remembers the first that did not go through whole.
class AtomicFile::Checked : public QIODevice {
    Q_OBJECT
public:
    explicit Checked(QFileDevice& file) : file_(file) { open(QIODevice::WriteOnly); }
    bool Failed() const { return failed_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failed_) return -1;
        if (file_.write(data, size) != size) {
            failed_ = true;
            setErrorString(reason(file_, errno));
            return -1;
        }
        return size;
    }

private:
    QFileDevice& file_;
    bool failed_ = false;
};

AtomicFile::AtomicFile(QString path) : path_(std::move(path)) {}

// QSaveFile drops what was not committed.
AtomicFile::~AtomicFile() = default;

bool AtomicFile::Open(QFileDevice::Permissions permissions) {
    const QFileInfo info(path_);
    std::unique_ptr<QFileDevice> out;
    bool opened = false;
    if (path_ == QLatin1String("-")) {
        auto file = std::make_unique<QFile>();  // writes through stdout's own buffer, in order
        opened = file->open(stdout, QIODevice::WriteOnly);
        out = std::move(file);
    } else if (info.exists() && !info.isFile() && !info.isDir()) {
        // A device or a FIFO: renaming over it would replace it with a plain file.
        auto file = std::make_unique<QFile>(path_);
        opened = file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        out = std::move(file);
    } else {
        auto file = std::make_unique<QSaveFile>(path_);
        opened =
            file->open(QIODevice::WriteOnly) && (!permissions || file->setPermissions(permissions));
        out = std::move(file);
    }
    if (!opened) {
        error_ = out->errorString();
        return false;  // a QSaveFile drops its temporary file with itself
    }
    file_ = std::move(out);
    device_ = std::make_unique<Checked>(*file_);
    return true;
}

QIODevice& AtomicFile::Device() { return *device_; }

bool AtomicFile::Write(const QByteArray& bytes) {
    return device_ && device_->write(bytes) == bytes.size();
}

bool AtomicFile::Commit() {
    if (!file_) return false;
    const bool written = !device_->Failed() && file_->flush();
    if (!written) error_ = device_->Failed() ? device_->errorString() : reason(*file_, errno);
    auto* save = dynamic_cast<QSaveFile*>(file_.get());
    if (!save) return written;   // a device or standard output: written into, nothing to replace
    if (!written) return false;  // the QSaveFile drops its temporary file with itself
    if (!save->commit()) {
        error_ = save->errorString();
        return false;
    }
    return true;
}

QString AtomicFile::ErrorString() const { return error_; }

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error,
                         QFileDevice::Permissions permissions) {
    AtomicFile file(path);
    // A failed write is remembered; Commit() reports it and drops the file.
    const bool ok = file.Open(permissions) && (file.Write(bytes), file.Commit());
    if (!ok && error) *error = file.ErrorString();
    return ok;
}

}  // namespace korvane

#include "atomicfile.moc"
