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
    if (error != 0 && (qt.isEmpty() || qt == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(error));
    return qt;
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
        errno = 0;
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

AtomicFile::~AtomicFile() {
    device_.reset();
    if (auto* save = dynamic_cast<QSaveFile*>(file_.get()); save && save->isOpen())
        save->cancelWriting();
}

bool AtomicFile::Open(QFileDevice::Permissions permissions) {
    const QFileInfo info(path_);
    if (path_ == QLatin1String("-")) {
        auto out = std::make_unique<QFile>();
        std::fflush(stdout);
        if (!out->open(stdout, QIODevice::WriteOnly)) {
            error_ = out->errorString();
            return false;
        }
        file_ = std::move(out);
    } else if (info.exists() && !info.isFile() && !info.isDir()) {
        // A device or a FIFO: renaming over it would replace it with a plain file.
        auto out = std::make_unique<QFile>(path_);
        if (!out->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            error_ = out->errorString();
            return false;
        }
        file_ = std::move(out);
    } else {
        auto out = std::make_unique<QSaveFile>(path_);
        if (!out->open(QIODevice::WriteOnly)) {
            error_ = out->errorString();
            return false;
        }
        if (permissions && !out->setPermissions(permissions)) {
            error_ = out->errorString();
            out->cancelWriting();
            return false;
        }
        file_ = std::move(out);
    }
    device_ = std::make_unique<Checked>(*file_);
    return true;
}

QIODevice& AtomicFile::Device() { return *device_; }

bool AtomicFile::Write(const QByteArray& bytes) {
    return device_ && device_->write(bytes) == bytes.size();
}

bool AtomicFile::Commit() {
    if (!file_) return false;
    auto* save = dynamic_cast<QSaveFile*>(file_.get());
    errno = 0;
    const bool written = !device_->Failed() && file_->flush();
    if (!written) {
        error_ = device_->Failed() ? device_->errorString() : reason(*file_, errno);
        if (save)
            save->cancelWriting();  // dropped with the object; close() is not for a QSaveFile
        else
            file_->close();
        return false;
    }
    if (save) {
        if (!save->commit()) {
            error_ = save->errorString();
            return false;
        }
        return true;
    }
    file_->close();
    if (file_->error() != QFileDevice::NoError) {
        error_ = file_->errorString();
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
