#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "forms/forms_libraries.h"
#include "framework/core/object.h"

// The base of the tests of the base forms and of the windows built on them: the libraries
// the forms stand on run from before SetUp until after TearDown.
class FormsTest : public testing::Test {
protected:
    // A finished window of the class (its loading done), owned by owner too when one is given.
    template <class Window>
    static std::unique_ptr<Window> Created(fw::Component* owner = nullptr)
    {
        auto window = std::make_unique<Window>(owner);
        window->FinishLoading();
        return window;
    }

private:
    TILFormsLibraries libraries_;
};
