#include "Exception.h"
#include "Variant.h"

#include <gtest/gtest.h>

TEST(Variant, NullFailsWithTheConversionMessage)
{
    Variant null;
    try {
        null.asString();
        FAIL() << "no exception";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (String)");
        EXPECT_STREQ(e.className(), "EVariantTypeCastError");
    }
    EXPECT_THROW(null.asDouble(), EVariantTypeCastError);
}

TEST(Variant, ConvertsBetweenTextAndNumbers)
{
    EXPECT_EQ(Variant(12.5).asString(), "12.5");
    EXPECT_EQ(Variant(3.0).asString(), "3");
    EXPECT_EQ(Variant(0.1).asString(), "0.1");
    EXPECT_DOUBLE_EQ(Variant("42.25").asDouble(), 42.25);
    EXPECT_THROW(Variant("abc").asDouble(), EVariantTypeCastError);
}
