#pragma once
// What a page of the main window uses of the window: the session and the
// calculator, the field table, the script memo, the status line and the two
// logs. The main window (TForm1) implements it; a page never reaches the
// window or another page in any other way.
#include <QString>

#include <string>

namespace orvane {
class FieldTable;
class SmartSession;
}  // namespace orvane

namespace orvane::ui {

class CalculatorModel;
class QtMemoAccess;

class PageHost {
public:
    virtual ~PageHost() = default;

    // The session: variables, templates, the last answers.
    virtual SmartSession& session() = 0;
    // The calculator panel's model (expression and answer boxes, conversions).
    virtual CalculatorModel& calculator() = 0;
    // The field table that the grid shows and templates read.
    virtual FieldTable& fieldTable() = 0;
    // The script memo's lines (the calculator's tape).
    virtual QtMemoAccess& memo() = 0;
    // Sets status panel `panel` (0..4; others are ignored).
    virtual void StatusLine2Show(int panel, const std::string& text) = 0;
    // Appends a line to Memo1 (the browser page's source view) or to Memo2
    // (the tools page's log).
    virtual void AppendMemo1(const QString& line) = 0;
    virtual void AppendMemo2(const QString& line) = 0;
    // The settings file and the program file.
    virtual const QString& Ini_name() const = 0;
    virtual const QString& programPath() const = 0;
};

}  // namespace orvane::ui
