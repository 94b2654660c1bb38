#pragma once

// A results grid window on a recording host.

#include "OutputsFakes.h"

#include "outputs/ScreenOutputWindow.h"
#include "outputs/clsQXOutputs.h"

#include "forms/Form.h"
#include "forms/Forms.h"
#include "forms/MenuItem.h"
#include "forms/Toolbar.h"
#include "grid/Grid.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace outputstest {

// The window defined on the forms, the outputs object created and shown.
class OutputsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.steps = &done.collection;
        cindrel::outputs::defineScreenOutputWindow(windows, host);
    }
    void TearDown() override { release(); }

    // Creates the object and shows its window, as start-up does.
    void start()
    {
        outputs = std::make_unique<clsQXOutputs>(host, windows);
        host.outputs = outputs.get();
        outputs->ShowScreenOutputs(-1);
        QCoreApplication::processEvents();
    }
    void release()
    {
        host.outputs = nullptr;
        outputs.reset();
    }
    void fill(bool manual = false) { outputs->FillGridFromStates(done.collection, manual); }

    forms::Form& window() { return *windows.find(QStringLiteral("frmScreenOutput")); }
    grid::Grid& grid() { return window().get<grid::Grid>(QStringLiteral("grdOutputs")); }
    forms::Toolbar& toolbar() { return window().get<forms::Toolbar>(QStringLiteral("tbrOutputs")); }
    forms::MenuItem& menu(const char* name) { return window().get<forms::MenuItem>(QString::fromLatin1(name)); }
    std::vector<std::string> shownButtons()
    {
        std::vector<std::string> shown;
        for (const QString& key : toolbar().buttonKeys())
            if (toolbar().buttonVisible(key))
                shown.push_back(key.toStdString());
        return shown;
    }
    std::vector<std::string> shownSectionMenus()
    {
        std::vector<std::string> shown;
        for (const char* name : {"mnuGridMainInputs", "mnuGridCenterDistance", "mnuGridToothThickness",
                                 "mnuGridToothProportions", "mnuGridHobInformation", "mnuGridHorsepower", "mnuGridAGMA",
                                 "mnuGridScoring"})
            if (menu(name).visible())
                shown.emplace_back(name);
        return shown;
    }

    RecordingHost host;
    DoneSteps done;
    forms::Forms windows;
    std::unique_ptr<clsQXOutputs> outputs;
};

} // namespace outputstest
