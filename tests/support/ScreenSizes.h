#pragma once

#include "forms/Form.h"
#include "forms/ScreenPlacement.h"
#include "support/TemporaryFolder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace testsupport {

// Set in a run of the test program on a screen of this size ("1024x768").
inline constexpr const char* ScreenSizeVariable = "GEARSUITE_SCREEN_SIZE";

// Runs the tests matching `filter` of this test program again, in a child
// process whose offscreen screen is `width` x `height` pixels. The tests
// themselves hold on any screen; the child asserts the size it was given.
inline void runOnScreenOfSize(const char* filter, int width, int height)
{
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    TemporaryFolder folder;
    const std::filesystem::path config = folder.file("screen.json");
    std::ofstream(config) << R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": true, "screens": [)"
                          << R"({"name": "small", "x": 0, "y": 0, "width": )" << width << R"(, "height": )" << height
                          << R"(, "logicalDpiX": 96, "logicalDpiY": 96, "dpr": 1}]})";
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QStringLiteral("offscreen:configfile=") + QString::fromStdString(config.string()));
    environment.insert(QString::fromLatin1(ScreenSizeVariable), QStringLiteral("%1x%2").arg(width).arg(height));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + QString::fromLatin1(filter)});
    ASSERT_TRUE(child.waitForFinished(600000)) << "the run on the small screen did not end";
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ]")) << output.toStdString();
}

// In a run on a screen of a given size, the screen is that size.
inline void expectScreenOfTheSizeAsked()
{
    const QByteArray asked = qgetenv(ScreenSizeVariable);
    if (asked.isEmpty())
        return;
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    ASSERT_EQ(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toLatin1(), asked);
}

// A shown window lies, frame and all, within the screen's available area.
inline void expectWhollyOnScreen(const QWidget& window, const std::string& name)
{
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.isVisible()) << name;
    const QRect frame = window.frameGeometry();
    const QRect area = forms::availableScreenAreas().front();
    EXPECT_TRUE(area.contains(frame)) << name << " at " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                      << frame.height() << " on " << area.width() << "x" << area.height();
    EXPECT_GT(frame.height(), window.geometry().height()) << name << " is shown with its frame";
}

inline void expectWhollyOnScreen(forms::Form& form) { expectWhollyOnScreen(*form.window(), form.name().toStdString()); }

} // namespace testsupport
