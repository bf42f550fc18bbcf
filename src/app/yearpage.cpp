#include "yearpage.h"

#include "app/monthtable.h"
#include "app/widgetnames.h"
#include "calendar/minicalendar.h"
#include "core/prompt.h"
#include "core/scopedflag.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace korvane {
namespace {

// A control's text in a colour of its own; an invalid colour gives back the usual one.
void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->parentWidget() ? w->parentWidget()->palette() : QPalette();
    if (colour.isValid())
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(role, colour);
    w->setPalette(p);
}

const QColor kGrey(0x80, 0x80, 0x80);

}  // namespace

YearPage::YearPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsYear"));
    auto* outer = new QHBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    for (int i = 0; i < 12; ++i) {
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        monthLabels_[std::size_t(i)] =
            Named(new QLabel, QStringLiteral("Label%1").arg(i + 1).toLatin1().constData());
        QFont big = font();
        big.setBold(true);
        monthLabels_[std::size_t(i)]->setFont(big);
        auto* cal = Named(new MiniCalendar,
                          QStringLiteral("NbMCalendar%1").arg(i + 1).toLatin1().constData());
        cal->setFixedSize(151, 103);
        ApplyYearPageStyle(*cal);
        connect(cal, &CalendarControl::dayClicked, this, [this, cal] { MiniCalendarClicked(cal); });
        minis_[std::size_t(i)] = cal;
        cell->addWidget(monthLabels_[std::size_t(i)]);
        cell->addWidget(cal);
        grid->addLayout(cell, i / 4, i % 4);
    }
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addLayout(grid);
    gridColumn->addStretch(1);
    outer->addLayout(gridColumn);

    auto* side = new QVBoxLayout;
    lblYM_ = Named(new QLabel, "lblYM");
    lblYM_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblYM_->setAlignment(Qt::AlignCenter);
    side->addWidget(lblYM_);
    auto* group = Named(new QGroupBox(QStringLiteral(" 年変更 ")), "GroupBox1");
    auto* gl = new QGridLayout(group);
    auto* prev = Named(new QPushButton(QStringLiteral("前年")), "FramSpeedBtn7");
    auto* next = Named(new QPushButton(QStringLiteral("翌年")), "FramSpeedBtn8");
    udYear_ = Named(new QSpinBox, "udYear");
    udYear_->setRange(0, 9999);
    btnApplyYear_ = Named(new QPushButton(QStringLiteral("変更実行")), "FramSpeedBtn16");
    gl->addWidget(prev, 0, 0);
    gl->addWidget(next, 0, 1);
    gl->addWidget(new QLabel(QStringLiteral("ワンタッチ移動→")), 1, 0, 1, 2);
    gl->addWidget(udYear_, 2, 0);
    gl->addWidget(btnApplyYear_, 2, 1);
    connect(prev, &QPushButton::clicked, this, [this] {
        udYear_->setValue(udYear_->value() - 1);
        LayOutYear(udYear_->value(), yearFirstMonth_);
    });
    connect(next, &QPushButton::clicked, this, [this] {
        udYear_->setValue(udYear_->value() + 1);
        LayOutYear(udYear_->value(), yearFirstMonth_);
    });
    connect(btnApplyYear_, &QPushButton::clicked, this, [this] {
        LayOutYear(udYear_->value(), yearFirstMonth_);
        minis_[0]->setFocus();
    });
    connect(udYear_, &QSpinBox::valueChanged, this,
            [this] { setTextColour(btnApplyYear_, QColor()); });
    side->addWidget(group);

    auto* mode = Named(new QGroupBox(QStringLiteral(" 表示 ")), "rgYFirstMonth");
    auto* ml = new QVBoxLayout(mode);
    const char16_t* modes[] = {u"標準", u"年度", u"特別"};
    for (int i = 0; i < 3; ++i) {
        rgYFirstMonth_[std::size_t(i)] = new QRadioButton(QString::fromUtf16(modes[i]));
        ml->addWidget(rgYFirstMonth_[std::size_t(i)]);
        connect(rgYFirstMonth_[std::size_t(i)], &QRadioButton::clicked, this,
                [this] { YearModeClicked(); });
    }
    rgYFirstMonth_[0]->setChecked(true);
    auto* special = Named(new QWidget, "pnlTokubetu");
    auto* sl = new QHBoxLayout(special);
    sl->setContentsMargins(0, 0, 0, 0);
    spHajimariTuki_ = Named(new QSpinBox, "SpHajimariTuki");
    spHajimariTuki_->setRange(1, 12);
    spHajimariTuki_->setValue(9);
    lblTokubetu_ = Named(new QLabel(QStringLiteral("月始まり")), "lblTokubetu");
    btnTokubetu_ = Named(new QPushButton(QStringLiteral("適用")), "btnTokubetu");
    connect(btnTokubetu_, &QPushButton::clicked, this, [this] { YearModeClicked(); });
    sl->addWidget(spHajimariTuki_);
    sl->addWidget(lblTokubetu_);
    sl->addWidget(btnTokubetu_);
    ml->addWidget(special);
    side->addWidget(mode);
    side->addStretch(1);
    outer->addLayout(side);
    updateModeControls();
}

void YearPage::SetCurrentMonth(std::int32_t year, int month) {
    currentYear_ = year;
    currentMonth_ = month;
}

std::int32_t YearPage::yearOfMode(int mode) const {
    return YearPageYear(mode, currentYear_, currentMonth_, spHajimariTuki_->value());
}

void YearPage::ShowYearOfMode() { udYear_->setValue(yearOfMode(Mode())); }

int YearPage::Mode() const {
    for (int i = 0; i < 3; ++i)
        if (rgYFirstMonth_[std::size_t(i)]->isChecked()) return i;
    return 0;
}

void YearPage::SetMode(int mode) {
    rgYFirstMonth_[std::size_t(std::clamp(mode, 0, 2))]->setChecked(true);
    updateModeControls();
}

int YearPage::SpecialFirstMonth() const { return spHajimariTuki_->value(); }

void YearPage::SetSpecialFirstMonth(int month) { spHajimariTuki_->setValue(month); }

void YearPage::SetFirstDayOfWeek(Weekday day) {
    for (MiniCalendar* c : minis_) c->SetFirstDayOfWeek(day);
}

bool YearPage::SetHolidayList(const QStringList& lines) {
    bool good = true;
    for (MiniCalendar* c : minis_) good = c->SetHolidayList(lines).empty() && good;
    return good;
}

void YearPage::LayOutYear(std::int32_t year, int firstMonth) {
    for (int i = 1; i <= 12; ++i) {
        std::int32_t y = year;
        int m = i + firstMonth - 1;
        if (m >= 13) {
            m -= 12;
            ++y;
        }
        MiniCalendar* c = minis_[std::size_t(i - 1)];
        {
            const ScopedFlag suspended(c->Suspended);
            c->SetDayNumber(EncodeDayNumber(y, std::uint8_t(m), 1));
            monthLabels_[std::size_t(i - 1)]->setText(QString::number(m));
        }
        c->UpdateCalendar();
    }
    setTextColour(btnApplyYear_, kGrey);
    lblYM_->setText(QStringLiteral("%1/%2 - %3/%4")
                        .arg(minis_[0]->Year())
                        .arg(minis_[0]->Month())
                        .arg(minis_[11]->Year())
                        .arg(minis_[11]->Month()));
}

void YearPage::YearModeClicked() {
    int mode = 0;
    for (int i = 0; i < 3; ++i)
        if (rgYFirstMonth_[std::size_t(i)]->isChecked()) mode = i;
    const int first = mode == 1 ? 4 : mode == 2 ? spHajimariTuki_->value() : 1;
    if (first != yearFirstMonth_) {
        udYear_->setValue(yearOfMode(mode));
        yearFirstMonth_ = first;
        LayOutYear(udYear_->value(), yearFirstMonth_);
    }
    updateModeControls();
}

void YearPage::updateModeControls() {
    const bool special = rgYFirstMonth_[2]->isChecked();
    btnTokubetu_->setEnabled(special);
    spHajimariTuki_->setEnabled(special);
    setTextColour(btnTokubetu_, special ? QColor(0, 0, 255) : kGrey);
    setTextColour(lblTokubetu_, special ? QColor() : kGrey);
    setTextColour(spHajimariTuki_, special ? QColor() : kGrey);
}

void YearPage::MiniCalendarClicked(CalendarControl* calendar) {
    // Only the user's click asks; the year page's own moves run with the calendar suspended.
    auto* mini = static_cast<MiniCalendar*>(calendar);
    if (mini->Suspended) return;
    const QString text = QStringLiteral("%1 年 %2 月のマンスリーカレンダーを表示しますか？")
                             .arg(mini->Year())
                             .arg(mini->Month());
    if (!Prompt::current().askYesNo(text, QStringLiteral("確認"))) return;
    emit MonthChosen(mini->Year(), mini->Month());
}

}  // namespace korvane
