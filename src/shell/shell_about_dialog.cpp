#include "shell/shell_about_dialog.h"

#include "platform/dialog_resources.h"
#include "platform/show_message.h"

namespace tarnik {

CShellAboutDialog::CShellAboutDialog() : XT40xdlog(kAboutDialog) {}

void CShellAboutDialog::SetUp() {
    Item(kAboutNameItem).SetText(MessageXTensionName() + " (" + MessageFileVersion() + ")");
}

}  // namespace tarnik
