#include "MaterialTree.h"

#include "MaterialFile.h"

#include "runtime/CheckedMath.h"
#include "runtime/NumberText.h"
#include "runtime/RuntimeError.h"

namespace cindrel::agma {

std::vector<MaterialNode> materialTreeNodes(const MaterialsTable& table) {
    std::vector<MaterialNode> nodes;
    nodes.reserve(static_cast<std::size_t>(table.rowCount()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const MaterialRecord record = table.record(row);
        MaterialNode node;
        node.key = record.text(MaterialColumn::Id) + "a";
        node.text = record.text(MaterialColumn::NodeText);
        const std::string& parent = record.text(MaterialColumn::Parent);
        if (!parent.empty()) {
            node.relativeKey = parent + "a";
            node.relationship =
                static_cast<int>(runtime::roundHalfEven(record.number(MaterialColumn::Relationship)));
        }
        nodes.push_back(std::move(node));
    }
    return nodes;
}

int materialRowOfKey(std::string_view key) {
    try {
        const double row = runtime::leadingNumber(key);
        if (row < 0 || row > MaterialRowLimit)
            return 0;
        return static_cast<int>(row);
    } catch (const runtime::RuntimeError&) {
        return 0;
    }
}

std::optional<int> materialRowNamed(std::string_view key, const MaterialsTable& table) {
    const int row = materialRowOfKey(key);
    if (row <= 0 || row >= table.rowCount() || key != std::to_string(row) + "a")
        return std::nullopt;
    return row;
}

} // namespace cindrel::agma
