// Windows names its serial ports "COMn": COMn stands for the port COMn
// itself, reached through the device namespace so that COM10 and above
// open too, and any COM name, in either form, goes where a path goes.

#include <gtest/gtest.h>

#include "serial/system_port_names.h"

namespace qx {
namespace {

TEST(SystemPortNames, AreComNamesInTheDeviceNamespace) {
    EXPECT_EQ(DefaultPortPath(0), "\\\\.\\COM1");
    EXPECT_EQ(DefaultPortPath(7), "\\\\.\\COM8");
    EXPECT_EQ(DevicePathOfName("COM12"), "\\\\.\\COM12");
    struct Case {
        const char* name;
        bool systemPort;
    };
    for (const Case& c : {Case{"COM9", true}, Case{"com12", true}, Case{"\\\\.\\COM12", true}, Case{"COM", false},
                          Case{"COMX", false}, Case{"/dev/ttyS0", false}, Case{"\\\\.\\NUL", false}})
        EXPECT_EQ(IsSystemPortName(c.name), c.systemPort) << c.name;
}

}  // namespace
}  // namespace qx
