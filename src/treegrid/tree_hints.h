#pragma once

#include "framework/gui/input.h"

// The hint window of a tree's cells and heading cells: the standard hint window in the
// application's hint colour with a one-pixel border, framed once more in black.
class TILTreeCellHintWindow : public fw::HintWindow {
public:
    explicit TILTreeCellHintWindow(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TILTreeCellHintWindow"; }

protected:
    void Paint() override;
};
