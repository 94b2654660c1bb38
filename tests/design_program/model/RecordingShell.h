#pragma once

#include "model/ModelShell.h"
#include "runtime/AtomicFile.h"

#include <array>
#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace cindrel::model::testing {

// A ModelShell that records what the model tells it and answers from fields
// the test sets.
class RecordingShell : public ModelShell {
public:
    struct Error {
        std::string module, routine, number, description, other;
    };
    struct Box {
        std::string title, text;
    };

    std::vector<std::string> notes;
    std::vector<Error> errors;
    std::vector<Box> boxes;      // fatal-error boxes
    std::vector<std::string> messages; // plain message boxes

    double orientation = 0;
    int key = 0;
    bool csv = false;
    std::string designPathWithoutExtension = "/designs/pair";
    bool failOpen = false;
    std::map<std::string, std::string> files; // path -> the text of its last committed write
    DrawingProgram* drawing = nullptr; // none: the shell's default, no drawing program

    // Every hand-over to the pair's deflection analysis, its twenty values in
    // the order received.
    struct DeflectionLoadCall {
        std::array<double, 19> values{};
        std::int32_t intExt = 0;
    };
    std::vector<DeflectionLoadCall> deflectionLoads;
    // Data files are read from disk; every path asked for is recorded, and
    // every stream handed out counts itself closed when it is destroyed.
    std::string folder; // programFolder()
    std::vector<std::string> inputsOpened;
    int inputsClosed = 0;
    double lengthFactor = 1.0; // 25.4 in metric
    bool updatePinListEveryTime = false;
    std::map<int, std::string> texts; // the numbered message table

    void reportError(std::string_view module, std::string_view routine, std::string_view number,
                     std::string_view description, std::string_view other) override {
        errors.push_back({std::string(module), std::string(routine), std::string(number),
                          std::string(description), std::string(other)});
    }
    void writeRunNote(std::string_view note) override { notes.emplace_back(note); }
    void showFatalError(std::string_view title, std::string_view text) override {
        boxes.push_back({std::string(title), std::string(text)});
    }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    double toothOrientation() const override { return orientation; }
    int lastKeyPressed() const override { return key; }
    bool createCsv() const override { return csv; }
    std::string activeFileName(bool withExtension, bool withDirectoryStructure) const override {
        std::string name = designPathWithoutExtension;
        if (!withDirectoryStructure)
            name = name.substr(name.find_last_of('/') + 1);
        return withExtension ? name + ".cnd" : name;
    }
    DrawingProgram& drawingProgram() override { return drawing != nullptr ? *drawing : ModelShell::drawingProgram(); }
    std::unique_ptr<std::ostream> openOutputFile(const std::string& path) override {
        if (failOpen)
            return nullptr;
        return std::make_unique<Sink>(files, path);
    }
    AnalysisFactory& analysisFactory() override { return analyses_; }

    std::unique_ptr<std::istream> openInputFile(const std::string& path) override {
        inputsOpened.push_back(path);
        std::unique_ptr<std::istream> file = ModelShell::openInputFile(path);
        if (!file)
            return nullptr;
        return std::make_unique<CountedInput>(std::move(file), inputsClosed);
    }
    std::string programFolder() const override { return folder; }
    bool MetricUnits() const override { return lengthFactor != 1.0; }
    double LengthFactor() const override { return lengthFactor; }
    bool UpDatePinListEveryTime() const override { return updatePinListEveryTime; }
    std::string messageText(int number) const override {
        const auto text = texts.find(number);
        return text == texts.end() ? std::string() : text->second;
    }

private:
    class RecordingDeflection : public DeflectionAnalysis {
    public:
        explicit RecordingDeflection(std::vector<DeflectionLoadCall>& calls) : calls_(calls) {}
        void DeflectionLoad(double PN, double GN, double PinRPO, double GearRPO, double PhiNormalOperating,
                            double PTTK_ON, double GTTK_ON, double PinRR, double GearRR, double PinRO,
                            double GearRO, double Psi_O, double DC_O, double EdgeBreak_Max,
                            double TorquePinion, double PinFace, double GearFace,
                            double PinThetaOutsideRadius_degrees, double PinThetaLC_degrees,
                            std::int32_t IntExt) override {
            calls_.push_back({{PN, GN, PinRPO, GearRPO, PhiNormalOperating, PTTK_ON, GTTK_ON, PinRR, GearRR,
                               PinRO, GearRO, Psi_O, DC_O, EdgeBreak_Max, TorquePinion, PinFace, GearFace,
                               PinThetaOutsideRadius_degrees, PinThetaLC_degrees},
                              IntExt});
        }

    private:
        std::vector<DeflectionLoadCall>& calls_;
    };
    // The inert stand-ins, but a deflection analysis that records.
    class RecordingAnalyses : public AnalysisFactory {
    public:
        explicit RecordingAnalyses(RecordingShell& owner) : owner_(owner) {}
        std::unique_ptr<DeflectionAnalysis> createDeflection(T_Set&, ModelShell&) override {
            return std::make_unique<RecordingDeflection>(owner_.deflectionLoads);
        }

    private:
        RecordingShell& owner_;
    };
    RecordingAnalyses analyses_{*this};
    // Reads through the file it owns and counts itself closed when destroyed.
    class CountedInput : public std::istream {
    public:
        CountedInput(std::unique_ptr<std::istream> file, int& closed)
            : std::istream(file->rdbuf()), file_(std::move(file)), closed_(closed) {}
        ~CountedInput() override { ++closed_; }

    private:
        std::unique_ptr<std::istream> file_;
        int& closed_;
    };

    // Takes the place of its file in the files map only when committed
    // (runtime::commitOutput), as the shell's files do; dropped without it,
    // the earlier text of that path stays as it was.
    class Sink : public runtime::AtomicFile {
    public:
        Sink(std::map<std::string, std::string>& files, std::string path) : files_(files), path_(std::move(path)) {
            rdbuf(&text_);
            clear();
        }
        int commit() override {
            files_[path_] = text_.str();
            setstate(std::ios::badbit); // written once, as a real file
            return 0;
        }

    private:
        std::map<std::string, std::string>& files_;
        std::string path_;
        std::stringbuf text_;
    };
};

} // namespace cindrel::model::testing
