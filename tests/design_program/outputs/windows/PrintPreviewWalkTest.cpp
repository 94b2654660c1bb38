#include "design_program/shell/windows/WalkedProgram.h"

#include "forms/CommandButton.h"
#include "forms/ComboBox.h"
#include "forms/MenuItem.h"
#include "printing/PreviewControl.h"
#include "printing/PrinterOutput.h"
#include "printing/ReportDocument.h"

#include <gmock/gmock.h>

namespace {

class KeptOutput : public printing::PrinterOutput {
public:
    void print(const printing::ReportDocument& document, const dialogs::PrinterChoice&, const QString&) override
    {
        printed.push_back(document.pageCount());
    }
    std::vector<int> printed;
};

// The preview window of the real program, opened from the main window's File menu.
class PrintPreviewWalk : public WalkedProgram {
protected:
    void menu(const char* name)
    {
        main().get<forms::MenuItem>(QString::fromLatin1(name)).click();
        QCoreApplication::processEvents();
    }
    bool previewLoaded() { return startup->windows().isLoaded(QStringLiteral("frmPrintPreview")); }
    forms::Form& preview() { return window("frmPrintPreview"); }
    printing::PreviewControl& control() { return preview().get<printing::PreviewControl>(QStringLiteral("prtPrintPreview")); }
    int pictures()
    {
        int found = 0;
        for (const auto& page : control().document().pages)
            for (const auto& item : page.items)
                found += std::holds_alternative<printing::PictureItem>(item) ? 1 : 0;
        return found;
    }
    void walkToToothThickness()
    {
        next();
        main().get<forms::ComboBox>(QStringLiteral("cmbToothOrient")).setListIndex(0);
        next();
        next();
        ASSERT_EQ(current(), "Tooth Thickness");
    }
};

TEST_F(PrintPreviewWalk, ADesignShortOfTheAnalysesPreviewsWithoutGraphsAndThePreviewPrintsClosesAndReturns)
{
    walkToToothThickness();
    dialogs.answerCheckableMessage(4, true);
    menu("mnuFilePrintPreview");
    ASSERT_TRUE(previewLoaded());
    EXPECT_TRUE(preview().visible());
    EXPECT_EQ(preview().caption(), QStringLiteral("Cindrel Print Preview"));
    EXPECT_EQ(navigator().pobjChart, nullptr);
    EXPECT_EQ(pictures(), 0) << "no graphs page";
    EXPECT_EQ(control().zoom(), 75);
    EXPECT_EQ(control().previewPage(), 1);
    EXPECT_EQ(preview().window()->focusWidget(), &control().preview()) << "the page takes the keys at once";

    KeptOutput kept;
    printing::ScopedPrinterOutput scope(kept);
    dialogs.answerPrinter({.printerName = QStringLiteral("Office")});
    preview().get<forms::CommandButton>(QStringLiteral("cmdPrint")).click();
    EXPECT_THAT(kept.printed, ::testing::ElementsAre(control().pageCount()));

    preview().move(1800, 900, 9000, 10000);
    preview().get<forms::CommandButton>(QStringLiteral("cmdClosePrintPrev")).click();
    EXPECT_FALSE(previewLoaded());
    menu("mnuFilePrintPreview");
    ASSERT_TRUE(previewLoaded());
    EXPECT_TRUE(preview().visible());
    EXPECT_EQ(preview().left(), 1800) << "back where it was closed";
    EXPECT_EQ(preview().top(), 900);
    EXPECT_EQ(preview().window()->focusWidget(), &control().preview()) << "and again on a later opening";
    EXPECT_GE(control().pageCount(), 1);
}

} // namespace
