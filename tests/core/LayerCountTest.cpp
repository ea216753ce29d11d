// The root zone's one layer count: the flags first, then a possible NrLayers, then one layer.

#include <gtest/gtest.h>

#include "InputData.h"

namespace halosoil {
namespace {

TEST(LayerCountTest, TheSetFlagDecidesOverNrLayers) {
    InputData data;
    data.NrLayers = 3;
    data.SetLayerFlags(2);
    EXPECT_EQ(LayerCount(data), 2);
    data.NrLayers = 0;
    EXPECT_EQ(LayerCount(data), 2);
}

TEST(LayerCountTest, WithoutAFlagNrLayersServesWhenItIsOneTwoOrThree) {
    InputData data;
    ASSERT_EQ(data.FlaggedLayers(), 0);
    data.NrLayers = 3;
    EXPECT_EQ(LayerCount(data), 3);
    data.NrLayers = 2;
    EXPECT_EQ(LayerCount(data), 2);
}

TEST(LayerCountTest, WithNeitherTheRootZoneHasOneLayer) {
    InputData data;
    data.NrLayers = 0;
    EXPECT_EQ(LayerCount(data), 1);
    data.NrLayers = 4;
    EXPECT_EQ(LayerCount(data), 1);
    data.NrLayers = -2;
    EXPECT_EQ(LayerCount(data), 1);
}

}  // namespace
}  // namespace halosoil
