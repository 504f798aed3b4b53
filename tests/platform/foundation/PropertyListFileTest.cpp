#include <gtest/gtest.h>
#include <plist/plist.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Process.h"
#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyListFile.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

const char* const kFolder = "/var/mobile/Library/Preferences/Snapforge";
const char* const kFile = "/var/mobile/Library/Preferences/Snapforge/test.plist";

class PropertyListFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(NSFileManager::defaultManager().createDirectoryAtPath(kFolder, true));
    }

    static void put(const std::string& bytes) {
        std::ofstream(devicePath(kFile), std::ios::binary) << bytes;
    }
    static std::string contents() {
        std::ifstream in(devicePath(kFile), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static std::string xml(const std::string& body) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
               "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
               "<plist version=\"1.0\">" +
               body + "</plist>\n";
    }
    static std::string nestedArrays(std::size_t depth) {
        std::string open, close;
        for (std::size_t i = 0; i < depth; ++i) {
            open += "<array>";
            close += "</array>";
        }
        return open + close;
    }
    static std::size_t filesInFolder() {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(devicePath(kFolder))) {
            ++count;
        }
        return count;
    }

    Process process;
};

// A binary property list whose objects are all arrays: object i holds references to `children`
// (each an object index); the top object is 0.
std::string binaryArrays(const std::vector<std::vector<std::uint32_t>>& children) {
    std::string data = "bplist00";
    std::vector<std::uint32_t> offsets;
    auto bigEndian = [&data](std::uint64_t value, int size) {
        for (int shift = (size - 1) * 8; shift >= 0; shift -= 8) {
            data += static_cast<char>((value >> shift) & 0xff);
        }
    };
    for (const auto& refs : children) {
        offsets.push_back(static_cast<std::uint32_t>(data.size()));
        data += static_cast<char>(0xa0 | refs.size());
        for (std::uint32_t ref : refs) {
            bigEndian(ref, 4);
        }
    }
    const std::uint64_t table = data.size();
    for (std::uint32_t offset : offsets) {
        bigEndian(offset, 4);
    }
    data += std::string(6, '\0') + '\4' + '\4';
    bigEndian(children.size(), 8);
    bigEndian(0, 8);
    bigEndian(table, 8);
    return data;
}

std::vector<std::vector<std::uint32_t>> chain(std::uint32_t depth) {
    std::vector<std::vector<std::uint32_t>> objects;
    for (std::uint32_t i = 0; i + 1 < depth; ++i) {
        objects.push_back({i + 1});
    }
    objects.push_back({});
    return objects;
}

// A binary file of `levels` dictionaries, each the only value of the one above.
std::string binaryDictionaries(std::size_t levels) {
    plist_t root = plist_new_dict();
    plist_t innermost = root;
    for (std::size_t i = 1; i < levels; ++i) {
        plist_t child = plist_new_dict();
        plist_dict_set_item(innermost, "d", child);
        innermost = child;
    }
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    plist_free(root);
    std::string data(bytes, length);
    plist_to_bin_free(bytes);
    return data;
}

// A binary file of one dictionary entry, key and value given as encoded objects.
std::string binaryEntry(const std::string& keyObject, const std::string& valueObject) {
    std::string bytes = "bplist00";
    std::vector<std::size_t> offsets;
    for (const std::string& object : {std::string("\xd1\x01\x02"), keyObject, valueObject}) {
        offsets.push_back(bytes.size());
        bytes += object;
    }
    const std::size_t table = bytes.size();
    for (const std::size_t offset : offsets) {
        bytes += static_cast<char>(offset);
    }
    bytes += std::string(6, '\0') + "\x01\x01";  // offsets and references of one byte
    bytes +=
        std::string(7, '\0') + "\x03" + std::string(8, '\0');  // three objects, the first on top
    bytes += std::string(7, '\0') + static_cast<char>(table);
    return bytes;
}

TEST_F(PropertyListFileTest, XmlRoundTripKeepsEveryTypeAndIsAtomic) {
    NSMutableDictionary inner;
    inner.setObject("x", "s");
    NSMutableDictionary dictionary;
    dictionary.setObject(true, "bool");
    dictionary.setObject(-5, "negative");
    dictionary.setObject(0.1, "real");
    dictionary.setObject("a<b & \"c\"", "string");
    dictionary.setObject(PlistData{0, 1, 255}, "data");
    dictionary.setObject(PlistDate{12345}, "date");
    dictionary.setObject(PlistArray{1, "two", inner}, "array");
    dictionary.setObject(inner, "dictionary");

    ASSERT_TRUE(writeToFile(dictionary, kFile, true));
    EXPECT_TRUE(fs::is_regular_file(process.deviceRoot() / "var/mobile/Library/Preferences/"
                                                           "Snapforge/test.plist"));
    EXPECT_NE(contents().find("<plist"), std::string::npos);
    EXPECT_EQ(filesInFolder(), 1u);
    auto read = dictionaryWithContentsOfFile(kFile);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, dictionary);
    EXPECT_EQ(read->objectForKey("bool")->type(), PlistType::Boolean);
}

TEST_F(PropertyListFileTest, BinaryFilesAreRead) {
    plist_t root = plist_new_dict();
    plist_dict_set_item(root, "overlayIndex", plist_new_string("1"));
    plist_dict_set_item(root, "advPhotoSelected", plist_new_bool(0));
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    plist_free(root);
    put(std::string(bytes, length));
    plist_to_bin_free(bytes);

    auto read = dictionaryWithContentsOfFile(kFile);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->objectForKey("overlayIndex")->intValue(), 1);
    EXPECT_EQ(read->objectForKey("advPhotoSelected")->boolValue(), false);
}

TEST_F(PropertyListFileTest, BadFilesReadAsNothing) {
    const std::string kUtf16WithNul("\x62\x00\xe9\x00\x00", 5);
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "missing";
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFolder)) << "a folder";
    const std::string valid = xml("<dict><key>a</key><true/></dict>");
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"garbage", "\x01\x02 not a property list <<<>>>"},
        {"array root", xml("<array><true/></array>")},
        {"string root", xml("<string>x</string>")},
        {"truncated", valid.substr(0, valid.size() / 2)},
        {"binary garbage", "bplist00" + std::string(40, '\xff')},
        {"oversize", valid + std::string(kPropertyListMaxFileSize, ' ')},
        // The parser's string getters abort on a NUL character inside a string.
        {"xml string holding a NUL",
         xml("<dict><key>a</key><string>x") + '\0' + "y</string></dict>"},
        {"utf-16 key holding a NUL", binaryEntry(kUtf16WithNul,
                                                 "\x51"
                                                 "a")},
        {"utf-16 value holding a NUL", binaryEntry("\x51"
                                                   "a",
                                                   kUtf16WithNul)},
    };
    for (const auto& [name, bytes] : cases) {
        put(bytes);
        EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << name;
    }
    put(valid);
    EXPECT_TRUE(dictionaryWithContentsOfFile(kFile));
    put(
        binaryEntry("\x51"
                    "a",
                    std::string("\x61\x00\xe9", 3)));
    const auto read = dictionaryWithContentsOfFile(kFile);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read->objectForKey("a")->stringValue(), "\xc3\xa9");
}

TEST_F(PropertyListFileTest, NestingIsBoundedBeforeTheParserSeesIt) {
    const std::size_t limit = kPropertyListMaxNesting;
    // The root dictionary is the first level.
    auto nestedInDictionary = [&](std::size_t levels) {
        return xml("<dict><key>k</key>" + nestedArrays(levels - 1) + "</dict>");
    };
    put(nestedInDictionary(limit));
    EXPECT_TRUE(dictionaryWithContentsOfFile(kFile));
    put(nestedInDictionary(limit + 1));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile));

    // Deep enough to overflow the stack if a parser built (and freed) it.
    put(xml("<dict><key>k</key>" + nestedArrays(65000) + "</dict>"));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile));
    put(xml("<dict><key>k</key>" + std::string(nestedArrays(100000)).substr(0, 700000)));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "unclosed";
    put(xml("<dict><key>k</key><!-- " + nestedArrays(3) + " --><true/></dict>"));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "containers hidden in a comment";
    put(xml("<dict><key>k</key><array a=\">\"><true/></array></dict>"));
    EXPECT_TRUE(dictionaryWithContentsOfFile(kFile)) << "a quoted '>' in a tag";

    put(binaryArrays(chain(100000)));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "deep binary";
    put(binaryDictionaries(limit));
    EXPECT_TRUE(dictionaryWithContentsOfFile(kFile));
    put(binaryDictionaries(limit + 1));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile));
    // Every level referring twice to the next expands 2^40-fold.
    std::vector<std::vector<std::uint32_t>> doubling;
    for (std::uint32_t i = 0; i < 40; ++i) {
        doubling.push_back({i + 1, i + 1});
    }
    doubling.push_back({});
    put(binaryArrays(doubling));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "reference bomb";
    put(binaryArrays({{0}}));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "cycle";
    put(binaryArrays({{7}}));
    EXPECT_FALSE(dictionaryWithContentsOfFile(kFile)) << "reference out of range";
}

TEST_F(PropertyListFileTest, AFailedWriteLeavesTheOldFileWhole) {
    NSMutableDictionary old;
    old.setObject("old", "version");
    ASSERT_TRUE(writeToFile(old, kFile, true));
    const std::string before = contents();

    NSMutableDictionary large;
    large.setObject(std::string(64 * 1024, 'x'), "payload");
    // The file-size limit makes every write past 4 KiB fail halfway, whoever runs the test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool atomicWritten = writeToFile(large, kFile, true);
    const std::string afterAtomic = contents();
    const bool plainWritten = writeToFile(large, kFile, false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(atomicWritten);
    EXPECT_EQ(afterAtomic, before);
    // A plain write in the same situation does leave a torn file: the check above means it.
    EXPECT_FALSE(plainWritten);
    EXPECT_NE(contents(), before);
    EXPECT_EQ(filesInFolder(), 1u) << "no temporary file is left behind";

    // A folder in the target's place cannot be replaced; a missing folder cannot take a file.
    fs::create_directories(devicePath(std::string(kFolder) + "/dir.plist"));
    EXPECT_FALSE(writeToFile(old, std::string(kFolder) + "/dir.plist", true));
    EXPECT_FALSE(writeToFile(old, "/var/mobile/Missing/test.plist", true));
    EXPECT_EQ(filesInFolder(), 2u);

    NSMutableDictionary deep;
    for (std::size_t i = 0; i < kPropertyListMaxNesting; ++i) {
        NSMutableDictionary outer;
        outer.setObject(deep, "d");
        deep = outer;
    }
    EXPECT_FALSE(writeToFile(deep, kFile, true)) << "deeper than a file may be read back";
}

// Saves force nothing to disk: the rename is what keeps the file whole. A process killed at any
// moment of its saves leaves a file that reads back as one whole save, never a mix or a torn one.
TEST_F(PropertyListFileTest, AProcessKilledWhileSavingLeavesOneWholeSave) {
    const auto save = [](int number) {
        NSMutableDictionary dictionary;
        dictionary.setObject(std::to_string(number), "number");
        dictionary.setObject(std::string(32 * 1024, static_cast<char>('a' + number % 26)), "body");
        return writeToFile(dictionary, kFile, true);
    };
    ASSERT_TRUE(save(0));
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int number = 1;; ++number) {
                save(number);
            }
        }
        ::usleep(static_cast<useconds_t>(500 + 250 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const auto saved = dictionaryWithContentsOfFile(kFile);
        ASSERT_TRUE(saved) << "round " << round;
        const PlistValue* number = saved->objectForKey("number");
        const PlistValue* body = saved->objectForKey("body");
        ASSERT_TRUE(number && number->stringValue() && body && body->stringValue()) << round;
        const char letter = static_cast<char>('a' + std::stoi(*number->stringValue()) % 26);
        EXPECT_EQ(*body->stringValue(), std::string(32 * 1024, letter)) << "round " << round;
    }
}

TEST(DevicePath, PhonePathsLieUnderTheDeviceRoot) {
    Process process;
    const fs::path& root = process.deviceRoot();
    EXPECT_EQ(devicePath("/var/mobile/x.plist"), root / "var/mobile/x.plist");
    EXPECT_EQ(devicePath("/var/../../../etc/passwd"), root / "etc/passwd");
    EXPECT_EQ(devicePath("tmp/a"), root / "tmp/a");
    EXPECT_EQ(devicePath("/var/mobile/"), root / "var/mobile");
}

TEST(NSFileManager, CreatesFoldersAsFoundationDoes) {
    Process process;
    NSFileManager& files = NSFileManager::defaultManager();
    EXPECT_FALSE(files.fileExistsAtPath("/var/mobile/a"));
    EXPECT_FALSE(files.createDirectoryAtPath("/var/mobile/a/b", false)) << "no parent";
    EXPECT_TRUE(files.createDirectoryAtPath("/var/mobile/a/b", true));
    EXPECT_TRUE(files.createDirectoryAtPath("/var/mobile/a/b", true)) << "already there";
    EXPECT_FALSE(files.createDirectoryAtPath("/var/mobile/a/b", false)) << "already there";
    EXPECT_TRUE(files.fileExistsAtPath("/var/mobile/a/b"));
    EXPECT_TRUE(fs::is_directory(process.deviceRoot() / "var/mobile/a/b"));
}

}  // namespace
}  // namespace platform
