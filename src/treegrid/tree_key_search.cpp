// Incremental search by typing: the typed letters find the first sibling of the current
// row whose tree-column text starts with them.

#include "framework/core/encoding.h"
#include "framework/core/strings.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr char32_t EscapeCharacter = 27;

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && fw::SameText(std::string_view(text).substr(0, prefix.size()), prefix);
}

} // namespace

void TILTree::KeyPress(char32_t& key)
{
    const fw::WeakRef<TILTree> self(this);
    fw::CustomControl::KeyPress(key);
    if (!self || key == 0 || HasOption(TILTreeDisplayOption::iltDisableKeySearch)) {
        return;
    }
    if (key == EscapeCharacter) {
        keySearchText_.clear();
        return;
    }
    // Enter, Tab, Backspace and the control characters of Ctrl shortcuts are no search text.
    if (key < U' ' || key == U'\x7F') {
        return;
    }
    fw::AppendUtf8(keySearchText_, key);

    const TILTreeNode* current = GetSelected();
    const TILTreeNode* parent = current != nullptr ? current->Parent() : Root();
    if (parent == nullptr) {
        return;
    }
    for (TILTreeNode* sibling = parent->FirstVisibleChild(); sibling != nullptr;) {
        if (StartsWithIgnoringCase(sibling->GetText(), keySearchText_)) {
            SelectNode(sibling, true, TILTreePlaceCentre);
            return;
        }
        // On to the next sibling that is not hidden.
        TILTreeNode* next = nullptr;
        for (int index = sibling->GetIndex() + 1; index < parent->GetCount(); ++index) {
            TILTreeNode* candidate = parent->GetItem(index);
            if (!candidate->Hidden()) {
                next = candidate;
                break;
            }
        }
        sibling = next;
    }
}

void TILTree::SetFocus()
{
    ClearKeySearch();
    fw::CustomControl::SetFocus();
}
