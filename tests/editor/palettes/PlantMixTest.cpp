// The "Náhodný" mix: letters, shares in per cent, labels and empty rows.
#include "editor/palettes/PlantMix.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(PlantMixTest, ConiferAt100AndBroadleafAt50GiveTwoThirdsAndOneThird) {
    std::array<MixRow, kMixRows> rows{};
    rows[0] = {0, 100};  // "Jehličnatý (j)"
    rows[1] = {1, 50};   // "Listnatý (l)"
    const PlantMix mix = ComputeMix(rows);
    EXPECT_EQ(mix.Letters, "jl");
    ASSERT_EQ(mix.Weights.size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(mix.Weights[0]), 67);
    EXPECT_EQ(static_cast<uint8_t>(mix.Weights[1]), 33);
    EXPECT_EQ(mix.Labels[0], " 67%");
    EXPECT_EQ(mix.Labels[1], " 33%");
    EXPECT_EQ(mix.Labels[2], "  0%");
    EXPECT_EQ(mix.Labels[3], "  0%");
}

TEST(PlantMixTest, AllBarsAtZeroShowNicAndMakeAnEmptyMix) {
    std::array<MixRow, kMixRows> rows{};
    for (int i = 0; i < kMixRows; ++i)
        rows[static_cast<size_t>(i)] = {i, 0};
    const PlantMix mix = ComputeMix(rows);
    for (const MixRow& row : rows)
        EXPECT_EQ(row.Kind, -1);
    EXPECT_TRUE(mix.Letters.empty());
    EXPECT_TRUE(mix.Weights.empty());
    for (const std::string& label : mix.Labels)
        EXPECT_EQ(label, "  0%");
}

TEST(PlantMixTest, SharesRoundToTheNearestWithTiesToEven) {
    std::array<MixRow, kMixRows> rows{};
    rows[0] = {2, 1};   // 12.5 -> 12
    rows[1] = {3, 3};   // 37.5 -> 38
    rows[2] = {17, 4};  // "Speciální ()": the letter ")", 50
    const PlantMix mix = ComputeMix(rows);
    EXPECT_EQ(mix.Letters, "tk)");
    EXPECT_EQ(mix.Weights, std::string({12, 38, 50}));
    EXPECT_EQ(mix.Labels[0], " 12%");
    EXPECT_EQ(mix.Labels[2], " 50%");
    EXPECT_EQ(mix.Labels[3], "  0%");  // "nic" at 100 weighs nothing
}

TEST(PlantMixTest, LettersAndKindsMatch) {
    EXPECT_EQ(PlantLetter(0), 'j');
    EXPECT_EQ(PlantLetter(16), 'm');
    EXPECT_EQ(PlantLetter(17), ')');
    EXPECT_EQ(PlantLetter(-1), 0);
    EXPECT_EQ(PlantLetter(18), 0);
    for (int32_t kind = 0; kind < static_cast<int32_t>(kPlantKinds.size()); ++kind)
        EXPECT_EQ(PlantKindOfLetter(PlantLetter(kind)), kind);
    EXPECT_EQ(PlantKindOfLetter('q'), -1);
    EXPECT_EQ(PlantKindOfLetter(0), -1);
}

}  // namespace
}  // namespace tess
