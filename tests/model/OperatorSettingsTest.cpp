#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

using namespace qx::model;

TEST(OperatorSettings, EmptyStoreDefaultsForEveryModel) {
    for (ModelType model : {0, 1, 2, 3, 5, 6, 8, 9}) {
        const OperatorSettings s = OperatorSettings::defaultsFor(Catalogue(model));
        EXPECT_EQ(s.textSize, 3) << model;
        EXPECT_EQ(s.textWidth, 0) << model;
        EXPECT_EQ(s.numberTube, 2) << model;
        EXPECT_EQ(s.numberTape, 1) << model;
        EXPECT_EQ(s.pitchLenTube, 200) << model;
        EXPECT_EQ(s.pitchLenTape, 100) << model;
        EXPECT_TRUE(s.defaultCfDrive.empty()) << model;
        EXPECT_EQ(s.frameGap, 1) << model;
        EXPECT_EQ(s.printFont, 0) << model;
        EXPECT_EQ(s.zeroSlash, 0) << model;
        EXPECT_EQ(s.modelType, model);
        EXPECT_EQ(s.print, (PrintParameters{4, 20, 0, 0, 0, 10})) << model;
    }
}

TEST(OperatorSettings, DefaultsKeepTheCatalogueModel) {
    EXPECT_EQ(OperatorSettings::defaultsFor(Catalogue(models::Default)).modelType, 9);
    EXPECT_EQ(OperatorSettings::defaultsFor(Catalogue(7)).modelType, 7);
}
