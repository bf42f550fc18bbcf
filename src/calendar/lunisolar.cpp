#include "lunisolar.h"

#include "calendar/textlines.h"
#include "core/convert.h"

#include <QtGlobal>

#include <algorithm>

// Resource initialisers live in the global namespace.
static void initLunisolarResource() { Q_INIT_RESOURCE(lunisolar_months); }

namespace korvane {

const std::array<QString, 7> RokuyoNames = {
    QStringLiteral("不明"), QStringLiteral("先勝"), QStringLiteral("友引"), QStringLiteral("先負"),
    QStringLiteral("仏滅"), QStringLiteral("大安"), QStringLiteral("赤口"),
};

namespace {

// The table is built into the program as a resource (data/lunisolar-months.txt).
std::vector<LunisolarMonth> loadTable() {
    initLunisolarResource();
    std::vector<LunisolarMonth> rows;
    QStringList lines;
    LoadTextLines(lines, QStringLiteral(":/korvane/lunisolar-months.txt"));
    rows.reserve(std::size_t(lines.size()));
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;  // a closing blank line is no row
        const qsizetype comma = line.indexOf(u',');
        const QStringView view(line);
        if (comma < 0)
            throw EConvertError("'" + line.toStdString() + "' は有効な整数ではありません。");
        rows.push_back({StrToInt(view.left(comma)), StrToInt(view.mid(comma + 1))});
    }
    return rows;
}

}  // namespace

const std::vector<LunisolarMonth>& LunisolarTable() {
    static const std::vector<LunisolarMonth> table = loadTable();  // thread-safe once
    return table;
}

void LunisolarDateOf(std::int32_t jd, std::uint8_t& code, std::uint8_t& day) {
    code = 0;
    day = 0;
    const std::vector<LunisolarMonth>& t = LunisolarTable();
    // The last row only closes the table: its own start day is already outside.
    if (t.size() < 2 || jd < t.front().start || jd >= t.back().start) return;
    const auto next =
        std::upper_bound(t.begin() + 1, t.end(), jd,
                         [](std::int32_t v, const LunisolarMonth& r) { return v < r.start; });
    const LunisolarMonth& month = *(next - 1);
    code = std::uint8_t(month.code & 0xFF);
    day = std::uint8_t(jd - month.start + 1);
}

std::uint8_t RokuyoOf(std::int32_t jd) {
    std::uint8_t code, day;
    LunisolarDateOf(jd, code, day);
    if (code == 0) return 0;
    const int month = code > 100 ? code - 100 : code;
    return std::uint8_t(((month - 1) + (day - 1)) % 6 + 1);
}

}  // namespace korvane
