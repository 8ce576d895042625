// qxcfg's strict reader of a JSON object of field values: what it takes,
// in which order, and every odd input it must refuse.

#include <gtest/gtest.h>

#include "cli/json_object.h"

namespace qx::cli {
namespace {

using Kind = JsonMember::Kind;

struct Accepted {
    const char* json;
    std::vector<JsonMember> members;
};

class JsonAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(JsonAccepted, GivesTheMembersInOrder) {
    const auto members = ParseJsonObject(GetParam().json);
    ASSERT_EQ(members.size(), GetParam().members.size()) << GetParam().json;
    for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].key, GetParam().members[i].key);
        EXPECT_EQ(members[i].kind, GetParam().members[i].kind) << members[i].key;
        EXPECT_EQ(members[i].text, GetParam().members[i].text) << members[i].key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonAccepted,
    ::testing::Values(
        Accepted{"{}", {}}, Accepted{" \t\r\n{ \n}\n", {}},
        // Order is the object's, not sorted.
        Accepted{R"({"sreg_14": 200, "OperatingMode": 3, "a": 1})",
                 {{"sreg_14", Kind::Number, "200"}, {"OperatingMode", Kind::Number, "3"}, {"a", Kind::Number, "1"}}},
        // Numbers stay as written, for the field's own rules to judge.
        Accepted{R"({"x": -0, "y": 1.50, "z": 2e3, "w": -7E-1})",
                 {{"x", Kind::Number, "-0"}, {"y", Kind::Number, "1.50"}, {"z", Kind::Number, "2e3"},
                  {"w", Kind::Number, "-7E-1"}}},
        Accepted{R"({"s": "35", "t": ""})", {{"s", Kind::String, "35"}, {"t", Kind::String, ""}}},
        Accepted{R"({"e": "a\"b\\c\/d\u0041\t"})", {{"e", Kind::String, "a\"b\\c/dA\t"}}},
        Accepted{R"({"k\u0031": 5})", {{"k1", Kind::Number, "5"}}},
        // 8-bit texts: \u0080..\u00FF are one byte each.
        Accepted{R"({"s": "\u00e9\u00FF"})", {{"s", Kind::String, "\xe9\xff"}}},
        // A UTF-8 byte-order mark, as some editors write it first.
        Accepted{"\xEF\xBB\xBF{\"s7\": 9}", {{"s7", Kind::Number, "9"}}}));

struct Refused {
    const char* json;
    const char* message;  // a part of the error text
};

class JsonRefused : public ::testing::TestWithParam<Refused> {};

TEST_P(JsonRefused, NamesTheKeyOrThePlace) {
    try {
        ParseJsonObject(GetParam().json);
        FAIL() << "accepted " << GetParam().json;
    } catch (const JsonError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos)
            << GetParam().json << " -> " << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonRefused,
    ::testing::Values(
        Refused{"", "expected '{' at offset 0"}, Refused{"[1]", "expected '{'"}, Refused{"42", "expected '{'"},
        Refused{R"({"a": {"b": 1}})", "\"a\": an object"}, Refused{R"({"a": [1, 2]})", "\"a\": an array"},
        Refused{R"({"flag": true})", "\"flag\": true is not a field value"},
        Refused{R"({"n": null})", "\"n\": null is not a field value"}, Refused{R"({"a": })", "\"a\": '}' is not"},
        Refused{R"({"a": 1, "a": 2})", "key \"a\" is given twice"}, Refused{R"({"a": 1,})", "expected a key"},
        Refused{R"({"a" 1})", "expected ':'"}, Refused{R"({"a": 1 "b": 2})", "expected ',' or '}' at offset 8"},
        Refused{R"({"a": 1)", "expected ',' or '}'"}, Refused{R"({"a": 1}{})", "unexpected text after the object"},
        Refused{R"({"a": 1} x)", "unexpected text"}, Refused{R"({a: 1})", "expected a key"},
        Refused{R"({'a': 1})", "expected a key"}, Refused{R"({"a": 01})", "expected ',' or '}'"},
        Refused{R"({"a": 1.})", "expected a digit"}, Refused{R"({"a": .5})", "'.' is not a field value"},
        Refused{R"({"a": -})", "expected a digit"}, Refused{R"({"a": 1e})", "expected a digit"},
        Refused{R"({"a": +1})", "'+' is not a field value"}, Refused{R"({"a": "x)", "unterminated string"},
        Refused{"{\"a\": \"x\ny\"}", "control character"}, Refused{R"({"a": "\q"})", "unknown escape"},
        Refused{R"({"a": "\u0100"})", "beyond U+00FF"}, Refused{R"({"a": "\u12"})", "bad \\u escape"},
        Refused{R"({"a": 0x10})", "expected ',' or '}'"}));

}  // namespace
}  // namespace qx::cli
