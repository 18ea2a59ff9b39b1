// The toolkit names the four forms use.
#pragma once

#include "platform/toolkit/colors.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/control_array.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/text_box.h"
#include "platform/toolkit/with_events.h"

namespace forms {
using platform::toolkit::CheckBox;
using platform::toolkit::ComboBox;
using platform::toolkit::CommandButton;
using platform::toolkit::ControlArray;
using platform::toolkit::Form;
using platform::toolkit::Frame;
using platform::toolkit::Label;
using platform::toolkit::OptionButton;
using platform::toolkit::RichTextBox;
using platform::toolkit::TextBox;

// The pictures of the icon buttons, by name, for the renderer.
inline constexpr char kNewPicture[] = "new";
inline constexpr char kEditPicture[] = "edit";
inline constexpr char kFolderPicture[] = "folder";
inline constexpr char kReturnPicture[] = "return";
inline constexpr char kHelpPicture[] = "help";

// The colour of the "Required" marks and of the web links.
inline constexpr platform::toolkit::Color kAlertColor = platform::toolkit::vbRed;
inline constexpr platform::toolkit::Color kLinkColor = platform::toolkit::vbBlue;
}  // namespace forms
