#include "quantiser.h"

#include <algorithm>
#include <limits>

namespace korvane {
namespace {

constexpr int kOctreeColours = 236;
constexpr int kFirstFree = 10;

// The picture's distinct colours, numbered as met, with their pixel counts: open addressing on
// the 24-bit colour.
class ColourTable {
public:
    ColourTable() : keys_(1024, kEmpty), ids_(1024) {}

    // The colour's number, numbering it when new.
    std::uint32_t Add(std::uint32_t key) {
        std::size_t j = probe(key);
        if (keys_[j] == kEmpty) {
            keys_[j] = key;
            ids_[j] = std::uint32_t(Colours.size());
            Colours.push_back(0xFF000000 | key);
            Counts.push_back(0);
            if (Colours.size() * 2 > keys_.size()) {
                grow();
                j = probe(key);
            }
        }
        return ids_[j];
    }
    // The number of a colour already added.
    std::uint32_t Find(std::uint32_t key) const { return ids_[probe(key)]; }

    std::vector<QRgb> Colours;
    std::vector<std::uint64_t> Counts;

private:
    static constexpr std::uint32_t kEmpty = std::numeric_limits<std::uint32_t>::max();
    std::size_t probe(std::uint32_t key) const {
        const std::size_t mask = keys_.size() - 1;
        std::size_t j = ((key * 2654435761u) >> 8) & mask;
        while (keys_[j] != key && keys_[j] != kEmpty) j = (j + 1) & mask;
        return j;
    }
    void grow() {
        std::vector<std::uint32_t> keys(keys_.size() * 2, kEmpty), ids(keys.size());
        keys_.swap(keys);
        ids_.swap(ids);
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] != kEmpty) {
                const std::size_t j = probe(keys[i]);
                keys_[j] = keys[i];
                ids_[j] = ids[i];
            }
    }
    std::vector<std::uint32_t> keys_, ids_;
};

// Calls f(colour number, run length) for every run of one colour along a row, row by row: a
// screen picture is mostly long runs, so a colour is looked up once a run.
// With transparent, every pixel of alpha 0 has the key kClear whatever its colour.
constexpr std::uint32_t kClear = 0x1000000;
template <typename Lookup, typename F>
void eachRun(const QImage& image, bool transparent, Lookup lookup, F f) {
    const int width = image.width(), height = image.height();
    const auto keyOf = [transparent](QRgb p) {
        return transparent && qAlpha(p) == 0 ? kClear : p & 0xFFFFFF;
    };
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width;) {
            const std::uint32_t key = keyOf(row[x]);
            int end = x + 1;
            while (end < width && keyOf(row[end]) == key) ++end;
            f(lookup(key), end - x);
            x = end;
        }
    }
}

struct Node {
    std::array<std::int32_t, 8> Child;
    std::uint64_t R = 0, G = 0, B = 0, N = 0;
    bool Leaf = false;
};

class Octree {
public:
    // Every colour of the table but the one numbered skip.
    Octree(const ColourTable& h, std::size_t skip) {
        nodes_.push_back(newNode());
        for (std::size_t i = 0; i < h.Colours.size(); ++i)
            if (i != skip) add(h.Colours[i], h.Counts[i]);
    }

    // Merges the deepest level's nodes, the fewest pixels first, until few enough leaves remain.
    void Reduce(int most) {
        for (int level = 7; level >= 0 && leaves_ > most; --level) {
            std::vector<std::int32_t>& list = levels_[std::size_t(level)];
            std::stable_sort(list.begin(), list.end(), [this](std::int32_t a, std::int32_t b) {
                return nodes_[std::size_t(a)].N < nodes_[std::size_t(b)].N;
            });
            for (const std::int32_t i : list) {
                if (leaves_ <= most) break;
                Node& n = nodes_[std::size_t(i)];
                int children = 0;
                for (const std::int32_t c : n.Child) children += c >= 0;
                n.Leaf = true;
                leaves_ -= children - 1;
            }
        }
    }

    // The leaves' colours, the mean of their pixels, in a fixed order. Rounded: a truncated
    // mean darkens a large area by a level wherever a few pixels of a nearby colour join it.
    std::vector<QRgb> Colours() const {
        std::vector<QRgb> out;
        collect(0, out);
        return out;
    }

private:
    static Node newNode() {
        Node n;
        n.Child.fill(-1);
        return n;
    }
    void add(QRgb c, std::uint64_t count) {
        std::int32_t at = 0;
        for (int level = 0; level <= 8; ++level) {
            Node& n = nodes_[std::size_t(at)];
            n.R += std::uint64_t(qRed(c)) * count;
            n.G += std::uint64_t(qGreen(c)) * count;
            n.B += std::uint64_t(qBlue(c)) * count;
            n.N += count;
            if (level == 8) {
                n.Leaf = true;
                ++leaves_;
                return;
            }
            const int shift = 7 - level;
            const int index = ((qRed(c) >> shift) & 1) << 2 | ((qGreen(c) >> shift) & 1) << 1 |
                              ((qBlue(c) >> shift) & 1);
            std::int32_t next = n.Child[std::size_t(index)];
            if (next < 0) {
                next = std::int32_t(nodes_.size());
                nodes_[std::size_t(at)].Child[std::size_t(index)] = next;
                nodes_.push_back(newNode());
                if (level < 7) levels_[std::size_t(level + 1)].push_back(next);
            }
            at = next;
        }
    }
    void collect(std::int32_t at, std::vector<QRgb>& out) const {
        const Node& n = nodes_[std::size_t(at)];
        if (n.Leaf) {
            const auto mean = [&n](std::uint64_t sum) { return int((sum + n.N / 2) / n.N); };
            out.push_back(qRgb(mean(n.R), mean(n.G), mean(n.B)));
            return;
        }
        for (const std::int32_t c : n.Child)
            if (c >= 0) collect(c, out);
    }

    std::vector<Node> nodes_;
    std::array<std::vector<std::int32_t>, 8> levels_;  // the inner nodes of each level
    int leaves_ = 0;
};

int nearest(const std::vector<QRgb>& palette, QRgb c, std::size_t skip) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (i == skip) continue;
        const int dr = qRed(palette[i]) - qRed(c), dg = qGreen(palette[i]) - qGreen(c),
                  db = qBlue(palette[i]) - qBlue(c);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

QImage rgb32(const QImage& picture, bool keepAlpha) {
    if (picture.format() == QImage::Format_ARGB32) return picture;
    if (keepAlpha) return picture.convertToFormat(QImage::Format_ARGB32);
    return picture.format() == QImage::Format_RGB32 ? picture
                                                    : picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

const std::array<QRgb, 20>& FixedPaletteColours() {
    static const std::array<QRgb, 20> colours{
        0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080,
        0xFFC0C0C0, 0xFFC0DCC0, 0xFFA6CAF0, 0xFFFFFBF0, 0xFFA0A0A4, 0xFF808080, 0xFFFF0000,
        0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    return colours;
}

IndexedPicture QuantiseForGif(const QImage& picture, std::optional<QRgb> transparent) {
    const bool clear = transparent.has_value();
    const QImage image = rgb32(picture, clear);
    IndexedPicture out;
    out.Width = image.width();
    out.Height = image.height();
    ColourTable h;
    eachRun(
        image, clear, [&](std::uint32_t key) { return h.Add(key); },
        [&](std::uint32_t id, int run) { h.Counts[id] += std::uint64_t(run); });
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    const std::size_t clearId = clear ? h.Add(kClear) : kNone;  // numbered even when unused
    Octree tree(h, clearId);
    tree.Reduce(clear ? kOctreeColours - 1 : kOctreeColours);
    const std::vector<QRgb> found = tree.Colours();
    const std::array<QRgb, 20>& fixed = FixedPaletteColours();
    out.Palette.assign(256, fixed[0]);  // unused entries repeat black, which entry 0 wins
    std::copy(fixed.begin(), fixed.begin() + 10, out.Palette.begin());
    std::copy(found.begin(), found.end(), out.Palette.begin() + kFirstFree);
    std::copy(fixed.begin() + 10, fixed.end(), out.Palette.begin() + 246);
    const std::size_t clearEntry = clear ? std::size_t(kGifTransparentEntry) : kNone;
    if (clear) {
        out.Palette[clearEntry] = 0xFF000000 | *transparent;
        out.Transparent = kGifTransparentEntry;
    }
    std::vector<std::uint8_t> index(h.Colours.size());
    for (std::size_t i = 0; i < h.Colours.size(); ++i)
        index[i] = std::uint8_t(i == clearId ? clearEntry
                                             : nearest(out.Palette, h.Colours[i], clearEntry));
    out.Pixels.reserve(std::size_t(out.Width) * std::size_t(out.Height));
    eachRun(
        image, clear, [&](std::uint32_t key) { return h.Find(key); },
        [&](std::uint32_t id, int run) { out.Pixels.insert(out.Pixels.end(), run, index[id]); });
    return out;
}

IndexedPicture QuantiseToCube(const QImage& picture) {
    const QImage image = rgb32(picture, false);
    IndexedPicture out;
    out.Width = image.width();
    out.Height = image.height();
    out.Palette.assign(256, 0xFF000000);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                out.Palette[std::size_t(r * 36 + g * 6 + b)] = qRgb(r * 51, g * 51, b * 51);
    // The levels are 51 apart: each channel's nearest level is its own rounding.
    const auto level = [](int v) { return (v + 25) / 51; };
    out.Pixels.reserve(std::size_t(out.Width) * std::size_t(out.Height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.Pixels.push_back(std::uint8_t(level(qRed(row[x])) * 36 + level(qGreen(row[x])) * 6 +
                                              level(qBlue(row[x]))));
    }
    return out;
}

}  // namespace korvane
