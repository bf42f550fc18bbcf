#include "printersetup.h"

#include "core/atomicfile.h"
#include "core/prompt.h"

#include <QFile>

#include <algorithm>
#include <cmath>

namespace korvane {
namespace {

constexpr int kVirtualDpi = 300;

QList<QPageSize> virtualPapers() {
    return {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3), QPageSize(QPageSize::JisB5),
            QPageSize(QPageSize::Postcard)};
}

// Korvane's layouts ask for paper by its Windows number; Qt knows them all (Ｂ５ is JIS's).
QPageSize paperOfNumber(int number) { return QPageSize(QPageSize::id(number)); }

int numberOfPaper(const QPageSize& paper) {
    for (int n : {9, 13, 8, 43})
        if (paperOfNumber(n).isEquivalentTo(paper)) return n;
    return paper.windowsId();  // 256 (a user size) for one Windows has no number for
}

// A printer's own paper as the standard size it stands for, so that its millimetres are exact
// (a PPD gives the postcard as 283 x 420 pt, which is 99.8 x 148.2 mm).
QPageSize standard(const QPageSize& paper) {
    return paper.id() != QPageSize::Custom ? QPageSize(paper.id()) : paper;
}

QString hexOf(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex().toUpper()); }

// Two digits a byte; an odd last digit makes a byte of its own.
QByteArray bytesOfHex(const QString& text) {
    QByteArray out;
    out.reserve((text.size() + 1) / 2);
    const auto digit = [](QChar c) {
        const int v = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        return v < 0 ? 0 : v;
    };
    for (qsizetype i = 0; i < text.size(); i += 2) {
        int v = digit(text[i]);
        if (i + 1 < text.size()) v = v * 16 + digit(text[i + 1]);
        out.append(char(v));
    }
    return out;
}

StreamValue defaultDesignValue() {
    StreamValue v;
    v.kind = StreamValue::List;
    v.list = {StreamValue::ofText({}),   StreamValue::ofInteger(0), StreamValue::ofText({}),
              StreamValue::ofInteger(9), StreamValue::ofInteger(0), StreamValue::ofInteger(0)};
    return v;
}

}  // namespace

PrinterSetup::PrinterSetup(PrintSystem& system, QString componentName)
    : system_(&system),
      componentName_(std::move(componentName)),
      printers_(system.Printers()),
      designValue_(defaultDesignValue()) {
    Select();
}

void PrinterSetup::RefreshPrinters() { printers_ = system_->Printers(); }

int PrinterSetup::find(const QString& name) const {
    // An empty name matches nothing: no installed printer has one.
    for (int i = 0; i < printers_.size(); ++i)
        if (printers_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    int best = -1;
    for (int i = 0; i < printers_.size(); ++i)
        if (name.contains(printers_[i], Qt::CaseInsensitive) &&
            (best < 0 || printers_[i].size() > printers_[best].size()))
            best = i;
    return best;
}

QString PrinterSetup::PrinterName() const {
    const int i = find(storedName_);
    return i < 0 ? QString() : printers_[i];
}

QString PrinterSetup::currentPrinter() const { return current_.Printer; }

void PrinterSetup::SetPrinterName(const QString& name) {
    if (printers_.isEmpty() || name == storedName_) return;
    storedName_ = name;
    Select();
    emit PrinterChange();
}

QList<QPageSize> PrinterSetup::papers() const {
    return HasPrinters() ? system_->PageSizes(currentPrinter()) : virtualPapers();
}

bool PrinterSetup::offers(const QPageSize& paper) const {
    if (!HasPrinters()) {
        const auto v = virtualPapers();
        return std::any_of(v.begin(), v.end(),
                           [&](const QPageSize& p) { return p.isEquivalentTo(paper); });
    }
    return OffersPaper(*system_, currentPrinter(), paper);
}

void PrinterSetup::Select() {
    if (!HasPrinters()) {
        // The virtual page keeps what was asked of it.
        if (const auto s = PrinterSettings::Parse(stored_)) current_ = *s;
        current_.Printer.clear();
        if (!offers(current_.PageSize)) current_.PageSize = QPageSize(QPageSize::A4);
        return;
    }
    const int i = find(storedName_);
    const QString printer = i >= 0 ? printers_[i] : system_->DefaultPrinter();
    PrinterSettings settings = system_->Defaults(printer);
    settings.Printer = printer;
    // The stored record over the defaults, as far as this printer can follow it.
    if (const auto s = PrinterSettings::Parse(stored_)) {
        if (offers(s->PageSize)) settings.PageSize = s->PageSize;
        settings.Orientation = s->Orientation;
        settings.Duplex = s->Duplex;
        settings.Colour = s->Colour;
        if (system_->PaperSources(printer).contains(s->Source)) settings.Source = s->Source;
        settings.Resolution = s->Resolution;
    }
    current_ = settings;
}

void PrinterSetup::refresh() { stored_ = current_.Serialise(); }

bool PrinterSetup::SetOrientation(int orientation) {
    Select();
    current_.Orientation = orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait;
    refresh();
    return Landscape() == (orientation == 1);
}

int PrinterSetup::PaperNumber() const { return numberOfPaper(current_.PageSize); }

bool PrinterSetup::SetPaperNumber(int number) {
    Select();
    const QPageSize paper = paperOfNumber(number);
    // A printer that lacks the paper keeps its own: the read-back then tells the caller.
    if (paper.isValid() && offers(paper)) current_.PageSize = paper;
    refresh();
    return PaperNumber() == number;
}

QString PrinterSetup::PaperName() const {
    for (const QPageSize& p : papers())
        if (p.isEquivalentTo(current_.PageSize)) return p.name();
    return {};
}

bool PrinterSetup::SetPaperName(const QString& name) {
    for (const QPageSize& p : papers()) {
        if (p.name() != name) continue;
        Select();
        current_.PageSize = standard(p);
        refresh();
        break;
    }
    return PaperName() == name;
}

QStringList PrinterSetup::PaperNames() const {
    QStringList names;
    for (const QPageSize& p : papers()) names << p.name();
    return names;
}

QString PrinterSetup::PaperSourceName() const {
    if (!HasPrinters()) return {};
    return system_->PaperSources(currentPrinter()).contains(current_.Source) ? current_.Source
                                                                             : QString();
}

PageGeometry PrinterSetup::Geometry(bool inverse) const {
    return GeometryFor(current_.PageSize, current_.Orientation, inverse);
}

PageGeometry PrinterSetup::GeometryFor(const QPageSize& paper, QPageLayout::Orientation orientation,
                                       bool inverse) const {
    if (!HasPrinters())
        return MeasureGeometry(paper, orientation, {}, kVirtualDpi, kVirtualDpi, inverse);
    const int dpi = current_.Resolution > 0 ? current_.Resolution
                                            : system_->DefaultResolution(currentPrinter());
    return MeasureGeometry(paper, orientation,
                           system_->Margins(currentPrinter(), paper, orientation), dpi, dpi,
                           inverse);
}

int PrinterSetup::DeviceMeasure(int kind) const {
    if (!HasPrinters()) return 0;
    const PageGeometry g = Geometry();
    const auto px = [&g](int tenths, int dpi) { return int(std::floor(tenths * dpi / 254.0)); };
    switch (kind) {
        case 1:
            return g.DpiX;
        case 2:
            return g.DpiY;
        case 3:
            return px(g.PageWidth, g.DpiX);
        case 4:
            return px(g.PageHeight, g.DpiY);
        case 5:
            return px(g.Printable.width(), g.DpiX);
        case 6:
            return px(g.Printable.height(), g.DpiY);
        case 7:
            return px(g.Printable.top(), g.DpiY);
        case 8:
            return px(g.Printable.top(), g.DpiY) + px(g.Printable.height(), g.DpiY);
        case 9:
            return px(g.Printable.left(), g.DpiX);
        case 10:
            return px(g.Printable.left(), g.DpiX) + px(g.Printable.width(), g.DpiX);
        default:
            return 0;
    }
}

void PrinterSetup::apply(const PrinterChoice& choice) {
    for (const QPageSize& p : papers())
        if (p.name() == choice.paper) current_.PageSize = standard(p);
    current_.Orientation = choice.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    current_.Source = choice.source;
    current_.Duplex = choice.duplex;
    current_.Colour = choice.colour;
    refresh();
}

PrinterChoice PrinterSetup::currentChoice() const {
    PrinterChoice choice;
    choice.printer = currentPrinter();
    choice.papers = PaperNames();
    choice.paper = PaperName();
    choice.landscape = Landscape();
    choice.sources = system_->PaperSources(currentPrinter());
    choice.source = current_.Source;
    choice.duplex = current_.Duplex;
    choice.colour = current_.Colour;
    return choice;
}

bool PrinterSetup::SetupDialog() {
    if (!HasPrinters()) return false;
    Select();
    PrinterChoice choice = currentChoice();
    choice.printers = printers_;
    choice.printerChanged = [this](PrinterChoice& c) {
        PrinterSettings d = system_->Defaults(c.printer);
        c.papers.clear();
        for (const QPageSize& p : system_->PageSizes(c.printer)) c.papers << p.name();
        if (!c.papers.contains(c.paper)) {
            c.paper.clear();
            for (const QPageSize& p : system_->PageSizes(c.printer))
                if (p.isEquivalentTo(d.PageSize)) c.paper = p.name();
        }
        c.sources = system_->PaperSources(c.printer);
        if (!c.sources.contains(c.source)) c.source = d.Source;
    };
    emit SetupDialogShow();
    const bool ok = Prompt::current().printerDialog(QStringLiteral("プリンタの設定"), choice);
    emit SetupDialogClose();
    if (!ok) return false;
    // Take over: the printer chosen there with its defaults, then the dialog's choices.
    const int i = find(choice.printer);
    const QString printer = i >= 0 ? printers_[i] : system_->DefaultPrinter();
    const bool changed = printer != currentPrinter();
    storedName_ = printer;
    current_ = system_->Defaults(printer);
    current_.Printer = printer;
    apply(choice);
    if (changed) emit PrinterChange();
    return true;
}

bool PrinterSetup::PropertiesDialog() {
    if (!HasPrinters()) return false;
    Select();
    PrinterChoice choice = currentChoice();
    const bool ok = Prompt::current().printerDialog(
        QStringLiteral("%1 のプロパティ").arg(currentPrinter()), choice);
    if (ok) apply(choice);
    emit DialogClose(ok ? 1 : 2);
    return ok;
}

std::vector<StreamProperty> PrinterSetup::StoredProperties() const {
    std::vector<StreamProperty> out;
    out.push_back({QStringLiteral("PrinterName"), StreamValue::ofText(storedName_)});
    out.push_back({QStringLiteral("DevDataSize"), StreamValue::ofInteger(int(stored_.size()))});
    if (!stored_.isEmpty())
        out.push_back({QStringLiteral("ADevData"), StreamValue::ofText(hexOf(stored_))});
    out.push_back({QStringLiteral("DesignValue"), designValue_});
    return out;
}

void PrinterSetup::SetStoredProperty(const StreamProperty& property) {
    const QString& name = property.name;
    if (name == QLatin1String("PrinterName")) {
        // A new snapshot: nothing of the previous record survives.
        storedName_ = property.value.text;
        stored_.clear();
    } else if (name == QLatin1String("DevDataSize")) {
        // The size is the record's own; a snapshot without one selects the printer as it is.
        if (property.value.integer <= 0) Select();
    } else if (name == QLatin1String("ADevData")) {
        const QByteArray bytes = bytesOfHex(property.value.text);
        // A record Korvane did not write (a Windows one) is ignored.
        stored_ = PrinterSettings::Parse(bytes) ? bytes : QByteArray();
        Select();
    } else if (name == QLatin1String("DesignValue") && property.value.kind == StreamValue::List) {
        designValue_ = property.value;
    }
}

PrinterChoiceKeeper::PrinterChoiceKeeper(PrinterSetup& setup, QString path)
    : setup_(setup), path_(std::move(path)), snapshot_(WriteComponentStream(setup)) {
    WriteFileAtomically(path_, snapshot_);
}

PrinterChoiceKeeper::~PrinterChoiceKeeper() {
    QFile file(path_);
    const QByteArray stored = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!ReadComponentStream(stored, setup_)) ReadComponentStream(snapshot_, setup_);
    setup_.Select();
}

QString PrinterChoiceKeeper::FileFor(const QString& programFolder, const QString& programName) {
    return programFolder + programName + QStringLiteral(".plv");
}

}  // namespace korvane
