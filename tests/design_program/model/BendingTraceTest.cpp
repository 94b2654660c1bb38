#include "RecordingShell.h"
#include "ReferencePairs.h"

#include "model/T_Gear.h"
#include "model/T_Hob.h"
#include "model/T_Set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace cindrel::model {
namespace {

using testing::PairInputs;
using testing::RecordingShell;

enum class Routine { FullCircular, Trochoidal, Agma };

std::string goldenPath(const std::string& name) {
    return std::string(GEARSUITE_TEST_DATA) + "/design_program/model/bending/" + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> records(const std::string& file) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = file.find("\r\n"); end != std::string::npos; end = file.find("\r\n", start)) {
        lines.push_back(file.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, file.size()) << "every record ends with CR LF";
    return lines;
}

// The shell's CSV setting is on; each J routine leaves its trace in the
// recording shell's in-memory files.
class BendingTraceTest : public ::testing::Test {
protected:
    void setUp(const PairInputs& inputs) {
        shell.csv = true;
        testing::setUpPair(pair, inputs);
        pair.oPinion->oHob->SetDefaultHob(1);
        pair.oGear->oHob->SetDefaultHob(1);
    }

    double run(T_Gear& gear, Routine routine) {
        switch (routine) {
        case Routine::FullCircular: return gear.FullCircularFilletJFactor();
        case Routine::Trochoidal: return gear.ZRK_Trochoidal_JFactor();
        case Routine::Agma: return gear.AGMA_JFactor(0);
        }
        return 0;
    }

    const std::string& trace(const std::string& name) { return shell.files.at("/designs/pair_" + name); }

    RecordingShell shell;
    T_Set pair{shell};
};

TEST_F(BendingTraceTest, TracesMatchTheirGoldenFilesByteForByte) {
    struct Case {
        PairInputs inputs;
        int member;
        Routine routine;
        const char* file;
    };
    const Case cases[] = {
        // The 20-tooth pinion's fillet circle falls below the base circle; the gear's fits.
        {testing::spurPairInputs(), 0, Routine::FullCircular, "Pinion_FRR_Stress.csv"},
        {testing::spurPairInputs(), 1, Routine::FullCircular, "Gear_FRR_Stress.csv"},
        {testing::spurPairInputs(), 0, Routine::Trochoidal, "Pinion_ZRK-Hobbed_Stress.csv"},
        {testing::spurPairInputs(), 0, Routine::Agma, "Pinion_AGMA-Hobbed_Stress.csv"},
        {testing::helicalPairInputs(), 1, Routine::Agma, "Gear_AGMA-Hobbed_Stress.csv"},
    };
    for (const Case& c : cases) {
        RecordingShell caseShell;
        caseShell.csv = true;
        T_Set casePair(caseShell);
        testing::setUpPair(casePair, c.inputs);
        T_Gear& gear = casePair.member(c.member);
        gear.oHob->SetDefaultHob(1);
        const bool helical = c.inputs.helixAngleDegrees != 0;
        const std::string golden = std::string(helical ? "helical_" : "spur_") + c.file;
        switch (c.routine) {
        case Routine::FullCircular: gear.FullCircularFilletJFactor(); break;
        case Routine::Trochoidal: gear.ZRK_Trochoidal_JFactor(); break;
        case Routine::Agma: gear.AGMA_JFactor(0); break;
        }
        ASSERT_EQ(caseShell.files.size(), 1u) << golden;
        const std::string& written = caseShell.files.at(std::string("/designs/pair_") + c.file);
        if (std::getenv("GEARSUITE_WRITE_GOLDEN") != nullptr)
            std::ofstream(goldenPath(golden), std::ios::binary) << written;
        const std::string expected = readFile(goldenPath(golden));
        ASSERT_FALSE(expected.empty()) << golden;
        EXPECT_EQ(records(written), records(expected)) << golden;
        EXPECT_EQ(written, expected) << golden;
    }
}

TEST_F(BendingTraceTest, FullCircularTraceShowsWhichPlacementWasUsed) {
    setUp(testing::spurPairInputs());
    const double pinionJ = pair.oPinion->FullCircularFilletJFactor();
    pair.oGear->FullCircularFilletJFactor();
    const auto pinion = records(trace("Pinion_FRR_Stress.csv"));
    const auto gear = records(trace("Gear_FRR_Stress.csv"));
    EXPECT_EQ(pinion[3], "\"PINION bending stress routine\"");
    EXPECT_EQ(gear[3], "\"GEAR bending stress routine\"");
    EXPECT_THAT(pinion, ::testing::Contains("\"******Circular fillet placement below base circle******\""));
    EXPECT_THAT(gear, ::testing::Not(::testing::Contains(::testing::HasSubstr("******"))));
    EXPECT_EQ(pinion.back().substr(pinion.back().rfind(',') + 1), "0.384586182731897");
    EXPECT_NEAR(pinionJ, 0.384586182731897, 1e-15);
}

TEST_F(BendingTraceTest, TrochoidalTraceHasARowForEveryPoint) {
    setUp(testing::spurPairInputs());
    pair.oPinion->ZRK_Trochoidal_JFactor();
    const auto lines = records(trace("Pinion_ZRK-Hobbed_Stress.csv"));
    ASSERT_EQ(lines.size(), 3u + 3u + 300u + 3u);
    EXPECT_EQ(lines[1], "\"PhiHob \",\"HobTTK \",\"HobAddend \",\"EdgeRadius \",\"HalfFlat \",\"Tip2Flank\","
                        "\"Protuberance\"");
    EXPECT_TRUE(lines[6].starts_with("1,"));
    EXPECT_TRUE(lines[305].starts_with("300,"));
    EXPECT_EQ(lines[306], "\"end of iteration\"");
}

TEST_F(BendingTraceTest, AgmaTraceListsItsSixtyNineValues) {
    setUp(testing::spurPairInputs());
    const double j = pair.oPinion->AGMA_JFactor(0);
    const auto lines = records(trace("Pinion_AGMA-Hobbed_Stress.csv"));
    ASSERT_EQ(lines.size(), 69u);
    EXPECT_EQ(lines[0], "0.394586266445889,\"AGMA_JFactor, geometry factor\"");
    EXPECT_NEAR(j, 0.394586266445889, 1e-15);
    EXPECT_EQ(lines[16], "0,\"****************Tool Geometry variables*******************\"");
    EXPECT_EQ(lines[22], "10000,\" , tooth number of tool (virtual)\"");
    EXPECT_EQ(lines[59], "0.18,\" H, eq 5.74  parameter for stress correction\"");
    EXPECT_EQ(lines[60], "0.15,\" l, eq 5.75  parameter for stress correction\"");
    EXPECT_EQ(lines[61], "0.45,\" M, eq 5.76  parameter for stress correction\"");
    EXPECT_EQ(lines[62], "0,\" Y, Tooth form factor\"");
}

TEST_F(BendingTraceTest, FailedAgmaFactorWritesNoTrace) {
    setUp(testing::internalPairInputs());
    EXPECT_EQ(pair.oGear->AGMA_JFactor(0), -999);
    EXPECT_TRUE(shell.files.empty());
}

TEST_F(BendingTraceTest, NoTraceWithoutTheCsvSetting) {
    setUp(testing::spurPairInputs());
    shell.csv = false;
    for (Routine routine : {Routine::FullCircular, Routine::Trochoidal, Routine::Agma})
        run(*pair.oPinion, routine);
    EXPECT_TRUE(shell.files.empty());
}

// What the routines give when no trace can be written, to compare with.
double untracedJ(Routine routine) {
    RecordingShell quiet;
    T_Set quietPair(quiet);
    testing::setUpSpurPair(quietPair);
    quietPair.oPinion->oHob->SetDefaultHob(1);
    switch (routine) {
    case Routine::FullCircular: return quietPair.oPinion->FullCircularFilletJFactor();
    case Routine::Trochoidal: return quietPair.oPinion->ZRK_Trochoidal_JFactor();
    case Routine::Agma: return quietPair.oPinion->AGMA_JFactor(0);
    }
    return 0;
}

TEST_F(BendingTraceTest, TraceThatCannotBeOpenedLeavesJUnchanged) {
    setUp(testing::spurPairInputs());
    shell.failOpen = true;
    for (Routine routine : {Routine::FullCircular, Routine::Trochoidal, Routine::Agma})
        EXPECT_EQ(run(*pair.oPinion, routine), untracedJ(routine));
    EXPECT_TRUE(shell.files.empty());
    EXPECT_TRUE(shell.errors.empty());
}

// A shell whose trace files fail at the first write, as on a full disk, and
// count the commits that would tell the user.
class FailingFileShell : public RecordingShell {
public:
    int commits = 0;
    std::unique_ptr<std::ostream> openOutputFile(const std::string&) override {
        return std::make_unique<FailingFile>(commits);
    }

private:
    class FailingFile : public runtime::AtomicFile {
    public:
        explicit FailingFile(int& commits) : commits_(commits) {}
        int commit() override {
            ++commits_;
            return ENOSPC;
        }

    private:
        int& commits_;
    };
};

TEST(BendingTraceFailureTest, TraceThatFailsToWriteIsReportedOnceAndLeavesJUnchanged) {
    for (Routine routine : {Routine::FullCircular, Routine::Trochoidal, Routine::Agma}) {
        FailingFileShell shell;
        shell.csv = true;
        T_Set pair(shell);
        testing::setUpSpurPair(pair);
        T_Gear& pinion = *pair.oPinion;
        pinion.oHob->SetDefaultHob(1);
        const double j = routine == Routine::FullCircular ? pinion.FullCircularFilletJFactor()
                         : routine == Routine::Trochoidal ? pinion.ZRK_Trochoidal_JFactor()
                                                           : pinion.AGMA_JFactor(0);
        EXPECT_EQ(j, untracedJ(routine));
        ASSERT_EQ(shell.errors.size(), 1u);
        EXPECT_EQ(shell.errors[0].module, "T_Gear");
        EXPECT_EQ(shell.errors[0].number, "57");
        EXPECT_EQ(shell.commits, 1) << "committed, so that the shell's file tells why it failed";
    }
}

} // namespace
} // namespace cindrel::model
