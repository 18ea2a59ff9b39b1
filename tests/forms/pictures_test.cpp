// The pictures the forms name: each icon button's picture has an image a backend can
// draw, at the standard resolution and at twice that.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "addin/forms/frmFolderMessage.h"
#include "addin/forms/frmProjInfo.h"
#include "addin/forms/frmQuillet.h"
#include "addin/forms/frmSetup.h"
#include "platform/toolkit/backend_pictures.h"

namespace {

using platform::toolkit::CommandButton;
using platform::toolkit::ControlKind;
using platform::toolkit::Form;
using platform::toolkit::PictureFile;

// The width and height a PNG file's header gives, or {0, 0} when it is no PNG.
std::pair<uint32_t, uint32_t> PngSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return {0, 0};
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(signature, signature + 8, head) || std::string(head + 12, head + 16) != "IHDR") return {0, 0};
    auto word = [&](int at) {
        return uint32_t(head[at]) << 24 | uint32_t(head[at + 1]) << 16 | uint32_t(head[at + 2]) << 8 | head[at + 3];
    };
    return {word(16), word(20)};
}

std::vector<const CommandButton*> IconButtons(const Form& form) {
    std::vector<const CommandButton*> buttons;
    for (const auto* control : form.Controls())
        if (control->Kind() == ControlKind::CommandButton) {
            auto* button = static_cast<const CommandButton*>(control);
            if (button->IsIconButton()) buttons.push_back(button);
        }
    return buttons;
}

}  // namespace

TEST(Pictures, EveryIconButtonsPictureHasAnImageAtBothResolutions) {
    std::vector<std::shared_ptr<Form>> forms{std::make_shared<frmQuillet>(), std::make_shared<frmSetup>(),
                                             std::make_shared<frmProjInfo>(), std::make_shared<frmFolderMessage>()};
    size_t buttons = 0;
    for (const auto& form : forms)
        for (const CommandButton* button : IconButtons(*form)) {
            SCOPED_TRACE(form->Name() + "." + button->DisplayName() + " \"" + button->Picture() + "\"");
            ++buttons;
            auto standard = PictureFile(button->Picture());
            auto large = PictureFile(button->Picture(), 192);
            ASSERT_TRUE(standard.has_value());
            ASSERT_TRUE(large.has_value());
            EXPECT_EQ(PngSize(*standard), std::make_pair(16u, 16u));
            EXPECT_EQ(PngSize(*large), std::make_pair(32u, 32u));
            EXPECT_EQ(PictureFile(button->Picture(), 120), standard);  // below 1.5 times: the standard one
            EXPECT_EQ(PictureFile(button->Picture(), 144), large);
        }
    // frmQuillet: new, edit, browse; frmSetup: four browse, return, help; frmProjInfo: browse.
    EXPECT_EQ(buttons, 3u + 6u + 1u);
}

TEST(Pictures, OnlyPlainNamesOfDrawnPicturesHaveAnImage) {
    EXPECT_FALSE(PictureFile("").has_value());
    EXPECT_FALSE(PictureFile("sunset").has_value());
    EXPECT_FALSE(PictureFile("../pictures/folder").has_value());
    EXPECT_FALSE(PictureFile("folder.png").has_value());
    EXPECT_TRUE(PictureFile("folder").has_value());
    EXPECT_EQ(PictureFile("folder", 96, "/nowhere"), std::nullopt);
}
