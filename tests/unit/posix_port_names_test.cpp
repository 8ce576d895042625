// Linux names its serial ports by device paths: COMn stands for the USB
// adapter /dev/ttyUSB(n-1) unless an option says otherwise, and a "COM9"
// given where a path goes is a typing error, not a port.

#include <gtest/gtest.h>

#include "serial/system_port_names.h"

namespace qx {
namespace {

TEST(SystemPortNames, AreDevicePaths) {
    EXPECT_EQ(DefaultPortPath(0), "/dev/ttyUSB0");
    EXPECT_EQ(DefaultPortPath(7), "/dev/ttyUSB7");
    EXPECT_EQ(DevicePathOfName("ttyS0"), "/dev/ttyS0");
    for (const char* name : {"COM9", "COM12", "\\\\.\\COM3"}) EXPECT_FALSE(IsSystemPortName(name)) << name;
}

}  // namespace
}  // namespace qx
