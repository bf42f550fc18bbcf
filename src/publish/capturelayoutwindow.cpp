#include "capturelayoutwindow.h"

#include "calendar/calendarfonts.h"
#include "calendar/monthgrid.h"
#include "core/eradate.h"
#include "core/fonts.h"
#include "core/paths.h"
#include "core/qtcolor.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace korvane {
namespace {

// "令和8年12月09日15時05分更新".
QString updatedText(const QDateTime& now) {
    const QString era = JapaneseEraDate(now.date());
    return QStringLiteral("%1年%2月%3日%4時%5分更新")
        .arg(era.left(era.indexOf(u'年')))
        .arg(now.date().month(), 2, 10, QChar(u'0'))
        .arg(now.date().day(), 2, 10, QChar(u'0'))
        .arg(now.time().hour(), 2, 10, QChar(u'0'))
        .arg(now.time().minute(), 2, 10, QChar(u'0'));
}

QLabel* headerLabel(const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

CaptureLayoutWindow::CaptureLayoutWindow(QString programFolder, bool itemsFixedPitch,
                                         const QDateTime& now, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      programFolder_(WithTrailing(programFolder)) {
    setObjectName(QStringLiteral("fmHc1"));
    setFixedSize(829, 614);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#fmHc1 { background: white; border: 3px solid #808080; }"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(3, 3, 3, 3);
    outer->setSpacing(0);

    pnlTop_ = new QWidget;
    pnlTop_->setObjectName(QStringLiteral("pnlTop"));
    auto* top = new QHBoxLayout(pnlTop_);
    top->setContentsMargins(4, 2, 4, 2);
    imgNen_ = headerLabel("imgNen");
    imgMonth_ = headerLabel("imgMonth");
    imgAMonth_ = headerLabel("imgAMonth");
    top->addWidget(imgNen_);
    top->addStretch(1);
    top->addWidget(imgMonth_);
    top->addStretch(1);
    top->addWidget(imgAMonth_);
    pnlTop_->installEventFilter(this);
    outer->addWidget(pnlTop_, 1);

    // The grid places itself one pixel outside its panel, as on the month page.
    auto* month = new QWidget;
    month->setObjectName(QStringLiteral("pnlMonth"));
    grid_ = new MonthGrid(month);
    grid_->setObjectName(QStringLiteral("MonthGrid"));
    ApplyMainWindowLayout(*grid_, false);
    grid_->SetDayOfWeekBkColor(FromRgb(0xD5FFD0));
    grid_->SetIsToDay(false);
    grid_->Fonts().SetColor(CalendarFonts::Rokuyo, FromRgb(0x484848));
    CalendarFont items = grid_->Fonts().Font(CalendarFonts::DayOfWeek);
    items.Font.setFamily(InstalledFamily(itemsFixedPitch ? kFaceGothic : kFacePGothic));
    grid_->Fonts().SetFont(CalendarFonts::DayOfWeek, items);
    month->setFixedSize(grid_->width() - 2, grid_->height() - 2);
    auto* ml = new QHBoxLayout;
    ml->addStretch(1);
    ml->addWidget(month);
    ml->addStretch(1);
    outer->addLayout(ml);

    pnlBottom_ = new QWidget;
    pnlBottom_->setObjectName(QStringLiteral("pnlBottom"));
    auto* bottom = new QHBoxLayout(pnlBottom_);
    bottom->setContentsMargins(6, 2, 6, 2);
    auto* maker = new QLabel(QStringLiteral("Velmar＆Korvane"));
    maker->setObjectName(QStringLiteral("NbURLLabel1"));
    maker->setStyleSheet(QStringLiteral("color: #0000ff;"));
    auto* updated = new QLabel(updatedText(now));
    updated->setObjectName(QStringLiteral("lblKoushin"));
    updated->setEnabled(false);
    bottom->addWidget(maker);
    bottom->addStretch(1);
    bottom->addWidget(updated);
    for (QWidget* w : {static_cast<QWidget*>(pnlBottom_), static_cast<QWidget*>(maker),
                       static_cast<QWidget*>(updated)})
        w->installEventFilter(this);
    outer->addWidget(pnlBottom_);
}

void CaptureLayoutWindow::ShowHeaders(int year, int month) {
    const std::pair<QLabel*, QString> headers[] = {
        {imgNen_, QStringLiteral("n%1.bmp").arg(year)},
        {imgMonth_, QStringLiteral("M%1.bmp").arg(month)},
        {imgAMonth_, QStringLiteral("mon%1.bmp").arg(month)}};
    for (const auto& [label, name] : headers) {
        const QString file =
            FindPath(programFolder_, QStringLiteral("Pcal/Style1/HeadImg/") + name);
        const QPixmap picture = file.isEmpty() ? QPixmap() : QPixmap(file);
        label->setPixmap(picture);  // a missing or unreadable picture leaves the place empty
    }
}

void CaptureLayoutWindow::keyPressEvent(QKeyEvent*) { close(); }

bool CaptureLayoutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return false;
    if (watched == pnlTop_) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && windowHandle())
            windowHandle()->startSystemMove();
        return true;
    }
    close();  // the bottom line and its labels
    return true;
}

void CaptureLayoutWindow::closeEvent(QCloseEvent*) { emit Closed(); }

}  // namespace korvane
