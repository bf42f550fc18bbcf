#pragma once

#include "print/stationery/stationerysettings.h"

#include <QWidget>

#include <map>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace korvane {

// The print window's stationery tab: ruled note paper (tsNote), graph paper (tsGraph), the cover
// letter (tsSoufu) and the fax cover sheet (tsFax), their settings shown in and taken from the
// controls, the note's row count and the graph's cell counts kept up to date as the user changes
// them, the graph's one stored set (保存 and 呼出, kept in Printers.ini), and the letters' dates
// made from today. The print buttons only say that they were pressed.
class StationeryPage : public QWidget {
    Q_OBJECT

public:
    explicit StationeryPage(QString printersIni, QWidget* parent = nullptr);

    bool ReadOnly =
        false;  // settings never written (pictures, a read-only medium): 保存 keeps nothing

    // Shows settings as they are: no count is refreshed.
    void ShowNote(const NoteSection& note);
    NoteSection Note() const;
    void ShowGraph(const GraphSection& graph);
    GraphSection Graph() const;

    // The rows the page holds, into 行数: after the user's changes and when the tab is shown.
    void RefreshRows();
    // 保存 and 呼出 of the graph paper, each after its question.
    void StoreGraph();
    void RecallGraph();
    // One-touch cells of mm millimetres.
    void GraphPreset(int mm);
    // Shows the note (0), graph (1), cover letter (2) or fax (3) page.
    void ShowSheet(int index);

    // The letters' settings; showing them runs the date and recipient boxes' click behaviour
    // (the recipient boxes start blank). The sections taken back carry the date as shown.
    void ShowSoufu(const SoufuSection& soufu);
    SoufuSection Soufu() const;
    void ShowFax(const FaxSection& fax);
    FaxSection Fax() const;
    // A date still as it was made is made again for today (a window left open overnight); a date
    // the user typed is kept.
    void RenewDates();

    QWidget* NotePage() const { return tsNote_; }
    QWidget* GraphPage() const { return tsGraph_; }

signals:
    // setPaper: A4 portrait is put on the printer first (the visible buttons); the hidden ones
    // print as the printer stands.
    void NotePrintClicked(bool setPaper);
    void GraphPrintClicked(bool setPaper);
    void SoufuPrintClicked();
    void FaxPrintClicked();

private:
    void buildNote();
    void buildGraph();
    void refreshCells();
    void buildSoufu();
    void buildFax();
    // One letter's date and recipient controls, and what their check boxes do.
    struct LetterControls {
        QLineEdit* date = nullptr;
        QCheckBox* blankDate = nullptr;
        QString madeDate;  // the text last put in the date box
        QLineEdit* upper = nullptr;
        QLineEdit* lower = nullptr;
        QCheckBox* blankRecipient = nullptr;
        QButtonGroup* paper = nullptr;
        std::map<std::string, QLineEdit*> texts;
    };
    void addLetterTop(LetterControls& c, QWidget* page, QGridLayout* g, const char* prefix,
                      const QString& recipientCaption);
    void makeDate(LetterControls& c);
    void greyRecipient(LetterControls& c);
    QSpinBox* spin(const char* name) const { return spins_.at(name); }
    QSpinBox* addSpin(const char* name, int lo, int hi, int value, QWidget* parent);
    QLabel* addSwatch(const char* name, const char* button, QWidget* parent);
    void chooseColour(const char* swatch);
    ColorValue colourOf(const char* swatch) const;
    void setColour(const char* swatch, ColorValue c);

    QString printersIni_;
    QTabWidget* sheets_;
    QWidget* tsNote_;
    QWidget* tsGraph_;
    QCheckBox* cbHead_;
    QLineEdit* edtTateK_;
    QCheckBox* cbGAuto_;
    QCheckBox* cbGCLine_;
    std::map<std::string, QSpinBox*> spins_;
    std::map<std::string, QLabel*> swatches_;
    std::map<std::string, ColorValue> colours_;
    QWidget* tsSoufu_;
    QWidget* tsFax_;
    LetterControls soufu_, fax_;
    QCheckBox* cbOTensen_;
    QCheckBox* cbFKeisen_;
    QCheckBox* cbFTensen_;
    bool showing_ = false;  // settings being put into the controls: no refresh
};

}  // namespace korvane
