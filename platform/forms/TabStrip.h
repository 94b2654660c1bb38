#pragma once

#include "Control.h"
#include "Form.h"

#include <QTabBar>

#include <vector>

namespace forms {

// A row of tabs, numbered from 0, each with a page that can hold controls.
// Hidden tabs keep their numbers. Selecting a tab, by the user or by code,
// shows its page and raises onTabClick with the tab selected before; a handler
// that selects another tab runs the event again, nested.
class TabStrip : public Control {
public:
    TabStrip(Form& form, const ControlPlace& place);

    int addTab(const QString& caption);
    int tabCount() const { return static_cast<int>(pages_.size()); }
    QString tabCaption(int tab) const;
    void setTabCaption(int tab, const QString& caption);
    bool tabVisible(int tab) const;
    void setTabVisible(int tab, bool visible);
    // -1 while the strip has no tabs.
    int selectedTab() const { return selected_; }
    // Raises run-time error 380 for a tab that does not exist.
    void setSelectedTab(int tab);

    QWidget* childArea(int tab) const override;

    Event<int> onTabClick; // the tab selected before

private:
    class Surface;
    void checkTab(int tab) const;
    void showSelectedPage();

    Surface* surface_;
    QTabBar* bar_;
    std::vector<QWidget*> pages_;
    std::vector<QString> captions_;
    int selected_ = -1;
    bool syncing_ = false;
};

} // namespace forms
