#include "Forms.h"

#include "runtime/RuntimeError.h"

#include <algorithm>

namespace forms {

Forms::~Forms() {
    // Windows may refer to each other while they go; none is loaded afterwards.
    loaded_.clear();
    for (auto& entry : forms_)
        entry.second.reset();
}

Form& Forms::define(const QString& name, Form::Builder builder) {
    if (forms_.contains(name))
        raiseFormsError(ObjectAlreadyLoaded);
    auto& slot = forms_[name];
    slot = std::make_unique<Form>(name, std::move(builder), this);
    return *slot;
}

bool Forms::isDefined(const QString& name) const { return forms_.contains(name); }

Form& Forms::operator[](const QString& name) {
    Form* form = find(name);
    if (form == nullptr)
        runtime::raise(runtime::SubscriptOutOfRange);
    form->load();
    return *form;
}

Form* Forms::find(const QString& name) const {
    const auto it = forms_.find(name);
    return it == forms_.end() ? nullptr : it->second.get();
}

bool Forms::isLoaded(const QString& name) const {
    const Form* form = find(name);
    return form != nullptr && form->isLoaded();
}

Control* Forms::findControl(const QString& window, const QString& control, int index) const {
    Form* form = find(window);
    if (form == nullptr || !form->isLoaded())
        return nullptr;
    return form->find(control, index);
}

bool Forms::unloadAll(UnloadReason reason) {
    const std::vector<Form*> snapshot(loaded_.rbegin(), loaded_.rend());
    for (Form* form : snapshot)
        if (!form->unload(reason))
            return false;
    return true;
}

void Forms::noteLoaded(Form& form) {
    if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end())
        loaded_.push_back(&form);
}

void Forms::noteUnloaded(Form& form) { std::erase(loaded_, &form); }

} // namespace forms
