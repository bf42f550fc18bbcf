#include "printsystem.h"

#include <QDataStream>
#include <QIODevice>
#include <QSizeF>

namespace korvane {
namespace {

// "KVPR": a record Korvane wrote; the version grows when fields are added.
constexpr quint32 kMagic = 0x4B565052;
constexpr quint8 kVersion = 1;

}  // namespace

QByteArray PrinterSettings::Serialise() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    const QSizeF mm = PageSize.size(QPageSize::Millimeter);
    out << kMagic << kVersion << Printer << qint32(PageSize.id()) << mm.width() << mm.height()
        << PageSize.name() << qint8(Orientation) << Duplex << Colour << Source
        << qint32(Resolution);
    return bytes;
}

std::optional<PrinterSettings> PrinterSettings::Parse(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    // Left as read: a short stream fails the status check before any value is used.
    quint32 magic{};
    quint8 version{};
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion) return {};
    PrinterSettings s;
    qint32 id{}, resolution{};
    double width{}, height{};
    QString name;
    qint8 orientation{};
    in >> s.Printer >> id >> width >> height >> name >> orientation >> s.Duplex >> s.Colour >>
        s.Source >> resolution;
    if (in.status() != QDataStream::Ok || !in.atEnd()) return {};
    if (id < 0 || id > QPageSize::LastPageSize || orientation < 0 || orientation > 1 ||
        resolution < 0 || resolution > 9600)
        return {};
    if (id != QPageSize::Custom) {
        s.PageSize = QPageSize(QPageSize::PageSizeId(id));
    } else {
        if (!(width > 0 && width < 10000 && height > 0 && height < 10000)) return {};
        s.PageSize = QPageSize(QSizeF(width, height), QPageSize::Millimeter, name);
    }
    s.Orientation = QPageLayout::Orientation(orientation);
    s.Resolution = resolution;
    return s;
}

SubmitResult NoPrinterSystem::Submit(const PrintJob&) {
    return {false, QStringLiteral("プリンタがインストールされていません"), 0};
}

bool OffersPaper(const PrintSystem& system, const QString& printer, const QPageSize& paper) {
    if (system.CustomSizes(printer)) return true;
    for (const QPageSize& offered : system.PageSizes(printer))
        if (offered.isEquivalentTo(paper)) return true;
    return false;
}

}  // namespace korvane
