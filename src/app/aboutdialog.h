#pragma once

#include <QDate>
#include <QDialog>

#include "korvane_version.h"

class QLabel;

namespace korvane {

// The release this program is.
inline constexpr const char16_t* kVersionText = u"Ver1.2.1";
// The release's day and home page come from the build (CMake's KORVANE_RELEASE_DATE and
// KORVANE_HOMEPAGE); the update reminder counts from that day.
inline const QDate kReleaseDate =
    QDate::fromString(QStringLiteral(KORVANE_RELEASE_DATE), Qt::ISODate);
inline constexpr int kReminderDays = 455;
inline constexpr const char* kHomePage = KORVANE_HOMEPAGE;  // empty: none

// The program file's properties.
void ShowFileProperties(const QString& programFile);

// The version window.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // The build code shown after Ctrl+Shift+V, Ctrl+Shift+J.
    bool BuildCodeShown() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* lblVerKaku_;
    bool sawV_ = false;
};

}  // namespace korvane
