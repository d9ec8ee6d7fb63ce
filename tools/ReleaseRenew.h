// Release and renew of DHCP addresses, for all adapters or the selected
// one: each starts its script hidden, blanks the adapter display, tells the
// user to refresh and logs what it did. Nothing refreshes by itself.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"

namespace tools {

void releaseAll(app::MainForm& form, platform::Platform& p);
void renewAll(app::MainForm& form, platform::Platform& p);
void releaseAdapter(app::MainForm& form, platform::Platform& p);
void renewAdapter(app::MainForm& form, platform::Platform& p);

}  // namespace tools
