// The readable keys and value labels against the field table: every field
// is reachable by a key, keys never clash with each other or with control
// names, and every label of every setting reads back as its value.

#include <gtest/gtest.h>

#include <set>

#include "config/setting_labels.h"

namespace qx {
namespace {

TEST(SettingKeys, EveryFieldIsReachableByExactlyOneKeyAndEveryLabelRoundTrips) {
    std::set<std::string_view> names;
    for (const SettingKey& s : AllSettings()) {
        for (std::string_view name : {s.key, s.alias}) {
            if (name.empty()) continue;
            EXPECT_TRUE(names.insert(name).second) << name << " names two settings";
            EXPECT_FALSE(FindField(name)) << name << " is also a control name";
            EXPECT_EQ(FindSettingKey(name), &s) << name;
        }
    }
    for (const FieldSpec& f : AllFields()) {
        const SettingKey& s = SettingOf(f.id);
        EXPECT_TRUE(s.field == f.id || s.mirror == f.id || (IsModeSetting(s) && f.kind == FieldKind::Radio)) << f.name;
        EXPECT_EQ(FindSettingKey(s.key), &s) << f.name;
    }
    for (ModelFamily family : {ModelFamily::Main, ModelFamily::Basic}) {
        for (const SettingKey& s : AllSettings()) {
            if (Spec(s.field).kind == FieldKind::Number) {
                EXPECT_TRUE(ValueLabels(s, family).empty()) << s.key;
                continue;
            }
            const auto labels = ValueLabels(s, family);
            ASSERT_EQ(static_cast<int>(labels.size()), MaxValue(s, family) - MinValue(s, family) + 1) << s.key;
            std::set<std::string> distinct;
            for (int v = MinValue(s, family); v <= MaxValue(s, family); ++v) {
                const std::string label = ValueLabel(s, family, v);
                EXPECT_TRUE(distinct.insert(label).second) << s.key << " label " << label << " twice";
                EXPECT_EQ(LabelValue(s, family, label), v) << s.key << "=" << label;
                std::string upper = label;
                for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                EXPECT_EQ(LabelValue(s, family, upper), v) << s.key << "=" << upper;
            }
            // A choice's own item texts name their item (the first of equal texts).
            if (Spec(s.field).kind == FieldKind::Choice && s.field != FieldId::Radio_DataRate) {
                const auto items = Spec(s.field).items;
                for (std::size_t i = 0; i < items.size(); ++i) {
                    const auto v = LabelValue(s, family, items[i]);
                    ASSERT_TRUE(v) << s.key << " item " << items[i];
                    EXPECT_EQ(items[static_cast<std::size_t>(*v)], items[i]);
                }
            }
            EXPECT_FALSE(LabelValue(s, family, "no such label")) << s.key;
        }
    }
    EXPECT_EQ(*LabelValue(*FindSettingKey("radio.data-rate"), ModelFamily::Basic, "76800"), 2);
    EXPECT_FALSE(LabelValue(*FindSettingKey("radio.data-rate"), ModelFamily::Main, "76800"));
}

TEST(SettingKeys, SerialFormatTakesParityDataAndStopBits) {
    struct Case {
        const char* text;
        std::optional<std::array<int, 3>> items;  // parity, data, stop
    } cases[] = {{"N-8-1", {{0, 1, 0}}}, {"z-7-2", {{1, 0, 1}}}, {"O-8-2", {{2, 1, 1}}}, {"E-7-1", {{3, 0, 0}}},
                 {"S-8-1", std::nullopt}, {"N-9-1", std::nullopt}, {"N-8-3", std::nullopt},
                 {"N81", std::nullopt},   {"N-8-1 ", std::nullopt}, {"", std::nullopt}};
    for (const Case& c : cases) {
        const auto format = ParseSerialFormat(c.text);
        ASSERT_EQ(format.has_value(), c.items.has_value()) << c.text;
        if (format) {
            EXPECT_EQ((std::array<int, 3>{format->parity, format->data, format->stop}), *c.items) << c.text;
        }
    }
}

}  // namespace
}  // namespace qx
