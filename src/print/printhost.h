#pragma once

#include <QString>

#include <cstdint>

namespace korvane {

class MonthGrid;

// What the print pages need of the window that shows the month: the main window implements it,
// and so does the command line's headless calendar.
class PrintHost {
public:
    virtual ~PrintHost() = default;
    virtual std::int32_t ShownYear() const = 0;
    virtual int ShownMonth() const = 0;
    virtual void PreviousMonth() = 0;
    virtual void NextMonth() = 0;
    // "%.4d%.2d"
    virtual void GoToMonth(const QString& yyyymm) = 0;
    virtual bool WeekStartsMonday() const = 0;
    // 0 none, 1 Velmar, 2 Tesska, 3 set by a start switch
    virtual int SiblingKind() const = 0;
    virtual MonthGrid& ShownGrid() = 0;
    virtual bool RokuyoDisplay() const = 0;
    virtual void ApplyRokuyoDisplay(bool on) = 0;
};

}  // namespace korvane
