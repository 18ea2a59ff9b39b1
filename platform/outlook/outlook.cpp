// The key functions of the host's interfaces: their type information lives here, once,
// so the add-in and the host agree on it across library boundaries.
#include "platform/outlook/outlook.h"

namespace platform::outlook {

CommandBarControl::~CommandBarControl() = default;
CommandBarControls::~CommandBarControls() = default;
CommandBar::~CommandBar() = default;
CommandBars::~CommandBars() = default;
OutlookItem::~OutlookItem() = default;
Attachments::~Attachments() = default;
Recipients::~Recipients() = default;
Inspector::~Inspector() = default;
Inspectors::~Inspectors() = default;
Recipient::~Recipient() = default;
NameSpace::~NameSpace() = default;
MAPIFolder::~MAPIFolder() = default;
Attachment::~Attachment() = default;
Application::~Application() = default;

}  // namespace platform::outlook
