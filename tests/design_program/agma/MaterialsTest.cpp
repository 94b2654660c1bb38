#include "agma/AGMA_Materials.h"
#include "agma/MaterialTree.h"

#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstdint>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace cindrel::agma {
namespace {

namespace fs = std::filesystem;
namespace Col = MaterialColumn;

const std::string Header = "Material table\r\nmade by hand\r\n\r\nid,parent,relation,text\r\n";

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class RecordingMessages : public MaterialMessages, public runtime::ErrorReporter {
public:
    std::vector<std::string> messages;
    std::vector<std::string> errors; // number, then the extra text
    void showMaterialsMessage(std::string_view text) override { messages.emplace_back(text); }
    void reportError(std::string_view module, std::string_view routine, std::string_view number,
                     std::string_view, std::string_view other) override {
        errors.push_back(std::string(module) + "/" + std::string(routine) + " " + std::string(number) + " " +
                         std::string(other));
    }
};

class UserTables : public ::testing::Test {
protected:
    TemporaryFolder folder;
    MaterialsLoad load() const { return AGMA_Materials(folder.path()).Materials(); }
    void write(const std::string& name, const std::string& rows) { writeFile(folder.file(name), Header + rows); }
};

// Walks the tree's parents: relationship 4 hangs a node under its relative,
// 0 to 3 beside it.
std::string pathOf(const MaterialsTable& table, int row) {
    std::string path = table.cell(row, Col::NodeText);
    for (;;) {
        const std::string& parent = table.cell(row, Col::Parent);
        if (parent.empty())
            return path;
        const int relative = std::stoi(parent);
        const bool child = table.cell(row, Col::Relationship) == "4";
        row = relative;
        if (child)
            path = table.cell(row, Col::NodeText) + "\\" + path;
    }
}

TEST_F(UserTables, WithoutUserTablesTheBuiltInRowsStandAlone) {
    writeFile(folder.file("mytbl"), Header + "0,,,x\r\n");
    writeFile(folder.file("tbl.txt"), Header + "0,,,x\r\n");
    writeFile(folder.file(".hidden.tbl"), Header + "0,,,x\r\n");
    fs::create_directory(folder.file("folder.tbl"));
    const MaterialsLoad result = load();
    const MaterialsTable& table = result.table;
    EXPECT_TRUE(result.leftOut.empty());
    ASSERT_EQ(table.rowCount(), 65);
    EXPECT_EQ(table.lastColumn(), 39);
    for (int row = 0; row < 65; ++row) {
        EXPECT_EQ(table.cell(row, Col::SourceKey), "AGMA 2001-C95");
        EXPECT_EQ(table.cell(row, Col::Id), std::to_string(row));
    }
    EXPECT_EQ(testsupport::errorNumberOf([&] { table.cell(65, 0); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(testsupport::errorNumberOf([&] { table.cell(0, 40); }), runtime::SubscriptOutOfRange);
    EXPECT_EQ(testsupport::errorNumberOf([&] { table.cell(0, -2); }), runtime::SubscriptOutOfRange);
}

TEST(BuiltInMaterials, FortyFieldsAndOneTreeUnderTheRoot) {
    const auto& rows = AGMA_Materials::builtInRows();
    for (std::size_t id = 0; id < rows.size(); ++id)
        EXPECT_EQ(std::count(rows[id].begin(), rows[id].end(), ','), 39) << id;
    TemporaryFolder empty;
    const MaterialsTable table = AGMA_Materials(empty.path()).Materials().table;
    EXPECT_EQ(table.cell(0, Col::Parent), "");
    EXPECT_EQ(table.cell(0, Col::MaterialClass), "");
    for (int row = 1; row < 65; ++row) {
        EXPECT_LT(std::stoi(table.cell(row, Col::Parent)), row) << row;
        EXPECT_EQ(table.cell(row, Col::Relationship), "4") << row;
    }
    const std::map<int, std::string> paths = {
        {3, "AGMA 2001-C95\\Steel\\Through Hardened\\Grade 1"},
        {19, "AGMA 2001-C95\\Steel\\Flame or induction hardened\\Type B (only flank hardened)\\Grade 2\\54 HRC (surface)"},
        {27, "AGMA 2001-C95\\Steel\\Nitrided\\Through Hardened Nitrided Steels\\83.5 HR15N (surface hardness)\\Grade 1"},
        {31, "AGMA 2001-C95\\Steel\\Nitrided\\84.5 HR15N (surface hardness)\\Grade 1"},
        {43, "AGMA 2001-C95\\Steel\\Nitrided\\2.5% Chrome (no Aluminum)\\Grade 3\\90 HR15N"},
        {56, "AGMA 2001-C95\\Iron\\ASTM A48 Gray Cast Iron\\Class 40  -As cast"},
        {61, "AGMA 2001-C95\\Iron\\ASTM A536 Ductile (nodular) Iron\\Grade 120-90-02 -Quenched and tempered"},
        {64, "AGMA 2001-C95\\Bronze\\ASTM B-148 Alloy 954 Heat treated"},
    };
    for (const auto& [row, path] : paths)
        EXPECT_EQ(pathOf(table, row), path);
}

// Allowable stress numbers as the AGMA 2001 rating standard publishes them:
// SAC and SAT as slope × HB + intercept (through hardened and nitrided steels)
// or as fixed values with their best-materials upper ends, hardness ranges,
// and the materials' class.
TEST(BuiltInMaterials, AllowableStressNumbersArePublishedOnes) {
    struct Published {
        int row;
        const char* materialClass;
        double sacSlope, sac, sacBest, satSlope, sat, satBest, lowest, highest;
        const char* unit;
    };
    const Published published[] = {
        {3, "Through Hardened steel", 322, 29100, 0, 77.3, 12800, 0, 100, 650, "BHN"},
        {4, "Through Hardened steel", 349, 34300, 0, 102, 16400, 0, 100, 650, "BHN"},
        {8, "Flame or induction hardened steel", 0, 170000, 0, 0, 45000, 0, 50, 0, "HRC"},
        {12, "Flame or induction hardened steel", 0, 195000, 0, 0, 55000, 0, 54, 0, "HRC"},
        {15, "Flame or induction hardened steel", 0, 170000, 0, 0, 22000, 0, 50, 0, "HRC"},
        {21, "Carburized steel", 0, 180000, 0, 0, 55000, 0, 55, 64, "HRC"},
        {22, "Carburized steel", 0, 225000, 0, 0, 65000, 0, 58, 64, "HRC"},
        {23, "Carburized steel", 0, 275000, 0, 0, 75000, 0, 58, 64, "HRC"},
        {27, "Nitrided steel", 0, 150000, 0, 82.3, 12150, 0, 270, 340, "BHN core hardness"},
        {33, "Nitrided steel", 0, 180000, 0, 108.6, 15890, 0, 270, 340, "BHN core hardness"},
        {36, "Nitrided steel", 0, 155000, 0, 105.2, 9280, 0, 300, 340, "BHN core hardness"},
        {40, "Nitrided steel", 0, 196000, 0, 105.2, 22280, 0, 300, 340, "BHN core hardness"},
        {43, "Nitrided steel", 0, 216000, 0, 105.2, 29280, 0, 300, 340, "BHN core hardness"},
        {45, "Nitrided steel", 0, 170000, 0, 86.2, 12730, 0, 265, 340, "BHN core hardness"},
        {51, "Nitrided steel", 0, 205000, 0, 113.8, 16650, 0, 270, 340, "BHN core hardness"},
        {54, "Iron", 0, 50000, 60000, 0, 5000, 0, 0, 0, "BHN"},
        {56, "Iron", 0, 75000, 85000, 0, 13000, 0, 201, 0, "BHN surface hardness"},
        {58, "Iron", 0, 77000, 92000, 0, 22000, 33000, 140, 0, "BHN surface hardness"},
        {61, "Iron", 0, 103000, 126000, 0, 31000, 44000, 269, 0, "BHN surface hardness"},
        {63, "Bronze", 0, 30000, 0, 0, 5700, 0, 40000, 0, "PSI min tensile strength"},
        {64, "Bronze", 0, 65000, 0, 0, 23600, 0, 90000, 0, "PSI min tensile strength"},
    };
    TemporaryFolder empty;
    const MaterialsTable table = AGMA_Materials(empty.path()).Materials().table;
    for (const Published& p : published) {
        const MaterialRecord m = table.record(p.row);
        SCOPED_TRACE(p.row);
        EXPECT_EQ(m.text(Col::MaterialClass), p.materialClass);
        EXPECT_EQ(m.text(Col::DataSource), "AGMA 2001 - C95");
        EXPECT_EQ(m.number(Col::SacSlope), p.sacSlope);
        EXPECT_EQ(m.number(Col::SacIntercept), p.sac);
        EXPECT_EQ(m.number(Col::SacBest), p.sacBest);
        EXPECT_EQ(m.number(Col::SatSlope), p.satSlope);
        EXPECT_EQ(m.number(Col::SatIntercept), p.sat);
        EXPECT_EQ(m.number(Col::SatBest), p.satBest);
        EXPECT_EQ(m.number(Col::HardnessLowest), p.lowest);
        EXPECT_EQ(m.number(Col::HardnessHighest), p.highest);
        EXPECT_EQ(m.text(Col::HardnessUnit), p.unit);
    }
}

// The stress cycle curves of the AGMA 2001 figures: Zn 2.466 N^-0.056 below
// the knee at 10^7 (nitrided 1.249 N^-0.0138), 1.4488 N^-0.023 above;
// Yn below the knee at 3·10^6 by hardness (666), 2.3194 N^-0.0538 (160 HB),
// 6.1514 N^-0.1192 (carburized), 3.517 N^-0.0817 (nitrided); above it
// 1.3558 N^-0.0178, conservatively 1.6831 N^-0.0323.
TEST(BuiltInMaterials, StressCycleCurvesArePublishedOnes) {
    TemporaryFolder empty;
    const MaterialsTable table = AGMA_Materials(empty.path()).Materials().table;
    const auto cells = [&](int row, int first, int last) {
        std::string joined;
        for (int c = first; c <= last; ++c)
            joined += table.cell(row, c) + (c < last ? "," : "");
        return joined;
    };
    const std::string aboveKnees = "1.3558,-0.0178,1.6831,-0.0323";
    struct Curves {
        int row;
        const char* zn;       // columns 21 to 28
        const char* ynBelow;  // columns 29 to 32
    };
    const Curves curves[] = {
        {3, "10000,10000000,2.466,-0.056,1.4488,-0.023,2.466,-0.056", "1000,3000000,666,666"},
        {8, "10000,10000000,2.466,-0.056,1.4488,-0.023,2.466,-0.056", "1000,3000000,2.3194,-0.0538"},
        {22, "10000,10000000,2.466,-0.056,1.4488,-0.023,2.466,-0.056", "1000,3000000,6.1514,-0.1192"},
        {31, "10000,10000000,1.249,-0.0138,1.4488,-0.023,2.466,-0.056", "1000,3000000,3.517,-0.0817"},
    };
    for (const Curves& c : curves) {
        EXPECT_EQ(cells(c.row, 21, 28), c.zn) << c.row;
        EXPECT_EQ(cells(c.row, 29, 32), c.ynBelow) << c.row;
        EXPECT_EQ(cells(c.row, 33, 36), aboveKnees) << c.row;
    }
    EXPECT_EQ(cells(60, 21, 36), ",,1,0,1,0,1,0,,,1,0,1,0,1,0"); // irons and bronzes: factor 1
    // Every nitrided row takes the nitrided curves, Nitralloy 135M grade 3 included.
    for (int row : {27, 37, 45, 46, 47, 51})
        EXPECT_EQ(cells(row, 21, 36), "10000,10000000,1.249,-0.0138,1.4488,-0.023,2.466,-0.056,"
                                      "1000,3000000,3.517,-0.0817," + aboveKnees)
            << row;
}

TEST(MaterialTree, NodesInRowOrderWithTheirRelatives) {
    TemporaryFolder empty;
    const MaterialsTable table = AGMA_Materials(empty.path()).Materials().table;
    const std::vector<MaterialNode> nodes = materialTreeNodes(table);
    ASSERT_EQ(nodes.size(), 65u);
    EXPECT_EQ(nodes[0].key, "0a");
    EXPECT_EQ(nodes[0].relativeKey, "");
    EXPECT_EQ(nodes[0].text, "AGMA 2001-C95");
    EXPECT_EQ(nodes[30].key, "30a");
    EXPECT_EQ(nodes[30].relativeKey, "24a");
    EXPECT_EQ(nodes[30].relationship, 4);
    EXPECT_EQ(nodes[30].text, "84.5 HR15N (surface hardness)");
    EXPECT_EQ(nodes[26].relativeKey, "25a");
}

TEST(MaterialTree, KeysNameRows) {
    TemporaryFolder empty;
    const MaterialsTable table = AGMA_Materials(empty.path()).Materials().table;
    EXPECT_EQ(materialRowOfKey("23a"), 23);
    EXPECT_EQ(materialRowOfKey("lblRecordKey"), 0);
    EXPECT_EQ(materialRowOfKey("-4a"), 0);
    EXPECT_EQ(materialRowOfKey("1e99a"), 0);
    EXPECT_EQ(materialRowNamed("23a", table), 23);
    for (const char* key : {"0a", "65a", "23", "23b", " 23a", "", "lblRecordKey", "99999a"})
        EXPECT_EQ(materialRowNamed(key, table), std::nullopt) << key;
}

TEST_F(UserTables, RowsFollowTheBuiltInOnesWithTheirParentsMoved) {
    write("steels.tbl", "0,,,My steels,x,src\r\n1,0,4,Soft\r\n2,0,4,Hard,Through Hardened steel\r\n");
    const MaterialsLoad result = load();
    const MaterialsTable& table = result.table;
    EXPECT_TRUE(result.leftOut.empty());
    ASSERT_EQ(table.rowCount(), 68);
    EXPECT_EQ(table.cell(0, Col::SourceKey), "AgmaMaterials");
    const char* parents[] = {"", "65", "65"};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(table.cell(65 + r, Col::SourceKey), "steels.tbl");
        EXPECT_EQ(table.cell(65 + r, Col::Id), std::to_string(65 + r));
        EXPECT_EQ(table.cell(65 + r, Col::Parent), parents[r]);
    }
    EXPECT_EQ(table.cell(67, Col::MaterialClass), "Through Hardened steel");
    EXPECT_EQ(table.cell(66, Col::MaterialClass), "");
    const std::vector<MaterialNode> nodes = materialTreeNodes(table);
    EXPECT_EQ(nodes[66].relativeKey, "65a");
    EXPECT_EQ(nodes[65].relativeKey, "");
}

TEST_F(UserTables, TablesJoinInNameOrderIdsInAnyOrder) {
    write("b.tbl", "1,0,4,B child\r\n0,,,B top\r\n");
    write("A.TBL", "0,,,A top\r\n");
    write("a.tbl", "0,,,a top\r\n");
    const MaterialsTable table = load().table;
    ASSERT_EQ(table.rowCount(), 69);
    EXPECT_EQ(table.cell(65, Col::SourceKey), "A.TBL");
    EXPECT_EQ(table.cell(66, Col::SourceKey), "a.tbl");
    EXPECT_EQ(table.cell(67, Col::NodeText), "B top");
    EXPECT_EQ(table.cell(68, Col::NodeText), "B child");
    EXPECT_EQ(table.cell(68, Col::Parent), "67");
}

TEST_F(UserTables, WideRowsWidenTheTableShortRowsLeaveCellsEmpty) {
    std::string wide = "0,,,wide";
    for (int i = 4; i < 45; ++i)
        wide.append(",").append(std::to_string(i));
    write("wide.tbl", wide + "\r\n1,0,4,short,c4,c5,c6,c7,c8,c9\r\n");
    const MaterialsTable table = load().table;
    EXPECT_EQ(table.lastColumn(), 44);
    EXPECT_EQ(table.cell(65, 44), "44");
    EXPECT_EQ(table.cell(66, 9), "c9");
    EXPECT_EQ(table.cell(66, 10), "");
    EXPECT_EQ(table.cell(0, 44), "");
}

TEST_F(UserTables, LineEndsEmptyLinesAndLatin1) {
    writeFile(folder.file("cr.tbl"), "h\rh\rh\rh\r0,,,cr top\r\r1,0,4,cr child\r");
    writeFile(folder.file("lf.tbl"), "h\nh\nh\nh\n\n0,,, spaced \n1,0,4,Stahl m\xE4\xDFig");
    writeFile(folder.file("utf8.tbl"), "h\nh\nh\nh\n0,,,Stahl m\xC3\xA4\xC3\x9Fig\n");
    const MaterialsLoad result = load();
    EXPECT_TRUE(result.leftOut.empty());
    const MaterialsTable& table = result.table;
    ASSERT_EQ(table.rowCount(), 70);
    EXPECT_EQ(table.cell(66, Col::NodeText), "cr child");
    EXPECT_EQ(table.cell(67, Col::NodeText), " spaced ");
    EXPECT_EQ(table.cell(68, Col::NodeText), "Stahl m\xC3\xA4\xC3\x9Fig");
    EXPECT_EQ(table.cell(69, Col::NodeText), "Stahl m\xC3\xA4\xC3\x9Fig");
}

TEST_F(UserTables, FractionalIdsRoundHalvesToEven) {
    write("halves.tbl", "0.5,,,zero\r\n1.5,0,4,two\r\n1.4,0,4,one\r\n");
    const MaterialsLoad result = load();
    ASSERT_TRUE(result.leftOut.empty());
    EXPECT_EQ(result.table.cell(65, Col::NodeText), "zero");
    EXPECT_EQ(result.table.cell(66, Col::NodeText), "one");
    EXPECT_EQ(result.table.cell(67, Col::NodeText), "two");
}

TEST_F(UserTables, FaultyFilesAreLeftOutWithLineAndReason) {
    struct Case {
        const char* name;
        std::string bytes;
        int line;
        const char* reason;
    };
    const Case cases[] = {
        {"blank.tbl", Header + "0,,,top\r\n \r\n", 6, "the row id \" \" is not a number"},
        {"gap.tbl", Header + "0,,,top\r\n5,0,4,far\r\n", 6, "the row id 5 is not between 0 and 1"},
        {"negative.tbl", Header + "-1,,,top\r\n", 5, "the row id -1 is not between 0 and 0"},
        {"twice.tbl", Header + "0,,,top\r\n1,0,4,a\r\n1,0,4,b\r\n", 7, "the row id 1 was already given on line 6"},
        {"late.tbl", Header + "0,,,top\r\n1,2,4,a\r\n2,0,4,b\r\n", 6, "the parent 2 is not a row before row 1 of the file"},
        {"self.tbl", Header + "0,0,4,top\r\n", 5, "the parent 0 is not a row before row 0 of the file"},
        {"parent.tbl", Header + "0,,,top\r\n1,x,4,a\r\n", 6, "the parent \"x\" is not a number"},
        {"long.tbl", Header + std::string(5000, 'y') + ",,,top\r\n", 5,
         "the row id \"yyyyyyyyyyyyyyyyyyyyyyyy...\" is not a number"},
        {"relation.tbl", Header + "0,,,top\r\n1,0,7,a\r\n", 6, "the relationship \"7\" is not 0 to 4"},
        {"norelation.tbl", Header + "0,,,top\r\n1,0\r\n", 6, "the relationship \"\" is not 0 to 4"},
        {"header.tbl", Header, 0, "the file has no rows after its four header lines"},
        {"short.tbl", "one\r\ntwo\r\n", 0, "the file has fewer than its four header lines"},
        {"empty.tbl", "", 0, "the file has fewer than its four header lines"},
        {"binary.tbl", Header + std::string("0,,,a\0b\r\n", 9), 5, "the file is not text (it holds a NUL byte)"},
        {"fields.tbl", Header + "0,,,top\r\n1,0,4" + std::string(98, ',') + "\r\n", 6, "the row has more than 100 fields"},
        {"huge.tbl", Header + std::string(MaterialFileByteLimit, 'x'), 0, "the file is 1 MiB or larger"},
    };
    for (const Case& c : cases)
        writeFile(folder.file(c.name), c.bytes);
    write("good.tbl", "0,,,good\r\n1,0,4" + std::string(97, ',') + "\r\n"); // 100 fields: the most
    const MaterialsLoad result = load();
    ASSERT_EQ(result.table.rowCount(), 67);
    EXPECT_EQ(result.table.cell(65, Col::SourceKey), "good.tbl");
    std::map<std::string, LeftOutFile> leftOut;
    for (const LeftOutFile& file : result.leftOut)
        leftOut[file.name] = file;
    ASSERT_EQ(leftOut.size(), std::size(cases));
    for (const Case& c : cases) {
        EXPECT_EQ(leftOut[c.name].line, c.line) << c.name;
        EXPECT_EQ(leftOut[c.name].reason, c.reason) << c.name;
    }
}

TEST_F(UserTables, RowsStayWithinTheSixteenBitRowNumbers) {
    const auto rows = [](int count) {
        std::string text = "0,,,top\n";
        for (int id = 1; id < count; ++id)
            text += std::to_string(id) + ",0,4,m\n";
        return text;
    };
    write("a.tbl", rows(32767 - 65 + 1)); // rows 65 to 32767
    write("b.tbl", rows(1));
    MaterialsLoad result = load();
    EXPECT_EQ(result.table.rowCount(), 32768);
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut[0].name, "b.tbl");
    EXPECT_EQ(result.leftOut[0].reason, "its rows would lie beyond row 32767 of the materials");
}

TEST_F(UserTables, AnUnreadableFileIsLeftOut) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    write("locked.tbl", "0,,,top\r\n");
    fs::permissions(folder.file("locked.tbl"), fs::perms::none);
    const MaterialsLoad result = load();
    fs::permissions(folder.file("locked.tbl"), fs::perms::owner_all);
    EXPECT_EQ(result.table.rowCount(), 65);
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut[0].errorNumber, runtime::PermissionDenied);
    EXPECT_EQ(result.leftOut[0].reason.rfind("the file cannot be opened: ", 0), 0u);
}

TEST_F(UserTables, AFileThatFailsWhileBeingReadIsLeftOut) {
    // Reading the process's memory at address 0 fails with an I/O error.
    if (!fs::is_regular_file("/proc/self/mem"))
        GTEST_SKIP() << "no /proc/self/mem";
    fs::create_symlink("/proc/self/mem", folder.file("memory.tbl"));
    write("good.tbl", "0,,,good\r\n");
    const MaterialsLoad result = load();
    EXPECT_EQ(result.table.rowCount(), 66);
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut[0].name, "memory.tbl");
    EXPECT_EQ(result.leftOut[0].errorNumber, runtime::DeviceIOError);
    EXPECT_EQ(result.leftOut[0].reason.rfind("the file cannot be read: ", 0), 0u);
}

TEST_F(UserTables, OneMessageListsTheFilesLeftOutAndNothingIsTouched) {
    write("good.tbl", "0,,,good\r\n");
    write("gap.tbl", "0,,,top\r\n5,0,4,far\r\n");
    write("header.tbl", "");
    const auto listing = [&] {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return files;
    };
    const auto before = listing();
    for (int run = 0; run < 2; ++run) {
        RecordingMessages recorder;
        const MaterialsTable table = LoadMaterials(folder.path(), recorder, recorder);
        EXPECT_EQ(table.rowCount(), 66);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0],
                  "These material files were left out; the built-in materials and the other files are loaded:\n"
                  "gap.tbl, line 6: the row id 5 is not between 0 and 1\n"
                  "header.tbl: the file has no rows after its four header lines\n"
                  "Correct the file and open the program again to use its materials.");
        ASSERT_EQ(recorder.errors.size(), 2u);
        EXPECT_EQ(recorder.errors[0], "AGMA_Materials/Materials 9 gap.tbl, line 6: the row id 5 is not between 0 and 1");
    }
    EXPECT_EQ(listing(), before);

    RecordingMessages quiet;
    fs::remove(folder.file("gap.tbl"));
    fs::remove(folder.file("header.tbl"));
    EXPECT_EQ(LoadMaterials(folder.path(), quiet, quiet).rowCount(), 66);
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_TRUE(quiet.errors.empty());
}

// Damaged files: whatever the bytes, a file is either taken whole, every row
// under its own id with its parent before it, or left out with a reason.
TEST(MaterialFileParsing, DamagedBytesAreTakenWholeOrLeftOut) {
    const std::string good = Header + "0,,,top,x\r\n1,0,4,a,y\r\n2,1,4,b\r\n3,0,2,c\r\n";
    const char alphabet[] = {'0', '1', '2', '3', '4', '7', ',', '\r', '\n', ' ', '.', '-', 'e', 'x', '\0', '\xE4', '\xC3'};
    std::uint32_t seed = 12345;
    const auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    int taken = 0;
    for (int run = 0; run < 3000; ++run) {
        std::string bytes = good;
        for (int change = 0, changes = 1 + next() % 4; change < changes; ++change) {
            const std::size_t at = next() % bytes.size();
            const char c = alphabet[next() % sizeof alphabet];
            switch (next() % 3) {
            case 0: bytes[at] = c; break;
            case 1: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), c); break;
            default: bytes.erase(at, 1); break;
            }
        }
        const auto parsed = parseMaterialFile("f.tbl", bytes, 65);
        if (const auto* left = std::get_if<LeftOutFile>(&parsed)) {
            EXPECT_FALSE(left->reason.empty());
            continue;
        }
        ++taken;
        const auto& rows = std::get<MaterialFileRows>(parsed).rows;
        for (std::size_t id = 0; id < rows.size(); ++id) {
            ASSERT_FALSE(rows[id].empty()) << bytes;
            EXPECT_EQ(rows[id][0], std::to_string(id)) << bytes;
            if (rows[id].size() > 1 && !rows[id][1].empty()) {
                EXPECT_LT(std::stoul(rows[id][1]), id) << bytes;
            }
        }
    }
    EXPECT_GT(taken, 100); // the damage leaves many files whole
}

TEST(MaterialsFolder, AMissingFolderGivesTheBuiltInRows) {
    const MaterialsLoad result = AGMA_Materials("/nonexistent/folder").Materials();
    EXPECT_EQ(result.table.rowCount(), 65);
    EXPECT_TRUE(result.leftOut.empty());
}

} // namespace
} // namespace cindrel::agma
