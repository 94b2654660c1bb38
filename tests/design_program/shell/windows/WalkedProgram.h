#pragma once

#include "design_program/shell/windows/StartedProgram.h"

#include "sequence/T_StateNavigator.h"

#include <filesystem>
#include <string>
#include <vector>

// The real program in this process, walked through its design steps by the
// buttons a user presses on its windows.
class WalkedProgram : public StartedProgram {
protected:
    void SetUp() override
    {
        // Run from the test's own folder: nothing the program writes there outlives the test.
        std::filesystem::current_path(folder.path());
        answerDisclaimer(true, false);
        ASSERT_NE(startup->gobjStateNavigator(), nullptr);
    }
    void TearDown() override { std::filesystem::current_path(startFolder); }

    forms::Form& main() { return window("frmMain"); }
    cindrel::sequence::T_StateNavigator& navigator() { return *startup->gobjStateNavigator(); }
    std::string current() { return navigator().CurrentState().Name; }
    std::vector<std::string> done() { return navigator().StateCollection().Keys(); }

    // A control shows when it, every container round it and its window show.
    static bool shows(const forms::Control& control)
    {
        for (const forms::Control* at = &control; at != nullptr; at = at->container())
            if (!at->visible())
                return false;
        return true;
    }

    // A hidden or disabled button still clicks: a user presses only what
    // shows and is enabled.
    void press(forms::Form& form, const char* button, int index = -1)
    {
        auto& control = index < 0 ? form.get<forms::CommandButton>(QString::fromLatin1(button))
                                  : form.get<forms::CommandButton>(QString::fromLatin1(button), index);
        ASSERT_TRUE(form.visible()) << "the window of " << button << " is hidden on " << current();
        ASSERT_TRUE(shows(control) && control.enabled())
            << button << "(" << index << ") cannot be pressed on " << current();
        control.click();
        QCoreApplication::processEvents();
    }
    void next() { press(main(), "cmdNext"); }

private:
    const std::filesystem::path startFolder = std::filesystem::current_path();
};
