// The size dialog's rules: "Ok" follows the field changed last; a confirmed dialog is checked.
#include "editor/MapSizeRules.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(MapSizeRulesTest, OkFollowsTheFieldChangedLast) {
    MapSizeRules rules;
    EXPECT_TRUE(rules.OkEnabled());  // "256" x "512"
    rules.EditXChanged("127");
    EXPECT_FALSE(rules.OkEnabled());
    rules.EditYChanged("300");  // X is still out of range, yet Y decides now
    EXPECT_TRUE(rules.OkEnabled());
    rules.EditYChanged("2048");
    EXPECT_FALSE(rules.OkEnabled());
    rules.EditXChanged("128");
    EXPECT_TRUE(rules.OkEnabled());
    rules.EditXChanged("2047");
    EXPECT_TRUE(rules.OkEnabled());
    rules.EditXChanged("");
    EXPECT_FALSE(rules.OkEnabled());
}

TEST(MapSizeRulesTest, OnlyWholeNumbersInRangeAreSides) {
    EXPECT_EQ(MapSizeRules::SideValue("128"), 128);
    EXPECT_EQ(MapSizeRules::SideValue(" 2047 "), 2047);
    EXPECT_EQ(MapSizeRules::SideValue("+300"), 300);
    for (const char* bad :
         {"127", "2048", "-300", "300x", "3 00", "", "+", "12345678901234567890", "0x200", "256.0"})
        EXPECT_FALSE(MapSizeRules::SideValue(bad).has_value()) << bad;
}

TEST(MapSizeRulesTest, AConfirmedDialogNeedsBothFields) {
    const MapSizeOutcome good = MapSizeRules::Confirm({"128", "2047"});
    ASSERT_TRUE(good.Size.has_value());
    EXPECT_EQ(*good.Size, (MapSize{128, 2047}));
    EXPECT_TRUE(good.Reason.empty());

    const MapSizeOutcome badX = MapSizeRules::Confirm({"99", "300"});
    EXPECT_FALSE(badX.Size.has_value());
    EXPECT_NE(badX.Reason.find("rozměr X"), std::string::npos);
    EXPECT_EQ(badX.Reason.find("rozměr Y"), std::string::npos);

    const MapSizeOutcome badY = MapSizeRules::Confirm({"300", "abc"});
    EXPECT_FALSE(badY.Size.has_value());
    EXPECT_NE(badY.Reason.find("rozměr Y"), std::string::npos);
    EXPECT_NE(badY.Reason.find("2047"), std::string::npos);
}

}  // namespace
}  // namespace tess
