#include "monthpane.h"

#include "app/widgetnames.h"
#include "calendar/monthgrid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include <cmath>

namespace korvane {
// Month tabs of one fixed width (a day's width), as the grid below them.
class MonthPane::MonthTabBar : public QTabBar {
    Q_OBJECT

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
    tcMonth_->setExpanding(false);
    tcMonth_->setDrawBase(false);
    // All five months stay whole: no scroll arrows, the header makes room instead.
    tcMonth_->setUsesScrollButtons(false);
    tcMonth_->setElideMode(Qt::ElideNone);
    connect(tcMonth_, &QTabBar::currentChanged, this, [this](int index) {
        colourTabs();
        emit TabClicked(index);
    });
    header->addWidget(tcMonth_);
    header->addStretch(1);
    pnlIdou1_ = Named(new QWidget, "pnlIdou1");
    auto* idouLayout = new QHBoxLayout(pnlIdou1_);
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
        connect(b, &QPushButton::clicked, this, [this, months] { emit Step(months); });
        idouLayout->addWidget(b);
    }
    header->addWidget(pnlIdou1_);
    // A second, hidden set of the same buttons, and the hidden month entry.
    auto* idou2 = Named(new QWidget, "pnlIdou2");
    auto* idou2Layout = new QHBoxLayout(idou2);
    idou2Layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& n : nav) {
        auto* b = Named(new QPushButton(QString::fromUtf16(n.caption)),
                        (QByteArray(n.name) + "2").constData());
        const int months = n.months;
        connect(b, &QPushButton::clicked, this, [this, months] { emit Step(months); });
        idou2Layout->addWidget(b);
    }
    idou2->setVisible(false);
    header->addWidget(idou2);
    meNengetu_ = Named(new QLineEdit, "meNengetu");
    meNengetu_->setMaxLength(6);
    meNengetu_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,6}")), meNengetu_));
    meNengetu_->setVisible(false);
    connect(meNengetu_, &QLineEdit::returnPressed, this,
            [this] { emit MonthEntered(meNengetu_->text()); });
    header->addWidget(meNengetu_);
    outer->addLayout(header);

    auto* body = new QHBoxLayout;
    pnlMonth_ = Named(new QWidget, "pnlMonth");
    pnlMonth_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pnlMonth_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { emit ContextMenuRequested(pnlMonth_->mapToGlobal(at)); });
    grid_ = Named(new MonthGrid(pnlMonth_), "MonthGrid");
    body->addWidget(pnlMonth_, 0, Qt::AlignTop);
    pnlBtn_ = Named(new QWidget, "pnlBtn");
    pnlBtn_->setFixedWidth(56);
    auto* btnLayout = new QVBoxLayout(pnlBtn_);
    btnLayout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const QString& caption) {
        auto* b = Named(new QPushButton(caption), name);
        b->setMinimumHeight(48);
        b->setFlat(caption.isEmpty());
        btnLayout->addWidget(b);
        return b;
    };
    connect(button("btnM1", QStringLiteral("設定")), &QPushButton::clicked, this,
            &MonthPane::SettingsClicked);
    connect(button("btnM5", QStringLiteral("印刷")), &QPushButton::clicked, this,
            &MonthPane::PrintClicked);
    connect(button("btnM9", QStringLiteral("今月")), &QPushButton::clicked, this,
            &MonthPane::ThisMonthClicked);
    connect(button("btnM11", QString()), &QPushButton::clicked, this,
            [this] { grid_->setFocus(); });
    button("btnM14", QString());
    // The sample button only changes its own caption; what is sample data is decided at start.
    btnM16_ = button("btnM16", QString());
    connect(btnM16_, &QPushButton::clicked, this, &MonthPane::SampleClicked);
    btnLayout->addStretch(1);
    connect(button("btnM12", QStringLiteral("終了")), &QPushButton::clicked, this,
            &MonthPane::QuitClicked);
    body->addWidget(pnlBtn_);
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

void MonthPane::ShowTabs(const QStringList& captions, int selected) {
    const QSignalBlocker quiet(tcMonth_);
    QStringList shown;
    for (int i = 0; i < tcMonth_->count(); ++i) shown << tcMonth_->tabText(i);
    if (shown != captions) {
        while (tcMonth_->count() > 0) tcMonth_->removeTab(0);
        for (const QString& c : captions) tcMonth_->addTab(c);
        // A hidden bar does not tell its layout that it has grown.
        tcMonth_->updateGeometry();
    }
    tcMonth_->setCurrentIndex(selected);
    colourTabs();
}

int MonthPane::CurrentTab() const { return tcMonth_->currentIndex(); }

QString MonthPane::EnteredMonth() const { return meNengetu_->text(); }

void MonthPane::SetEnteredMonth(const QString& text) { meNengetu_->setText(text); }

void MonthPane::FitGrid() { pnlMonth_->setFixedSize(grid_->width() - 2, grid_->height() - 2); }

void MonthPane::UseCompactLayout() {
    pnlBtn_->hide();
    const int day = grid_->LenDayW();
    tcMonth_->setMinimumWidth(5 * day + 4);
    if (QLayout* l = pnlIdou1_->layout()) l->setSpacing(2);
    const int w = int(std::lround(day / 3.0));
    for (auto* b : pnlIdou1_->findChildren<QPushButton*>()) {
        b->setFixedWidth(w);
        b->setStyleSheet(QStringLiteral("padding: 0px;"));
    }
}

void MonthPane::SetPictureLook(bool on) {
    if (on == pictureLook_) return;
    pictureLook_ = on;
    if (!on) {
        for (const auto& [button, caption] : savedCaptions_) button->setText(caption);
        savedCaptions_.clear();
        pnlIdou3_->hide();
        pnlIdou1_->show();
        return;
    }
    const std::pair<const char*, const char16_t*> captions[] = {
        {"btnM1", u"年月"},  {"btnM3", u"標準"}, {"btnM5", u"設定"},
        {"btnM7", u"印刷"},  {"btnM13", u""},    {"btnM14", u""},
        {"btnM16", u"時限"}, {"btnM9", u"今月"}, {"btnM12", u"常駐"}};
    for (const auto& [name, caption] : captions)
        if (auto* b = pnlBtn_->findChild<QPushButton*>(QString::fromLatin1(name))) {
            savedCaptions_.emplace_back(b, b->text());
            b->setText(QString::fromUtf16(caption));
        }
    // Half a day per button: 前月, 前年 over 翌年, 翌月; the panel ends where the grid ends.
    const int day = grid_->LenDayW(), w = day / 2;
    const int height = std::max({tcMonth_->height(), pnlIdou1_->height(), 24});
    if (!pnlIdou3_) {
        pnlIdou3_ = Named(new QWidget(this), "pnlIdou3");
        const struct {
            const char16_t* caption;
            int months, x, y;
        } buttons[] = {
            {u"前月", -1, 0, 0}, {u"前年", -12, 1, 0}, {u"翌年", 12, 1, 1}, {u"翌月", 1, 2, 0}};
        for (const auto& b : buttons) {
            auto* button = new QPushButton(QString::fromUtf16(b.caption), pnlIdou3_);
            button->setStyleSheet(QStringLiteral("padding: 0px;"));
            const int months = b.months;
            connect(button, &QPushButton::clicked, this, [this, months] { emit Step(months); });
            button->setProperty("cell", QPoint(b.x, b.y));
        }
    }
    for (auto* b : pnlIdou3_->findChildren<QPushButton*>()) {
        const QPoint cell = b->property("cell").toPoint();
        const bool stacked = cell.x() == 1;
        b->setGeometry(cell.x() * w, stacked ? cell.y() * (height / 2) : 0, w,
                       stacked ? height / 2 : height);
        if (stacked) {
            QFont small = b->font();
            small.setPixelSize(std::max(8, height / 2 - 3));
            b->setFont(small);
        }
    }
    pnlIdou3_->setGeometry(tcMonth_->geometry().left() + w + 5 * day + 2, tcMonth_->y(), 3 * w + 2,
                           height);
    pnlIdou1_->hide();
    pnlIdou3_->show();
    pnlIdou3_->raise();
}

void MonthPane::colourTabs() {
    // The selected month's caption is blue.
    for (int i = 0; i < tcMonth_->count(); ++i)
        tcMonth_->setTabTextColor(i, i == tcMonth_->currentIndex()
                                         ? QColor(0, 0, 255)
                                         : palette().color(QPalette::WindowText));
}

void MonthPane::SetSampleCaption(const QString& caption) {
    btnM16_->setText(caption);
    btnM16_->setFlat(caption.isEmpty());
}

void MonthPane::SampleButtonClicked(bool hidden) {
    if (hidden) return;
    SetSampleCaption(btnM16_->text().contains(u"表示") ? QStringLiteral("サンプル\n消去")
                                                       : QStringLiteral("サンプル\n表示"));
}

}  // namespace korvane

#include "monthpane.moc"
