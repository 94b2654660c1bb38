#include "shell/ShellWindows.h"
#include "shell/Startup.h"

#include "forms/TextBox.h"
#include "model/MMath.h"
#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "ShellWindowLayouts.h"

#include <QScopedValueRollback>

#include <memory>
#include <optional>

namespace cindrel::shell {

namespace {

// The converted hardness as a whole number; no value shows as 0.
QString convertedText(const QString& typed, std::optional<double> (*convert)(double))
{
    const std::optional<double> converted = convert(runtime::leadingNumber(typed.toStdString()));
    if (!converted)
        return QStringLiteral("0");
    return QString::number(static_cast<long long>(runtime::roundHalfEven(*converted)));
}

} // namespace

void defineHardnessConverter(Startup& startup)
{
    startup.windows().define(QStringLiteral("frmHardnessConverter"), [](forms::Form& form) {
        form.setCaption(QStringLiteral("hardness converter"));
        form.move(0, 0, 3075 + 120, 1905 + 420);
        forms::buildLayout(form, layouts::frmHardnessConverter());
        auto& bhn = form.get<forms::TextBox>(QStringLiteral("txtBHN"));
        auto& hrc = form.get<forms::TextBox>(QStringLiteral("txtHRC"));
        // On while one box is filled from the other, so a conversion never echoes back.
        auto updating = std::make_shared<bool>(false);
        const auto fill = [updating](forms::TextBox& from, forms::TextBox& to, std::optional<double> (*convert)(double)) {
            if (*updating)
                return;
            const QScopedValueRollback reset(*updating, true);
            to.setText(convertedText(from.text(), convert));
        };
        bhn.onChange.connect([&bhn, &hrc, fill] { fill(bhn, hrc, &model::MMath::BHNtoHRC); });
        hrc.onChange.connect([&bhn, &hrc, fill] { fill(hrc, bhn, &model::MMath::HRCtoBHN); });
        bhn.setTabIndex(0);
    });
}

} // namespace cindrel::shell
