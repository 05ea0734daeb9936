#include "app/command_router.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vorlin {
namespace {

class FakeTarget : public CommandTarget {
  public:
    std::map<int, CommandState> handles;
    std::vector<int> ran;
    bool OnCommand(int id) override {
        if (!handles.count(id)) return false;
        ran.push_back(id);
        return true;
    }
    bool OnUpdateCommand(int id, CommandState& state) override {
        auto it = handles.find(id);
        if (it == handles.end()) return false;
        state = it->second;
        return true;
    }
};

TEST(CommandRouter, FirstClaimingTargetWinsAndUnclaimedIsDisabled) {
    FakeTarget view, doc;
    view.handles[1] = {true, true};
    doc.handles[1] = {true, false};
    doc.handles[2] = {false, false};
    CommandRouter router;
    router.AddTarget(&view);
    router.AddTarget(&doc);
    router.AddTarget(&view);  // added once only

    EXPECT_TRUE(router.Execute(1));
    EXPECT_EQ(view.ran, std::vector<int>{1});
    EXPECT_TRUE(doc.ran.empty());
    EXPECT_TRUE(router.Query(1).checked);

    // Disabled by its handler: neither shown enabled nor run by a key.
    EXPECT_FALSE(router.Query(2).enabled);
    EXPECT_FALSE(router.Execute(2));
    EXPECT_TRUE(doc.ran.size() == 0);

    EXPECT_FALSE(router.Query(3).enabled);
    EXPECT_FALSE(router.Execute(3));

    router.RemoveTarget(&view);
    EXPECT_TRUE(router.Execute(1));
    EXPECT_EQ(doc.ran, std::vector<int>{1});
}

}  // namespace
}  // namespace vorlin
