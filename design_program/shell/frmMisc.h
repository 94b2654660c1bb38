#pragma once

#include "shell/RunNotes.h"

#include "forms/Forms.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace cindrel::shell {

class Startup;

// The run-log window ("Notes"). Lines arrive in bursts (a calculation may
// report the same error thousands of times): they are gathered and put into
// the window once per pass of the event loop, so the window never redraws per
// line. Everything still reaches the run-notes file at once.
class frmMisc : public RunLogWindow {
public:
    explicit frmMisc(Startup& startup);

    // Declares the window.
    void define(forms::Forms& windows);

    void ShowHelpButton(int ContextID);
    // Takes the saved position (loading the window, hidden unless shown before).
    void re_FormLoad();
    void UnloadForm();
    // The printer dialog; false when the user cancelled.
    bool SetPrinter();

    void showWindow() override;
    void prependLine(const std::string& line) override;
    void clearText() override;
    // Replaces the whole text at once, gathered lines included.
    void replaceText(const std::string& text);

    // The window's text with every gathered line in it.
    QString text();
    // Puts the gathered lines into the window now.
    void flush();

    // The most text the window keeps; older lines fall off its bottom (the file keeps them).
    static constexpr int MaximumText = 1'000'000;

private:
    forms::Form& form();
    void build(forms::Form& form);
    void layOut();
    void timerTick();

    Startup& startup_;
    QObject context_;
    std::vector<std::string> pending_; // oldest first
    bool flushScheduled_ = false;
    std::int16_t ticks_ = 0;
};

} // namespace cindrel::shell
