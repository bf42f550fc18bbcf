#pragma once

#include <QString>

namespace korvane {

class MainWindow;

// The pictures of "--screenshot": the month, year and settings pages and the version and
// update-reminder windows as PNG files in folder, made by driving the window through its named
// controls as a user would. False when a picture cannot be saved.
bool SaveWindowPictures(MainWindow& window, const QString& folder);

}  // namespace korvane
