#include "colourdialog.h"

#include "colourpalette.h"

#include "core/qtcolor.h"

#include "widgets/named.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane {
namespace {

constexpr int kCell = 20;  // palette cells, in pixels

}  // namespace

ColourDialog::ColourDialog(ColorValue current, QWidget* owner)
    : QDialog(owner), current_(current), sample_(current) {
    setObjectName(QStringLiteral("fmColor"));
    setWindowTitle(QStringLiteral("色の選択"));
    setFixedSize(282, 254);
    auto* column = new QVBoxLayout(this);
    column->addWidget(named(
        new QLabel(QStringLiteral("パレット内の色をクリックしてください。"), this), "Label1"));
    // The caller reads the background selection only: the right button picks.
    column->addWidget(
        named(new QLabel(QStringLiteral("右クリックで選択してください。"), this), "lblUse"));
    palette_ = named(new ColourPalette(this), "ColorPalette1");
    palette_->setFixedSize(13 * kCell, 5 * kCell);
    column->addWidget(palette_);
    column->setAlignment(palette_, Qt::AlignHCenter);
    palette_->SetForegroundEnabled(false);
    if (const int cell = ColourPalette::IndexOf(current); cell != ColourPalette::kNone)
        palette_->SetBackgroundIndex(cell);
    auto* sampleRow = new QHBoxLayout;
    column->addLayout(sampleRow);
    sampleRow->addWidget(named(new QLabel(QStringLiteral("選択色 ："), this), "Label2"));
    sampleLabel_ = named(new QLabel(QStringLiteral("Korvane"), this), "pnlSample");
    sampleRow->addWidget(sampleLabel_, 1);
    sampleLabel_->setMinimumHeight(2 * kCell);
    sampleLabel_->setAlignment(Qt::AlignCenter);
    sampleLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sampleLabel_->setAutoFillBackground(true);
    showSample(current);
    connect(palette_, &ColourPalette::Changed, this, [this] {
        // No cell, no colour: the sample keeps what it shows.
        const int cell = palette_->BackgroundIndex();
        if (cell != ColourPalette::kNone) showSample(ColourPalette::CellColour(cell));
    });
    column->addStretch();
    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    buttons->addStretch();
    auto* ok = named(new QPushButton(QStringLiteral("決定"), this), "btnOk");
    buttons->addWidget(ok);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        chosen_ = true;
        accept();
    });
    auto* cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "btnCancel");
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ColourDialog::showSample(ColorValue colour) {
    sample_ = colour;
    QPalette pal = sampleLabel_->palette();
    pal.setColor(QPalette::Window, ToQColor(colour, pal));
    sampleLabel_->setPalette(pal);
}

ColorValue ColourDialog::Result() const {
    if (!chosen_) return current_;
    const int cell = palette_->BackgroundIndex();
    return cell == ColourPalette::kNone ? current_ : ColourPalette::CellColour(cell);
}

ColorValue ColourDialog::Choose(ColorValue current, QWidget* owner) {
    ColourDialog dialog(current, owner);
    dialog.exec();
    return dialog.Result();
}

}  // namespace korvane
