#include "dialogs/QtDialogProvider.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

using namespace dialogs;

namespace {

// Acts on the next modal window once its event loop runs, as a user would.
template <typename Window>
void whenShown(std::function<void(Window&)> act) {
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            ADD_FAILURE() << "the expected dialog is not showing";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        act(*window);
    });
}

TEST(QtFileDialog, ShowsTheFilterAndReturnsANameTypedWithoutExtensionAsTyped) {
    QTemporaryDir folder;
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.title = QStringLiteral("Save File");
    request.filter = QStringLiteral("A (*.a)|*.a|B|*.b;*.c");
    request.filterIndex = 2;
    request.initialFolder = folder.path();
    request.fileName = QStringLiteral("gear1");
    whenShown<QFileDialog>([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Save File"));
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"A (*.a)", "B (*.b *.c)"}));
        EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("B (*.b *.c)"));
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog's own accept() is protected
    });
    const FileDialogAnswer answer = QtDialogProvider().fileDialog(request);
    EXPECT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.path(), QDir(folder.path()).filePath(QStringLiteral("gear1")));
    EXPECT_EQ(answer.filterIndex, 2);
}

TEST(QtFileDialog, CancelIsReportedApart) {
    whenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(QtDialogProvider().fileDialog({}).cancelled);
}

// Paths with blanks and letters beyond ASCII, as users name their folders.
QString makeFolder(const QTemporaryDir& root, const QString& name) {
    QDir(root.path()).mkpath(name);
    return QDir(root.path()).filePath(name);
}

TEST(QtFileDialog, OpensInTheFolderOfAPresetFullName) {
    QTemporaryDir root;
    const QString folder = makeFolder(root, QStringLiteral("Gear Sets \u00e9t\u00e9"));
    FileDialogRequest request;
    request.fileName = QDir(folder).filePath(QStringLiteral("pair one.vpx"));
    whenShown<QFileDialog>([folder](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), folder);
        static_cast<QDialog&>(dialog).accept();
    });
    const FileDialogAnswer answer = QtDialogProvider().fileDialog(request);
    ASSERT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.path(), request.fileName);
}

TEST(QtFolderDialog, StartsInTheGivenFolderAndReturnsIt) {
    QTemporaryDir root;
    FolderDialogRequest request;
    request.title = QStringLiteral("Outputs folder");
    request.initialFolder = makeFolder(root, QStringLiteral("Ausgabe \u00fc"));
    whenShown<QFileDialog>([&request](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), request.title);
        EXPECT_EQ(dialog.directory().absolutePath(), request.initialFolder);
        static_cast<QDialog&>(dialog).accept();
    });
    const FolderDialogAnswer answer = QtDialogProvider().folderDialog(request);
    ASSERT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.folder, request.initialFolder);
}

TEST(QtColorDialog, CustomColoursGoInAndComeBackAlsoWhenCancelled) {
    ColorDialogRequest request;
    request.customColors.fill(QColor(255, 255, 255));
    request.customColors[3] = QColor(200, 0, 0);
    whenShown<QColorDialog>([](QColorDialog& dialog) {
        EXPECT_EQ(QColorDialog::customColor(3), QColor(200, 0, 0));
        QColorDialog::setCustomColor(5, QColor(0, 0, 200));
        dialog.reject();
    });
    const ColorDialogAnswer answer = QtDialogProvider().colorDialog(request);
    EXPECT_TRUE(answer.cancelled);
    EXPECT_EQ(answer.customColors[3], QColor(200, 0, 0));
    EXPECT_EQ(answer.customColors[5], QColor(0, 0, 200));
}

TEST(QtFontDialog, ASizeOutsideTheLimitsIsRefusedAndAskedAgain) {
    FontDialogRequest request;
    request.title = QStringLiteral("Cindrel Screen Output Grid Font Selection");
    request.initial = {QStringLiteral("DejaVu Sans"), 10};
    request.flags = 0x2401;
    request.minimumSize = 8;
    request.maximumSize = 14;
    whenShown<QFontDialog>([](QFontDialog& dialog) {
        QFont big = dialog.currentFont();
        big.setPointSize(20);
        dialog.setCurrentFont(big);
        whenShown<QMessageBox>([](QMessageBox& refusal) {
            EXPECT_TRUE(refusal.text().contains(QStringLiteral("8")));
            whenShown<QFontDialog>([](QFontDialog& again) {
                QFont font = again.currentFont();
                font.setPointSize(12);
                again.setCurrentFont(font);
                again.accept();
            });
            refusal.accept();
        });
        dialog.accept();
    });
    const FontDialogAnswer answer = QtDialogProvider().fontDialog(request);
    ASSERT_FALSE(answer.cancelled);
    EXPECT_EQ(answer.font.size, 12.0);
    EXPECT_EQ(answer.font.name, QStringLiteral("DejaVu Sans"));
}

QPushButton* buttonCaptioned(QWidget& window, const QString& caption) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

TEST(QtCheckableMessage, ShowsTheAskedButtonsAndReturnsTheBitAndTheBox) {
    const CheckableMessageRequest request{QStringLiteral("Fill in your address first?"),
                                          QStringLiteral("PrintUserInfo"), CheckableYes | CheckableNo};
    whenShown<QDialog>([](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("PrintUserInfo"));
        EXPECT_EQ(buttonCaptioned(window, QStringLiteral("OK")), nullptr);
        EXPECT_EQ(buttonCaptioned(window, QStringLiteral("Cancel")), nullptr);
        auto* check = window.findChild<QCheckBox*>();
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->text(), QStringLiteral("Do not show this message in the future."));
        check->setChecked(true);
        buttonCaptioned(window, QStringLiteral("Yes"))->click();
    });
    const CheckableMessageAnswer answer = QtDialogProvider().checkableMessage(request);
    EXPECT_EQ(answer.button, CheckableYes);
    EXPECT_TRUE(answer.checked);
}

TEST(QtCheckableMessage, ClosedWithoutAButtonAnswersZero) {
    whenShown<QDialog>([](QDialog& window) { window.reject(); });
    EXPECT_EQ(QtDialogProvider().checkableMessage({}).button, 0);
}

TEST(QtPrinterDialog, HidesWhatTheFlagsHideAndReportsCancel) {
    PrinterDialogRequest request;
    request.initial = {QString(), 2, PageOrientation::Landscape};
    request.flags = PrinterHidePrintToFile + PrinterNoPageNumbers + PrinterNoSelection;
    whenShown<QPrintDialog>([](QPrintDialog& dialog) {
        EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile)) << "the PDF printer is always there";
        EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
        dialog.reject();
    });
    EXPECT_TRUE(QtDialogProvider().printerDialog(request).cancelled);
}

// A worker thread may not make widgets: asked there, every dialog is
// answered as closed instead of crashing the process.
TEST(QtDialogProvider, AskedOffTheGuiThreadShowsNothing) {
    int button = 0;
    CheckableMessageAnswer checkable;
    bool fileCancelled = false;
    std::thread worker([&] {
        QtDialogProvider provider;
        button = provider.messageBox(MessageBoxRequest{QStringLiteral("q"), QStringLiteral("T"), YesNoCancel});
        checkable = provider.checkableMessage({QStringLiteral("q"), QStringLiteral("T"), CheckableYes, {}, true});
        fileCancelled = provider.fileDialog({}).cancelled;
    });
    worker.join();
    EXPECT_EQ(button, ButtonCancel);
    EXPECT_EQ(checkable.button, 0);
    EXPECT_TRUE(checkable.checked);
    EXPECT_TRUE(fileCancelled);
}

} // namespace

namespace {

Qt::CursorShape overrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
}

} // namespace

// Work under the wait cursor that stops for a question (a failed print, an
// export's file name) asks it with the normal cursor and gets the wait cursor
// back once it is answered.
TEST(QtDialogProvider, AQuestionDuringBusyWorkIsAskedWithTheNormalCursor) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    std::vector<Qt::CursorShape> whileAsked;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        whileAsked.push_back(overrideShape());
        box.button(QMessageBox::Ok)->click();
    });
    MessageBoxRequest message;
    message.text = QStringLiteral("The results report was not printed.");
    QtDialogProvider().messageBox(message);
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        whileAsked.push_back(overrideShape());
        dialog.reject();
    });
    FileDialogRequest file;
    file.mode = FileDialogMode::Save;
    QtDialogProvider().fileDialog(file);
    EXPECT_EQ(whileAsked, (std::vector<Qt::CursorShape>{Qt::ArrowCursor, Qt::ArrowCursor}));
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
