#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/core/object.h"
#include "framework/gui/clipboard.h"
#include "framework/gui/form.h"
#include "framework/gui/test_driver.h"

// A shown 400 x 300 form holding one focused text control (an edit or a memo) with a
// clipboard of its own and a count of the control's changes, driven headless with the fake
// backend's fixed characters. The derived fixture's SetUp calls ShowFormWith.
template <class TextControl>
class TextControlTest : public ::testing::Test {
protected:
    // Makes the form with the control at bounds and whatever addOthers adds after it (in the
    // tab order), shows it and focuses the control; changes made so far are not counted.
    TextControl* ShowFormWith(const fw::Rect& bounds, const std::function<void()>& addOthers = {})
    {
        fw::ClearPostedMessages();
        previousClipboard_ = fw::SetClipboard(std::make_unique<fw::MemoryClipboard>());
        form_ = std::make_unique<fw::Form>();
        form_->SetBounds(0, 0, 400, 300);
        TextControl* control = Add<TextControl>(bounds);
        control->SetOnChange([this](fw::Object*) { ++changes_; });
        if (addOthers) {
            addOthers();
        }
        form_->Show();
        driver_ = std::make_unique<fw::TestDriver>(*form_);
        control->SetFocus();
        changes_ = 0;
        return control;
    }

    void TearDown() override
    {
        driver_.reset();
        form_.reset();
        fw::SetClipboard(std::move(previousClipboard_));
        fw::ClearPostedMessages();
    }

    // A control of the form (which owns it) at bounds.
    template <class Child>
    Child* Add(const fw::Rect& bounds)
    {
        auto* child = new Child(form_.get());
        child->SetParent(form_.get());
        child->SetBoundsRect(bounds);
        return child;
    }

    // A clickable control below the text control that counts its clicks (the form's default
    // or cancel button in the tests of the dialog keys).
    fw::Control* AddButton(int left, int& clicks)
    {
        fw::Control* button = Add<fw::Control>(fw::Rect{left, 250, left + 50, 270});
        button->SetOnClick([&clicks](fw::Object*) { ++clicks; });
        return button;
    }

    void Press(int key, fw::ShiftState modifiers = {}) { driver_->PressKey(key, modifiers); }

    std::unique_ptr<fw::Clipboard> previousClipboard_;
    std::unique_ptr<fw::Form> form_;
    std::unique_ptr<fw::TestDriver> driver_;
    int changes_ = 0;
};
