// Runs with no application object at all: the default provider must answer
// every dialog as closed, never crash and never wait.
#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"

#include "support/ErrorCapture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

TEST(WithoutAGuiApplication, MessageBoxesAnswerAsClosed) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(messageBox(QStringLiteral("The data has changed, save?"), YesNoCancel), ButtonCancel);
    EXPECT_EQ(messageBox(QStringLiteral("Set RPM of pinion")), ButtonOK);
    CheckableMessageRequest checkable;
    checkable.buttonBits = CheckableYes | CheckableNo;
    checkable.checked = true;
    const CheckableMessageAnswer answer = checkableMessage(checkable);
    EXPECT_EQ(answer.button, 0);
    EXPECT_TRUE(answer.checked);
}

TEST(WithoutAGuiApplication, EveryDialogIsCancelled) {
    EXPECT_TRUE(showOpenDialog({}).cancelled);
    EXPECT_TRUE(showSaveDialog({}).cancelled);
    EXPECT_TRUE(showFontDialog({}).cancelled);
    EXPECT_TRUE(showPrinterDialog({}).cancelled);
    EXPECT_TRUE(showFolderDialog({}).cancelled);

    ColorDialogRequest colour;
    colour.customColors.fill(QColor(255, 255, 255));
    colour.customColors[2] = QColor(10, 20, 30);
    const ColorDialogAnswer colourAnswer = showColorDialog(colour);
    EXPECT_TRUE(colourAnswer.cancelled);
    EXPECT_EQ(colourAnswer.customColors, colour.customColors);

    FileDialogRequest file;
    file.cancelError = true;
    EXPECT_EQ(testsupport::errorNumberOf([&] { showOpenDialog(file); }), 32755);
}

} // namespace
