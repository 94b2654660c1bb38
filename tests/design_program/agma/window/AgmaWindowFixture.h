#pragma once

#include "agma/frmAGMA.h"

#include "design_program/shell/RecordingRunLog.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/OptionButton.h"
#include "forms/TabStrip.h"
#include "forms/TextBox.h"
#include "forms/TreeView.h"
#include "support/TemporaryFolder.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

// The AGMA factors window on its own, loaded hidden, with its program folder
// in a temporary folder, a recording run log and scripted message boxes.
class AgmaWindowTest : public ::testing::Test {
protected:
    AgmaWindowTest() { dialogs.answerEveryMessageBox(dialogs::ButtonOK); }
    ~AgmaWindowTest() override { windows.reset(); }

    // Loads the window; files written into the program folder before count.
    forms::Form& load()
    {
        if (!agma) {
            windows = std::make_unique<forms::Forms>();
            cindrel::agma::AgmaWindowServices services;
            services.runLog = &log;
            services.programFolder = [this] { return folder.path(); };
            services.showEquation = [this] { return showNotesPreference; };
            agma = std::make_unique<cindrel::agma::frmAGMA>(*windows, std::move(services));
        }
        return agma->form();
    }
    forms::Form& form() { return load(); }
    // The "show notes" preference the window reads at loading.
    bool showNotesPreference = true;

    void writeProgramFile(const std::string& name, const std::string& text)
    {
        std::ofstream(folder.file(name), std::ios::binary) << text;
    }

    static QString q(const char* name) { return QString::fromLatin1(name); }

    forms::TextBox& box(const char* name, int index = -1) { return form().get<forms::TextBox>(q(name), index); }
    forms::Label& label(const char* name, int index = -1) { return form().get<forms::Label>(q(name), index); }
    forms::CheckBox& check(const char* name, int index = -1) { return form().get<forms::CheckBox>(q(name), index); }
    forms::OptionButton& option(const char* name, int index) { return form().get<forms::OptionButton>(q(name), index); }
    forms::ComboBox& combo(const char* name, int index) { return form().get<forms::ComboBox>(q(name), index); }
    forms::TreeView& tree() { return form().get<forms::TreeView>(q("TreeView")); }
    forms::TabStrip& tabs() { return form().get<forms::TabStrip>(q("tabMain")); }

    std::string text(const char* name, int index = -1)
    {
        return form().find(q(name), index)->value().toString().toStdString();
    }
    void type(const char* name, int index, const std::string& value)
    {
        box(name, index).setText(QString::fromStdString(value));
    }
    void type(const char* name, const std::string& value) { type(name, -1, value); }

    // A click on a material of the tree for a member, as the user makes it.
    void chooseMaterial(int member, int row)
    {
        form().get<forms::CommandButton>(q("cmdPoG"), member).click();
        const QString key = QString::number(row) + QLatin1Char('a');
        tree().select(key);
        tree().onNodeClick(key);
    }

    static void settle() { QCoreApplication::processEvents(); }
    // The window shown and active on its first tab, each member given a
    // material so that every tab past the materials can be shown.
    void showWithMaterials(int pinionRow, int gearRow)
    {
        load().show();
        QApplication::setActiveWindow(form().window());
        settle();
        chooseMaterial(0, pinionRow);
        chooseMaterial(1, gearRow);
        tabs().setSelectedTab(0);
        settle();
    }

    bool visible(const char* name, int index = -1) { return form().find(q(name), index)->visible(); }
    std::size_t messageCount() const
    {
        return dialogs.requestsOf<dialogs::MessageBoxRequest>().size();
    }
    std::string lastMessage() const
    {
        const auto requests = dialogs.requestsOf<dialogs::MessageBoxRequest>();
        return requests.empty() ? std::string() : requests.back().text.toStdString();
    }

    TemporaryFolder folder;
    RecordingRunLog log;
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scopedDialogs{dialogs};
    // Before the windows: they go first, and their handlers with them.
    std::unique_ptr<cindrel::agma::frmAGMA> agma;
    std::unique_ptr<forms::Forms> windows;
};

// Material rows of the built-in table used below.
namespace rows {
inline constexpr int Steel = 1;
inline constexpr int ThroughHardenedGrade1 = 3;
inline constexpr int ThroughHardenedGrade2 = 4;
inline constexpr int FlameHardened50HRC = 8;
inline constexpr int CarburizedGrade1 = 21;
inline constexpr int NitridedGrade1 = 27;
inline constexpr int Nitralloy135MGrade1 = 45;
inline constexpr int Nitralloy135MGrade3 = 47;
inline constexpr int DuctileIron60 = 58;
} // namespace rows
