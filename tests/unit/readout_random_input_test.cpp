// Thousands of damaged listings and file lines, made by a fixed-seed
// generator so every run sees the same ones: the parser and the loader may
// refuse them, but never crash, hang or read outside the text.

#include <gtest/gtest.h>

#include <random>

#include "config/readout_parser.h"
#include "files/config_file_commands.h"
#include "operations/workspace.h"
#include "support/config_fixture.h"
#include "support/listing_builder.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

// One mutation of a valid listing: flipped, inserted, deleted, duplicated
// bytes, cuts, NULs, or plain random bytes.
std::string Mutate(const std::string& seed, std::mt19937& gen) {
    auto below = [&gen](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(gen); };
    std::string text = seed;
    const std::size_t edits = 1 + below(7);
    for (std::size_t e = 0; e < edits; ++e) {
        const std::size_t at = text.empty() ? 0 : below(text.size() - 1);
        switch (below(7)) {
            case 0: if (!text.empty()) text[at] = static_cast<char>(below(255)); break;
            case 1: text.insert(at, 1, static_cast<char>(below(255))); break;
            case 2: if (!text.empty()) text.erase(at, 1 + below(10)); break;
            case 3: text.resize(at); break;
            case 4: text.insert(at, 1, '\0'); break;
            case 5: text.insert(at, text.substr(below(text.size()), below(20))); break;
            case 6: text.insert(at, std::string(1 + below(3), "0123456789 ,:=&-"[below(15)])); break;
            default: {
                std::string noise(below(300), '\0');
                for (char& c : noise) c = static_cast<char>(below(255));
                text = noise;
            }
        }
    }
    return text;
}

TEST(ReadoutRandomInput, ParserNeverFailsOtherThanWithAConversionError) {
    std::mt19937 gen(20240611);
    const std::vector<std::string> seeds = {
        test::Listing().Text(),
        test::Listing().Set("&M", "3").Set("&L", "2").Set("&Z0=", "1,2,3,4,5,9").Set("&K", "2").Text(),
        " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D3 AT&E0 AT&G1 AT&K4 AT&L1 AT&N1 AT&M1 AT&S17 AT&U1 "
        "AT\\T0 ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 "
        "ATS16:0 ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:1 AT&Z1=3,4 AT&Z2= AT&Z3= AT&Z0=2 ",
    };
    int accepted = 0;
    for (int i = 0; i < 6000; ++i) {
        const std::string text = Mutate(seeds[static_cast<std::size_t>(i) % seeds.size()], gen);
        for (ModelFamily family : {ModelFamily::Main, ModelFamily::Basic}) {
            test::StartedConfig s(family);
            std::string reply = text;
            int reference = 0;
            try {
                ProcessReadConfig(s.config, reply, reference, i % 2 ? ReadoutSource::File : ReadoutSource::Module);
                ++accepted;
            } catch (const EConvertError&) {
            }
            ASSERT_LE(reply.size(), text.size());
            for (const FieldSpec& entry : AllFields()) {
                if (entry.kind != FieldKind::Number) continue;
                const long v = s.config.Value(entry.id);
                // Whatever was read went through the setters: within range.
                ASSERT_TRUE(v >= s.config.Field(entry.id).min && v <= s.config.Field(entry.id).max) << entry.name << "=" << v;
            }
        }
    }
    // The mutations are mild enough that some listings still parse.
    EXPECT_GT(accepted, 100);
}

TEST(ReadoutRandomInput, LoaderRefusesOrLoadsEveryDamagedFile) {
    std::mt19937 gen(7);
    test::ScratchFolder folder;
    test::StartedConfig reference;
    const std::string seed =
        " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L2 AT&N1 AT&M2 AT&S17 AT&U1 "
        "AT\\T0 ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 "
        "ATS16:0 ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0=5,7,12 \r\n";
    for (int i = 0; i < 400; ++i) {
        const std::string path = folder.Write("f.X7R", Mutate(seed, gen));
        test::ScriptedPrompter prompter;
        Workspace ws(ModelVariant::Main(), prompter, FixedSystemAddress(17));
        ws.StartUp();
        if (!LoadFromFile(ws, path)) {
            ASSERT_EQ(ws.currentFileName, "");
            ASSERT_EQ(ws.config.Value(FieldId::sreg_14), 530);
        }
    }
}

}  // namespace
}  // namespace qx
