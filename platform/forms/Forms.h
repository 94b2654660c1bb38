#pragma once

#include "Form.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace forms {

// The program's windows, one shared instance each, found by name. A window is
// loaded (hidden) on first use; the loaded ones are listed in load order.
class Forms {
public:
    Forms() = default;
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;
    ~Forms();

    // Declares a window; its builder runs at every load. Declaring a name twice
    // raises run-time error 360.
    Form& define(const QString& name, Form::Builder builder);
    bool isDefined(const QString& name) const;
    // The window, loaded; an undeclared name raises run-time error 9.
    Form& operator[](const QString& name);
    // The window without loading it; null when undeclared.
    Form* find(const QString& name) const;
    bool isLoaded(const QString& name) const;
    std::vector<Form*> loaded() const { return loaded_; }
    // (window, control, index) -> control of a loaded window; null when the
    // window is not loaded or has no such control. Loads nothing.
    Control* findControl(const QString& window, const QString& control, int index = -1) const;
    // Unloads every loaded window, newest first; stops at the first that refuses.
    bool unloadAll(UnloadReason reason = UnloadReason::AppWindows);

    void noteLoaded(Form& form);
    void noteUnloaded(Form& form);

private:
    std::map<QString, std::unique_ptr<Form>> forms_;
    std::vector<Form*> loaded_;
};

} // namespace forms
