#include "forms/CheckBox.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/Layout.h"
#include "forms/MenuItem.h"
#include "forms/TextBox.h"

#include "runtime/RuntimeError.h"
#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace forms;

const std::vector<ControlSpec> toothThicknessLayout = {
    {.kind = ControlKind::TextBox, .name = "txtToothThickness", .index = 0, .dataField = "x"},
    {.kind = ControlKind::Label, .name = "lblUnits", .caption = "(in)"},
    {.kind = ControlKind::TextBox, .name = "txtToothThickness", .index = 1, .dataField = "x"},
    {.kind = ControlKind::CheckBox, .name = "chkCircular", .dataField = "x"},
    {.kind = ControlKind::TextBox, .name = "txtToothThickness", .index = 5, .dataField = "x"},
    {.kind = ControlKind::Label, .name = "lblMode", .caption = "lblMode", .dataField = "x"},
};

using testsupport::errorNumberOf;

struct Listed {
    ControlKind kind;
    QString name;
    int index;
    bool saved;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> listing(Form& form) {
    std::vector<Listed> result;
    for (Control* control : form.controls())
        result.push_back({control->kind(), control->name(), control->index(), control->isSaved()});
    return result;
}

TEST(ControlArrays, ControlsAreListedInCreationOrderWithGapsKept) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, toothThicknessLayout);

    const std::vector<Listed> expected = {
        {ControlKind::TextBox, "txtToothThickness", 0, true}, {ControlKind::Label, "lblUnits", -1, false},
        {ControlKind::TextBox, "txtToothThickness", 1, true}, {ControlKind::CheckBox, "chkCircular", -1, true},
        {ControlKind::TextBox, "txtToothThickness", 5, true}, {ControlKind::Label, "lblMode", -1, true},
    };
    EXPECT_EQ(listing(form), expected);
    EXPECT_EQ(form.arrayIndexes(QStringLiteral("txtToothThickness")), (std::vector<int>{0, 1, 5}));
    EXPECT_EQ(form.savedControls().size(), 5u);
    EXPECT_EQ(form.find(QStringLiteral("txtToothThickness"), 2), nullptr);
    EXPECT_EQ(&form.get<TextBox>(QStringLiteral("txtToothThickness"), 5), form.find(QStringLiteral("txtToothThickness"), 5));
}

TEST(ControlArrays, LookupErrors) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, toothThicknessLayout);
    EXPECT_EQ(errorNumberOf([&] { form.get<TextBox>(QStringLiteral("txtToothThickness"), 3); }), 340);
    EXPECT_EQ(errorNumberOf([&] { form.get<Label>(QStringLiteral("txtToothThickness"), 0); }), 13);
    EXPECT_EQ(errorNumberOf([&] { form.add<TextBox>({QStringLiteral("txtToothThickness"), 1}); }), 360);
    EXPECT_EQ(errorNumberOf([&] { form.add<Label>({QStringLiteral("lblUnits"), 0}); }), 343);
}

TEST(ControlArrays, NamesAreFoundWhateverTheirLetterCase) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, toothThicknessLayout);
    // One control, however the code spells it; the name it was given stays.
    EXPECT_EQ(form.find(QStringLiteral("TXTtooththickness"), 5), form.find(QStringLiteral("txtToothThickness"), 5));
    EXPECT_EQ(form.find(QStringLiteral("LBLUNITS"))->name(), QStringLiteral("lblUnits"));
    EXPECT_EQ(form.arrayIndexes(QStringLiteral("txttooththickness")), (std::vector<int>{0, 1, 5}));
    EXPECT_EQ(errorNumberOf([&] { form.add<TextBox>({QStringLiteral("TxtToothThickness"), 1}); }), 360);
    EXPECT_EQ(errorNumberOf([&] { form.add<Label>({QStringLiteral("LblUnits"), 0}); }), 343);
}

TEST(ControlArrays, MembersLoadedAtRunTimeJoinTheArrayHiddenAndCanBeUnloaded) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, toothThicknessLayout);
    auto& model = form.get<TextBox>(QStringLiteral("txtToothThickness"), 0);
    model.move(120, 240, 1000, 300);

    Control& loaded = form.loadArrayMember(QStringLiteral("txtToothThickness"), 3);

    EXPECT_EQ(loaded.kind(), ControlKind::TextBox);
    EXPECT_FALSE(loaded.visible());
    EXPECT_EQ(loaded.left(), 120);
    EXPECT_EQ(loaded.dataField(), QStringLiteral("x"));
    EXPECT_EQ(form.arrayIndexes(QStringLiteral("txtToothThickness")), (std::vector<int>{0, 1, 3, 5}));
    EXPECT_EQ(form.controls().back(), &loaded);
    EXPECT_EQ(errorNumberOf([&] { form.loadArrayMember(QStringLiteral("txtToothThickness"), 3); }), 360);
    EXPECT_EQ(errorNumberOf([&] { form.loadArrayMember(QStringLiteral("lblUnits"), 1); }), 343);
    EXPECT_EQ(errorNumberOf([&] { form.unloadArrayMember(QStringLiteral("txtToothThickness"), 1); }), 362);

    form.unloadArrayMember(QStringLiteral("txtToothThickness"), 3);
    EXPECT_EQ(form.find(QStringLiteral("txtToothThickness"), 3), nullptr);
    EXPECT_EQ(form.controls().size(), toothThicknessLayout.size());
}

struct ValueCase {
    const char* control;
    QVariant written;
    QVariant readBack; // null: refused
    int error = 0;
};

TEST(GenericValue, ReadAndWriteAsTheDesignFileDoes) {
    const std::vector<ValueCase> cases = {
        {"txtToothThickness", QStringLiteral("0.25, with comma"), QStringLiteral("0.25, with comma")},
        {"lblMode", QStringLiteral("-1"), QStringLiteral("-1")},
        {"chkCircular", 1, 1},
        {"chkCircular", QStringLiteral("1"), 1},
        {"chkCircular", QStringLiteral(" 2 "), 2},
        {"chkCircular", QStringLiteral(""), QVariant(), 13},
        {"chkCircular", QStringLiteral("yes"), QVariant(), 13},
        {"chkCircular", 3, QVariant(), 380},
        {"chkCircular", 0.5, QVariant(), 380},
    };
    for (const ValueCase& c : cases) {
        Form form(QStringLiteral("frmMain"));
        buildLayout(form, toothThicknessLayout);
        Control* control = form.find(QString::fromLatin1(c.control), c.control[0] == 't' ? 0 : -1);
        ASSERT_NE(control, nullptr) << c.control;
        const QVariant before = control->value();
        const int error = errorNumberOf([&] { control->setValue(c.written); });
        EXPECT_EQ(error, c.error) << c.control << " " << c.written.toString().toStdString();
        EXPECT_EQ(control->value(), c.error == 0 ? c.readBack : before) << c.control;
        EXPECT_EQ(control->isChanged(), c.error == 0) << c.control;
    }
}

TEST(GenericValue, KindsOfValue) {
    Form form(QStringLiteral("frmMain"));
    buildLayout(form, toothThicknessLayout);
    EXPECT_EQ(form.find(QStringLiteral("lblMode"))->valueKind(), ValueKind::Text);
    EXPECT_EQ(form.find(QStringLiteral("chkCircular"))->valueKind(), ValueKind::Number);
    auto& menu = form.add<MenuItem>({QStringLiteral("mnuFile")});
    EXPECT_EQ(menu.valueKind(), ValueKind::None);
    EXPECT_EQ(errorNumberOf([&] { menu.setValue(1); }), 438);
}

TEST(GenericValue, MultiLineTextReadsLineBreaksAsCarriageReturnLineFeed) {
    Form form(QStringLiteral("frmMisc"));
    auto& notes = form.add<TextBox>({QStringLiteral("txtNotes")}, TextBoxLines::Multi);
    notes.setText(QStringLiteral("2, second\r\n1, first"));
    EXPECT_EQ(notes.text(), QStringLiteral("2, second\r\n1, first"));
    notes.setSelStart(3);
    notes.setSelLength(6);
    EXPECT_EQ(notes.selText(), QStringLiteral("second"));
    notes.setSelStart(11);
    notes.setSelLength(100);
    EXPECT_EQ(notes.selText(), QStringLiteral("1, first"));
}

TEST(GenericValue, MaxLengthLimitsTextFromCodeAndSelectionIsChecked) {
    Form form(QStringLiteral("frmMain"));
    auto& box = form.add<TextBox>({QStringLiteral("txtHelixAngleDMS"), 0});
    box.setMaxLength(2);
    box.setText(QStringLiteral("205"));
    EXPECT_EQ(box.text(), QStringLiteral("20"));
    box.setSelStart(0);
    box.setSelLength(2);
    box.setSelText(QStringLiteral("7"));
    EXPECT_EQ(box.text(), QStringLiteral("7"));
    EXPECT_EQ(errorNumberOf([&] { box.setSelStart(-1); }), 380);
}

} // namespace
