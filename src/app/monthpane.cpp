#include "monthpane.h"

#include "app/widgetnames.h"
#include "calendar/monthgrid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QVBoxLayout>

namespace korvane {
// Month tabs of one fixed width (a day's width), as the grid below them.
class MonthPane::MonthTabBar : public QTabBar {
public:
    int TabWidth = 117;

protected:
    QSize tabSizeHint(int index) const override {
        return QSize(TabWidth, QTabBar::tabSizeHint(index).height());
    }
};

MonthPane::MonthPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsMonth"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);

    auto* header = new QHBoxLayout;
    tcMonth_ = Named(new MonthTabBar, "tcMonth");
    tcMonth = tcMonth_;
    tcMonth_->setExpanding(false);
    tcMonth_->setDrawBase(false);
    // All five months stay whole: no scroll arrows, the header makes room instead.
    tcMonth_->setUsesScrollButtons(false);
    tcMonth_->setElideMode(Qt::ElideNone);
    connect(tcMonth_, &QTabBar::currentChanged, this, [this](int) {
        ColourTabs();
        if (!TabSignalsMuted && TabClicked) TabClicked();
    });
    header->addWidget(tcMonth_);
    header->addStretch(1);
    auto* idou = Named(new QWidget, "pnlIdou1");
    auto* idouLayout = new QHBoxLayout(idou);
    idouLayout->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* name;
        const char16_t* caption;
        int months;
    } nav[] = {{"btnZengetu", u"前月", -1},
               {"btnYokugetu", u"翌月", 1},
               {"btnZennen", u"前年", -12},
               {"btnYokunen", u"翌年", 12}};
    for (const auto& n : nav) {
        auto* b = Named(new QPushButton(QString::fromUtf16(n.caption)), n.name);
        const int months = n.months;
        connect(b, &QPushButton::clicked, this, [this, months] {
            if (Step) Step(months);
        });
        idouLayout->addWidget(b);
    }
    header->addWidget(idou);
    // A second, hidden set of the same buttons, and the hidden month entry.
    auto* idou2 = Named(new QWidget, "pnlIdou2");
    auto* idou2Layout = new QHBoxLayout(idou2);
    idou2Layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& n : nav) {
        auto* b = Named(new QPushButton(QString::fromUtf16(n.caption)),
                        (QByteArray(n.name) + "2").constData());
        const int months = n.months;
        connect(b, &QPushButton::clicked, this, [this, months] {
            if (Step) Step(months);
        });
        idou2Layout->addWidget(b);
    }
    idou2->setVisible(false);
    header->addWidget(idou2);
    meNengetu = Named(new QLineEdit, "meNengetu");
    meNengetu->setMaxLength(6);
    meNengetu->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,6}")), meNengetu));
    meNengetu->setVisible(false);
    connect(meNengetu, &QLineEdit::returnPressed, this, [this] {
        if (MonthEntered) MonthEntered();
    });
    header->addWidget(meNengetu);
    outer->addLayout(header);

    auto* body = new QHBoxLayout;
    pnlMonth = Named(new QWidget, "pnlMonth");
    pnlMonth->setContextMenuPolicy(Qt::CustomContextMenu);
    Grid = Named(new MonthGrid(pnlMonth), "MonthGrid");
    body->addWidget(pnlMonth, 0, Qt::AlignTop);
    auto* pnlBtn = Named(new QWidget, "pnlBtn");
    pnlBtn->setFixedWidth(56);
    auto* btnLayout = new QVBoxLayout(pnlBtn);
    btnLayout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const QString& caption) {
        auto* b = Named(new QPushButton(caption), name);
        b->setMinimumHeight(48);
        b->setFlat(caption.isEmpty());
        btnLayout->addWidget(b);
        return b;
    };
    btnM1 = button("btnM1", QStringLiteral("設定"));
    btnM5 = button("btnM5", QStringLiteral("印刷"));
    btnM9 = button("btnM9", QStringLiteral("今月"));
    connect(button("btnM11", QString()), &QPushButton::clicked, this, [this] { Grid->setFocus(); });
    button("btnM14", QString());
    // The sample button only changes its own caption; what is sample data is decided at start.
    btnM16 = button("btnM16", QString());
    btnLayout->addStretch(1);
    btnM12 = button("btnM12", QStringLiteral("終了"));
    body->addWidget(pnlBtn);
    body->addStretch(1);
    outer->addLayout(body);
    outer->addStretch(1);
}

void MonthPane::SetTabWidth(int width) {
    auto* bar = tcMonth_;
    if (bar->TabWidth == width) return;
    bar->TabWidth = width;
    // The bar lays its tabs out again when a tab changes.
    for (int i = 0; i < bar->count(); ++i) bar->setTabText(i, bar->tabText(i));
    bar->updateGeometry();
}

void MonthPane::ColourTabs() {
    // The selected month's caption is blue.
    for (int i = 0; i < tcMonth->count(); ++i)
        tcMonth->setTabTextColor(i, i == tcMonth->currentIndex()
                                        ? QColor(0, 0, 255)
                                        : palette().color(QPalette::WindowText));
}

void MonthPane::SetSampleCaption(const QString& caption) {
    btnM16->setText(caption);
    btnM16->setFlat(caption.isEmpty());
}

void MonthPane::SampleButtonClicked(bool hidden) {
    if (hidden) return;
    SetSampleCaption(btnM16->text().contains(u"表示") ? QStringLiteral("サンプル\n消去")
                                                      : QStringLiteral("サンプル\n表示"));
}

}  // namespace korvane
