#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <memory>

class QIODevice;

namespace korvane {

// Writes a file whole or not at all. The bytes go to a temporary file beside the target, which
// replaces it only when every write and the final flush succeeded (QSaveFile alone does not see a
// failed last write, so a full disk would leave an empty file). A target that exists and is not a
// regular file (a device, a FIFO) is written straight into, never replaced; "-" is standard output.
class AtomicFile {
public:
    explicit AtomicFile(QString path);
    ~AtomicFile();  // an uncommitted file is dropped; the old one stays as it was
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // permissions: for a new file that holds a secret (owner only); empty keeps the default.
    bool Open(QFileDevice::Permissions permissions = {});
    // Where streaming writers (PDF, images) write; every failed or short write is remembered.
    QIODevice& Device();
    bool Write(const QByteArray& bytes);
    // True only when every byte reached the target and, for a regular file, it replaced the old.
    bool Commit();
    QString ErrorString() const;

private:
    class Checked;
    QString path_;
    std::unique_ptr<QFileDevice> file_;
    std::unique_ptr<Checked> device_;
    QString error_;
};

// The whole of bytes into path; the reason of a failure goes to error.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         QFileDevice::Permissions permissions = {});

}  // namespace korvane
