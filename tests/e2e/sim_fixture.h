#pragma once
// A qxsim per test, on a link in the test's own temporary folder.

#include "e2e/sim_harness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace qx::simtest {

class SimTest : public ::testing::Test {
protected:
    std::string Link() const { return dir_.File("module"); }
    std::string StateFile() const { return dir_.File("state"); }

    void Start(std::vector<std::string> args = {}) {
        sim_.reset();
        sim_ = std::make_unique<SimProcess>(Link(), std::move(args), dir_.File("stderr"));
        ASSERT_FALSE(sim_->SlavePath().empty()) << "qxsim did not report its slave: " << StderrText();
    }
    int Stop() { return sim_->Stop(); }

    // Every simulator ends cleanly on SIGTERM, without a sanitizer report.
    void TearDown() override {
        if (!sim_) return;
        EXPECT_EQ(Stop(), 0);
        const std::string errors = StderrText();
        EXPECT_EQ(errors.find("Sanitizer"), std::string::npos) << errors;
        EXPECT_EQ(errors.find("runtime error"), std::string::npos) << errors;
    }

    std::unique_ptr<HostPort> Open(const HostLine& line = {}) { return std::make_unique<HostPort>(Link(), line); }

    std::string StderrText() const {
        std::ifstream in(dir_.File("stderr"));
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The "AT&V" answer, up to and including its result code.
    static std::string Listing(HostPort& port) { return port.Exchange("AT&V\r"); }

    TempDir dir_;
    std::unique_ptr<SimProcess> sim_;
};

// A qxsim with a server of the test's (a port server, say) in front of
// it: the server goes first, while the simulator still runs.
template <typename Server>
class ServedSimTest : public SimTest {
protected:
    void TearDown() override {
        server_.reset();
        SimTest::TearDown();
    }
    std::unique_ptr<Server> server_;
};

}  // namespace qx::simtest
