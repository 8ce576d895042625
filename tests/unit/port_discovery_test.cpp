// Serial device discovery on a sysfs and /dev tree built in a scratch
// folder, shaped as Linux lays them out for a USB adapter, a USB modem
// (CDC ACM), a built-in UART with hardware, one without, and a virtual
// terminal.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "serial/port_discovery.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

class FakeTree {
public:
    FakeTree() {
        Dir(dev_);
        const fs::path usb = Sys("devices/pci0000:00/usb1/1-1");
        Dir(usb / "1-1:1.0/ttyUSB0");
        File(usb / "manufacturer", "FTDI\n");
        File(usb / "product", "FT232R USB UART\n");
        Driver(usb / "1-1:1.0/ttyUSB0", "ftdi_sio");
        Tty("ttyUSB0", usb / "1-1:1.0/ttyUSB0");

        const fs::path acm = Sys("devices/pci0000:00/usb1/1-2");
        Dir(acm / "1-2:1.0");
        File(acm / "manufacturer", "Acme\n");
        File(acm / "product", "Acme Radio Modem\n");  // the maker already in the product text
        Driver(acm / "1-2:1.0", "cdc_acm");
        Tty("ttyACM0", acm / "1-2:1.0");

        const fs::path uart = Sys("devices/platform/serial8250");
        Dir(uart);
        Driver(uart, "serial8250");
        Tty("ttyS0", uart, "4\n");
        Tty("ttyS1", uart, "0\n");  // no hardware behind it
        Tty("ttyUSB10", usb / "1-1:1.0/ttyUSB0");

        Dir(Sys("class/tty/tty1"));  // a virtual terminal: no device
        File(fs::path(dev_) / "tty1", "");

        Dir(fs::path(dev_) / "serial/by-id");
        fs::create_symlink("../../ttyUSB0", fs::path(dev_) / "serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
        fs::create_symlink("../../ttyACM0", fs::path(dev_) / "serial/by-id/usb-Acme_Radio_Modem-if00");
    }

    DiscoveryRoots Roots() const { return {sys_, dev_}; }
    std::string Dev(const std::string& name) const { return (fs::path(dev_) / name).string(); }

private:
    fs::path Sys(const std::string& rel) const { return fs::path(sys_) / rel; }
    static void Dir(const fs::path& p) { fs::create_directories(p); }
    static void File(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }
    void Driver(const fs::path& device, const std::string& name) {
        const fs::path driver = Sys("bus/drivers") / name;
        Dir(driver);
        fs::create_symlink(driver, device / "driver");
    }
    void Tty(const std::string& name, const fs::path& device, const std::string& type = "") {
        const fs::path dir = Sys("class/tty") / name;
        Dir(dir);
        fs::create_directory_symlink(device, dir / "device");
        if (!type.empty()) File(dir / "type", type);
        File(fs::path(dev_) / name, "");
    }

    test::ScratchFolder folder_;
    std::string sys_ = folder_.Path("sys");
    std::string dev_ = folder_.Path("dev");
};

TEST(PortDiscovery, ListsRealSerialDevicesWithTheirNamesDriversAndSlots) {
    FakeTree tree;
    const auto ports = DiscoverSerialPorts(PortMap{}, tree.Roots());
    ASSERT_EQ(ports.size(), 4u);
    struct Expected {
        const char* name;
        const char* byId;
        const char* driver;
        const char* description;
        std::optional<std::uint8_t> slot;
    };
    const Expected expected[] = {
        {"ttyACM0", "usb-Acme_Radio_Modem-if00", "cdc_acm", "Acme Radio Modem", std::nullopt},
        {"ttyS0", "", "serial8250", "", std::nullopt},
        {"ttyUSB0", "usb-FTDI_FT232R_USB_UART_A1-if00-port0", "ftdi_sio", "FTDI FT232R USB UART", 0},
        {"ttyUSB10", "", "ftdi_sio", "FTDI FT232R USB UART", std::nullopt},  // no COM11
    };
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(ports[i].name, e.name);
        EXPECT_EQ(ports[i].path, tree.Dev(e.name));
        EXPECT_EQ(ports[i].byIdPath, *e.byId ? tree.Dev(std::string("serial/by-id/") + e.byId) : "") << e.name;
        EXPECT_EQ(ports[i].driver, e.driver) << e.name;
        EXPECT_EQ(ports[i].description, e.description) << e.name;
        EXPECT_EQ(ports[i].comSlot, e.slot) << e.name;
    }
}

TEST(PortDiscovery, AnOverriddenSlotStandsForItsDeviceOrItsByIdName) {
    FakeTree tree;
    PortMap map;
    map.Override(0, "/dev/ttyS4");                                            // COM1 away from ttyUSB0
    map.Override(2, tree.Dev("ttyS0"));                                       // COM3 by path
    map.Override(4, tree.Dev("serial/by-id/usb-Acme_Radio_Modem-if00"));      // COM5 by its stable name
    std::vector<std::optional<std::uint8_t>> slots;
    for (const auto& p : DiscoverSerialPorts(map, tree.Roots())) slots.push_back(p.comSlot);
    EXPECT_EQ(slots, (std::vector<std::optional<std::uint8_t>>{4, 2, std::nullopt, std::nullopt}));
}

TEST(PortDiscovery, AMissingTreeHasNoPorts) {
    EXPECT_TRUE(DiscoverSerialPorts(PortMap{}, {"/nonexistent/sys", "/nonexistent/dev"}).empty());
}

}  // namespace
}  // namespace qx
