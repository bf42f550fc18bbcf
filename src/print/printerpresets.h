#pragma once

#include "settings/settingsstore.h"
#include "settings/settingswriter.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvane {

class PrintDocument;
class PrinterSetup;
class ProgressWindow;

// The ten printer presets: named snapshots of the printer choice, kept in Printers.ini
// (section "Printer": "vBtn", "btnC0" … "btnC9", "Printer0" … "Printer9"). Exactly one is
// selected, and its printer is the one every job uses. The widget is the page that edits them.
class PrinterPresetsPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCount = 10;

    PrinterPresetsPage(PrinterSetup& setup, PrintDocument& document, ProgressWindow& progress,
                       QString printersIni, QWidget* parent = nullptr);

    // Reads the presets, or makes the first two from the default printer on A4 when none are
    // stored yet, and selects the stored one as a click would.
    void Start();
    // Writes "vBtn" and the ten captions (done when the print window closes).
    void SaveCaptions(SaveProblems& problems) const;

    // Handlers, as the controls call them.
    void SelectPreset(int index);
    void OpenEditor();
    // Registers the edit; false when the paper could not be set (the editor stays open).
    bool Register();
    void CancelEdit();
    void Properties();
    void PrinterChosen(int index);
    void CloseClick();
    // The page was left for another: its close button works again.
    void PageLeft();

    int Selected() const { return selected_; }
    QString Caption(int index) const;
    bool Editing() const;
    // A wide shutter hides the editor except while a preset is edited.
    bool ShutterOpen() const;

    // Nothing is written (pictures, a read-only medium).
    bool ReadOnly = false;
signals:
    // The selection or the stored preset changed: the print window's labels follow.
    void Changed();
    // btnPSetClose: back to the calendar page.
    void Closed();

private:
    void readSnapshot(int index);
    void writeSnapshot(int index);
    void highlight();
    void setShutter(bool open);
    void fillPapers();
    // Says what the settings file refused; nothing else is lost.
    void reportWriteProblem(const QString& reason);

    PrinterSetup& setup_;
    PrintDocument& document_;
    ProgressWindow& progress_;
    SettingsStore RegManager1;
    int selected_ = 0;
    bool selecting_ = false;
    std::array<QPushButton*, kCount> buttons_{};
    QPushButton* btnSettei_ = nullptr;
    QPushButton* btnPSetClose_ = nullptr;
    QWidget* editArea_ = nullptr;
    QFrame* pnlHenshu_ = nullptr;
    QFrame* pnlShut_ = nullptr;
    QLineEdit* edtMeishou_ = nullptr;
    QComboBox* cbPrinters_ = nullptr;
    QComboBox* cbPapers_ = nullptr;
    QRadioButton* rbTate_ = nullptr;
    QRadioButton* rbYoko_ = nullptr;
    QPushButton* btnProp_ = nullptr;
    QPushButton* btnPCancel_ = nullptr;
    QPushButton* btnSet_ = nullptr;
};

}  // namespace korvane
