#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "ui/script/LuaParameters.h"
#include "ui/script/ScriptSystem.h"

using namespace orvo;

namespace {

typedef BaseLuaParameter P;

boost::shared_ptr<BaseLuaParameter> pointerParameter(P::ParameterType type, void* value,
                                                     uint32_t size) {
    return boost::shared_ptr<BaseLuaParameter>(new LuaPointerParameter(type, value, size));
}

}  // namespace

TEST(LuaParametersTest, EachAddGivesItsTypeTextAndSize) {
    LuaParameters params;
    ASSERT_TRUE(params.addNil(true));
    ASSERT_TRUE(params.addBool(true));
    ASSERT_TRUE(params.addUint(7));
    ASSERT_TRUE(params.addInt(-7));
    ASSERT_TRUE(params.addFloat(1.5f));
    ASSERT_TRUE(params.addString("text"));
    int marker = 0;
    params.pushBack(pointerParameter(P::TYPE_LIGHT_USERDATA, &marker, 8));
    params.pushBack(pointerParameter(P::TYPE_OBJECT, &marker, 24));
    params.pushBack(pointerParameter(P::TYPE_TABLE, &marker, 32));
    const struct {
        P::ParameterType type;
        const char* text;
    } expected[] = {
        {P::TYPE_NIL, "INVALID TYPE"},
        {P::TYPE_BOOL, "bool"},
        {P::TYPE_UINT, "uint"},
        {P::TYPE_INT, "int"},
        {P::TYPE_FLOAT, "float"},
        {P::TYPE_STRING, "string"},
        {P::TYPE_LIGHT_USERDATA, "lightuserdata pointer"},
        {P::TYPE_OBJECT, "fulluserdata pointer"},
        {P::TYPE_TABLE, "table pointer"},
    };
    ASSERT_EQ(params.size(), 9u);
    for (std::size_t i = 0; i < params.size(); ++i) {
        EXPECT_EQ(params.getType(i), expected[i].type) << i;
        EXPECT_STREQ(params.getTypeString(i), expected[i].text) << i;
    }
    EXPECT_STREQ(BaseLuaParameter::getTypeString(9), "INVALID TYPE");
    EXPECT_STREQ(BaseLuaParameter::getTypeString(-1), "INVALID TYPE");
    // A nil holds false whatever it was given; the sizes are the script-side sizes.
    EXPECT_FALSE(ScriptSystem::getNil(*params.get(0)));
    EXPECT_EQ(static_cast<LuaBoolParameter&>(*params.get(1)).size, 1u);
    EXPECT_EQ(static_cast<LuaStringParameter&>(*params.get(5)).size, 4u);
    EXPECT_EQ(ScriptSystem::getPointerSize(*params.get(6)), 0u);
    EXPECT_EQ(ScriptSystem::getPointerSize(*params.get(7)), 24u);
    EXPECT_EQ(ScriptSystem::getPointerSize(*params.get(8)), 32u);
}

TEST(LuaParametersTest, IndexPastTheEndMeansTheLastAndAnEmptyListIsNil) {
    LuaParameters params;
    EXPECT_FALSE(params.get(0));
    EXPECT_EQ(params.getType(3), P::TYPE_NIL);
    EXPECT_STREQ(params.getTypeString(3), "INVALID TYPE");
    params.setAsNil(0);
    EXPECT_TRUE(params.empty());

    params.addInt(1);
    params.addString("last");
    EXPECT_EQ(params.getType(2), P::TYPE_STRING);
    EXPECT_EQ(ScriptSystem::getString(*params.get(9)), "last");

    params.setAsNil(0);
    EXPECT_EQ(params.getType(0), P::TYPE_NIL);
    params.setAsNil(5);
    EXPECT_EQ(params.getType(1), P::TYPE_STRING);
}

TEST(LuaParametersTest, SettersAndGettersActOnlyOnTheirOwnType) {
    LuaParameters params;
    params.addNil();
    params.addBool(false);
    params.addFloat(0.0f);
    params.addString("");
    int marker = 0;
    params.pushBack(pointerParameter(P::TYPE_LIGHT_USERDATA, nullptr, 8));
    for (const auto& parameter : params) {
        ScriptSystem::setBool(*parameter, true);
        ScriptSystem::setNumber(*parameter, 2.5);
        ScriptSystem::setString(*parameter, "set");
        ScriptSystem::setPointer(*parameter, &marker);
        ScriptSystem::setNil(*parameter);
    }
    const struct {
        bool boolean;
        double number;
        const char* text;
        void* pointer;
    } expected[] = {
        {false, 0.0, "", nullptr},    {true, 0.0, "", nullptr},  {false, 2.5, "", nullptr},
        {false, 0.0, "set", nullptr}, {false, 0.0, "", &marker},
    };
    for (std::size_t i = 0; i < params.size(); ++i) {
        const BaseLuaParameter& parameter = *params.get(i);
        EXPECT_EQ(ScriptSystem::getBool(parameter), expected[i].boolean) << i;
        EXPECT_EQ(ScriptSystem::getNumber(parameter), expected[i].number) << i;
        EXPECT_EQ(ScriptSystem::getString(parameter), expected[i].text) << i;
        EXPECT_EQ(ScriptSystem::getPointer(parameter), expected[i].pointer) << i;
        EXPECT_FALSE(ScriptSystem::getNil(parameter)) << i;
    }
}

TEST(LuaParametersTest, NumbersTakeTheParameterTypeAndStayInItsRange) {
    const struct {
        double value;
        int asInt;
        unsigned asUint;
    } cases[] = {
        {2.9, 2, 2u},
        {-2.9, -2, 0u},
        {-1.0, -1, 0u},
        {4294967295.0, INT_MAX, UINT_MAX},
        {1e300, INT_MAX, UINT_MAX},
        {-1e300, INT_MIN, 0u},
        {std::nan(""), 0, 0u},
    };
    for (const auto& c : cases) {
        LuaParameters params;
        params.addInt(5);
        params.addUint(5);
        params.addFloat(5.0f);
        for (const auto& parameter : params) {
            ScriptSystem::setNumber(*parameter, c.value);
        }
        EXPECT_EQ(ScriptSystem::getNumber(*params.get(0)), c.asInt) << c.value;
        EXPECT_EQ(ScriptSystem::getNumber(*params.get(1)), c.asUint) << c.value;
    }
    LuaParameters params;
    params.addFloat(0.0f);
    ScriptSystem::setNumber(*params.get(0), 0.1);
    EXPECT_EQ(ScriptSystem::getNumber(*params.get(0)), static_cast<double>(0.1f));
}
