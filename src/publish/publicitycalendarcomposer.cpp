#include "publicitycalendarcomposer.h"

#include "calendar/monthgrid.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "core/workarea.h"
#include "publish/gifreader.h"
#include "publish/pictureupload.h"
#include "publish/picturewriters.h"
#include "publish/quantiser.h"
#include "settings/inifile.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("広報カレンダ");
const QString kSection = QStringLiteral("Pcal");
// The fields Korvane.ini keeps (the others live in each style's Pcal.ini only).
constexpr std::array<std::pair<int, const char*>, 4> kMainOffsets{
    {{0, "edtMx"}, {1, "edtMy"}, {4, "edtHx"}, {5, "edtHy"}}};
constexpr std::array<const char*, 8> kOffsetNames{"edtmx", "edtmy", "edtwx",  "edtwy",
                                                  "edtHx", "edtHy", "edtwx2", "edtwy2"};

template <class T>
T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

PublicityCalendarComposer::PublicityCalendarComposer(PcalContext context, MonthGrid& grid,
                                                     QWidget* parent)
    : QDialog(parent), context_(std::move(context)), grid_(grid) {
    setObjectName(QStringLiteral("fmPcal"));
    setWindowTitle(kCaption);
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QMenuBar;
    outer->setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    QMenu* run = bar->addMenu(QStringLiteral("実行(&R)"));
    const auto entry = [this](QMenu* menu, const char* name, const QString& caption, auto slot) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    entry(file, "mnQuit", QStringLiteral("閉じる(&X)"), &QWidget::close);
    entry(run, "mnCreate", QStringLiteral("カレンダ作成(&A)"), &PublicityCalendarComposer::Compose);
    entry(run, "mnWrite", QStringLiteral("カレンダ書込(&W)"),
          &PublicityCalendarComposer::saveAndClose);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption, auto slot) {
        auto* b = named(new QPushButton(caption), name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("FramSpeedBtn9", QStringLiteral("カレンダ作成"), &PublicityCalendarComposer::Compose);
    button("btnGifWrite", QStringLiteral("保存＆閉じる"), &PublicityCalendarComposer::saveAndClose);
    btnUpload_ = button("FramSpeedBtn3", QStringLiteral("保存＆ＦＴＰ転送＆閉じる"),
                        &PublicityCalendarComposer::saveAndUpload);
    btnUpload_->setEnabled(context_.Upload.has_value());
    button("FramSpeedBtn1", QStringLiteral("閉じる"), &QWidget::close);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    upload_ = new PictureUpload(btnUpload_, nullptr, this);
    connect(upload_, &PictureUpload::Finished, this, [this](FtpOutcome outcome) {
        if (outcome == FtpOutcome::Done) close();
    });

    auto* fields = new QGridLayout;
    const auto label = [](const char* text) { return new QLabel(QString::fromUtf8(text)); };
    cbStyle_ = named(new QComboBox, "cbStyle");
    for (int i = 1; i <= kPcalStyles; ++i) cbStyle_->addItem(QStringLiteral("Style%1").arg(i));
    connect(cbStyle_, &QComboBox::activated, this, &PublicityCalendarComposer::styleChosen);
    edtSave_ = named(new QLineEdit(QStringLiteral("pcal1.gif")), "edtSave");
    edtBase_ = named(new QLineEdit(QStringLiteral("C888_642_Y.gif")), "edtBase");
    const PcalOffsetTexts defaults;
    for (std::size_t i = 0; i < offsets_.size(); ++i) {
        offsets_[i] = named(new QLineEdit(defaults.Text[i]), kOffsetNames[i]);
        offsets_[i]->setMaximumWidth(64);
    }
    fields->addWidget(label("カレンダスタイル"), 0, 0);
    fields->addWidget(cbStyle_, 0, 1);
    fields->addWidget(label("セーブファイル名"), 0, 2);
    fields->addWidget(edtSave_, 0, 3);
    fields->addWidget(label("ベース画像名"), 1, 2);
    fields->addWidget(edtBase_, 1, 3);
    fields->addWidget(label("カレンダ（調整）"), 0, 4);
    fields->addWidget(label("ヘッダー"), 0, 7);
    for (int row = 0; row < 2; ++row)
        for (int pair = 0; pair < 2; ++pair)
            for (int xy = 0; xy < 2; ++xy)
                fields->addWidget(offsets_[std::size_t(pair * 4 + row * 2 + xy)], row,
                                  5 + pair * 3 + xy);
    fields->setColumnStretch(3, 1);
    outer->addLayout(fields);

    auto* scroll = named(new QScrollArea, "pnlImage");
    image_ = named(new QLabel, "Image1");
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_->setMinimumSize(896, 648);
    scroll->setWidget(image_);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll, 1);

    // The stored style first: its offsets, then the main file's over them.
    const IniFile ini(context_.SettingsFolder + QStringLiteral("Korvane.ini"));
    SetStyle(ini.ReadInteger(kSection, QStringLiteral("cbStyle"), 0));
    edtBase_->setText(ini.ReadString(kSection, QStringLiteral("edtBase"), edtBase_->text()));
    edtSave_->setText(ini.ReadString(kSection, QStringLiteral("edtSave"), edtSave_->text()));
    for (const auto& [field, key] : kMainOffsets) {
        QLineEdit* e = offsets_[std::size_t(field)];
        e->setText(ini.ReadString(kSection, QString::fromLatin1(key), e->text()));
    }
    resize(920, 780);
    if (ini.ValueExists(kSection, QStringLiteral("fmPcalTop")) &&
        ini.ValueExists(kSection, QStringLiteral("fmPcalLeft"))) {
        QRect frame(ini.ReadInteger(kSection, QStringLiteral("fmPcalLeft"), 0),
                    ini.ReadInteger(kSection, QStringLiteral("fmPcalTop"), 0), width(), height());
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            frame = KeepOnWorkArea(frame, screen->availableGeometry(), minimumSizeHint());
        move(frame.topLeft());
    }
}

PublicityCalendarComposer::~PublicityCalendarComposer() = default;

int PublicityCalendarComposer::Style() const { return style_; }

void PublicityCalendarComposer::SetStyle(int index) {
    style_ = index;
    cbStyle_->setCurrentIndex(index >= 0 && index < kPcalStyles ? index : 0);
    readStyle();
}

QString PublicityCalendarComposer::styleFolder() const {
    return context_.ProgramFolder + PcalStyleFolder(style_);
}

void PublicityCalendarComposer::readStyle() {
    PcalOffsetTexts texts = Offsets();
    ReadPcalOffsets(context_.ProgramFolder, context_.SettingsFolder, style_, texts);
    for (std::size_t i = 0; i < offsets_.size(); ++i) offsets_[i]->setText(texts.Text[i]);
}

// A change by the user: the old style keeps its offsets, the new one brings its own.
void PublicityCalendarComposer::styleChosen(int index) {
    if (index == style_) return;
    QString error;
    if (!context_.ReadOnlySettings &&
        !WritePcalOffsets(context_.SettingsFolder, style_, Offsets(), &error))
        Prompt::current().message(
            QStringLiteral("スタイルの設定を保存できませんでした。\r\n%1").arg(error), kCaption,
            Prompt::Kind::Warning);
    style_ = index;
    readStyle();
}

PcalOffsetTexts PublicityCalendarComposer::Offsets() const {
    PcalOffsetTexts texts;
    for (std::size_t i = 0; i < offsets_.size(); ++i) texts.Text[i] = offsets_[i]->text();
    return texts;
}

QString PublicityCalendarComposer::BasePath() const {
    if (!baseFile_.isEmpty()) return baseFile_;
    const QString name = edtBase_->text().trimmed();
    return name.isEmpty() ? QString()
                          : FindPath(context_.ProgramFolder, PcalStyleFolder(style_) + name);
}

std::optional<QImage> PublicityCalendarComposer::basePicture() {
    QString path = BasePath();
    if (path.isEmpty())
        path = Prompt::current().openFileName(QStringLiteral("ベース画像を開く"), styleFolder(),
                                              QStringLiteral("gif画像 (*.gif)"));
    if (path.isEmpty()) return std::nullopt;
    QFile file(path);
    QString error;
    std::optional<QImage> picture;
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else
        picture = DecodeGif(file.readAll(), &error);
    if (!picture)
        Prompt::current().message(
            QStringLiteral("ベース画像を読めませんでした。\r\n%1\r\n%2").arg(path, error), kCaption,
            Prompt::Kind::Error);
    return picture;
}

QImage PublicityCalendarComposer::headerPicture(const QString& name) const {
    const QString path = FindPath(context_.ProgramFolder,
                                  PcalStyleFolder(style_) + QStringLiteral("HeadImg/") + name);
    return path.isEmpty() ? QImage() : QImage(path);
}

bool PublicityCalendarComposer::Compose() {
    composeOwed_ = false;
    const std::optional<QImage> base = basePicture();
    if (!base) return false;
    grid_.SetIsToDay(false);
    const QImage shot = grid_.Buffer().copy();
    grid_.SetIsToDay(true);
    const int year = grid_.Year(), month = grid_.Month();
    const PcalHeader header{headerPicture(QStringLiteral("M%1.bmp").arg(month)),
                            headerPicture(QStringLiteral("mon%1.bmp").arg(month)),
                            headerPicture(QStringLiteral("n%1.bmp").arg(year))};
    picture_ = ComposePcal(*base, shot, grid_.size(), Offsets(), header);
    // On screen the border shows its colour.
    QImage shown(picture_.size(), QImage::Format_RGB32);
    shown.fill(kPcalBorderColour);
    QPainter(&shown).drawImage(0, 0, picture_);
    image_->setPixmap(QPixmap::fromImage(shown));
    emit Composed();
    return true;
}

bool PublicityCalendarComposer::WriteGif(const QString& path, QString* error) const {
    return SaveGif(path, QuantiseForGif(picture_, kPcalBorderColour), error);
}

PublicityCalendarComposer::Outcome PublicityCalendarComposer::Save() {
    if (picture_.isNull()) return Outcome::Cancelled;
    const QString path =
        AskPictureSavePath(context_.SaveFolder, edtSave_->text().trimmed(),
                           QStringLiteral("gif画像( *.gif);;すべてのファイル( *.* )"));
    if (path.isEmpty()) return Outcome::Cancelled;
    QString error;
    if (!WriteGif(path, &error)) {
        SayPictureNotSaved(path, error, kCaption);
        return Outcome::Failed;
    }
    savedPath_ = path;
    return Outcome::Saved;
}

void PublicityCalendarComposer::saveAndClose() {
    Save();
    close();  // whatever the outcome, as the button says
}

bool PublicityCalendarComposer::Uploading() const { return upload_->Running(); }

void PublicityCalendarComposer::saveAndUpload() {
    if (!context_.Upload) return;
    if (Uploading()) {
        upload_->Cancel();
        return;
    }
    if (Save() == Outcome::Saved) upload_->Start(*context_.Upload, savedPath_);
}

void PublicityCalendarComposer::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Composing takes a moment: the window is on the screen first.
    if (composeOwed_) {
        composeOwed_ = false;
        QTimer::singleShot(0, this, &PublicityCalendarComposer::Compose);
    }
}

void PublicityCalendarComposer::writeSettings() {
    if (context_.ReadOnlySettings) return;
    QString error;
    try {
        const QString file = context_.SettingsFolder + QStringLiteral("Korvane.ini");
        IniFile::Hold hold(file);
        IniFile ini(file);
        ini.WriteInteger(kSection, QStringLiteral("cbStyle"), style_);
        ini.WriteInteger(kSection, QStringLiteral("fmPcalTop"), y());
        ini.WriteInteger(kSection, QStringLiteral("fmPcalLeft"), x());
        ini.WriteString(kSection, QStringLiteral("edtBase"), edtBase_->text());
        ini.WriteString(kSection, QStringLiteral("edtSave"), edtSave_->text());
        for (const auto& [field, key] : kMainOffsets)
            ini.WriteString(kSection, QString::fromLatin1(key),
                            offsets_[std::size_t(field)]->text());
        hold.Commit();
    } catch (const EIniError& e) {
        error = QString::fromUtf8(e.what());
    }
    if (error.isEmpty()) WritePcalOffsets(context_.SettingsFolder, style_, Offsets(), &error);
    if (!error.isEmpty())
        Prompt::current().message(
            QStringLiteral("広報カレンダの設定を保存できませんでした。\r\n%1").arg(error), kCaption,
            Prompt::Kind::Warning);
}

// Every way out (the buttons, the menu, the title bar, Esc) ends here.
void PublicityCalendarComposer::done(int result) {
    upload_->Stop();
    writeSettings();
    QDialog::done(result);
}

}  // namespace korvane
