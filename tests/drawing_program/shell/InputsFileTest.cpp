#include "ShellFixture.h"

#include "shell/mMiscellaneous.h"

#include "support/FifoWatchdog.h"
#include "support/TemporaryFolder.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>

#include <sys/stat.h>

using namespace vantropetest;

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

struct InputsFile : ShellTest {
    TemporaryFolder folder;

    InputsFile() { firstClick(); }

    // replace: the answer to "replace the file?", when it is asked.
    void save(const std::filesystem::path& path, std::optional<int> replace = std::nullopt)
    {
        dialogProvider.answerFile(QString::fromStdString(path.string()));
        if (replace)
            dialogProvider.answerMessageBox(*replace);
        menu("mnuSave").click();
        settle();
    }
    void open(const std::filesystem::path& path)
    {
        dialogProvider.answerFile(QString::fromStdString(path.string()));
        menu("mnuOpen").click();
        settle();
    }
    // Every saved field, as the file would hold it.
    std::string fields()
    {
        vantrope::mMiscellaneous misc(*startup);
        return misc.InputsFileText();
    }
    std::string messages() { return startup->messages().text(); }
};

const std::filesystem::path Golden = std::filesystem::path(VANTROPE_TEST_DATA) / "initial-dialog.VPX";

TEST_F(InputsFile, InitialDialogIsWrittenByteForByte)
{
    const auto path = folder.file("pair.VPX");
    save(path);
    EXPECT_EQ(readFile(path), readFile(Golden));
}

TEST_F(InputsFile, GoldenFileReadsBackIntoTheFields)
{
    const std::string before = fields();
    box("txtN", 2).setText("18");
    box("txtPhi").setText("22.5");
    check("chkFRR", 3).setCheckValue(0);
    meshButton(0).setSelected(true);
    settle();
    ASSERT_NE(fields(), before);
    open(Golden);
    EXPECT_EQ(fields(), before);
    EXPECT_TRUE(meshButton(1).isSelected());
}

TEST_F(InputsFile, KnownKeysAreSetAndUnknownOnesSkipped)
{
    const auto path = folder.file("two");
    writeFile(path, "\"frmInputs_txtN#2\",\"18\"\r\n\"frmInputs_foo\",\"1\"\r\n");
    open(path);
    EXPECT_EQ(box("txtN", 2).text(), "18");
    EXPECT_EQ(startup->OmeshMaster->Opini->N, 18) << "the Open command redraws";
}

TEST_F(InputsFile, SelectedMeshButtonSwitchesTheMesh)
{
    const auto path = folder.file("mesh2.VPX");
    writeFile(path, "\"frmInputs_optMesh\",#TRUE#\r\n");
    open(path);
    EXPECT_TRUE(meshButton(2).isSelected());
    EXPECT_EQ(&startup->OmeshMaster->ActiveMesh(), startup->OmeshMaster->mesh(2));
}

TEST_F(InputsFile, LaterFailingRecordsAreSkipped)
{
    const auto path = folder.file("mixed.VPX");
    writeFile(path, "\"frmInputs_txtN#2\",\"19\"\r\n\"frmInputs_chkFRR#2\",7\r\n\"frmInputs_txtN#2\",\"25\"\r\n"
                    "\"frmInputs_chkFRR#3\",abc\r\n\"frmInputs_txtN#3\",\"41\"\r\n");
    open(path);
    EXPECT_EQ(box("txtN", 2).text(), "19") << "a repeated key is skipped";
    EXPECT_EQ(box("txtN", 3).text(), "41");
}

TEST_F(InputsFile, DamagedOrForeignFileChangesNothingAndIsReported)
{
    std::string random(3000, '\0');
    std::mt19937 generator(7);
    for (char& c : random)
        c = static_cast<char>(generator());
    const std::string golden = readFile(Golden);
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"random bytes", random},
        {"cut inside a record", golden.substr(0, golden.size() / 2 + 7)},
        {"wrong keys", "\"frmOther_txtN#2\",\"18\"\r\n\"frmOther_txtPhi\",\"14.5\"\r\n"},
        {"three fields", "\"frmInputs_txtN#2\",\"18\",\"3\"\r\n"},
        {"unquoted key", "frmInputs_txtN#2,\"18\"\r\n"},
        {"repeat before any known key", "\"x\",1\r\n\"x\",2\r\n\"frmInputs_txtN#2\",\"18\"\r\n"},
        {"empty", ""},
    };
    box("txtN", 2).setText("23");
    settle();
    for (const auto& c : cases) {
        const auto path = folder.file("damaged.VPX");
        writeFile(path, c.content);
        const std::string before = fields();
        startup->messages().setText("");
        open(path);
        EXPECT_EQ(fields(), before) << c.name;
        EXPECT_NE(messages().find("Not a Vantrope inputs file"), std::string::npos) << c.name;
    }
    startup->messages().setText("");
    open(folder.file("missing.VPX"));
    EXPECT_NE(messages().find("53"), std::string::npos);

    // A FIFO would block the open for good; a folder cannot be read.
    ASSERT_EQ(::mkfifo(folder.file("pipe.VPX").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.file("folder.VPX"));
    testsupport::FifoWatchdog watchdog(folder.file("pipe.VPX"));
    for (const char* name : {"pipe.VPX", "folder.VPX"}) {
        const std::string before = fields();
        startup->messages().setText("");
        open(folder.file(name));
        EXPECT_EQ(fields(), before) << name;
        EXPECT_NE(messages().find("75"), std::string::npos) << name << ": " << messages();
    }
    EXPECT_FALSE(watchdog.fired());
}

TEST_F(InputsFile, FailedSaveLeavesTheOldFile)
{
    const auto path = folder.file("kept.VPX");
    writeFile(path, "old");
    // A quote cannot be written in the format: the file would not read back.
    box("txtPhi").setText("2\"0");
    save(path, dialogs::ButtonYes);
    EXPECT_EQ(readFile(path), "old");
    EXPECT_NE(messages().find("quote"), std::string::npos);
    // A folder that does not exist.
    box("txtPhi").setText("20");
    save(folder.file("no-such-folder") / "pair.VPX");
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));
    EXPECT_EQ(std::filesystem::directory_iterator(folder.path())->path(), path) << "no temporary file left";
}

// A name typed bare gets the file type's extension, so that Open lists it;
// saving over it asks first, and No writes nothing.
TEST_F(InputsFile, ANameWithoutExtensionGetsTheInputsFilesAndIsNotReplacedUnasked)
{
    save(folder.file("pair"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("pair")));
    ASSERT_TRUE(std::filesystem::exists(folder.file("pair.VPX")));
    const std::string saved = readFile(folder.file("pair.VPX"));

    box("txtN", 2).setText("23");
    dialogProvider.answerFile(QString::fromStdString(folder.file("pair").string()));
    dialogProvider.answerMessageBox(dialogs::ButtonNo);
    dialogProvider.cancelFile();
    menu("mnuSave").click();
    settle();
    EXPECT_EQ(readFile(folder.file("pair.VPX")), saved);
    EXPECT_EQ(dialogProvider.unusedAnswers(), 0u);

    save(folder.file("pair"), dialogs::ButtonYes);
    EXPECT_NE(readFile(folder.file("pair.VPX")), saved);
}

TEST(ControlsDictionary, OddArraysKeepThePlainKeyForTheLastMember)
{
    const auto dictionary = vantrope::ControlsDictionary::build(
        "frmX", {{"a", 2}, {"a", 1}, {"a", 0}, {"b"}, {"c", 4}, {"c", 3}});
    std::vector<std::string> keys;
    for (const auto& entry : dictionary.entries())
        keys.push_back(entry.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"frmX_a#2", "frmX_a#1", "frmX_a", "frmX_b", "frmX_c#4", "frmX_c#3"}));
    EXPECT_EQ(dictionary.find("frmX_a")->control, (vantrope::ControlName{"a", 0}));
}

struct WindowPositions : ShellTest {
    void storeSide(const char* window, const char* side, const std::string& value)
    {
        store.values[{"Vantrope", "FormPositions", std::string(window) + side}] = value;
    }
};

TEST_F(WindowPositions, NothingStoredGivesTheDefaults)
{
    forms::Form window(QStringLiteral("frmProbe"));
    vantrope::mMiscellaneous misc(*startup);
    misc.FormPosition(true, window);
    EXPECT_EQ(window.left(), 2400);
    EXPECT_EQ(window.top(), 2400);
    EXPECT_EQ(window.width(), 5000);
    EXPECT_EQ(window.height(), 6000);
}

TEST_F(WindowPositions, EachBadKeyFallsBackAlone)
{
    vantrope::mMiscellaneous misc(*startup);
    for (const char* bad : {"0", "40000", "32768", "-15", "abc", "", "1e300", "15 px"}) {
        forms::Form window(QStringLiteral("frmProbe"));
        storeSide("frmProbe", "_Left", bad);
        storeSide("frmProbe", "_Top", "600");
        storeSide("frmProbe", "_Width", "4500");
        storeSide("frmProbe", "_Height", "3000");
        misc.FormPosition(true, window);
        EXPECT_EQ(window.left(), 2400) << bad;
        EXPECT_EQ(window.top(), 600) << bad;
        EXPECT_EQ(window.width(), 4500) << bad;
        EXPECT_EQ(window.height(), 3000) << bad;
    }
}

TEST_F(WindowPositions, PositionOnNoScreenGoesToTheDefaultPlace)
{
    vantrope::mMiscellaneous misc(*startup);
    forms::Form window(QStringLiteral("frmProbe"));
    storeSide("frmProbe", "_Left", "32000");
    storeSide("frmProbe", "_Top", "32000");
    misc.FormPosition(true, window);
    EXPECT_EQ(window.left(), 2400);
    EXPECT_EQ(window.top(), 2400);
}

TEST_F(WindowPositions, StoredOnCloseAndRestoredOnOpen)
{
    gears().form().move(1005, 1500, 6000, 5000);
    vantrope::mMiscellaneous misc(*startup);
    misc.FormPosition(false, gears().form());
    EXPECT_EQ((store.values[{"Vantrope", "FormPositions", "frmGears_Left"}]), "1005");
    EXPECT_EQ((store.values[{"Vantrope", "FormPositions", "frmGears_Top"}]), "1500");
    startup->EndProgram();
    startup.reset();
    start();
    EXPECT_EQ(gears().form().left(), 1005);
    EXPECT_EQ(gears().form().top(), 1500);
}

// A window sized before it is shown, as at every start, and stored at the
// end keeps its size from one start to the next, whatever frame it gets.
TEST_F(WindowPositions, EveryWindowKeepsItsPlaceAndSizeOverStarts)
{
    gears().form().move(1005, 1500, 6000, 7500);
    const QSize drawingWindow = gears().form().window()->geometry().size();
    startup->messages().move(260, 200); // wholly on the 800-pixel test screen, frame included
    startup->messages().resize(500, 240);
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        startup->EndProgram();
        startup.reset();
        start();
        EXPECT_EQ(gears().form().left(), 1005);
        EXPECT_EQ(gears().form().top(), 1500);
        EXPECT_EQ(gears().form().window()->geometry().size(), drawingWindow);
        EXPECT_EQ(startup->messages().pos(), QPoint(260, 200));
        EXPECT_EQ(startup->messages().geometry().size(), QSize(500, 240));
    }
    using Key = std::tuple<std::string, std::string, std::string>;
    EXPECT_EQ((store.values[Key{"Vantrope", "FormPositions", "frmMessage_Left"}]), "3900");
    EXPECT_EQ((store.values[Key{"Vantrope", "FormPositions", "frmMessage_Width"}]), "7500");
}

// The drawing window minimised or maximised by the user (the window system
// sets the state) when the program ends, as each Draw of the design program
// ends it: the next start opens it where it was in the normal state, as
// large as it was, however many times.
TEST_F(WindowPositions, AWindowEndedMinimisedOrMaximisedOpensAtItsNormalPlaceAndSize)
{
    gears().form().move(1005, 1500, 6000, 7500);
    gears().form().show();
    QCoreApplication::processEvents();
    const QRect frame = gears().form().window()->frameGeometry();
    const QSize client = gears().form().window()->geometry().size();
    ASSERT_GT(frame.width(), client.width()) << "shown with its frame";
    for (const Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized, Qt::WindowMinimized}) {
        SCOPED_TRACE(state == Qt::WindowMinimized ? "minimised" : "maximised");
        gears().form().window()->setWindowState(state);
        QCoreApplication::processEvents();
        ASSERT_NE(gears().form().windowState(), forms::WindowState::Normal);
        startup->EndProgram();
        startup.reset();
        start();
        gears().form().show();
        QCoreApplication::processEvents();
        EXPECT_EQ(gears().form().window()->frameGeometry().topLeft(), frame.topLeft());
        EXPECT_EQ(gears().form().window()->geometry().size(), client);
    }
}

} // namespace
