#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UIImageView.h"
#include "support/TestFiles.h"

namespace platform {
namespace {

const char* const kFolder = "/var/mobile/Library/Keyboard/Snapforge/";

TEST(UIImage, MissingFilesAreEmptyAndPNGSizesComeFromTheHeader) {
    Process process;
    const std::string lock = std::string(kFolder) + "objectLock2.png";
    EXPECT_EQ(UIImage::imageWithContentsOfFile(lock), nullptr);
    EXPECT_EQ(UIImage::imageWithContentsOfFile(""), nullptr);
    EXPECT_EQ(UIImage::imageWithContentsOfFile(kFolder), nullptr);  // a folder is no image

    testsupport::writeDeviceFile(lock, testsupport::pngHeader(50, 300));
    auto image = UIImage::imageWithContentsOfFile(lock);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), CGSizeMake(50, 300));
    EXPECT_TRUE(image->isPNG());
    EXPECT_EQ(image->path(), lock);
    EXPECT_TRUE(std::filesystem::exists(image->filePath()));

    const std::string notes = std::string(kFolder) + "notes.txt";
    testsupport::writeDeviceFile(notes, "not a picture");
    auto other = UIImage::imageWithContentsOfFile(notes);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->size(), CGSizeMake(0, 0));

    // Paths never lead out of the device root.
    EXPECT_EQ(UIImage::imageWithContentsOfFile("/../../../../etc/passwd"), nullptr);
}

TEST(UIImageView, TakesItsImageSizeAndCyclesItsFramesUntilStopped) {
    Process process;
    const std::string folder = kFolder;
    for (const char* name : {"focus4.png", "focus5.png", "focus6.png", "objectLock2.png"}) {
        testsupport::writeDeviceFile(folder + name, testsupport::pngHeader(90, 90));
    }
    testsupport::writeDeviceFile(folder + "objectLock2.png", testsupport::pngHeader(50, 50));
    auto badge =
        UIImageView::createWithImage(UIImage::imageWithContentsOfFile(folder + "objectLock2.png"));
    EXPECT_EQ(badge->frame(), CGRectMake(0, 0, 50, 50));
    EXPECT_EQ(UIImageView::createWithImage(nullptr)->frame(), CGRectZero);
    EXPECT_FALSE(badge->isUserInteractionEnabled());

    auto reticle = UIImageView::create(CGRectMake(115, 195, 90, 90));
    std::vector<std::shared_ptr<UIImage>> frames;
    for (const char* name : {"focus4.png", "focus5.png", "focus6.png"}) {
        frames.push_back(UIImage::imageWithContentsOfFile(folder + name));
    }
    reticle->setAnimationImages(frames);
    reticle->setAnimationDuration(0.3);
    reticle->setImage(frames[0]);
    reticle->startAnimating();
    EXPECT_TRUE(reticle->isAnimating());
    RunLoop::main().runFor(0.15);
    EXPECT_EQ(reticle->displayedImage(), frames[1]);
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(reticle->displayedImage(), frames[2]);
    reticle->stopAnimating();
    EXPECT_EQ(reticle->displayedImage(), frames[0]);

    // A limited repeat count stops by itself.
    reticle->setAnimationRepeatCount(2);
    reticle->startAnimating();
    RunLoop::main().runFor(0.61);
    EXPECT_FALSE(reticle->isAnimating());
}

}  // namespace
}  // namespace platform
