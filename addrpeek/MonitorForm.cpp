#include "addrpeek/MonitorForm.h"

#include <initializer_list>

namespace addrpeek {

namespace {

void place(ui::Control& c, int left, int top, int width, int height) { c.geometry = {left, top, width, height}; }

}  // namespace

MonitorForm::MonitorForm() {
    // Top to bottom, each centred in the client area.
    place(Label13, 195, 45, 3405, 465);
    Label13.font = ui::Font{"Arial", 8.25, true};
    Label13.align = ui::Align::Center;
    place(List2, 150, 510, 3495, 1515);
    List2.font = ui::Font{"Lucida Console", 8, false};
    place(Label14, 105, 2025, 3585, 270);
    Label14.font = ui::Font{"Arial", 8.25, true};
    Label14.align = ui::Align::Center;
    Label14.setCaption("Checking Internet Connection ...");
    Label14.foreground = ui::Color{255, 128, 0};
    Label14.announced = true;
    List2.accessibleName = "Addresses";

    Timer1.intervalMs = 1000;
    Timer2.intervalMs = 1000;
    Timer2.setEnabled(false);

    // Value holders lie beyond the client area and are never drawn.
    int top = 0;
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &List1, &Text2, &Label16, &verser, &Label1, &Label2, &Label3, &Label4, &Label5, &Label6,
             &Label7, &Label8, &Label9, &Label10, &refreshcount, &delay}) {
        c->working = true;
        place(*c, clientWidth + 600, top, 1000, 300);
        top += 400;
    }

    autorefresh.checkable = true;
    cap.setVisible(false);
    mnu1.children = {&mnuprivate, &mnupublic, &dash1, &autorefresh};
    mnu2.children = {&mnucopy, &mnuclose};
    menuBar = {&mnu1, &mnu2, &cap};

    controls = {&Label13, &List2, &Label14, &List1,  &Text2,   &Label16,      &verser, &Label1, &Label2,
                &Label3,  &Label4, &Label5, &Label6, &Label7,  &Label8,       &Label9, &Label10,
                &refreshcount, &delay, &Timer1, &Timer2};
}

}  // namespace addrpeek
