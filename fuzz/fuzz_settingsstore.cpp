// The settings store's lists: hexadecimal stream lines and numbered string lists, read from any
// file (bounded, one reading) and written back unchanged.
#include "settings/inifile.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Streams: bytes -> lines -> the same bytes; any lines parse without harm.
    if (HexLinesToStream(StreamToHexLines(bytes)) != bytes) std::abort();
    (void)HexLinesToStream(QString::fromLatin1(bytes).split(u'\n'));

    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/korvane-fuzz-XXXXXX"));
    const QString file = dir.filePath(QStringLiteral("store.ini"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(bytes);
    f.close();

    SettingsStore store;
    store.IniFileName = file;
    store.RegItems.Add({"List", "Set", "Lines", ""});
    store.RegItems.Add({"Blob", "Set", "Blob", ""});
    store.RegItems.Add({"Font", "Set", "Font", ""});
    QStringList list;
    store.Items("List").ReadStrings(list);
    // A stored count never reads more lines than the file holds.
    if (list.size() > bytes.count('\n') + bytes.count('\r') + 1) std::abort();
    QByteArray blob;
    store.Items("Blob").ReadStream(blob);
    FontSetting font;
    store.Items("Font").ReadFont(font);

    // What was read is written and reads back the same (when the code page can hold it).
    try {
        store.Items("List").WriteStrings(list);
        store.Items("Blob").WriteStream(blob);
    } catch (const EIniError&) {
        return 0;
    }
    QStringList again;
    store.Items("List").ReadStrings(again);
    QByteArray blobAgain;
    store.Items("Blob").ReadStream(blobAgain);
    if (blobAgain != blob) std::abort();
    // Values are stored trimmed and on one line, as the INI rules keep them.
    if (again.size() != list.size()) std::abort();
    return 0;
}
