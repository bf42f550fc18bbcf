#include "componentsnapshot.h"

#include "core/codec.h"

namespace korvane {
namespace {

enum : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 6,
    vaLString = 12,
    vaUTF8String = 20,
};

void putLE(QByteArray& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

// Names and short texts: one length byte, then the characters.
void putShort(QByteArray& out, const QString& text) {
    QByteArray b = Cp932::encode(text).value_or(text.toLatin1()).left(255);
    out.append(char(b.size()));
    out += b;
}

void putValue(QByteArray& out, const StreamValue& v) {
    switch (v.kind) {
        case StreamValue::Integer:
            if (v.integer >= -128 && v.integer <= 127) {
                out.append(char(vaInt8));
                putLE(out, std::uint32_t(v.integer), 1);
            } else if (v.integer >= -32768 && v.integer <= 32767) {
                out.append(char(vaInt16));
                putLE(out, std::uint32_t(v.integer), 2);
            } else {
                out.append(char(vaInt32));
                putLE(out, std::uint32_t(v.integer), 4);
            }
            break;
        case StreamValue::Text: {
            // Text the Windows code page cannot hold goes as UTF-8 rather than as "?".
            const std::optional<QByteArray> ansi = Cp932::encode(v.text);
            const QByteArray b = ansi ? *ansi : v.text.toUtf8();
            if (ansi && b.size() <= 255) {
                out.append(char(vaString));
                out.append(char(b.size()));
            } else {
                out.append(char(ansi ? vaLString : vaUTF8String));
                putLE(out, std::uint32_t(b.size()), 4);
            }
            out += b;
            break;
        }
        case StreamValue::List:
            out.append(char(vaList));
            for (const StreamValue& item : v.list) putValue(out, item);
            out.append(char(vaNull));
            break;
    }
}

class Reader {
public:
    explicit Reader(const QByteArray& b) : b_(b) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= b_.size(); }

    std::uint8_t byte() {
        if (pos_ >= b_.size()) {
            ok_ = false;
            return 0;
        }
        return std::uint8_t(b_[pos_++]);
    }
    std::uint32_t le(int bytes) {
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= std::uint32_t(byte()) << (8 * i);
        return v;
    }
    QByteArray take(qsizetype n) {
        if (n < 0 || n > b_.size() - pos_) {
            ok_ = false;
            return {};
        }
        const QByteArray out = b_.mid(pos_, n);
        pos_ += n;
        return out;
    }
    QString shortText() { return Cp932::decode(take(byte())); }

    bool value(StreamValue& v, int depth = 0) {
        const std::uint8_t type = byte();
        switch (type) {
            case vaInt8:
                v = StreamValue::ofInteger(std::int8_t(byte()));
                break;
            case vaInt16:
                v = StreamValue::ofInteger(std::int16_t(le(2)));
                break;
            case vaInt32:
                v = StreamValue::ofInteger(std::int32_t(le(4)));
                break;
            case vaString:
                v = StreamValue::ofText(shortText());
                break;
            case vaLString:
                v = StreamValue::ofText(Cp932::decode(take(qsizetype(le(4)))));
                break;
            case vaUTF8String:
                v = StreamValue::ofText(QString::fromUtf8(take(qsizetype(le(4)))));
                break;
            case vaList: {
                if (depth > 16) return ok_ = false;
                v = StreamValue{StreamValue::List, 0, {}, {}};
                while (ok_ && !atEnd() && std::uint8_t(b_[pos_]) != vaNull) {
                    StreamValue item;
                    if (!value(item, depth + 1)) return false;
                    v.list.push_back(std::move(item));
                }
                byte();  // the list's end
                break;
            }
            default:
                ok_ = false;
        }
        return ok_;
    }

private:
    const QByteArray& b_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

}  // namespace

QByteArray WriteComponentStream(const ComponentSnapshot& component) {
    QByteArray out("TPF0");
    putShort(out, component.ClassName());
    putShort(out, component.ComponentName());
    for (const StreamProperty& p : component.StoredProperties()) {
        putShort(out, p.name);
        putValue(out, p.value);
    }
    out.append(char(vaNull));  // end of properties
    out.append(char(vaNull));  // end of the (empty) list of children
    return out;
}

bool ParseComponentStream(const QByteArray& bytes, QString& className, QString& componentName,
                          std::vector<StreamProperty>& properties) {
    if (!bytes.startsWith("TPF0")) return false;
    Reader r(bytes);
    r.take(4);
    QString cls = r.shortText();
    QString name = r.shortText();
    std::vector<StreamProperty> props;
    for (;;) {
        const std::uint8_t length = r.byte();
        if (!r.ok()) return false;
        if (length == 0) break;
        StreamProperty p;
        p.name = Cp932::decode(r.take(length));
        if (!r.value(p.value)) return false;
        props.push_back(std::move(p));
    }
    if (r.byte() != vaNull || !r.ok()) return false;
    className = std::move(cls);
    componentName = std::move(name);
    properties = std::move(props);
    return true;
}

bool ReadComponentStream(const QByteArray& bytes, ComponentSnapshot& component) {
    QString cls, name;
    std::vector<StreamProperty> props;
    if (!ParseComponentStream(bytes, cls, name, props)) return false;
    for (const StreamProperty& p : props) component.SetStoredProperty(p);
    return true;
}

}  // namespace korvane
