#include "internet/InternetWiring.h"

#include <memory>

#include "internet/PublicAddress.h"
#include "internet/UpdateCheck.h"

namespace internet {

void wireInternet(app::MainForm& form, platform::Platform& p) {
    // The run's state lives as long as the handlers that share it.
    auto state = std::make_shared<InternetState>();
    state->settings = settingsFrom(p.env);

    auto getIp = [&form, &p, state] { getPublicIp(form, p, *state); };
    form.Command6.onClick = getIp;
    form.mnuwaninfo.onClick = getIp;
    form.Label14.onDoubleClick = getIp;
    form.Text1.onChange = [&form] { updateStatusLine(form); };

    form.updates.onClick = [&form, &p, state] {
        if (state->busy) return;
        state->busy = true;
        updateCheck(form, p, *state);
        state->busy = false;
    };
    form.upgrade.onClick = [&p, state] { upgrade(p, state->settings); };
}

}  // namespace internet
