#include "StartedProgram.h"

#include "forms/Label.h"
#include "shell/ShellWindows.h"

#include <gmock/gmock.h>

using ::testing::ElementsAreArray;

namespace {

// Every saved control of the design windows, in the order a design file holds them.
const std::vector<std::string> designFileOrder = {
    "frmMFGOutputs_lblDecimalPlacesMFG",
    "frmMFGOutputs_lblHelixHandPinion",
    "frmMFGOutputs_txtTIF#0",
    "frmMFGOutputs_txtTIF#1",
    "frmMFGOutputs_txtPinDiam#0",
    "frmMFGOutputs_txtPinDiam#1",
    "frmMFGOutputs_txtTeethSpanned#0",
    "frmMFGOutputs_txtTeethSpanned#1",
    "frmMFGOutputs_txtMFGNotes",
    "frmMFGOutputs_chkUseMFGNotes",
    "frmMain_lblRunNotes",
    "frmMain_lblPAPlane",
    "frmMain_lblPADMS",
    "frmMain_lblPAHowMeasured",
    "frmMain_lblDPPlane",
    "frmMain_txtPARad",
    "frmMain_txtNumTeeth#0",
    "frmMain_txtFaceWidth#0",
    "frmMain_txtDP",
    "frmMain_txtNumTeeth#1",
    "frmMain_txtFaceWidth#1",
    "frmMain_lblHelixAngleDMS",
    "frmMain_lblHAHowMeasured",
    "frmMain_lblToothOrient",
    "frmMain_txtHelixAngleRAD",
    "frmMain_txtHelixAngleDEG",
    "frmMain_txtPADeg",
    "frmMain_chkMetricUnits",
    "frmMain_lblOCDHowInput",
    "frmMain_lblMeshOption",
    "frmMain_txtOCD",
    "frmMain_lblTThkHowInput#0",
    "frmMain_lblTThkHowInput#1",
    "frmMain_txtMaxBlockMeas#0",
    "frmMain_txtNumTeethMeas#0",
    "frmMain_txtMinBlockMeas#0",
    "frmMain_txtPinDia#0",
    "frmMain_txtMinPinMeas#0",
    "frmMain_txtMaxPinMeas#0",
    "frmMain_txtAddendumMod#0",
    "frmMain_txtTThkPercentage#1",
    "frmMain_txtMinEdgeBreak#0",
    "frmMain_txtMaxEdgeBreak#0",
    "frmMain_txtMinEdgeBreak#1",
    "frmMain_txtMaxEdgeBreak#1",
    "frmMain_txtMaxBL",
    "frmMain_txtMinBL",
    "frmMain_txtTThkPercentage#0",
    "frmMain_txtMaxTThk#0",
    "frmMain_txtMinTThk#0",
    "frmMain_chkTThkOperating#0",
    "frmMain_chkTThkTransverse#0",
    "frmMain_chkCircularTThk#0",
    "frmMain_txtMaxTThk#1",
    "frmMain_txtMinTThk#1",
    "frmMain_chkTThkOperating#1",
    "frmMain_chkTThkTransverse#1",
    "frmMain_chkCircularTThk#1",
    "frmMain_txtMaxBlockMeas#1",
    "frmMain_txtNumTeethMeas#1",
    "frmMain_txtMinBlockMeas#1",
    "frmMain_txtPinDia#1",
    "frmMain_txtMinPinMeas#1",
    "frmMain_txtMaxPinMeas#1",
    "frmMain_txtAddendumMod#1",
    "frmMain_lblODHowInput#1",
    "frmMain_lblODHowInput#0",
    "frmMain_lblWholeDepthHowInput#1",
    "frmMain_lblWholeDepthHowInput#0",
    "frmMain_lblFilletType#1",
    "frmMain_lblFilletType#0",
    "frmMain_txtWholeDepth#0",
    "frmMain_txtODDim#0",
    "frmMain_TxtAddTol#0",
    "frmMain_txtODDim#1",
    "frmMain_TxtAddTol#1",
    "frmMain_txtWholeDepth#1",
    "frmMain_chkAGMA",
    "frmMain_lblHobNormalVsActual#1",
    "frmMain_txtHobTThk#1",
    "frmMain_txtHobEdgeRad#1",
    "frmMain_txtHobAddendum#1",
    "frmMain_txtHobPA#1",
    "frmMain_txtHobProtuberance#1",
    "frmMain_lblHobNormalVsActual#0",
    "frmMain_txtHobTThk#0",
    "frmMain_txtHobPA#0",
    "frmMain_txtHobAddendum#0",
    "frmMain_txtHobEdgeRad#0",
    "frmMain_txtHobProtuberance#0",
    "frmMain_txtPoissonRatio#0",
    "frmMain_txtYoungsModulus#0",
    "frmMain_txtYoungsModulus#1",
    "frmMain_txtPoissonRatio#1",
    "frmMain_lblPowerHowInput",
    "frmMain_txtPowerInput1",
    "frmMain_txtPowerInput2",
    "frmMain_txtKs",
    "frmMain_txtKt",
    "frmMain_txtKv",
    "frmMain_txtKm",
    "frmMain_txtKo",
    "frmMain_txtKB#1",
    "frmMain_txtZn#0",
    "frmMain_txtYn#0",
    "frmMain_txtZn#1",
    "frmMain_txtYn#1",
    "frmMain_txtSf#0",
    "frmMain_txtSf#1",
    "frmMain_txtSh#0",
    "frmMain_txtSh#1",
    "frmMain_txtKr",
    "frmMain_txtKB#0",
    "frmMain_txtCh",
    "frmMain_txtCf",
    "frmMain_lblPinionDriving",
    "frmMain_txtLubeTemp",
    "frmMain_txtLubeViscosity",
    "frmMain_txtLubeExponent",
    "frmMain_txtSurfaceFinish",
    "frmMain_txtFrictionCoeff",
    "frmMain_lblModifiedProfiles",
    "frmMain_lblSubShear",
    "frmMain_txtSafetyFactorSS",
    "frmAGMA_lblRecordKey#1",
    "frmAGMA_lblRecordKey#0",
    "frmAGMA_chkReversing#0",
    "frmAGMA_chkReversing#1",
    "frmAGMA_txtBHN#0",
    "frmAGMA_txtBHN#1",
    "frmAGMA_chkBestMats#0",
    "frmAGMA_chkBestMats#1",
    "frmAGMA_lblComboQuality#0",
    "frmAGMA_lblComboQuality#1",
    "frmAGMA_txtKV",
    "frmAGMA_lbloptGearStyle",
    "frmAGMA_chkCE",
    "frmAGMA_chkCMC",
    "frmAGMA_txtKmOffset",
    "frmAGMA_txtKmSpan",
    "frmAGMA_txtKm",
    "frmAGMA_txtKt",
    "frmAGMA_lblKoSelection",
    "frmAGMA_txtKo",
    "frmAGMA_lblKrSelection",
    "frmAGMA_txtKr",
    "frmAGMA_txtKs",
    "frmAGMA_chkConservative#1",
    "frmAGMA_chkConservative#0",
    "frmAGMA_txtContacts#1",
    "frmAGMA_txtContacts#0",
    "frmAGMA_txtLife",
    "frmAGMA_txtLife#2",
    "frmAGMA_txtLife#0",
    "frmAGMA_txtZn#1",
    "frmAGMA_txtYn#1",
    "frmAGMA_txtZn#0",
    "frmAGMA_txtYn#0",
    "frmAGMA_txtCf",
    "frmAGMA_txtSf#0",
    "frmAGMA_txtSf#1",
    "frmAGMA_txtSh#0",
    "frmAGMA_txtSh#1",
    "frmAGMA_txtCh#1",
    "frmAGMA_txtSurfaceBHN#1",
    "frmAGMA_txtSurfaceBHN#0",
    "frmAGMA_txtCh#0",
    "frmAGMA_txtRMS",
    "frmAGMA_txtKb#0",
    "frmAGMA_txtKBin#1",
    "frmAGMA_txtKBin#0",
    "frmAGMA_txtKb#1",
    "frmAGMA_txtKBin#3",
    "frmAGMA_txtKBin#2",
    "frmAGMA_txtInps",
};

std::vector<std::string> inFileOrder(const std::vector<QString>& keys)
{
    std::vector<std::string> ordered;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        ordered.push_back(key->toStdString());
    return ordered;
}

TEST_F(StartedProgram, StartReadsTheShippedDefaultDesignIntoTheLoadedWindows)
{
    answerDisclaimer(true, true);
    cindrel::shell::T_colData& files = *startup->gobjColData();
    const std::vector<std::string> keys = inFileOrder(files.keys());
    ASSERT_GE(keys.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 10),
              std::vector<std::string>(designFileOrder.begin(), designFileOrder.begin() + 10))
        << "the manufacturing window's records come first";
    for (const std::string& key : keys)
        EXPECT_NE(std::find(designFileOrder.begin(), designFileOrder.end(), key), designFileOrder.end()) << key;
    EXPECT_EQ(files.DefaultFileName(), (programFolder() / "Cindrel.def").string());
    EXPECT_FALSE(files.isUserFile());
    EXPECT_FALSE(files.DataChanged());
    EXPECT_EQ(window("frmMain").caption(), "Cindrel");
    EXPECT_EQ(window("frmMain").get<forms::Label>(QStringLiteral("lblRunNotes")).caption(), "Nothing");
    EXPECT_EQ(window("frmMFGOutputs").get<forms::TextBox>(QStringLiteral("txtTeethSpanned"), 1).text(), "5");
    const std::vector<std::string> lines = runLogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), std::to_string(lines.size()) + ", T_colData initialized"),
              lines.end());
}

TEST_F(StartedProgram, TheDefaultDesignHoldsEveryRecordOnce)
{
    std::vector<std::string> keys;
    std::istringstream text(fileText(programFolder() / "Cindrel.def"));
    for (std::string line; std::getline(text, line);) {
        ASSERT_TRUE(line.ends_with('\r')) << line;
        keys.push_back(line.substr(1, line.find('"', 1) - 1));
    }
    EXPECT_THAT(keys, ElementsAreArray(designFileOrder));
}

TEST_F(StartedProgram, NotesWithQuotesComeBackAndLookingAtThemChangesNothing)
{
    answerDisclaimer(true, false);
    const auto design = folder.file("notes.cnd");
    std::ofstream(design, std::ios::binary)
        << "\"frmMain_lblRunNotes\",\"Pinion ~dblquotesA~dblquotes~crlfsecond line\"\r\n";
    ASSERT_TRUE(startup->gobjColData()->FileOpen(design.string()));
    forms::Form& notes = window("frmRunNotes");
    notes.show();
    EXPECT_EQ(cindrel::shell::notesForDisplay(window("frmMain").get<forms::Label>(QStringLiteral("lblRunNotes")).caption()),
              "Pinion \"A\"\r\nsecond line");
    notes.unload();
    EXPECT_FALSE(startup->gobjColData()->DataChanged());
    EXPECT_EQ(window("frmMain").caption(), "Cindrel;   notes");
}

TEST_F(StartedProgram, AWholeDesignIsReadAndWrittenBackByteForByte)
{
    answerDisclaimer(true, false);
    cindrel::shell::T_colData& files = *startup->gobjColData();
    EXPECT_THAT(inFileOrder(files.keys()), ElementsAreArray(designFileOrder));
    EXPECT_FALSE(files.DataChanged()) << "the default design fits the windows";
    EXPECT_EQ(files.designText(), fileText(programFolder() / "Cindrel.def"));

    const std::string golden = fileText(GEARSUITE_TEST_DATA "/design_program/shell/golden.cnd");
    std::string name = GEARSUITE_TEST_DATA "/design_program/shell/golden.cnd";
    ASSERT_TRUE(files.ReadFile(name));
    EXPECT_FALSE(files.DataChanged()) << "reading leaves nothing changed";
    const auto copy = folder.file("copy.cnd");
    dialogs.answerFile(QString::fromStdString(copy.string()));
    ASSERT_TRUE(files.FileSaveAs());
    EXPECT_EQ(fileText(copy), golden);
}

} // namespace
