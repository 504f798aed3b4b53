#include <gtest/gtest.h>

#include <climits>

#include "platform/foundation/NSMutableDictionary.h"

namespace platform {
namespace {

TEST(PlistValue, NumbersAndStringsAnswerAsFoundationDoes) {
    EXPECT_EQ(PlistValue("1").intValue(), 1);
    EXPECT_EQ(PlistValue("1").boolValue(), true);
    EXPECT_EQ(numberWithBool(true).intValue(), 1);
    EXPECT_EQ(numberWithInt(0).boolValue(), false);
    EXPECT_EQ(PlistValue(-2.9).intValue(), -2);
    EXPECT_EQ(PlistValue(0.25).boolValue(), true);
    // A wider integer keeps its low 32 bits, as NSNumber's intValue does.
    EXPECT_EQ(PlistValue(std::int64_t{0x100000005}).intValue(), 5);
}

TEST(PlistValue, StringsReadTheirLeadingNumberLikeNSString) {
    EXPECT_EQ(PlistValue(" \t-42abc").intValue(), -42);
    EXPECT_EQ(PlistValue("+7").intValue(), 7);
    EXPECT_EQ(PlistValue("abc").intValue(), 0);
    EXPECT_EQ(PlistValue("\n5").intValue(), 0);  // only blanks are skipped
    EXPECT_EQ(PlistValue("99999999999").intValue(), INT_MAX);
    EXPECT_EQ(PlistValue("-99999999999").intValue(), INT_MIN);

    for (const char* yes : {"YES", "yes", "true", "T", "  +007", "-0009", "1abc"}) {
        EXPECT_EQ(PlistValue(yes).boolValue(), true) << yes;
    }
    for (const char* no : {"NO", "false", "", "  000", "0x1", "-", "abc"}) {
        EXPECT_EQ(PlistValue(no).boolValue(), false) << no;
    }
}

TEST(PlistValue, CollectionsDataAndDatesAnswerNeither) {
    NSMutableDictionary nested;
    nested.setObject(1, "a");
    for (const PlistValue& value : {PlistValue(nested), PlistValue(PlistArray{1}),
                                    PlistValue(PlistData{1, 2}), PlistValue(PlistDate{10})}) {
        EXPECT_FALSE(value.intValue().has_value());
        EXPECT_FALSE(value.boolValue().has_value());
    }
}

TEST(PlistValue, ACopiedValueOwnsItsDictionary) {
    NSMutableDictionary inner;
    inner.setObject(1, "a");
    PlistValue original(inner);
    PlistValue copy = original;
    NSMutableDictionary changed = *copy.dictionaryValue();
    changed.setObject(2, "a");
    copy = PlistValue(changed);
    EXPECT_EQ(original.dictionaryValue()->objectForKey("a")->intValue(), 1);
    EXPECT_EQ(copy.dictionaryValue()->objectForKey("a")->intValue(), 2);
    EXPECT_FALSE(original == copy);
}

TEST(NSMutableDictionary, SetReplacesAndDescriptionListsKeysInOrder) {
    auto dictionary = NSMutableDictionary::create();
    dictionary->setObject(numberWithBool(true), "rememberSettings");
    dictionary->setObject(numberWithInt(3), "overlayIndex");
    dictionary->setObject(numberWithInt(4), "overlayIndex");
    dictionary->setObject("two words", "name");
    NSMutableDictionary inner;
    inner.setObject(0.5, "x");
    dictionary->setObject(inner, "inner");
    dictionary->setObject(PlistArray{1, "b"}, "list");

    EXPECT_EQ(dictionary->count(), 5u);
    EXPECT_EQ(dictionary->objectForKey("overlayIndex")->intValue(), 4);
    EXPECT_EQ(dictionary->objectForKey("missing"), nullptr);
    EXPECT_EQ(dictionary->description(),
              "{\n"
              "    inner =     {\n"
              "        x = 0.5;\n"
              "    };\n"
              "    list =     (\n"
              "        1,\n"
              "        b\n"
              "    );\n"
              "    name = \"two words\";\n"
              "    overlayIndex = 4;\n"
              "    rememberSettings = 1;\n"
              "}");
    dictionary->removeObjectForKey("inner");
    EXPECT_EQ(dictionary->allKeys(),
              (std::vector<std::string>{"list", "name", "overlayIndex", "rememberSettings"}));
}

}  // namespace
}  // namespace platform
