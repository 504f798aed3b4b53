#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/device/NSBundle.h"
#include "platform/device/Sysctl.h"
#include "platform/device/UIDevice.h"

namespace platform {
namespace {

DeviceProfile profileFor(std::string machine) {
    DeviceProfile profile;
    profile.machine = std::move(machine);
    return profile;
}

TEST(SysctlTest, LengthQueryThenValue) {
    Process process(profileFor("iPad4,2"));
    size_t length = 0;
    ASSERT_EQ(sysctlbyname("hw.machine", nullptr, &length, nullptr, 0), 0);
    EXPECT_EQ(length, 8u);
    std::vector<char> buffer(length, 'x');
    ASSERT_EQ(sysctlbyname("hw.machine", buffer.data(), &length, nullptr, 0), 0);
    EXPECT_EQ(std::string(buffer.data()), "iPad4,2");
    EXPECT_EQ(length, 8u);
}

TEST(SysctlTest, TooSmallBufferFailsWithoutWritingPastIt) {
    Process process(profileFor("iPhone4,1"));
    char buffer[12];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    size_t length = 9;  // one short of the terminating NUL
    errno = 0;
    EXPECT_EQ(sysctlbyname("hw.machine", buffer, &length, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_EQ(std::string(buffer, 10), "iPhone4,1#");
}

TEST(SysctlTest, UnknownNamesWritesAndMissingLengthsFail) {
    Process process;
    size_t length = 0;
    char buffer[32];
    errno = 0;
    EXPECT_EQ(sysctlbyname("hw.model", nullptr, &length, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(sysctlbyname(nullptr, nullptr, &length, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(sysctlbyname("hw.machine", nullptr, &length, "iPad9,9", 8), -1);
    EXPECT_EQ(errno, EPERM);
    EXPECT_EQ(sysctlbyname("hw.machine", buffer, nullptr, nullptr, 0), -1);
    EXPECT_EQ(errno, EINVAL);
}

TEST(UIDeviceTest, ReportsTheProfileOfTheCurrentProcess) {
    DeviceProfile profile = profileFor("iPod4,1");
    profile.systemVersion = "10.0";
    profile.uniqueIdentifier.reset();
    profile.bundleIdentifier = "com.example.camera";
    Process process(profile);
    EXPECT_FALSE(UIDevice::currentDevice().uniqueIdentifier().has_value());
    EXPECT_EQ(UIDevice::currentDevice().systemVersion(), "10.0");
    EXPECT_EQ(UIDevice::currentDevice().model(), "iPod touch");
    EXPECT_EQ(NSBundle::mainBundle().bundleIdentifier(), "com.example.camera");

    process.profile().uniqueIdentifier = "abc";
    EXPECT_EQ(UIDevice::currentDevice().uniqueIdentifier(), "abc");
}

}  // namespace
}  // namespace platform
