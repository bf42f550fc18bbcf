#pragma once

#include "core/colortext.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace korvane {

class ColourPalette;

// Picks one colour of the palette with the right mouse button; the sample shows the choice.
class ColourDialog : public QDialog {
    Q_OBJECT
public:
    // Opened with the caller's colour: its cell is selected when the palette has it.
    explicit ColourDialog(ColorValue current, QWidget* owner = nullptr);

    // The colour to take after the dialog: the picked cell after 決定, else the caller's colour.
    ColorValue Result() const;
    // Whether 決定 closed it.
    bool Chosen() const { return chosen_; }
    ColorValue SampleColour() const { return sample_; }

    // Runs the dialog modally over its owner; the caller's colour when nothing was chosen.
    static ColorValue Choose(ColorValue current, QWidget* owner);

private:
    void showSample(ColorValue colour);

    ColorValue current_;
    ColorValue sample_;
    bool chosen_ = false;
    ColourPalette* palette_;
    QLabel* sampleLabel_;
};

}  // namespace korvane
