#include <gtest/gtest.h>

#include <vector>

#include "model/model_hooks.h"

TEST(ModelHooks, SilentUntilInstalledAndBusyScopesNest)
{
    model_hooks::Notify(1, true, true, false);
    std::vector<int> notified;
    model_hooks::SetNotifyHandler([&](int id, bool enabled, bool, bool pressed) {
        notified.push_back(id * 10 + (enabled ? 1 : 0) + (pressed ? 2 : 0));
    });
    model_hooks::Notify(4, true, false, true);
    model_hooks::SetNotifyHandler({});
    model_hooks::Notify(5, true, false, true);
    EXPECT_EQ(notified, (std::vector<int>{43}));

    std::vector<bool> busy;
    model_hooks::SetBusyHandler([&](bool on) { busy.push_back(on); });
    {
        model_hooks::BusyScope outer;
        model_hooks::BusyScope inner;
    }
    model_hooks::SetBusyHandler({});
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}
