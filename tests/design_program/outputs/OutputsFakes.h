#pragma once

// A recording host of the outputs object, and done steps built by hand.

#include "outputs/OutputsHost.h"
#include "outputs/clsQXOutputs.h"

#include "results/ResultTable.h"
#include "sequence/StateCollection.h"
#include "sequence/T_State.h"

#include "forms/Form.h"
#include "runtime/RuntimeError.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace outputstest {

using cindrel::outputs::clsQXOutputs;
using cindrel::results::Cell;
using cindrel::results::LabelRef;
using cindrel::results::ResultTable;
using cindrel::sequence::StateCollection;
using cindrel::sequence::T_State;

struct Placement {
    double left = 0, top = 0, width = 0, height = 0;
    int state = 0;
};

// Settings in members, run notes and errors recorded, places kept by window name.
class RecordingHost : public cindrel::outputs::OutputsHost {
public:
    void WriteRunNote(std::string_view message) override { notes.emplace_back(message); }
    void MainErrHandler(std::string_view module, std::string_view routine, std::string_view number,
                        std::string_view description, std::string_view) override
    {
        errors.push_back(std::string(module) + "." + std::string(routine) + " " + std::string(number) + " " +
                         std::string(description));
    }
    std::string ScrnOutFontName() override { return fontName; }
    void ScrnOutFontName(std::string_view name) override { fontName = name; }
    std::int32_t ScrnOutFontSize() override { return fontSize; }
    void ScrnOutFontSize(double points) override { fontSize = static_cast<std::int32_t>(points); }
    bool AutoUpdatePreference() override { return autoUpdate; }
    bool ShowMensButts() override { return showMenus; }
    void ShowMensButts(bool show) override
    {
        showMenus = show;
        ++showMenusWrites;
    }
    // As the settings object does: no stored place puts the window at 100, 100.
    void GetWindowPosition(forms::Form& window) override
    {
        const auto stored = places.find(window.name().toStdString());
        if (stored == places.end()) {
            window.move(100, 100, window.width(), window.height());
            return;
        }
        // Kept as the program keeps it: the size without the window system's frame.
        const Placement& place = stored->second;
        const QSizeF frame = window.frameExtra();
        window.move(place.left, place.top, place.width + frame.width(), place.height + frame.height());
        window.setWindowState(static_cast<forms::WindowState>(place.state));
    }
    void SaveWindowPosition(forms::Form& window) override
    {
        const QSizeF frame = window.frameExtra();
        places[window.name().toStdString()] = {window.left(), window.top(), window.width() - frame.width(),
                                               window.height() - frame.height(), static_cast<int>(window.windowState())};
        ++savedPlaces;
    }
    const StateCollection* doneSteps() override { return steps; }
    std::string labelCaption(const LabelRef& label) override
    {
        if (label.name == failingLabel)
            runtime::raise(runtime::TypeMismatch);
        const auto found = captions.find(label.name);
        return found == captions.end() ? std::string() : found->second;
    }
    clsQXOutputs* outputsObject() override { return outputs; }

    std::vector<std::string> notes;
    std::vector<std::string> errors;
    std::string fontName = "DejaVu Sans";
    std::int32_t fontSize = 10;
    bool autoUpdate = true;
    bool showMenus = true;
    int showMenusWrites = 0;
    int savedPlaces = 0;
    std::map<std::string, Placement> places;
    std::map<std::string, std::string> captions;
    // Reading this label's caption fails.
    std::string failingLabel = "lblFailing";
    const StateCollection* steps = nullptr;
    clsQXOutputs* outputs = nullptr;
};

// Done steps built by hand: each added step is linked behind the one before.
class DoneSteps {
public:
    T_State& add(const std::string& name, const std::string& heading, const std::string& key,
                 std::optional<ResultTable> table, bool printed = true)
    {
        T_State& step = steps_.emplace_back();
        step.Name = name;
        step.PrintHeading = heading;
        step.ToolBarButtonKey = key;
        step.StateString = std::move(table);
        step.PrintVariables = printed;
        if (collection.Count() > 0) {
            T_State* last = collection.Items().back();
            last->NextState = &step;
            step.PreviousState = last;
        }
        collection.Add(name, step);
        return step;
    }
    // Removes the newest step, as stepping back does.
    void removeLast()
    {
        T_State* last = collection.Items().back();
        if (last->PreviousState != nullptr)
            last->PreviousState->NextState = nullptr;
        last->PreviousState = nullptr;
        collection.Remove(last->Name);
    }
    T_State& operator[](const std::string& name) { return *collection.find(name); }

    StateCollection collection;

private:
    std::deque<T_State> steps_;
};

// A table of rows of eight cells; a short row leaves the rest never written.
inline ResultTable tableOf(const std::vector<std::vector<Cell>>& rows)
{
    ResultTable table(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int column = 0; column < static_cast<int>(rows[row].size()); ++column)
            table.set(row, column, rows[row][column]);
    return table;
}

inline std::vector<Cell> pairRow(const std::string& key, const std::string& pinion, const std::string& gear,
                                 const std::string& description, std::int16_t kind = 0, std::int16_t red = 0)
{
    return {key, pinion, gear, description, kind, red, std::int16_t{0}, std::int16_t{0}};
}

// A table of n plain rows whose keys start with the prefix.
inline ResultTable plainTable(const std::string& prefix, int rows)
{
    std::vector<std::vector<Cell>> cells;
    for (int row = 0; row < rows; ++row)
        cells.push_back(pairRow(prefix + std::to_string(row), std::to_string(row), std::to_string(2 * row),
                                "(in) value " + std::to_string(row)));
    return tableOf(cells);
}

} // namespace outputstest
