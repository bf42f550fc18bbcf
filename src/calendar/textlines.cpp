#include "textlines.h"

#include "core/clock.h"
#include "core/codec.h"
#include "core/prompt.h"

#include <QFile>

#include <algorithm>
#include <string>

namespace korvane {
namespace {

constexpr qint64 kBlockSize = 8192;
constexpr int kAttempts = 5;
constexpr int kRetryWaitMs = 500;

// Splits a stream handed over in blocks. A CR LF pair may straddle two blocks; the LF is only
// dropped when the block before really ended in CR, so an empty line that happens to start a
// block is kept.
class LineSplitter {
public:
    LineSplitter(QStringList& out, bool utf8) : out_(out), utf8_(utf8) {}

    // Returns false once SUB has ended the text.
    bool feed(std::string_view block) {
        std::size_t i = 0;
        if (afterCr_ && !block.empty() && block[0] == '\n') i = 1;
        afterCr_ = false;
        std::size_t start = i;
        for (; i < block.size(); ++i) {
            const char c = block[i];
            if (c == '\n' || c == '\r' || c == '\0') {
                push(block.substr(start, i - start));
                if (c == '\r') {
                    if (i + 1 < block.size()) {
                        if (block[i + 1] == '\n') ++i;
                    } else {
                        afterCr_ = true;
                    }
                }
                start = i + 1;
            } else if (c == '\x1a') {
                partial_.append(block.substr(start, i - start));
                return false;
            }
        }
        partial_.append(block.substr(start));
        return true;
    }

    // The last line, when the text does not end with a line end.
    void finish() {
        if (!partial_.empty()) out_.append(decode(partial_));
    }

private:
    QString decode(std::string_view bytes) const {
        return utf8_ ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                     : Cp932::decode(bytes);
    }

    void push(std::string_view tail) {
        if (partial_.empty()) {
            out_.append(decode(tail));
        } else {
            partial_.append(tail);
            out_.append(decode(partial_));
            partial_.clear();
        }
    }

    QStringList& out_;
    const bool utf8_;
    std::string partial_;
    bool afterCr_ = false;
};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool hasBom(std::string_view bytes, TextFileKind kind) {
    return kind == TextFileKind::HolidayRules && bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
}

}  // namespace

QStringList SplitTextLines(std::string_view bytes, TextFileKind kind) {
    QStringList out;
    const bool utf8 = hasBom(bytes, kind);
    if (utf8) bytes.remove_prefix(kUtf8Bom.size());
    LineSplitter splitter(out, utf8);
    splitter.feed(bytes);
    splitter.finish();
    return out;
}

QStringList SplitTextLinesInBlocks(std::string_view bytes, std::size_t blockSize,
                                   TextFileKind kind) {
    QStringList out;
    const bool utf8 = hasBom(bytes, kind);
    if (utf8) bytes.remove_prefix(kUtf8Bom.size());
    LineSplitter splitter(out, utf8);
    blockSize = std::max<std::size_t>(blockSize, 1);
    for (std::size_t at = 0; at < bytes.size(); at += blockSize)
        if (!splitter.feed(bytes.substr(at, blockSize))) break;
    splitter.finish();
    return out;
}

bool LoadTextLines(QStringList& list, const QString& fileName, TextFileKind kind) {
    list.clear();
    QFile file(fileName);
    bool opened = false;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (file.open(QIODevice::ReadOnly)) {
            opened = true;
            break;
        }
        if (attempt < kAttempts) Clock::current().sleep(kRetryWaitMs);
    }
    auto fail = [&] {
        list.clear();
        Prompt::current().message("読込エラー[" + fileName + "]", "確認 -Korvane-",
                                  Prompt::Kind::Error);
        return false;
    };
    if (!opened) return fail();

    const qint64 size = file.size();
    if (size > 0) list.reserve(qsizetype(size / 24));
    QByteArray block(kBlockSize, Qt::Uninitialized);
    qint64 n = file.read(block.data(), kBlockSize);
    std::string_view first(block.constData(), std::size_t(std::max<qint64>(n, 0)));
    const bool utf8 = hasBom(first, kind);
    if (utf8) first.remove_prefix(kUtf8Bom.size());
    LineSplitter splitter(list, utf8);
    bool more = n > 0 && splitter.feed(first);
    while (more) {
        n = file.read(block.data(), kBlockSize);
        if (n <= 0) break;
        more = splitter.feed(std::string_view(block.constData(), std::size_t(n)));
    }
    // A read error part-way is no end of file: half a list would pass for the whole.
    if (n < 0) return fail();
    splitter.finish();
    return true;
}

}  // namespace korvane
