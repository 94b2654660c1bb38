#pragma once

#include "MaterialsTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cindrel::agma {

// One node of the material tree, in the codes of the tree control: added at
// the top when relativeKey is empty, else relative to the node with that key
// (relationship 4 as its child, 0 to 3 beside it).
struct MaterialNode {
    std::string key;
    std::string relativeKey;
    int relationship = 0;
    std::string text;
};

// The nodes of every row, in row order: key = the row number and "a"
// ("23a"), text = the node text column. A parent row always comes before its
// children, so the list fills a tree front to back.
std::vector<MaterialNode> materialTreeNodes(const MaterialsTable& table);

// The row a node key or record key names: its leading number ("23a" is 23);
// 0, the root, means no material.
int materialRowOfKey(std::string_view key);

// The row of a member's material when the key is exactly the key of a node of
// the table other than the root; none otherwise (a key from a design whose
// user table is gone, an empty or damaged key), so the member is left without
// a material rather than on another one.
std::optional<int> materialRowNamed(std::string_view key, const MaterialsTable& table);

} // namespace cindrel::agma
