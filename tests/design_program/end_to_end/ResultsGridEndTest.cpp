#include "design_program/shell/windows/StartedProgram.h"

#include "platform/grid/EndInView.h"

#include "grid/Grid.h"

namespace {

using gridtest::EndBy;

// The default design taken through Finish in the real program: its results
// grid, rows of one and two lines under the sections' headings, at the end
// however it is reached, at every window height where it once hid its last row.
class ResultsGridEnd : public StartedProgram {
protected:
    void SetUp() override {
        answerDisclaimer(true, false);
        auto& main = window("frmMain");
        for (const char* button : {"cmdNext", "cmdFinished"}) {
            main.get<forms::CommandButton>(QString::fromLatin1(button)).click();
            QCoreApplication::processEvents();
        }
        ASSERT_TRUE(outputs().visible());
        ASSERT_TRUE(grid().visible());
        ASSERT_EQ(grid().cellText(grid().rowCount() - 1, 0), QStringLiteral("MinBHN"));
    }

    forms::Form& outputs() { return window("frmScreenOutput"); }
    grid::Grid& grid() { return outputs().get<grid::Grid>(QStringLiteral("grdOutputs")); }

    void expectEndInView(int fromPixels, int toPixels) {
        for (EndBy way : {EndBy::Keys, EndBy::PageDown, EndBy::Wheel, EndBy::ScrollBar, EndBy::TopRowPastEnd}) {
            int faults = 0;
            for (int pixels = fromPixels; pixels <= toPixels; ++pixels) {
                outputs().setHeight(pixels * 15);
                QCoreApplication::processEvents();
                grid().setTopRow(0);
                grid().setCurrentRow(grid().fixedRowCount());
                QCoreApplication::processEvents();
                gridtest::reachEnd(grid(), way);
                const std::string fault = gridtest::endFault(grid(), way == EndBy::Keys || way == EndBy::PageDown);
                if (!fault.empty() && ++faults <= 5)
                    ADD_FAILURE() << gridtest::nameOf(way) << ", window " << pixels << " px high: " << fault;
            }
            EXPECT_EQ(faults, 0) << gridtest::nameOf(way);
        }
    }
};

TEST_F(ResultsGridEnd, TheLastRowShowsAtTheEndAtEveryWindowHeight) {
    expectEndInView(440, 470);
    expectEndInView(715, 740);
}

} // namespace
