// The scrambled INI: scrambling twice gives the text back, and any INI text saved scrambled
// loads back byte for byte (line ends as CR LF).
#include "app/utility.h"
#include "settings/inifile.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const qsizetype keyLength = data[0] % 8;
    if (size < std::size_t(1 + keyLength)) return 0;
    const QByteArray key(reinterpret_cast<const char*>(data + 1), keyLength);
    const QByteArray text(reinterpret_cast<const char*>(data + 1 + keyLength),
                          qsizetype(size - 1 - std::size_t(keyLength)));
    if (ScrambleText(ScrambleText(text, key), key) != text) std::abort();

    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/korvane-fuzz-XXXXXX"));
    const QString folder = dir.path() + u'/';
    // The INI object's lines: split at LF, a CR before it dropped, CR LF after each.
    QByteArray lines = text;
    if (lines.endsWith('\n')) lines.chop(1);
    if (lines.endsWith('\r')) lines.chop(1);
    QByteArray expected;
    for (QByteArray line : lines.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        expected += line + "\r\n";
    }
    if (expected == "\r\n") expected.clear();  // a text of one empty line is stored as none
    IniFile ini = IniFile::InMemory(expected);
    if (!ScrambledIniFile(QStringLiteral("Save"), ini, QString(), key, QStringLiteral("f.bini"),
                          folder))
        std::abort();
    IniFile back = IniFile::InMemory();
    if (!ScrambledIniFile(QStringLiteral("Load"), back, QString(), key, QStringLiteral("f.bini"),
                          folder))
        std::abort();
    if (back.Bytes() != expected) std::abort();
    return 0;
}
