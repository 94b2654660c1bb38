#include "forms/CommandButton.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/Layout.h"

#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace forms;

void flushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

struct Program {
    Forms forms;
    std::vector<std::string> log;

    Program() {
        forms.define(QStringLiteral("frmAGMA"), [this](Form& form) {
            log.push_back("frmAGMA load");
            // Loading this window uses the main window, which loads it.
            forms[QStringLiteral("frmMain")].setCaption(QStringLiteral("Cindrel"));
            form.add<Label>({QStringLiteral("lblRecordKey"), 0}).setCaption(QStringLiteral("lblRecordKey"));
        });
        forms.define(QStringLiteral("frmMain"), [this](Form& form) {
            log.push_back("frmMain load");
            form.add<Label>({QStringLiteral("lblToothOrient")}).setCaption(QStringLiteral("0"));
        });
        forms.define(QStringLiteral("frmMFGOutputs"), [this](Form&) { log.push_back("frmMFGOutputs load"); });
    }
    ~Program() { flushDeferredDeletes(); }
};

std::vector<QString> loadedNames(const Forms& forms) {
    std::vector<QString> names;
    for (const Form* form : forms.loaded())
        names.push_back(form->name());
    return names;
}

TEST(FormLifecycle, WindowsLoadHiddenOnFirstUseAndAreListedInLoadOrder) {
    Program program;
    EXPECT_FALSE(program.forms.isLoaded(QStringLiteral("frmMain")));
    Form& agma = program.forms[QStringLiteral("frmAGMA")];
    program.forms[QStringLiteral("frmMFGOutputs")];

    EXPECT_FALSE(agma.visible());
    EXPECT_EQ(loadedNames(program.forms),
              (std::vector<QString>{QStringLiteral("frmAGMA"), QStringLiteral("frmMain"), QStringLiteral("frmMFGOutputs")}));
    EXPECT_EQ(program.log, (std::vector<std::string>{"frmAGMA load", "frmMain load", "frmMFGOutputs load"}));
    program.forms[QStringLiteral("frmMain")];
    EXPECT_EQ(program.log.size(), 3u) << "a loaded window is not loaded again";
}

TEST(FormLifecycle, TouchingAnUnloadedWindowLoadsIt) {
    Program program;
    EXPECT_EQ(program.forms.findControl(QStringLiteral("frmMain"), QStringLiteral("lblToothOrient")), nullptr)
        << "finding by name loads nothing";
    Form* main = program.forms.find(QStringLiteral("frmMain"));
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->isLoaded());
    EXPECT_EQ(main->get<Label>(QStringLiteral("lblToothOrient")).caption(), QStringLiteral("0"));
    EXPECT_TRUE(main->isLoaded());
    EXPECT_EQ(program.forms.findControl(QStringLiteral("frmMain"), QStringLiteral("lblToothOrient")),
              main->find(QStringLiteral("lblToothOrient")));
}

TEST(FormLifecycle, UnloadDestroysControlsAndTheNextUseLoadsAfresh) {
    Program program;
    Form& main = program.forms[QStringLiteral("frmMain")];
    main.get<Label>(QStringLiteral("lblToothOrient")).setCaption(QStringLiteral("2"));
    EXPECT_TRUE(main.unload());
    flushDeferredDeletes();
    EXPECT_TRUE(loadedNames(program.forms).empty());
    EXPECT_EQ(main.get<Label>(QStringLiteral("lblToothOrient")).caption(), QStringLiteral("0"));
    EXPECT_EQ(program.log, (std::vector<std::string>{"frmMain load", "frmMain load"}));
}

TEST(FormLifecycle, QueryUnloadCanCancelAndKnowsTheReason) {
    struct Case {
        bool cancelInQuery;
        bool cancelInUnload;
        bool unloaded;
    };
    for (const Case c : {Case{true, false, false}, Case{false, true, false}, Case{false, false, true}}) {
        Program program;
        Form& main = program.forms[QStringLiteral("frmMain")];
        std::vector<int> reasons;
        main.onQueryUnload.connect([&](bool& cancel, UnloadReason reason) {
            reasons.push_back(static_cast<int>(reason));
            cancel = c.cancelInQuery;
        });
        main.onUnload.connect([&](bool& cancel) { cancel = c.cancelInUnload; });
        main.show();
        main.window()->close(); // the close box
        EXPECT_EQ(reasons, std::vector<int>{0});
        EXPECT_EQ(main.isLoaded(), !c.unloaded);
        EXPECT_EQ(main.isLoaded() && main.visible(), !c.unloaded);
        EXPECT_EQ(main.unload(UnloadReason::Code), c.unloaded || (!c.cancelInQuery && !c.cancelInUnload));
    }
}

TEST(FormLifecycle, AHandlerMayUnloadItsOwnWindow) {
    Forms forms;
    forms.define(QStringLiteral("frmAbout"), [](Form& form) {
        auto& ok = form.add<CommandButton>({QStringLiteral("cmdOK")});
        ok.onClick.connect([&form] { form.unload(); });
    });
    Form& about = forms[QStringLiteral("frmAbout")];
    about.show();
    auto* button = about.get<CommandButton>(QStringLiteral("cmdOK")).widget();
    static_cast<QAbstractButton*>(button)->click();
    EXPECT_FALSE(about.isLoaded());
    flushDeferredDeletes();
}

TEST(FormLifecycle, ModalShowReturnsWhenTheWindowHidesOrUnloads) {
    for (const bool byUnload : {false, true}) {
        Forms forms;
        forms.define(QStringLiteral("frmOptions"), [](Form&) {});
        forms.define(QStringLiteral("frmMain"), [](Form&) {});
        Form& options = forms[QStringLiteral("frmOptions")];
        bool wasVisible = false;
        QTimer::singleShot(0, [&] {
            wasVisible = options.visible();
            if (byUnload)
                options.unload();
            else
                options.hide();
        });
        options.show(Modality::Modal, &forms[QStringLiteral("frmMain")]);
        EXPECT_TRUE(wasVisible);
        EXPECT_FALSE(options.visible());
        EXPECT_EQ(options.isLoaded(), !byUnload);
        flushDeferredDeletes();
    }
}

TEST(FormLifecycle, ShowingAVisibleWindowModallyIsAnError) {
    Form form(QStringLiteral("frmAbout"));
    form.show();
    try {
        form.show(Modality::Modal);
        FAIL();
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.number(), 400);
    }
}

TEST(FormLifecycle, UndeclaredWindowIsAnError) {
    Forms forms;
    EXPECT_THROW(forms[QStringLiteral("frmNone")], runtime::RuntimeError);
    forms.define(QStringLiteral("frmMain"), {});
    EXPECT_THROW(forms.define(QStringLiteral("frmMain"), {}), runtime::RuntimeError);
}

} // namespace
