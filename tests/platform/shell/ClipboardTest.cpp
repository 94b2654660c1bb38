#include "shell/Clipboard.h"

#include "support/ErrorCapture.h"

#include <QColor>

#include <gtest/gtest.h>

#include <thread>

using namespace shellservices;

namespace {

TEST(Clipboard, TextRoundTripsAndClears) {
    const QString table = QStringLiteral("Rp_s,1.25,2.5,(in) pitch radius\r\nPhi_o,20,20,(deg)\r\n");
    setClipboardText(table);
    EXPECT_EQ(clipboardText(), table);
    clearClipboard();
    EXPECT_TRUE(clipboardText().isEmpty());
}

TEST(Clipboard, ImageRoundTrips) {
    QImage chart(40, 30, QImage::Format_RGB32);
    chart.fill(QColor(255, 255, 255));
    chart.setPixelColor(3, 4, QColor(200, 0, 0));
    setClipboardImage(chart);
    const QImage back = clipboardImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), chart.size());
    EXPECT_EQ(back, chart);
    setClipboardText(QStringLiteral("text replaces the image"));
    EXPECT_TRUE(clipboardImage().isNull());
}

TEST(Clipboard, OtherFormatsRoundTripByMimeType) {
    const QByteArray svg("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    setClipboardData(QStringLiteral("image/svg+xml"), svg);
    EXPECT_EQ(clipboardData(QStringLiteral("image/svg+xml")), svg);
    EXPECT_TRUE(clipboardData(QStringLiteral("text/csv")).isEmpty());
}

TEST(Clipboard, CannotBeOpenedOffTheGuiThread) {
    setClipboardText(QStringLiteral("kept"));
    int number = 0;
    std::thread worker([&] { number = testsupport::errorNumberOf([] { setClipboardText(QStringLiteral("lost")); }); });
    worker.join();
    EXPECT_EQ(number, 521);
    EXPECT_EQ(clipboardText(), QStringLiteral("kept"));
}

} // namespace
