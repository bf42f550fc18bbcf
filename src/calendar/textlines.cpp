#include "textlines.h"

#include "core/clock.h"
#include "core/codec.h"
#include "core/prompt.h"

#include <QFile>

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
    explicit LineSplitter(QStringList& out) : out_(out) {}

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
                ended_ = true;
                return false;
            }
        }
        partial_.append(block.substr(start));
        return true;
    }

    void finish() {
        if (!partial_.empty()) out_.append(Cp932::decode(partial_));
        partial_.clear();
    }

    bool ended() const { return ended_; }

private:
    void push(std::string_view tail) {
        if (partial_.empty()) {
            out_.append(Cp932::decode(tail));
        } else {
            partial_.append(tail);
            out_.append(Cp932::decode(partial_));
            partial_.clear();
        }
    }

    QStringList& out_;
    std::string partial_;
    bool afterCr_ = false;
    bool ended_ = false;
};

}  // namespace

QStringList SplitTextLines(std::string_view bytes) {
    QStringList out;
    LineSplitter splitter(out);
    splitter.feed(bytes);
    splitter.finish();
    return out;
}

void LoadTextLines(QStringList& list, const QString& fileName) {
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
    if (!opened) {
        Prompt::current().message("読込エラー[" + fileName + "]", "確認 -Korvane-",
                                  Prompt::Kind::Error);
        return;
    }

    const qint64 size = file.size();
    if (size > 0) list.reserve(qsizetype(size / 24));
    LineSplitter splitter(list);
    QByteArray block(kBlockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), kBlockSize);
        if (n <= 0) break;
        if (!splitter.feed(std::string_view(block.constData(), std::size_t(n)))) break;
    }
    splitter.finish();
}

}  // namespace korvane
