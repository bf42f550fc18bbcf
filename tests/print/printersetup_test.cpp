#include "print/engine/printersetup.h"
#include "fakeprintsystem.h"

#include "core/prompt.h"
#include "print/engine/printdocument.h"

#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::FakePrintSystem;

FakePrintSystem office() {
    FakePrintSystem system;
    system.add({.name = "HP"});
    system.add({.name = "HP_LaserJet_4050",
                .papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)},
                .margins = QMarginsF(3.5, 5, 3.5, 10),
                .sources = {"トレイ1", "手差し"}});
    system.add({.name = "Canon",
                .custom = true,
                .dpi = 300,
                .defaultPaper = QPageSize(QPageSize::Letter)});
    system.defaultPrinter = "Canon";
    return system;
}

TEST(PrinterSetup, StoredNamesFindTheirPrinter) {
    FakePrintSystem system = office();
    const std::pair<const char*, const char*> cases[] = {
        {"HP_LaserJet_4050", "HP_LaserJet_4050"},
        {"hp_laserjet_4050", "HP_LaserJet_4050"},              // letter case does not matter
        {"\\\\server\\HP_LaserJet_4050", "HP_LaserJet_4050"},  // the longest name within
        {"\\\\server\\hp", "HP"},
        {"Epson", ""},
    };
    for (auto [stored, found] : cases) {
        PrinterSetup setup(system);
        setup.SetPrinterName(stored);
        EXPECT_EQ(setup.PrinterName(), found) << stored;
        // Without a match the system's default printer is used.
        EXPECT_EQ(setup.Current().Printer, *found ? QString(found) : QString("Canon")) << stored;
    }
}

TEST(PrinterSetup, OnlyANewNameChangesThePrinter) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    QSignalSpy changes(&setup, &PrinterSetup::PrinterChange);
    setup.SetPrinterName("HP");
    setup.SetPrinterName("HP");
    EXPECT_EQ(changes.count(), 1);
    setup.SetPrinterName("Canon");
    EXPECT_EQ(changes.count(), 2);
}

// The paper numbers Korvane's layouts use read back as they were written.
TEST(PrinterSetup, LayoutPaperNumbersRoundTrip) {
    FakePrintSystem system;
    system.add({.name = "All",
                .papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3),
                           QPageSize(QPageSize::JisB5), QPageSize(QPageSize::Postcard)}});
    PrinterSetup setup(system);
    const std::pair<int, QPageSize::PageSizeId> windowsNumbers[] = {
        {9, QPageSize::A4}, {13, QPageSize::JisB5}, {8, QPageSize::A3}, {43, QPageSize::Postcard}};
    for (auto [number, id] : windowsNumbers) {
        ASSERT_TRUE(setup.SetPaperNumber(number)) << number;
        EXPECT_EQ(setup.PaperNumber(), number);
        EXPECT_EQ(setup.Current().PageSize.id(), id) << number;
    }
    // Other sizes read as Windows numbers them: their own, or 256 for a user size.
    FakePrintSystem other;
    const QPageSize label(QSizeF(62, 100), QPageSize::Millimeter, QStringLiteral("Label"),
                          QPageSize::ExactMatch);
    other.add({.name = "Other", .papers = {QPageSize(QPageSize::Letter), label}});
    PrinterSetup more(other);
    more.SetPrinterName("Other");
    ASSERT_TRUE(more.SetPaperName(QPageSize(QPageSize::Letter).name()));
    EXPECT_EQ(more.PaperNumber(), 1);
    ASSERT_TRUE(more.SetPaperName("Label"));
    EXPECT_EQ(more.PaperNumber(), 256);
}

TEST(PrinterSetup, PaperWritesHoldOnlyWhatThePrinterOffers) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    setup.SetPrinterName("HP_LaserJet_4050");
    EXPECT_EQ(setup.PaperNumber(), 9);
    EXPECT_FALSE(setup.SetPaperNumber(13));  // no JIS B5 in this printer
    EXPECT_EQ(setup.PaperNumber(), 9);
    EXPECT_TRUE(setup.SetPaperNumber(8));
    EXPECT_EQ(setup.PaperName(), "A3");
    EXPECT_TRUE(setup.SetOrientation(1));
    // Each write keeps the earlier ones: they live in the stored record.
    EXPECT_TRUE(setup.SetPaperName("A4"));
    EXPECT_TRUE(setup.Landscape());
    EXPECT_EQ(setup.PaperNumber(), 9);
    EXPECT_TRUE(setup.SetPaperName("A3"));
    setup.Select();  // the stored record holds it
    EXPECT_EQ(setup.PaperName(), "A3");
    EXPECT_FALSE(setup.SetPaperName("B5 (JIS)"));
    EXPECT_EQ(setup.PaperNames(), QStringList({"A4", "A3"}));
    // A printer's own size without a standard name is kept as it is.
    system.printers[1].papers << QPageSize(QSizeF(62, 100), QPageSize::Millimeter, "Label 62x100");
    EXPECT_TRUE(setup.SetPaperName("Label 62x100"));
    EXPECT_EQ(setup.Current().PageSize.size(QPageSize::Millimeter), QSizeF(62, 100));
    // A printer taking custom sizes has the postcard although it does not list it.
    setup.SetPrinterName("Canon");
    EXPECT_TRUE(setup.SetPaperNumber(43));
    EXPECT_EQ(setup.PaperName(), "");
}

TEST(PrinterSetup, MeasuresComeFromPaperMarginsAndResolution) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    setup.SetPrinterName("HP_LaserJet_4050");
    const PageGeometry g = setup.Geometry();
    EXPECT_EQ(g.Printable, QRect(35, 50, 2030, 2820));
    EXPECT_EQ(setup.DeviceMeasure(1), 600);
    EXPECT_EQ(setup.DeviceMeasure(3), 4960);  // 210 mm at 600 dpi
    EXPECT_EQ(setup.DeviceMeasure(4), 7015);
    EXPECT_EQ(setup.DeviceMeasure(7), 118);  // 5 mm
    EXPECT_EQ(setup.DeviceMeasure(8), 118 + 6661);
    EXPECT_EQ(setup.DeviceMeasure(9), 82);
    EXPECT_EQ(setup.DeviceMeasure(10), 82 + 4795);
    EXPECT_EQ(setup.DeviceMeasure(11), 0);
    // Landscape: the paper turns, and the margins with it.
    setup.SetOrientation(1);
    const PageGeometry turned = setup.Geometry();
    EXPECT_EQ(QSize(turned.PageWidth, turned.PageHeight), QSize(2970, 2100));
    EXPECT_EQ(turned.Printable, QRect(100, 35, 2970 - 100 - 50, 2100 - 70));
}

TEST(PrinterSetup, SnapshotsRestoreTheWholeChoice) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    setup.SetPrinterName("HP_LaserJet_4050");
    setup.SetPaperNumber(8);
    setup.SetOrientation(1);
    const QByteArray stream = WriteComponentStream(setup);
    std::vector<StreamProperty> props;
    QString cls, name;
    ASSERT_TRUE(ParseComponentStream(stream, cls, name, props));
    ASSERT_EQ(props.size(), 4u);
    EXPECT_EQ(props[0].name, "PrinterName");
    EXPECT_EQ(props[1].name, "DevDataSize");
    EXPECT_EQ(props[1].value.integer, setup.StoredRecord().size());
    EXPECT_EQ(props[2].name, "ADevData");
    EXPECT_EQ(props[2].value.text, QString::fromLatin1(setup.StoredRecord().toHex().toUpper()));
    EXPECT_EQ(props[3].name, "DesignValue");

    // The design values travel unchanged.
    StreamValue design;
    design.kind = StreamValue::List;
    design.list = {StreamValue::ofText("LBP"), StreamValue::ofInteger(1)};
    PrinterSetup restored(system);
    restored.SetStoredProperty({"DesignValue", design});
    EXPECT_EQ(restored.StoredProperties().back().value, design);
    ASSERT_TRUE(ReadComponentStream(stream, restored));
    EXPECT_EQ(restored.PrinterName(), "HP_LaserJet_4050");
    EXPECT_EQ(restored.PaperNumber(), 8);
    EXPECT_TRUE(restored.Landscape());

    // A later snapshot without a record leaves nothing of this one.
    PrinterSetup plain(system);
    plain.SetPrinterName("HP");
    ASSERT_TRUE(ReadComponentStream(WriteComponentStream(plain), restored));
    EXPECT_EQ(restored.PrinterName(), "HP");
    EXPECT_EQ(restored.PaperNumber(), 9);
    EXPECT_FALSE(restored.Landscape());
    EXPECT_TRUE(restored.StoredRecord().isEmpty());
}

TEST(PrinterSetup, AForeignRecordIsIgnored) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    // A Windows device-mode record from a migrated file, odd length and all.
    setup.SetStoredProperty({"PrinterName", StreamValue::ofText("HP_LaserJet_4050")});
    setup.SetStoredProperty({"DevDataSize", StreamValue::ofInteger(156)});
    setup.SetStoredProperty({"ADevData", StreamValue::ofText("48005000200004000000DC009C0A4")});
    EXPECT_TRUE(setup.StoredRecord().isEmpty());
    EXPECT_EQ(setup.Current().Printer, "HP_LaserJet_4050");
    EXPECT_EQ(setup.PaperNumber(), 9);
    // A damaged record of Korvane's own is ignored too, and so is one of another program.
    PrinterSettings s;
    s.PageSize = QPageSize(QPageSize::A3);
    QByteArray foreign = s.Serialise();
    foreign[0] = char(~foreign[0]);
    for (const QByteArray& bad : {s.Serialise().chopped(3), foreign})
        EXPECT_FALSE(PrinterSettings::Parse(bad).has_value());
    EXPECT_TRUE(PrinterSettings::Parse(s.Serialise()).has_value());
}

TEST(PrinterSettings, RecordsRoundTripAndBadOnesAreRefused) {
    PrinterSettings s;
    s.Printer = "ラベル印刷機";
    s.PageSize = QPageSize(QSizeF(62, 100), QPageSize::Millimeter, "Label");
    s.Orientation = QPageLayout::Landscape;
    s.Duplex = true;
    s.Colour = false;
    s.Source = "Roll 2";
    s.Resolution = 9600;
    const auto back = PrinterSettings::Parse(s.Serialise());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Printer, s.Printer);
    EXPECT_EQ(back->PageSize.size(QPageSize::Millimeter), QSizeF(62, 100));
    EXPECT_EQ(back->Orientation, QPageLayout::Landscape);
    EXPECT_TRUE(back->Duplex);
    EXPECT_FALSE(back->Colour);
    EXPECT_EQ(back->Source, "Roll 2");
    EXPECT_EQ(back->Resolution, 9600);

    // The same layout written by hand with one field out of range.
    const auto record = [](qint32 id, double w, double h, qint8 orientation, qint32 dpi,
                           quint8 version = 1) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << quint32(0x4B565052) << version << QString("P") << id << w << h << QString("x")
            << orientation << false << true << QString() << dpi;
        return bytes;
    };
    EXPECT_TRUE(PrinterSettings::Parse(record(QPageSize::Custom, 9999, 9999, 1, 600)).has_value());
    const auto a4 = PrinterSettings::Parse(record(QPageSize::A4, 0, 0, 0, 600));  // the first id
    ASSERT_TRUE(a4.has_value());
    EXPECT_TRUE(a4->PageSize.isEquivalentTo(QPageSize(QPageSize::A4)));
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::Custom, 10000, 100, 0, 600)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::Custom, 100, 0, 0, 600)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::Custom, 100, 10000, 0, 600)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::A4, 0, 0, 2, 600)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::A4, 0, 0, 0, 9601)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(-1, 0, 0, 0, 0)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::A4, 0, 0, 0, 600, 2)).has_value());
    EXPECT_FALSE(
        PrinterSettings::Parse(record(QPageSize::LastPageSize + 1, 0, 0, 0, 0)).has_value());
    EXPECT_FALSE(PrinterSettings::Parse(record(QPageSize::A4, 0, 0, 0, 0) + "x").has_value());
}

// Switching printers in the set-up dialog never keeps a paper the new printer does not have.
TEST(PrinterSetup, APaperTheNewPrinterLacksIsNotKept) {
    FakePrintSystem system;
    system.add({.name = "Big",
                .papers = {QPageSize(QPageSize::A3)},
                .defaultPaper = QPageSize(QPageSize::A3)});
    system.add({.name = "Roll",
                .papers = {QPageSize(QSizeF(62, 100), QPageSize::Millimeter, "Label 62x100")}});
    PrinterSetup setup(system);
    setup.SetPrinterName("Big");
    ScriptedPrompt prompt;
    prompt.answerPrinter([](PrinterChoice& c) {
        EXPECT_EQ(c.paper, "A3");
        c.printer = "Roll";
        c.printerChanged(c);
        EXPECT_EQ(c.paper, "");  // neither A3 nor its default A4 is on the roll
        return false;
    });
    EXPECT_FALSE(setup.SetupDialog());
    EXPECT_EQ(prompt.printerDialogs().size(), 1u);
}

TEST(PrinterSetup, WithoutPrintersAVirtualPageRemains) {
    NoPrinterSystem none;
    PrinterSetup setup(none);
    EXPECT_FALSE(setup.HasPrinters());
    EXPECT_EQ(setup.PrinterName(), "");
    setup.SetPrinterName("HP");
    EXPECT_EQ(setup.PrinterName(), "");
    EXPECT_EQ(setup.DeviceMeasure(1), 0);
    EXPECT_TRUE(setup.SetPaperNumber(8));
    EXPECT_TRUE(setup.SetOrientation(1));
    const PageGeometry g = setup.Geometry();
    EXPECT_EQ(QSize(g.PageWidth, g.PageHeight), QSize(4200, 2970));
    EXPECT_EQ(g.Printable, QRect(0, 0, 4200, 2970));
    EXPECT_EQ(g.DpiX, 300);
    EXPECT_FALSE(setup.SetPaperNumber(1));  // Letter is not among the virtual papers
    EXPECT_FALSE(setup.SetupDialog());
    // A stored choice keeps its paper on the virtual page but names no printer.
    FakePrintSystem office;
    office.add({.name = "HP"});
    PrinterSetup stored(office);
    stored.SetPaperNumber(8);
    PrinterSetup restored(none);
    for (const StreamProperty& p : stored.StoredProperties()) restored.SetStoredProperty(p);
    EXPECT_EQ(restored.Current().Printer, "");
    EXPECT_EQ(restored.PaperNumber(), 8);
    // Nothing can be sent, and a refused job carries no job number.
    const SubmitResult sent = none.Submit(PrintJob{});
    EXPECT_FALSE(sent.Ok);
    EXPECT_EQ(sent.JobId, 0);
}

TEST(PrinterSetup, TheSetUpDialogTakesOverTheChoice) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    setup.SetPrinterName("HP");
    ScriptedPrompt prompt;
    QSignalSpy shown(&setup, &PrinterSetup::SetupDialogShow);
    QSignalSpy closed(&setup, &PrinterSetup::SetupDialogClose);
    QSignalSpy changed(&setup, &PrinterSetup::PrinterChange);
    EXPECT_FALSE(setup.SetupDialog());  // cancelled
    EXPECT_EQ(setup.Current().Printer, "HP");
    prompt.answerPrinter([](PrinterChoice& c) {
        EXPECT_EQ(c.papers, QStringList({"A4", "A3", "JIS B5"}));  // the fake printer's default set
        c.printer = "HP_LaserJet_4050";
        c.printerChanged(c);
        EXPECT_EQ(c.papers, QStringList({"A4", "A3"}));
        EXPECT_EQ(c.sources, QStringList({"トレイ1", "手差し"}));
        c.paper = "A3";
        c.landscape = true;
        c.source = "手差し";
        return true;
    });
    EXPECT_TRUE(setup.SetupDialog());
    EXPECT_EQ(shown.count(), 2);
    EXPECT_EQ(closed.count(), 2);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(prompt.printerDialogs()[1].printers, system.Printers());
    EXPECT_EQ(prompt.printerDialogs()[1].paper, "A4");
    EXPECT_EQ(setup.PrinterName(), "HP_LaserJet_4050");
    EXPECT_EQ(setup.PaperName(), "A3");
    EXPECT_TRUE(setup.Landscape());
    EXPECT_EQ(setup.PaperSourceName(), "手差し");
    // It is stored: a new selection keeps it.
    setup.Select();
    EXPECT_EQ(setup.PaperName(), "A3");

    QSignalSpy result(&setup, &PrinterSetup::DialogClose);
    prompt.answerPrinter([](PrinterChoice& c) {
        EXPECT_TRUE(c.printers.isEmpty());
        c.duplex = true;
        return true;
    });
    EXPECT_TRUE(setup.PropertiesDialog());
    EXPECT_EQ(result.takeLast(), QVariantList{1});
    EXPECT_TRUE(setup.Current().Duplex);
    // What was chosen is what the next dialog opens with.
    prompt.answerPrinter([](PrinterChoice& c) {
        c.colour = false;
        return true;
    });
    EXPECT_TRUE(setup.PropertiesDialog());
    EXPECT_FALSE(setup.SetupDialog());
    EXPECT_FALSE(prompt.printerDialogs().back().colour);
    EXPECT_EQ(prompt.printerDialogs().back().source, "手差し");
    EXPECT_TRUE(prompt.printerDialogs().back().duplex);
    EXPECT_FALSE(setup.PropertiesDialog());
    EXPECT_EQ(result.takeLast(), QVariantList{2});
}

TEST(PrinterSetup, AKeptChoiceComesBackAfterTheJob) {
    FakePrintSystem system = office();
    PrinterSetup setup(system);
    setup.SetPrinterName("HP_LaserJet_4050");
    setup.SetPaperNumber(8);
    setup.SetOrientation(1);
    QTemporaryDir dir;
    const QString plv = PrinterChoiceKeeper::FileFor(dir.path() + "/", "korvane");
    EXPECT_EQ(plv, dir.path() + "/korvane.plv");
    for (const QString& path : {plv, dir.path() + "/missing/korvane.plv"}) {
        {
            PrinterChoiceKeeper keeper(setup, path);
            setup.SetPrinterName("Canon");
            setup.SetPaperNumber(9);
            setup.SetOrientation(0);
        }
        EXPECT_EQ(setup.PrinterName(), "HP_LaserJet_4050") << path.toStdString();
        EXPECT_EQ(setup.PaperNumber(), 8);
        EXPECT_TRUE(setup.Landscape());
    }
    QFile file(plv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("TPF0"));  // the component stream, not hex text
}

TEST(PrinterSetup, TractorFeedShowsItsHolesOnThePreviewOnly) {
    FakePrintSystem system;
    system.add({.name = "Dot", .sources = {"ｶｯﾄｼｰﾄ", "ﾄﾗｸﾀ"}});
    PrinterSetup setup(system);
    PrintDocument doc;
    doc.SetPrinterSetup(&setup);
    doc.BeginDoc();
    doc.EndDoc();
    const auto preview = [&doc] {
        QImage img(210, 297, QImage::Format_RGB32);
        QPainter p(&img);
        doc.DrawPreviewPage(1, p, QRectF(0, 0, 210, 297));
        return img;
    };
    EXPECT_EQ(preview().pixel(12, 150), qRgb(255, 255, 255));
    ScriptedPrompt prompt;
    prompt.answerPrinter([](PrinterChoice& c) {
        c.source = "ﾄﾗｸﾀ";
        return true;
    });
    ASSERT_TRUE(setup.PropertiesDialog());
    const QImage marked = preview();
    EXPECT_LT(qGray(marked.pixel(12, 150)), 250);  // the tear line 12.7 mm in, in grey
    EXPECT_GT(qGray(marked.pixel(12, 150)), 150);
    EXPECT_LT(qGray(marked.pixel(197, 150)), 250);
    EXPECT_LT(qGray(marked.pixel(4, 6)), 250);  // the first hole's left edge
    QImage printed(210, 297, QImage::Format_RGB32);
    printed.fill(Qt::white);
    QPainter p(&printed);
    doc.DrawPrintPage(1, p, QRectF(0, 0, 210, 297));
    p.end();
    EXPECT_EQ(printed.pixel(12, 150), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace korvane
