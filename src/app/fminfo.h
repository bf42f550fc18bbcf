#pragma once

#include <QDate>
#include <QDialog>

#include <cstdint>

class QLabel;

namespace korvane {

// The release this program is.
inline constexpr const char16_t* kVersionText = u"Ver1.2.1";
inline const QDate kReleaseDate(2006, 12, 12);
inline constexpr int kReminderDays = 455;
inline constexpr const char* kMakerWebPage = "https://example.org/korvane/";

// Whether the update reminder is due today, and the offset after it has been closed (60 more
// days after a visit to the web page, else 15).
bool ReminderDue(const QDate& today, int offset);
int OffsetAfterReminder(const QDate& today, int offset, bool webOpened);

// Opens the maker's web page, or says that there is no connection.
void OpenMakerWebPage();
// The program file's properties.
void ShowFileProperties(const QString& programFile);

// The version window.
class TfmAbout : public QDialog {
public:
    explicit TfmAbout(QWidget* parent = nullptr);
    // The build code shown after Ctrl+Shift+V, Ctrl+Shift+J.
    bool BuildCodeShown() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* lblVerKaku_;
    bool sawV_ = false;
};

// The update reminder.
class TfmInfo : public QDialog {
public:
    TfmInfo(const QDate& today, QWidget* parent = nullptr);
    bool WebOpened() const { return webOpened_; }
    QString InfoText() const;

private:
    QLabel* lblInfo_;
    bool webOpened_ = false;
};

}  // namespace korvane
