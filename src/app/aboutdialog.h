#pragma once

#include <QDate>
#include <QDialog>

class QLabel;

namespace korvane {

// The release this program is.
inline constexpr const char16_t* kVersionText = u"Ver1.2.1";
inline const QDate kReleaseDate(2006, 12, 12);
inline constexpr int kReminderDays = 455;
inline constexpr const char* kMakerWebPage = "https://example.org/korvane/";

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
