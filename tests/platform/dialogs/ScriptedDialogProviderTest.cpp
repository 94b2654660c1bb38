#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ScriptedDialogProvider.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <functional>

using namespace dialogs;

namespace {

class ScriptedDialogs : public ::testing::Test {
protected:
    ScriptedDialogProvider script;
    ScopedDialogProvider use{script};
};

TEST_F(ScriptedDialogs, AnswerEachKindInOrderAndRecordWhatWasAsked) {
    script.answerMessageBox(ButtonYes);
    script.answerCheckableMessage(CheckableNo, true);
    script.answerFile(QStringLiteral("/d/gear1.cnd"), 1);
    script.answerFont({QStringLiteral("DejaVu Sans"), 10, true, false});
    script.answerColor(QColor(200, 0, 0));
    script.answerPrinter({QStringLiteral("Office"), 2, PageOrientation::Landscape});
    script.answerFolder(QStringLiteral("/d/outputs"));

    EXPECT_EQ(messageBox(QStringLiteral("file exists, overwrite?"), YesNo, QStringLiteral("Overwrite existing file?")),
              ButtonYes);
    const CheckableMessageAnswer checkable =
        checkableMessage({QStringLiteral("Fill in?"), QStringLiteral("PrintUserInfo"), CheckableYes | CheckableNo});
    EXPECT_EQ(checkable.button, CheckableNo);
    EXPECT_TRUE(checkable.checked);

    FileDialogRequest save;
    save.title = QStringLiteral("Save File");
    save.filter = QStringLiteral("Cindrel files (*.cnd)|*.cnd");
    save.flags = FileHideReadOnly;
    const FileDialogAnswer file = showSaveDialog(save);
    EXPECT_FALSE(file.cancelled);
    EXPECT_EQ(file.path(), QStringLiteral("/d/gear1.cnd"));

    EXPECT_EQ(showFontDialog({}).font.name, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(showColorDialog({}).color, QColor(200, 0, 0));
    EXPECT_EQ(showPrinterDialog({}).printer.copies, 2);
    EXPECT_EQ(showFolderDialog({}).folder, QStringLiteral("/d/outputs"));

    ASSERT_EQ(script.requests().size(), 7u);
    const MessageBoxRequest box = script.requestsOf<MessageBoxRequest>().at(0);
    EXPECT_EQ(box.text, QStringLiteral("file exists, overwrite?"));
    EXPECT_EQ(box.title, QStringLiteral("Overwrite existing file?"));
    EXPECT_EQ(box.buttonSet, YesNo);
    const FileDialogRequest asked = script.requestsOf<FileDialogRequest>().at(0);
    EXPECT_EQ(asked.mode, FileDialogMode::Save);
    EXPECT_EQ(asked.filter, save.filter);
    EXPECT_EQ(asked.flags, FileHideReadOnly);
    EXPECT_EQ(script.unusedAnswers(), 0u);
    EXPECT_TRUE(script.failures().isEmpty());
}

TEST_F(ScriptedDialogs, CancelIsReportedApart) {
    script.cancelFile();
    script.cancelFont();
    script.cancelColor();
    script.cancelPrinter();
    script.cancelFolder();
    EXPECT_TRUE(showOpenDialog({}).cancelled);
    EXPECT_TRUE(showFontDialog({}).cancelled);
    EXPECT_TRUE(showColorDialog({}).cancelled);
    EXPECT_TRUE(showPrinterDialog({}).cancelled);
    EXPECT_TRUE(showFolderDialog({}).cancelled);
}

TEST_F(ScriptedDialogs, CancelRaisesTheCancelErrorWhenAskedFor) {
    FileDialogRequest file;
    file.cancelError = true;
    FontDialogRequest font;
    font.cancelError = true;
    PrinterDialogRequest printer;
    printer.cancelError = true;
    script.cancelFile();
    script.cancelFont();
    script.cancelPrinter();
    script.answerFile(QStringLiteral("/d/a.cnd"));

    for (const auto& show : std::vector<std::function<void()>>{[&] { showOpenDialog(file); },
                                                               [&] { showFontDialog(font); },
                                                               [&] { showPrinterDialog(printer); }}) {
        try {
            show();
            ADD_FAILURE() << "cancel did not raise";
        } catch (const runtime::RuntimeError& error) {
            EXPECT_EQ(error.number(), 32755);
        }
    }
    EXPECT_EQ(showOpenDialog(file).path(), QStringLiteral("/d/a.cnd"));
}

TEST_F(ScriptedDialogs, UnansweredOrMismatchedRequestsFailLoudly) {
    EXPECT_THROW(messageBox(QStringLiteral("nobody answers")), UnansweredDialogError);
    script.answerFile(QStringLiteral("/d/a.cnd"));
    EXPECT_THROW(messageBox(QStringLiteral("wrong kind")), UnansweredDialogError);
    EXPECT_EQ(script.unusedAnswers(), 1u); // the file answer waits for its dialog
    script.cancelFile();
    EXPECT_THROW(showFontDialog({}), UnansweredDialogError);
    script.answerMessageBox(ButtonYes);
    EXPECT_THROW(messageBox(QStringLiteral("OK only")), UnansweredDialogError);
    ASSERT_EQ(script.failures().size(), 4);
    EXPECT_TRUE(script.failures().at(0).contains(QStringLiteral("nobody answers")));
    EXPECT_EQ(script.requests().size(), 4u);
}

TEST_F(ScriptedDialogs, WithoutRaisingAFailureIsRecordedAndAnsweredAsClosed) {
    script.setRaiseOnFailure(false);
    EXPECT_EQ(messageBox(QStringLiteral("q"), YesNoCancel), ButtonCancel);
    EXPECT_TRUE(showOpenDialog({}).cancelled);
    EXPECT_EQ(checkableMessage({}).button, 0);
    EXPECT_EQ(script.failures().size(), 3);
}

TEST_F(ScriptedDialogs, EveryMessageBoxAnswerServesBoxesTheQueueDoesNot) {
    script.answerEveryMessageBox(ButtonOK);
    script.answerMessageBox(ButtonNo);
    EXPECT_EQ(messageBox(QStringLiteral("first"), YesNo), ButtonNo);
    EXPECT_EQ(messageBox(QStringLiteral("second")), ButtonOK);
    EXPECT_EQ(messageBox(QStringLiteral("third")), ButtonOK);
}

TEST_F(ScriptedDialogs, ColorDialogHandsBackCustomColoursEvenWhenCancelled) {
    ColorDialogRequest request;
    request.customColors.fill(QColor(255, 255, 255));
    CustomColors edited = request.customColors;
    edited[3] = QColor(0, 0, 200);
    script.cancelColor(edited);
    script.answerColor(QColor(1, 2, 3));

    const ColorDialogAnswer cancelled = showColorDialog(request);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.customColors[3], QColor(0, 0, 200));
    const ColorDialogAnswer confirmed = showColorDialog(request);
    EXPECT_EQ(confirmed.customColors, request.customColors);
}

TEST_F(ScriptedDialogs, AConfirmedPrinterBecomesTheCurrentOne) {
    setCurrentPrinter({});
    script.answerPrinter({QStringLiteral("Plotter"), 3, PageOrientation::Landscape});
    script.cancelPrinter();
    PrinterDialogRequest request;
    request.flags = PrinterHidePrintToFile + PrinterNoPageNumbers + PrinterNoSelection;
    showPrinterDialog(request);
    showPrinterDialog(request);
    EXPECT_EQ(currentPrinter(), (PrinterChoice{QStringLiteral("Plotter"), 3, PageOrientation::Landscape}));
    EXPECT_EQ(script.requestsOf<PrinterDialogRequest>().at(0).flags, 0x10000C);
}

TEST(ColorNumbers, KeepRedInTheLowByte) {
    EXPECT_EQ(colorToNumber(QColor(200, 0, 0)), 200u);
    EXPECT_EQ(colorToNumber(QColor(0, 200, 200)), 0xC8C800u);
    EXPECT_EQ(colorFromNumber(0xFFC8C800u), QColor(0, 200, 200));
}

} // namespace
