#include "commatext.h"

namespace korvane {
namespace {

bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= ' '; }

}  // namespace

QStringList SplitCommaText(QStringView text) {
    QStringList out;
    qsizetype p = 0;
    const qsizetype n = text.size();
    auto at = [&](qsizetype i) { return i < n ? text[i] : QChar(u'\0'); };

    while (p < n && isBlank(text[p])) ++p;
    while (p < n && text[p] != u'\0') {
        QString field;
        if (text[p] == u'"') {
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (at(p + 1) == u'"') {
                        field += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (p < n && text[p] > u' ' && text[p] != u',') ++p;
            field = text.mid(start, p - start).toString();
        }
        out.append(field);
        while (p < n && isBlank(text[p])) ++p;
        if (p < n && text[p] == u',') {
            do {
                ++p;
            } while (p < n && isBlank(text[p]));
        }
    }
    return out;
}

QString JoinCommaText(const QStringList& items) {
    if (items.size() == 1 && items.front().isEmpty()) return QStringLiteral("\"\"");
    QString out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString& s = items[i];
        // A last empty item unquoted would be a trailing comma, which reads as nothing.
        bool quote = s.isEmpty() && i == items.size() - 1;
        for (QChar c : s) {
            if (c <= u' ' || c == u'"' || c == u',') {
                quote = true;
                break;
            }
        }
        if (i) out += u',';
        if (quote) {
            out += u'"';
            out += QString(s).replace(u'"', QStringLiteral("\"\""));
            out += u'"';
        } else {
            out += s;
        }
    }
    return out;
}

}  // namespace korvane
