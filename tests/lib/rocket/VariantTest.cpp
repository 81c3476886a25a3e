#include <Rocket/Core/Variant.h>

#include <gtest/gtest.h>

namespace {

using Rocket::Core::Colourb;
using Rocket::Core::String;
using Rocket::Core::Variant;

TEST(VariantTest, ColourTextsClampEachChannelToAByte) {
    struct Case {
        const char* text;
        bool parses;
        Colourb colour;
    };
    const Case cases[] = {
        {"10, 20, 30", true, Colourb(10, 20, 30, 255)},
        {"10 ,20 , 30 , 40", true, Colourb(10, 20, 30, 40)},
        {"-5, 300, 99999999999999999999, 7", true, Colourb(0, 255, 255, 7)},
        {"10, 20", false, Colourb()},
        {"10 20 30", false, Colourb()},
        {"", false, Colourb()},
    };
    for (const Case& c : cases) {
        Colourb colour;
        EXPECT_EQ(Variant(String(c.text)).GetInto(colour), c.parses) << c.text;
        if (c.parses) {
            EXPECT_EQ(colour, c.colour) << c.text;
        }
    }
}

}  // namespace
