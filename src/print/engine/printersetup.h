#pragma once

#include "core/prompt.h"
#include "print/engine/pagegeometry.h"
#include "print/engine/printsystem.h"
#include "settings/componentsnapshot.h"

#include <QObject>

namespace korvane {

// One complete printer choice: which printer and its settings record. Stored and restored whole
// through the settings; a restored record is laid over the printer's own defaults. Without any
// printer it stands for a virtual page (A4, A3, JIS B5, postcard, no margins, 300 dpi) so that
// documents can still be previewed and saved as PDF.
class PrinterSetup : public QObject, public ComponentSnapshot {
    Q_OBJECT

public:
    explicit PrinterSetup(PrintSystem& system,
                          QString componentName = QStringLiteral("plSetPrinter1"));

    PrintSystem& System() const { return *system_; }
    bool HasPrinters() const { return !printers_.isEmpty(); }
    // Asks the system again which printers are installed.
    void RefreshPrinters();
    QStringList PrinterList() const { return printers_; }

    // The installed printer the stored name stands for: the same name (letter case ignored),
    // else the longest installed name within it (a server prefix in front); empty for none.
    QString PrinterName() const;
    void SetPrinterName(const QString& name);
    // Makes the choice current: the printer's defaults with the stored record laid over them.
    void Select();

    bool Landscape() const { return current_.Orientation == QPageLayout::Landscape; }
    // 0 portrait, 1 landscape; true when reading back gives what was asked.
    bool SetOrientation(int orientation);
    // Windows paper numbers: 9 A4, 13 JIS B5, 8 A3, 43 postcard; 256 any other size.
    int PaperNumber() const;
    bool SetPaperNumber(int number);
    // The printer's name for the current paper; empty when it does not list it.
    QString PaperName() const;
    bool SetPaperName(const QString& name);
    QStringList PaperNames() const;
    QString PaperSourceName() const;
    // 1, 2 dots per inch; 3, 4 paper width and height, 5, 6 printable width and height,
    // 7 top offset, 8 top offset + printable height, 9 left offset, 10 left offset + printable
    // width, all in device pixels; 0 without printers.
    int DeviceMeasure(int kind) const;
    // The paper as documents record it, in 0.1 mm.
    PageGeometry Geometry(bool inverse = false) const;
    // The same for a paper the printer may not have: its margins where it has them.
    PageGeometry GeometryFor(const QPageSize& paper, QPageLayout::Orientation orientation,
                             bool inverse = false) const;

    // The platform dialogs, through Prompt; true on OK.
    bool SetupDialog();
    bool PropertiesDialog();

    const PrinterSettings& Current() const { return current_; }
    // The stored copy: empty until something has been chosen or restored.
    const QByteArray& StoredRecord() const { return stored_; }

    QString ClassName() const override { return QStringLiteral("TplSetPrinter"); }
    QString ComponentName() const override { return componentName_; }
    std::vector<StreamProperty> StoredProperties() const override;
    void SetStoredProperty(const StreamProperty& property) override;

signals:
    // Another printer or paper was chosen.
    void PrinterChange();
    void SetupDialogShow();
    void SetupDialogClose();
    // 1 OK, 2 cancelled.
    void DialogClose(int result);

private:
    int find(const QString& name) const;
    QString currentPrinter() const;
    QList<QPageSize> papers() const;
    bool offers(const QPageSize& paper) const;
    void refresh();
    PrinterChoice currentChoice() const;
    void apply(const PrinterChoice& choice);

    PrintSystem* system_;
    QString componentName_;
    QStringList printers_;
    QString storedName_;
    QByteArray stored_;
    PrinterSettings current_;
    StreamValue designValue_;
};

// Keeps a printer choice for the length of one job, so that what a print dialog changes lasts
// for that job only: the snapshot is written to a ".plv" file beside the program (and kept in
// memory too, for a read-only program folder) and put back when the keeper goes.
class PrinterChoiceKeeper {
public:
    PrinterChoiceKeeper(PrinterSetup& setup, QString path);
    ~PrinterChoiceKeeper();
    PrinterChoiceKeeper(const PrinterChoiceKeeper&) = delete;
    PrinterChoiceKeeper& operator=(const PrinterChoiceKeeper&) = delete;

    // "<folder><program name>.plv"
    static QString FileFor(const QString& programFolder, const QString& programName);

private:
    PrinterSetup& setup_;
    QString path_;
    QByteArray snapshot_;
};

}  // namespace korvane
