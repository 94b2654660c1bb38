#pragma once

#include "shell/Startup.h"

#include "dialogs/ScriptedDialogProvider.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/TextBox.h"
#include "registry/Store.h"
#include "shell/ProgramFolders.h"
#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// The design program in this process, with its program folder, per-user
// folder and settings in a temporary folder, and scripted dialogs.
class StartedProgram : public ::testing::Test {
protected:
    StartedProgram()
    {
        std::filesystem::create_directories(programFolder());
        // The program folder holds the default design, as an installed program's does.
        std::filesystem::copy_file(CINDREL_DEFAULT_DESIGN, programFolder() / "Cindrel.def");
        shellservices::setProgramFolderOverride(QString::fromStdString(programFolder().string()));
        shellservices::setUserDataFolderOverride(QString::fromStdString(folder.file("user").string()));
        store = std::make_unique<registry::Store>(folder.file("registry.sqlite3"));
        startup = std::make_unique<cindrel::shell::Startup>(*store, [this](int code) { exitCodes.push_back(code); });
    }
    ~StartedProgram() override
    {
        startup.reset();
        store.reset();
        shellservices::setProgramFolderOverride({});
        shellservices::setUserDataFolderOverride({});
    }

    std::filesystem::path programFolder() const { return folder.file("program"); }

    forms::Form& window(const char* name) { return startup->windows()[QString::fromLatin1(name)]; }

    void answerDisclaimer(bool agree, bool showRunNotes)
    {
        startup->Main();
        forms::Form& disclaimer = window("frmDisclaimer");
        disclaimer.get<forms::CheckBox>(QStringLiteral("chkDebugMode")).setCheckValue(showRunNotes ? 1 : 0);
        disclaimer.get<forms::CommandButton>(QStringLiteral("cmdAgree"), agree ? 1 : 0).click();
        QCoreApplication::processEvents();
    }

    // The run log window's lines, oldest first.
    std::vector<std::string> runLogLines()
    {
        std::vector<std::string> lines;
        std::istringstream text(startup->runLogWindow().text().toStdString());
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.insert(lines.begin(), line);
        }
        return lines;
    }

    static std::string fileText(const std::filesystem::path& path) { return testsupport::fileText(path); }

    TemporaryFolder folder;
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scopedDialogs{dialogs};
    std::unique_ptr<registry::Store> store;
    std::unique_ptr<cindrel::shell::Startup> startup;
    std::vector<int> exitCodes;
};
