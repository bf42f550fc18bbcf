#include "calendarimagewindow.h"

#include "core/prompt.h"
#include "core/qtcolor.h"
#include "publish/picturefiles.h"
#include "publish/pictureupload.h"
#include "publish/picturewriters.h"
#include "publish/quantiser.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("Korvane");

template <class T>
T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

CalendarImageWindow::CalendarImageWindow(QImage picture, PictureSaveSettings settings,
                                         QWidget* parent)
    : QMainWindow(parent), picture_(std::move(picture)), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("fmVelmarSs"));
    setWindowTitle(QStringLiteral("Korvaneカレンダ画像"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* top = named(new QWidget, "pnlTop");
    auto* tl = new QHBoxLayout(top);
    tl->setContentsMargins(0, 0, 0, 0);
    auto* ftp = named(new QPushButton(QStringLiteral("保存＆ＦＴＰ転送＆終了")), "btnFTP");
    ftp->setEnabled(settings_.Upload.has_value());
    connect(ftp, &QPushButton::clicked, this, &CalendarImageWindow::SaveAndUpload);
    btnFTP_ = ftp;
    auto* save = named(new QPushButton(QStringLiteral("保存＆終了")), "btnSaveClose");
    connect(save, &QPushButton::clicked, this, &CalendarImageWindow::SaveAndClose);
    auto* discard = named(new QPushButton(QStringLiteral("画像を保存せず終了")), "FramSpeedBtn3");
    connect(discard, &QPushButton::clicked, this, &QWidget::close);
    tl->addWidget(ftp);
    tl->addWidget(save);
    tl->addWidget(discard);
    tl->addStretch(1);
    lblSize_ = named(new QLabel(QStringLiteral("%1 × %2")
                                    .arg(picture_.width() / picture_.devicePixelRatio())
                                    .arg(picture_.height() / picture_.devicePixelRatio())),
                     "lblSize");
    QFont bold(QStringLiteral("ＭＳ ゴシック"));
    bold.setPixelSize(16);
    bold.setBold(true);
    lblSize_->setFont(bold);
    lblSize_->setStyleSheet(QStringLiteral("color: #0000ff;"));
    tl->addWidget(lblSize_);
    outer->addWidget(top);

    auto* scroll = named(new QScrollArea, "ScrollBox1");
    scroll->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { "
                                         "background: %1; }")
                              .arg(ToQColor(13489874).name()));
    auto* frame = named(new QWidget, "pnlFrame");
    frame->setStyleSheet(QStringLiteral("#pnlFrame { background: #ff00ff; }"));
    auto* fl = new QVBoxLayout(frame);
    fl->setContentsMargins(3, 3, 3, 3);
    auto* image = named(new QLabel, "imgSs");
    image->setPixmap(QPixmap::fromImage(picture_));
    fl->addWidget(image);
    frame->adjustSize();
    scroll->setWidget(frame);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    outer->addWidget(scroll, 1);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto slot,
                      bool visible = true) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setVisible(visible);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(file, "mnSave", QStringLiteral("保存＆終了(&W)"), &CalendarImageWindow::SaveAndClose);
    mnFTP_ = add(file, "mnFTP", QStringLiteral("保存＆ＦＴＰ転送＆終了"),
                 &CalendarImageWindow::SaveAndUpload);
    mnFTP_->setEnabled(settings_.Upload.has_value());
    upload_ = new PictureUpload(btnFTP_, mnFTP_, this);
    connect(upload_, &PictureUpload::Finished, this, [this](FtpOutcome outcome) {
        if (outcome == FtpOutcome::Done) close();
    });
    add(file, "gif1", QStringLiteral("保存(.gif)"), &CalendarImageWindow::QuickSaveGif, false);
    add(file, "jpg1", QStringLiteral("保存(.jpg)"), &CalendarImageWindow::QuickSaveJpeg, false);
    file->addSeparator();
    add(file, "mnClose", QStringLiteral("閉じる(&C)"), &QWidget::close);
    add(file, "mnQuit", QStringLiteral("Korvaneの終了(&Q)"), &CalendarImageWindow::QuitRequested,
        false);
    auto* popup = named(new QMenu(this), "PopupMenu1");
    add(popup, "mnpClose", QStringLiteral("閉じる(&C)"), &QWidget::close);
    add(popup, "MenuTrayClose", QStringLiteral("アプリの終了(&Q)"),
        &CalendarImageWindow::QuitRequested);
    central->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(central, &QWidget::customContextMenuRequested, this,
            [popup, central](const QPoint& at) { popup->popup(central->mapToGlobal(at)); });
    fitToPicture();
}

// The window grows until the picture fits, as far as the screen allows.
void CalendarImageWindow::fitToPicture() {
    auto* scroll = findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    auto* top = findChild<QWidget*>(QStringLiteral("pnlTop"));
    const int margins = 2 * 4, border = 2 * scroll->frameWidth();
    const QSize frame = scroll->widget()->size();
    QSize wanted(std::max(frame.width() + border, top->sizeHint().width()) + margins,
                 menuBar()->sizeHint().height() + top->sizeHint().height() +
                     centralWidget()->layout()->spacing() + frame.height() + border + margins);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    resize(wanted);
}

CalendarImageWindow::Outcome CalendarImageWindow::SaveCalendarImage() {
    return saveThroughDialog(settings_.CaptureName.isEmpty()
                                 ? QString()
                                 : settings_.CaptureName + QStringLiteral(".gif"),
                             Format::Gif);
}

CalendarImageWindow::Outcome CalendarImageWindow::saveThroughDialog(const QString& proposedName,
                                                                    Format format) {
    const QString path = AskPictureSavePath(
        settings_.SaveFolder, proposedName,
        format == Format::Jpeg ? QStringLiteral("jpg画像( *.jpg);;すべてのファイル( *.* )")
                               : QStringLiteral("gif画像( *.gif);;すべてのファイル( *.* )"));
    return path.isEmpty() ? Outcome::Cancelled : write(path, format);
}

CalendarImageWindow::Outcome CalendarImageWindow::write(const QString& path, Format format) {
    QString error;
    const QImage plain = picture_.convertToFormat(QImage::Format_RGB32);
    const bool ok = format == Format::Jpeg       ? SaveJpeg(path, plain, &error)
                    : format == Format::QuickGif ? SaveGif(path, QuantiseToCube(plain), &error)
                                                 : SaveGif(path, QuantiseForGif(plain), &error);
    if (!ok) {
        SayPictureNotSaved(path, error, kCaption);
        return Outcome::Failed;
    }
    savedPath_ = path;
    return Outcome::Saved;
}

void CalendarImageWindow::SaveAndClose() {
    switch (SaveCalendarImage()) {
        case Outcome::Saved:
            close();
            break;
        case Outcome::Cancelled:
            Prompt::current().message(QStringLiteral("画像の保存がキャンセルされました。"),
                                      kCaption, Prompt::Kind::Information);
            break;
        case Outcome::Failed:
            break;  // said; the picture stays for another try
    }
}

CalendarImageWindow::Outcome CalendarImageWindow::QuickSaveGif() {
    const QString path = QuickSavePath(settings_.SaveFolder, settings_.QuickName, ".gif");
    if (path.isEmpty())
        return saveThroughDialog(settings_.QuickName.trimmed().isEmpty()
                                     ? QString()
                                     : settings_.QuickName.trimmed() + QStringLiteral(".gif"),
                                 Format::QuickGif);
    return write(path, Format::QuickGif);
}

CalendarImageWindow::Outcome CalendarImageWindow::QuickSaveJpeg() {
    const QString path = QuickSavePath(settings_.SaveFolder, QStringLiteral("velmar"), ".jpg");
    if (path.isEmpty()) return saveThroughDialog(QStringLiteral("velmar.jpg"), Format::Jpeg);
    return write(path, Format::Jpeg);
}

bool CalendarImageWindow::Uploading() const { return upload_->Running(); }

void CalendarImageWindow::SaveAndUpload() {
    if (!settings_.Upload) return;
    if (Uploading()) {
        upload_->Cancel();
        return;
    }
    switch (SaveCalendarImage()) {
        case Outcome::Cancelled:
            Prompt::current().message(
                QStringLiteral("画像の保存がキャンセルされました。\r\nＦＴＰ転送も実行しません。"),
                kCaption, Prompt::Kind::Information);
            return;
        case Outcome::Failed:
            return;
        case Outcome::Saved:
            break;
    }
    upload_->Start(*settings_.Upload, savedPath_);
}

void CalendarImageWindow::closeEvent(QCloseEvent*) {
    upload_->Stop();
    // The main window shows itself before this one goes: never a moment without a window.
    emit Closed();
}

}  // namespace korvane
