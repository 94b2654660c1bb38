#pragma once

#include "drawing/DrawDevice.h"
#include "drawing/SettingsStore.h"
#include "runtime/ErrorReporter.h"

#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace vantropetest {

// One reported error, as LogMessage receives it.
struct Report {
    std::string module, routine, number, description, extra;
    bool operator==(const Report&) const = default;
};

inline void PrintTo(const Report& r, std::ostream* os)
{
    *os << r.module << " | " << r.routine << " | " << r.number << " | " << r.description << " | " << r.extra;
}

class RecordingReporter : public runtime::ErrorReporter {
public:
    void reportError(std::string_view module, std::string_view routine, std::string_view number,
                     std::string_view description, std::string_view extra) override
    {
        reports.push_back({std::string(module), std::string(routine), std::string(number), std::string(description),
                           std::string(extra)});
    }
    std::vector<Report> reports;
};

// A settings store in memory, keyed by application, section and key.
class MemoryStore : public vantrope::SettingsStore {
public:
    std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view defaultValue) override
    {
        auto it = values.find({std::string(app), std::string(section), std::string(key)});
        return it == values.end() ? std::string(defaultValue) : it->second;
    }
    bool SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) override
    {
        values[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
        return true;
    }
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
};

// Every call a device receives, in order, with the pen resolved at the time.
struct DeviceCall {
    std::string what;
    std::vector<vantrope::DevicePoint> points;
    vantrope::Pen pen;
    std::string text;
    bool operator==(const DeviceCall&) const = default;
};

class RecordingDevice : public vantrope::DrawDevice {
public:
    explicit RecordingDevice(const vantrope::PenTable& pens) : DrawDevice(pens) {}

    vantrope::PenHandle SelectObject(vantrope::PenHandle pen) override
    {
        vantrope::PenHandle previous = selected;
        selected = pen;
        return previous;
    }
    void MoveToEx(std::int32_t x, std::int32_t y) override { record("MoveToEx", {{x, y}}); }
    void LineTo(std::int32_t x, std::int32_t y) override { record("LineTo", {{x, y}}); }
    void Polyline(std::span<const vantrope::DevicePoint> points) override
    {
        record("Polyline", std::vector<vantrope::DevicePoint>(points.begin(), points.end()));
    }
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override
    {
        record("Ellipse", {{left, top}, {right, bottom}});
    }
    void SetTextColor(std::int32_t color) override { textColor = color; }
    vantrope::TextSize GetTextExtentPoint32A(std::string_view text) override
    {
        return {static_cast<std::int32_t>(7 * text.size()), 12};
    }
    void DrawTextA(std::string_view text, vantrope::DeviceRect box) override
    {
        DeviceCall call{"DrawTextA", {{box.left, box.top}, {box.right, box.bottom}}, {}, std::string(text)};
        calls.push_back(call);
    }

    std::vector<DeviceCall> calls;
    vantrope::PenHandle selected = 0;
    std::int32_t textColor = -1;

private:
    void record(std::string what, std::vector<vantrope::DevicePoint> points)
    {
        const vantrope::Pen* pen = pens().find(selected);
        calls.push_back({std::move(what), std::move(points), pen ? *pen : vantrope::Pen{-1, -1, -1}, {}});
    }
};

} // namespace vantropetest
