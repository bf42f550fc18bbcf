#pragma once

#include "print/engine/printdocument.h"
#include "print/engine/printersetup.h"
#include "print/monthpagerenderer.h"
#include "print/printsettings.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace korvane {

class PrintHost;
class PrinterPresetsPage;
class StationeryPage;
class PrintSystem;
class ProgressWindow;

// The print window: the month to print (always the main window's), the calendar layouts, the
// calendar options and the settings every job shares. A layout button runs the whole job.
class PrintWindow : public QDialog {
    Q_OBJECT

public:
    // settingsFolder ends with "/"; the window keeps its options in Printers.ini there.
    // Read-only settings are read, never written (pictures, a read-only medium).
    PrintWindow(PrintHost& host, PrintSystem& system, QString settingsFolder,
                QWidget* parent = nullptr, bool readOnlySettings = false);
    ~PrintWindow() override;

    // Handlers, as the controls call them.
    void btnZengetuClick();
    void btnYokugetuClick();
    // A monthly layout button by its name without "btn" ("MA4", "HHagaki", …).
    void LayoutButtonClick(const QString& key);
    // btnCB5V (b5) and btnCA4V: the year calendar from the print month.
    void YearButtonClick(bool b5);
    // The stationery's print buttons: note or graph paper, A4 put on the printer or not.
    void SheetButtonClick(bool graph, bool setPaper);
    // 印刷 of the cover letter or the fax sheet.
    void LetterButtonClick(bool fax);
    void PageChanged();
    void ShowPage(QWidget* page);
    void RefreshMonthLabel();

    PrintSection Settings() const;
    void ApplySettings(const PrintSection& s);
    void LoadSettings();
    // Writes [Print]; false when the file could not take it (said once, as the main window does).
    bool SaveSettings();

    PrintDocument& Document() { return plPrev1_; }
    PrinterSetup& Setup() { return plSetPrinter1_; }
    ProgressWindow* Progress() const { return progress_.get(); }
    PrinterPresetsPage& Presets() { return *presets_; }
    bool ReadOnlySettings = false;
    // The preview waits for its window to close (false: it is shown and the job returns).
    bool ModalPreview = true;

    QTabWidget* PageControl1 = nullptr;
    QWidget* tsInsatu = nullptr;
    QWidget* tsCal = nullptr;
    QWidget* tsPapers = nullptr;
    QWidget* tsPrinters = nullptr;
    QWidget* pnlKyoutuu = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPrintPage();
    void buildCalendarPage();
    void buildPapersPage();
    void buildPrintersPage();
    void buildSharedPanel();
    void buildMenu(QMenuBar* bar);
    void refreshPrinterLabels();
    // The end of every calendar job: printed at once or previewed.
    void finishJob(bool noPreview);
    // The options every calendar job takes from the check boxes when it starts.
    MonthPrintOptions capturedOptions(const PrintSection& s) const;
    // Builds a job; a failure is said in one message and nothing is shown or printed.
    bool runJob(const std::function<bool()>& build);
    QSpinBox* linesSpinner(const char* name) const;

    PrintHost& host_;
    QString settingsFolder_;
    PrinterSetup plSetPrinter1_;
    PrintDocument plPrev1_;
    std::unique_ptr<ProgressWindow> progress_;
    PrinterPresetsPage* presets_ = nullptr;
    StationeryPage* stationery_ = nullptr;
    bool saveProblemsReported_ = false;

    QLabel* lblYYMM_ = nullptr;
    QLabel* lblYoushiMei_ = nullptr;
    QLabel* lblPName_ = nullptr;
    QLabel* lblPSize_ = nullptr;
    QLabel* lblHoukou_ = nullptr;
    QCheckBox* cbTitle_ = nullptr;
    QLineEdit* edtTitle_ = nullptr;
    QRadioButton* rgTitle_[3] = {};
    QCheckBox* cbDate_ = nullptr;
    QCheckBox* cbSaijitu_ = nullptr;
    QCheckBox* cbAmikake_ = nullptr;
    QCheckBox* cbRokuyou_ = nullptr;
    QCheckBox* cbKinenbi_ = nullptr;
    QCheckBox* cbNaiyou_ = nullptr;
    QCheckBox* cbUetume_ = nullptr;
    QRadioButton* rbFontM2_ = nullptr;
    QRadioButton* rbFontG2_ = nullptr;
    QCheckBox* cbKeisen_ = nullptr;
    QCheckBox* cbWB_ = nullptr;
    QCheckBox* cbNotPrev_ = nullptr;
    QCheckBox* cbSmall_ = nullptr;
    QGroupBox* wbFrame_ = nullptr;
    QSpinBox* udCTop_ = nullptr;
    QSpinBox* udCLeft_ = nullptr;
};

}  // namespace korvane
