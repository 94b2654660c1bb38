// Runs with no application object at all, as a command-line run does.
#include "shell/Clipboard.h"
#include "shell/Help.h"
#include "shell/ProgramFolders.h"

#include "support/ErrorCapture.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace shellservices;

namespace {

TEST(WithoutAGuiApplication, TheClipboardCannotBeOpened) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(testsupport::errorNumberOf([] { setClipboardText(QStringLiteral("x")); }), 521);
    EXPECT_EQ(testsupport::errorNumberOf([] { clipboardImage(); }), 521);
    EXPECT_EQ(testsupport::errorNumberOf([] { clearClipboard(); }), 521);
}

TEST(WithoutAGuiApplication, TheProgramFolderHoldsTheExecutable) {
    EXPECT_TRUE(QFileInfo(programFilePath(QStringLiteral("platform_shell_headless_tests"))).isExecutable())
        << programFolder().toStdString();
}

TEST(WithoutAGuiApplication, AMissingHelpTopicIsToldWithoutAWindow) {
    setProgramFolderOverride(QStringLiteral("/nonexistent/program folder"));
    EXPECT_FALSE(showHelpTopic(QStringLiteral("Cindrel.chm"), 12321));
    setProgramFolderOverride(QString());
}

} // namespace
