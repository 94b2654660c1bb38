#pragma once

// A recording report host and a printer output that keeps what it is given.

#include "OutputsFakes.h"

#include "design_program/analyses/RecordingChart.h"

#include "outputs/ReportHost.h"
#include "outputs/clsQXOutputs.h"

#include "dialogs/ScriptedDialogProvider.h"
#include "forms/Forms.h"
#include "printing/ReportDocument.h"

#include "printing/PrinterOutput.h"
#include "runtime/RuntimeError.h"

#include <QPainter>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace outputstest {

// Everything the report takes from the program, in members; what it asked, recorded.
class FakeReportHost : public cindrel::outputs::ReportHost {
public:
    bool SetPrinter() override
    {
        ++printerDialogs;
        return !cancelPrinter;
    }
    dialogs::PrinterChoice chosenPrinter() override { return {.printerName = QStringLiteral("Office")}; }
    std::string UserInfo(std::string_view name) override { return info[std::string(name)]; }
    std::int32_t ShowNoShowMessage(std::string_view message, std::string_view valueName, std::int32_t buttons) override
    {
        questions.push_back(std::string(valueName) + " " + std::to_string(buttons) + ": " + std::string(message));
        return answer;
    }
    void ShowOptionsPreferences(std::int32_t tab) override
    {
        optionTabs.push_back(tab);
        if (inOptions)
            inOptions();
    }
    std::string RunNotesCaption() override { return notes; }
    std::string ActiveFileName(bool extension, bool folder) override
    {
        return (folder ? std::string("/designs/") : std::string()) + (extension ? "Bevel pair.gdf" : "Bevel pair");
    }
    std::string DefaultFileName() override { return defaultFile; }
    std::string ProgramVersion() override { return "2.01.3"; }
    void BeginBusy() override { ++busy; }
    void EndBusy() override { --busy; }
    QDateTime Now() override { return QDateTime(QDate(2024, 3, 5), QTime(15, 7)); }
    cindrel::analyses::T_Chart* chartObject() override { return chart; }
    // Paints the header the chart shows at the top of a grey ground, and records it.
    void drawShownChart(QPainter& painter, const QRectF& target) override
    {
        const std::string header = surface != nullptr ? surface->header.text : std::string();
        drawnHeaders.push_back(header);
        painter.fillRect(target, QColor(200, 200, 200));
        painter.drawText(target, Qt::AlignTop | Qt::AlignHCenter, QString::fromStdString(header));
    }

    std::map<std::string, std::string> info = {
        {"CompanyName", "Ridgeway Gear Works"}, {"UserName", "A. Fielding"}, {"AddressLine1", "12 Mill Lane"},
        {"City", "Dayton"}, {"State", "OH"}, {"ZipCode", "45402"}, {"PhoneNumber", "555 0100"}};
    bool cancelPrinter = false;
    int printerDialogs = 0;
    std::int32_t answer = 4;
    std::vector<std::string> questions;
    std::vector<std::int32_t> optionTabs;
    std::function<void()> inOptions;
    std::string notes = "Nothing";
    std::string defaultFile = "/program/Cindrel.def";
    int busy = 0;
    cindrel::analyses::T_Chart* chart = nullptr;
    const cindrel::analyses::testing::RecordingSurface* surface = nullptr;
    std::vector<std::string> drawnHeaders;
};

class KeptOutput : public printing::PrinterOutput {
public:
    void print(const printing::ReportDocument& document, const dialogs::PrinterChoice& printer, const QString&) override
    {
        if (fail)
            runtime::raise(printing::PrinterError, "Printer error: Office is not available");
        printed.push_back(document.pageCount());
        printers.push_back(printer.printerName.toStdString());
    }
    bool fail = false;
    std::vector<int> printed;
    std::vector<std::string> printers;
};

// The chart object of analyses that ran, with small tables of their shape:
// the graph contents do not matter to the report, only which graph shows.
struct AnalysedChart {
    explicit AnalysedChart(bool withShear = true)
    {
        using namespace cindrel::analyses;
        chart = std::make_unique<T_Chart>(std::make_unique<cindrel::analyses::testing::RecordingHost>(shared));
        ScoringTable S;
        for (int r = 1; r <= 26; ++r) {
            S(r, 1) = 10 + r;
            for (int c = 2; c <= 7; ++c)
                S(r, c) = c + r / 10.0;
            S(r, 9) = -r / 10.0;
        }
        int mark = 1;
        for (int r : {3, 7, 11, 19, 24})
            S(r, 8) = mark++;
        chart->ScoreData(S);
        if (withShear) {
            SubShearTable T;
            for (int i = 1; i <= 53; ++i) {
                T(i, 1) = 0.001 * i;
                T(i, 2) = 40000 + 10 * i;
                T(i, 3) = 300 + i;
            }
            chart->ShearData(T);
        }
        DeflectionTable V;
        for (int i = 1; i <= 26; ++i) {
            V(i, 0) = i;
            for (int c = 5; c <= 8; ++c)
                V(i, c) = c * i / 10000.0;
        }
        chart->DeflectionData(V);
        chart->LaunchChart();
    }
    void attachTo(FakeReportHost& host)
    {
        host.chart = chart.get();
        host.surface = &shared.surface;
    }

    cindrel::analyses::testing::RecordingHost::Shared shared;
    std::unique_ptr<cindrel::analyses::T_Chart> chart;
};

// The outputs object with recording program and report hosts, the steps
// done, and a printer output that keeps what it is given.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture()
    {
        host.steps = &done.collection;
        outputs.setReportHost(&report);
    }

    const printing::ReportDocument& document() { return outputs.reportPrinter().document(); }
    // The items of one kind on a page (from 0), in the order drawn.
    template <typename Item>
    std::vector<Item> itemsOf(int page)
    {
        std::vector<Item> found;
        for (const auto& item : document().pages.at(page).items)
            if (const auto* wanted = std::get_if<Item>(&item))
                found.push_back(*wanted);
        return found;
    }

    RecordingHost host;
    FakeReportHost report;
    DoneSteps done;
    forms::Forms windows;
    cindrel::outputs::clsQXOutputs outputs{host, windows};
    KeptOutput kept;
    printing::ScopedPrinterOutput scope{kept};
    // Any box the report shows must be scripted by the test.
    dialogs::ScriptedDialogProvider dialogs;
    dialogs::ScopedDialogProvider scopedDialogs{dialogs};
};

} // namespace outputstest
