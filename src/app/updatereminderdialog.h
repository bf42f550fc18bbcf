#pragma once

#include "app/aboutdialog.h"

#include <QDate>
#include <QDialog>

class QLabel;

namespace korvane {

// Whether the update reminder is due today, and the offset after it has been closed (60 more
// days after a visit to the web page, else 15).
bool ReminderDue(const QDate& today, int offset);
int OffsetAfterReminder(const QDate& today, int offset, bool webOpened);

// Opens the home page, or says that there is no connection; without a home page, the user's
// guide beside the program's data.
void OpenMakerWebPage();
QString UsersGuide();

// The update reminder.
class UpdateReminderDialog : public QDialog {
    Q_OBJECT

public:
    UpdateReminderDialog(const QDate& today, QWidget* parent = nullptr);
    bool WebOpened() const { return webOpened_; }
    QString InfoText() const;

private:
    QLabel* lblInfo_;
    bool webOpened_ = false;
};

}  // namespace korvane
